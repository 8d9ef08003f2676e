#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/QtSettingsStore.h"
#include "app/SettingsLoadSave.h"
#include "app/WindowPlacement.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"

namespace pw {
namespace {

TEST(QtSettingsStore, RoundTripThroughAnIniFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Popwright.ini"));

    AppSettings settings;
    settings.newCard.width = 30;
    settings.newCard.height = 15;
    settings.colors.background = RgbColor(10, 20, 30);
    settings.sound.on = 0;
    settings.print.mirror = 1;
    settings.print.sizePercent = 70;
    settings.bitmap.widthPx = 800;
    settings.view.gridDisplay = 1;
    const WindowPlacement saved{2, 1, -1, -1, -8, -8, 10, 20, 810, 620};
    {
        QtSettingsStore store(path);
        SaveSettings(store, settings, saved);
    }
    ASSERT_TRUE(QFile::exists(path));
    {
        // Every entry is a text in the "Settings" group.
        QSettings raw(path, QSettings::IniFormat);
        EXPECT_EQ(raw.value(QStringLiteral("Settings/cardSize")).toString(), QStringLiteral("30:15"));
        EXPECT_EQ(raw.value(QStringLiteral("Settings/colorBack")).toString(), QStringLiteral("1971210"));
        EXPECT_EQ(raw.value(QStringLiteral("Settings/WindowPos")).toString(),
                  QStringLiteral("2:1:-1:-1:-8:-8:10:20:810:620"));
    }

    QtSettingsStore store(path);
    AppSettings loaded;
    EditedCard model;
    WindowPlacement placement;
    ASSERT_TRUE(LoadSettings(store, loaded, model, &placement));
    EXPECT_EQ(loaded.newCard.width, 30);
    EXPECT_EQ(loaded.newCard.height, 15);
    EXPECT_EQ(loaded.colors.background, settings.colors.background);
    EXPECT_EQ(loaded.colors.verticalFace, settings.colors.verticalFace);
    EXPECT_EQ(loaded.sound.on, 0);
    EXPECT_EQ(loaded.print.mirror, 1);
    EXPECT_EQ(loaded.print.sizePercent, 70);
    EXPECT_EQ(loaded.bitmap.widthPx, 800);
    EXPECT_EQ(loaded.view.gridDisplay, 1);
    EXPECT_EQ(model.grid.gridWidth, 32);
    EXPECT_EQ(model.grid.gridHeight, 16);
    EXPECT_EQ(placement.flags, 2);
    EXPECT_EQ(placement.bottom, 620);
}

TEST(QtSettingsStore, ReadsHandWrittenAndMissingEntries) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Popwright.ini"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Settings]\ncolorEdge=0xFF\ncardSize=20\nWindowPos=0:1:2:3:4:5:6:7:8\n");
    }
    QtSettingsStore store(path);
    EXPECT_EQ(store.GetText("Settings", "absent"), "");
    EXPECT_EQ(store.GetText("Other", "colorEdge"), "");
    AppSettings loaded;
    EditedCard model;
    WindowPlacement placement;
    EXPECT_FALSE(LoadSettings(store, loaded, model, &placement));
    EXPECT_EQ(loaded.colors.outline, 255);
    EXPECT_EQ(loaded.newCard.width, 16);
    EXPECT_EQ(loaded.newCard.height, 8);
}

}  // namespace
}  // namespace pw

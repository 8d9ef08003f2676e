#include <gtest/gtest.h>

#include "app/SettingsLoadSave.h"
#include "app/SettingsStore.h"
#include "app/WindowPlacement.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"

namespace pw {
namespace {

class SettingsLoadTest : public ::testing::Test {
protected:
    void Set(const char* entry, const char* value) { store.SetText(kSettingsSection, entry, value); }
    bool Load() { return LoadSettings(store, settings, model, &placement); }

    MemorySettingsStore store;
    AppSettings settings;
    EditedCard model;
    WindowPlacement placement;
};

TEST_F(SettingsLoadTest, EmptyStoreGivesTheDefaults) {
    UndoStep step;
    step.lines.push_back(UndoLine{});
    model.history.PushStep(step);
    WindowPlacement before;
    before.left = 77;
    placement = before;
    EXPECT_FALSE(Load());
    EXPECT_EQ(placement.left, 77);  // untouched: the frame keeps its default
    EXPECT_EQ(settings.newCard.width, 16);
    EXPECT_EQ(settings.newCard.height, 8);
    EXPECT_EQ(model.grid.gridWidth, 18);
    EXPECT_EQ(model.grid.gridHeight, 9);
    EXPECT_FALSE(model.history.HasUndoSteps());
    EXPECT_EQ(settings.colors.background, 16757683);
    EXPECT_EQ(settings.colors.verticalFace, 13426139);
    EXPECT_EQ(settings.colors.horizontalFace, 16775413);
    EXPECT_EQ(settings.colors.outline, 6710886);
    EXPECT_EQ(settings.sound.on, 1);
    EXPECT_EQ(settings.print.mirror, 0);
    EXPECT_EQ(settings.print.sizePercent, 50);
    EXPECT_EQ(settings.bitmap.widthPx, 400);
    EXPECT_EQ(settings.view.gridDisplay, 0);
}

TEST_F(SettingsLoadTest, ReadsEveryEntry) {
    Set("cardSize", "40:20");
    Set("colorBack", "255");
    Set("colorPaper0", "0x00FF00");  // hexadecimal
    Set("colorPaper1", "077");       // octal
    Set("colorEdge", "-1");
    Set("soundMode", "0");
    Set("reverseMode", "1");
    Set("rudovozuSizeRatio", "90");
    Set("rudovozuSizeBMP", "1600");
    Set("drawGrid", "1");
    Set("WindowPos", "2:1:-1:-1:-8:-8:10:20:810:620");
    EXPECT_TRUE(Load());
    EXPECT_EQ(settings.newCard.width, 40);
    EXPECT_EQ(settings.newCard.height, 20);
    EXPECT_EQ(model.grid.gridWidth, 42);
    EXPECT_EQ(model.grid.gridHeight, 21);
    EXPECT_EQ(settings.colors.background, 255);
    EXPECT_EQ(settings.colors.verticalFace, RgbColor(0, 255, 0));
    EXPECT_EQ(settings.colors.horizontalFace, 63);
    EXPECT_EQ(settings.colors.outline, -1);
    EXPECT_EQ(settings.sound.on, 0);
    EXPECT_EQ(settings.print.mirror, 1);
    EXPECT_EQ(settings.print.sizePercent, 90);
    EXPECT_EQ(settings.bitmap.widthPx, 1600);
    EXPECT_EQ(settings.view.gridDisplay, 1);
    EXPECT_EQ(placement.flags, 2);
    EXPECT_EQ(placement.showCmd, 1);
    EXPECT_EQ(placement.minX, -1);
    EXPECT_EQ(placement.minY, -1);
    EXPECT_EQ(placement.maxX, -8);
    EXPECT_EQ(placement.maxY, -8);
    EXPECT_EQ(placement.left, 10);
    EXPECT_EQ(placement.top, 20);
    EXPECT_EQ(placement.right, 810);
    EXPECT_EQ(placement.bottom, 620);
}

TEST_F(SettingsLoadTest, HexadecimalColourEqualsItsDecimalForm) {
    Set("colorBack", "0xFFB3B3");
    Set("colorEdge", "0X666666");
    Load();
    EXPECT_EQ(settings.colors.background, 16757683);
    EXPECT_EQ(settings.colors.outline, 6710886);
}

TEST_F(SettingsLoadTest, InvalidEntriesKeepTheirValues) {
    settings.bitmap.widthPx = 123;  // "current value", not only the default
    Set("colorBack", "");
    Set("colorPaper0", "green");
    Set("soundMode", "  ");
    Set("rudovozuSizeBMP", "x12");
    Set("rudovozuSizeRatio", "75%");  // a number prefix converts
    Set("drawGrid", "0x101");         // only the low byte counts
    Load();
    EXPECT_EQ(settings.colors.background, 16757683);
    EXPECT_EQ(settings.colors.verticalFace, 13426139);
    EXPECT_EQ(settings.sound.on, 1);
    EXPECT_EQ(settings.bitmap.widthPx, 123);
    EXPECT_EQ(settings.print.sizePercent, 75);
    EXPECT_EQ(settings.view.gridDisplay, 1);
}

TEST_F(SettingsLoadTest, CardSizeNeedsBothNumbers) {
    settings.newCard.width = 30;
    Set("cardSize", "20");
    Load();
    EXPECT_EQ(settings.newCard.width, 16);
    EXPECT_EQ(settings.newCard.height, 8);
    Set("cardSize", "20 :10");
    Load();
    EXPECT_EQ(settings.newCard.width, 16);
    Set("cardSize", "0x14:012");
    Load();
    EXPECT_EQ(settings.newCard.width, 20);
    EXPECT_EQ(settings.newCard.height, 10);
    EXPECT_EQ(model.grid.gridWidth, 22);
    EXPECT_EQ(model.grid.gridHeight, 11);
}

TEST_F(SettingsLoadTest, CardSizeIsClampedIntoTheDialogRanges) {
    Set("cardSize", "5:100");
    Load();
    EXPECT_EQ(settings.newCard.width, 10);
    EXPECT_EQ(settings.newCard.height, 40);
    EXPECT_EQ(model.grid.gridWidth, 12);
    EXPECT_EQ(model.grid.gridHeight, 41);
    Set("cardSize", "-3:0");
    Load();
    EXPECT_EQ(settings.newCard.width, 10);
    EXPECT_EQ(settings.newCard.height, 5);
    Set("cardSize", "100000:2147483647");
    Load();
    EXPECT_EQ(settings.newCard.width, 80);
    EXPECT_EQ(settings.newCard.height, 40);
    EXPECT_EQ(model.grid.gridWidth, 82);
}

TEST_F(SettingsLoadTest, WindowPosNeedsAllTenNumbers) {
    placement.left = 5;
    Set("WindowPos", "0:1:2:3:4:5:6:7:8");
    EXPECT_FALSE(Load());
    EXPECT_EQ(placement.left, 5);
    Set("WindowPos", "0:1:2:3:4:5:x:7:8:9");
    EXPECT_FALSE(Load());
    EXPECT_EQ(placement.left, 5);
    Set("WindowPos", "0:1:2:3:4:5:6:7:8:0x9");
    EXPECT_TRUE(Load());
    EXPECT_EQ(placement.left, 6);
    EXPECT_EQ(placement.bottom, 9);
    EXPECT_TRUE(LoadSettings(store, settings, model, nullptr));
}

TEST_F(SettingsLoadTest, CellSizeIsADecimalWithinTheDialogsLimits) {
    EXPECT_EQ(settings.print.cellMm, 0);  // from the print size unless set
    Set("cellSizeMm", "2.5");
    Load();
    EXPECT_DOUBLE_EQ(settings.print.cellMm, 2.5);
    Set("cellSizeMm", "3.17549");  // kept to a micrometre
    Load();
    EXPECT_DOUBLE_EQ(settings.print.cellMm, 3.175);
    for (const char* bad : {"0.4", "50.5", "-3", "abc", "2,5", "", "1e1", "nan"}) {
        settings.print.cellMm = 7;
        Set("cellSizeMm", bad);
        Load();
        EXPECT_DOUBLE_EQ(settings.print.cellMm, 7) << bad;
    }
    Set("cellSizeMm", "0");
    Load();
    EXPECT_EQ(settings.print.cellMm, 0);

    // Saved with a point whatever the value, and loaded back the same.
    settings.print.cellMm = 12.125;
    WindowPlacement p;
    MemorySettingsStore saved;
    SaveSettings(saved, settings, p);
    EXPECT_EQ(saved.GetText(kSettingsSection, "cellSizeMm"), "12.125");
    AppSettings loaded;
    EditedCard other;
    LoadSettings(saved, loaded, other, nullptr);
    EXPECT_EQ(loaded.print.cellMm, 12.125);
}

TEST(SettingsSave, WritesEveryEntryAsText) {
    MemorySettingsStore store;
    AppSettings settings;
    settings.newCard.width = 24;
    settings.newCard.height = 12;
    settings.colors.outline = RgbColor(1, 2, 3);
    settings.view.gridDisplay = 1;
    settings.language = "ja";
    WindowPlacement p{2, 3, -1, -1, -8, -8, 100, 50, 900, 700};
    SaveSettings(store, settings, p);
    const auto get = [&](const char* entry) { return store.GetText(kSettingsSection, entry); };
    EXPECT_EQ(get("WindowPos"), "2:3:-1:-1:-8:-8:100:50:900:700");
    EXPECT_EQ(get("cardSize"), "24:12");
    EXPECT_EQ(get("colorBack"), "16757683");
    EXPECT_EQ(get("colorPaper0"), "13426139");
    EXPECT_EQ(get("colorPaper1"), "16775413");
    EXPECT_EQ(get("colorEdge"), "197121");
    EXPECT_EQ(get("soundMode"), "1");
    EXPECT_EQ(get("reverseMode"), "0");
    EXPECT_EQ(get("rudovozuSizeRatio"), "50");
    EXPECT_EQ(get("rudovozuSizeBMP"), "400");
    EXPECT_EQ(get("drawGrid"), "1");
    EXPECT_EQ(get("cellSizeMm"), "0");
    EXPECT_EQ(get("language"), "ja");
    EXPECT_EQ(get("showWelcome"), "1");
    EXPECT_EQ(store.Size(), 14u);

    // What was saved loads back unchanged, and the next start uses the size.
    AppSettings loaded;
    EditedCard model;
    WindowPlacement q;
    EXPECT_TRUE(LoadSettings(store, loaded, model, &q));
    EXPECT_EQ(loaded.newCard.width, 24);
    EXPECT_EQ(loaded.colors.outline, settings.colors.outline);
    EXPECT_EQ(loaded.view.gridDisplay, 1);
    EXPECT_EQ(loaded.language, "ja");
    EXPECT_EQ(model.grid.gridWidth, 26);
    EXPECT_EQ(model.grid.gridHeight, 13);
    EXPECT_EQ(q.right, 900);
}

}  // namespace
}  // namespace pw

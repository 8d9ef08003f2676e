#pragma once
// A main window with a fresh settings file and prompts that answer from the
// test, for the commands that put the unfolded pattern and the relief out.
#include <gtest/gtest.h>

#include <QAction>
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/MainFrame.h"
#include "app/QtSettingsStore.h"
#include "edit/EditedCard.h"
#include "model/RebuildPass.h"
#include "support/RecordingPrompts.h"

namespace pw::test {

class OutputCommandsTest : public ::testing::Test {
protected:
    OutputCommandsTest() : store(dir.filePath("settings.ini")) {}

    void SetUp() override {
        // No stored settings: a 16 by 8 card (W = 18, H = 9), a 400-pixel
        // bitmap and a pattern at half the A4 width.
        frame = std::make_unique<CMainFrame>(store, prompts);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        ASSERT_EQ(frame->Model().grid.gridWidth, 18);
        ASSERT_EQ(frame->Model().grid.gridHeight, 9);
    }

    void Trigger(int id) { frame->Action(id)->trigger(); }

    // The grid as the outputs see it.
    const CellGrid& Grid() {
        RunRebuildPass(frame->Model().grid);
        return frame->Model().grid;
    }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    static QByteArray ReadAll(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QtSettingsStore store;
    RecordingPrompts prompts;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace pw::test

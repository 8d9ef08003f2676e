// The first desktop window: the card made from the settings and the view's
// commands with their keys, enabling, check marks and texts.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <memory>

#include "app/EditController.h"
#include "app/KirikoDoc.h"
#include "app/MainFrame.h"
#include "app/SettingsStore.h"
#include "edit/EditedCard.h"
#include "support/RecordingPrompts.h"
#include "view3d/KirikoView.h"

namespace pw {
namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.SetText("Settings", "cardSize", "20:8");
        store.SetText("Settings", "soundMode", "0");
        frame = std::make_unique<CMainFrame>(store, prompts);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        frame->View()->setFocus();
    }
    QAction* Action(const char* name) {
        auto* a = frame->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(frame->View(), key, mods);
    }
    void Ctrl(Qt::Key key) {
        QTest::keyPress(frame->View(), Qt::Key_Control, Qt::ControlModifier);
        Key(key, Qt::ControlModifier);
        QTest::keyRelease(frame->View(), Qt::Key_Control, Qt::NoModifier);
    }

    MemorySettingsStore store;
    test::RecordingPrompts prompts;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(MainFrameTest, FirstCardComesFromTheSettings) {
    EXPECT_EQ(frame->Settings().newCard.width, 20);
    EXPECT_EQ(frame->Model().grid.gridWidth, 22);
    EXPECT_EQ(frame->Model().grid.gridHeight, 9);
    EXPECT_TRUE(frame->Model().history.Steps().empty());
}

TEST_F(MainFrameTest, TheWelcomeGreetsAFreshStartButNotACardWithChanges) {
    frame->OfferWelcome();
    ASSERT_EQ(prompts.dialogTitles.size(), 1);
    Key(Qt::Key_Space);  // changed, as a card recovered at start is
    ASSERT_TRUE(frame->Doc().IsModified());
    frame->OfferWelcome();
    EXPECT_EQ(prompts.dialogTitles.size(), 1);
}

TEST_F(MainFrameTest, CursorSizeKeysFollowTheirEnabling) {
    EditState& e = frame->Model().edit;
    EXPECT_FALSE(Action("cursorSmaller")->isEnabled());
    Ctrl(Qt::Key_L);
    Ctrl(Qt::Key_L);
    EXPECT_EQ(e.cursorSize, 4);
    // 8 does not fit a card of extent 9: Larger is off and its key does nothing.
    EXPECT_FALSE(Action("cursorLarger")->isEnabled());
    Ctrl(Qt::Key_L);
    Action("cursorLarger")->trigger();
    EXPECT_EQ(e.cursorSize, 4);
    EXPECT_TRUE(Action("cursorSmaller")->isEnabled());
    Ctrl(Qt::Key_K);
    EXPECT_EQ(e.cursorSize, 2);
    EXPECT_TRUE(Action("cursorLarger")->isEnabled());
}

TEST_F(MainFrameTest, UndoFromBothKeysAndOnlyWhileThereIsHistory) {
    EditedCard& m = frame->Model();
    EXPECT_FALSE(Action("editUndo")->isEnabled());
    Key(Qt::Key_Space);
    Key(Qt::Key_Space);
    Key(Qt::Key_Space);
    EXPECT_TRUE(Action("editUndo")->isEnabled());
    Ctrl(Qt::Key_Z);
    EXPECT_EQ(m.grid.HeightAt(1, 1), 2);
    Key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(m.grid.HeightAt(1, 1), 1);
    Ctrl(Qt::Key_Z);
    EXPECT_EQ(m.grid.HeightAt(1, 1), 0);
    EXPECT_FALSE(Action("editUndo")->isEnabled());
    Ctrl(Qt::Key_Z);  // disabled: nothing at all
    EXPECT_EQ(m.grid.HeightAt(1, 1), 0);
    EXPECT_TRUE(m.history.Steps().empty());
}

TEST_F(MainFrameTest, SwitchesShowTheirStateInTextsAndCheckMarks) {
    EditState& e = frame->Model().edit;
    QAction* hide = Action("hideCursor");
    EXPECT_EQ(hide->text(), QStringLiteral("Hide"));
    hide->trigger();
    EXPECT_FALSE(e.cursorVisible);
    EXPECT_EQ(hide->text(), QStringLiteral("Show"));
    hide->trigger();
    EXPECT_EQ(hide->text(), QStringLiteral("Hide"));

    EXPECT_FALSE(Action("checkInvalidFigure")->isChecked());  // off at start
    Action("checkInvalidFigure")->trigger();
    EXPECT_TRUE(e.checkInvalidFigure);
    EXPECT_TRUE(Action("checkInvalidFigure")->isChecked());
    Action("mirrorMode")->trigger();
    EXPECT_TRUE(e.mirrorMode);
    EXPECT_TRUE(Action("mirrorMode")->isChecked());

    EXPECT_TRUE(Action("editHorizontal")->isChecked());
    Action("editVertical")->trigger();
    EXPECT_EQ(e.editPlane, 1);
    EXPECT_TRUE(Action("editVertical")->isChecked());
    EXPECT_FALSE(Action("editHorizontal")->isChecked());
    Action("editVertical")->trigger();  // a second press keeps the plane
    EXPECT_EQ(e.editPlane, 1);
    EXPECT_TRUE(Action("editVertical")->isChecked());
    Ctrl(Qt::Key_Space);  // the keyboard toggle shows on the buttons too
    EXPECT_EQ(e.editPlane, 0);
    EXPECT_TRUE(Action("editHorizontal")->isChecked());

    frame->Editor()->OnCursorLarger();
    Action("homePosition")->trigger();
    EXPECT_EQ(e.cursorSize, 2);  // Home moves the camera only
}

}  // namespace
}  // namespace pw

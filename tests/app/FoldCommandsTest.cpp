// The fold in the main window: the toolbar's slider, the step keys, Open and
// Close card animating on a timer while input goes on, editing that brings
// the card back open, and the closing check with its status pane.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include "app/CommandTable.h"
#include "app/EditController.h"
#include "app/MainFrame.h"
#include "app/QtSettingsStore.h"
#include "edit/EditedCard.h"
#include "support/CardBuilder.h"
#include "support/RecordingPrompts.h"
#include "view3d/KirikoView.h"

namespace pw {
namespace {

class FoldCommandsTest : public ::testing::Test {
protected:
    FoldCommandsTest() : store(dir.filePath("settings.ini")) {}

    std::unique_ptr<CMainFrame> MakeFrame() {
        auto frame = std::make_unique<CMainFrame>(store, prompts);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        frame->View()->setFocus();
        return frame;
    }
    static void Settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            QTest::qWait(5);
        }
    }

    QTemporaryDir dir;
    QtSettingsStore store;
    test::RecordingPrompts prompts;
};

TEST_F(FoldCommandsTest, SliderAndStepKeysFoldTheCardAndFollowEachOther) {
    auto frame = MakeFrame();
    CKirikoView* view = frame->View();
    QSlider* slider = frame->FoldSlider();
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 180);
    EXPECT_EQ(slider->value(), 90);
    EXPECT_EQ(view->FoldAngle(), 90.0);
    auto* label = frame->findChild<QLabel*>(QStringLiteral("foldAngleLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("90\u00B0"));

    slider->setValue(40);
    EXPECT_EQ(view->FoldAngle(), 40.0);
    EXPECT_EQ(label->text(), QStringLiteral("40\u00B0"));
    // The steps land on multiples of 15, so they find 90 again.
    QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_EQ(view->FoldAngle(), 45.0);
    EXPECT_EQ(slider->value(), 45);
    QTest::keyClick(view, Qt::Key_PageUp);
    QTest::keyClick(view, Qt::Key_PageUp);
    QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_EQ(view->FoldAngle(), 90.0);
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(view->FoldAngle(), 75.0);
    // Held within 0 .. 180.
    for (int i = 0; i < 20; ++i) QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_EQ(view->FoldAngle(), 180.0);
    for (int i = 0; i < 20; ++i) QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(view->FoldAngle(), 0.0);
    EXPECT_EQ(slider->value(), 0);
    // The keyboard stays with the view.
    EXPECT_EQ(slider->focusPolicy(), Qt::NoFocus);
}

TEST_F(FoldCommandsTest, OpenAndCloseCardAnimateOnATimerWithoutBlockingInput) {
    auto frame = MakeFrame();
    CKirikoView* view = frame->View();
    frame->Action(ID_CLOSE_CARD)->trigger();
    EXPECT_TRUE(frame->Editor()->FoldAnimating());
    EXPECT_EQ(view->FoldAngle(), 90.0);  // nothing jumps: the timer moves it
    // Input goes on meanwhile: the cursor moves (the card opens for it).
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(frame->Model().edit.cursor.column, 2);
    EXPECT_FALSE(frame->Editor()->FoldAnimating());
    EXPECT_EQ(view->FoldAngle(), 90.0);

    frame->Action(ID_CLOSE_CARD)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(view->FoldAngle(), 0.0, 10000);
    EXPECT_FALSE(frame->Editor()->FoldAnimating());
    EXPECT_EQ(frame->FoldSlider()->value(), 0);
    frame->Action(ID_OPEN_CARD)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(view->FoldAngle(), 90.0, 10000);
    EXPECT_EQ(frame->FoldSlider()->value(), 90);
    // A command to where the card already is does nothing.
    frame->Action(ID_OPEN_CARD)->trigger();
    EXPECT_FALSE(frame->Editor()->FoldAnimating());
}

TEST_F(FoldCommandsTest, EditKeysAndUndoBringTheCardBackOpenFirst) {
    auto frame = MakeFrame();
    CKirikoView* view = frame->View();
    EditedCard& card = frame->Model();
    frame->Editor()->SetFoldAngle(45);
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(view->FoldAngle(), 90.0);
    EXPECT_EQ(card.grid.HeightAt(1, 1), 1);
    frame->Editor()->SetFoldAngle(120);
    frame->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(view->FoldAngle(), 90.0);
    EXPECT_EQ(card.grid.HeightAt(1, 1), 0);
    // Keys that are no edit (Ctrl alone) leave the fold as it is.
    frame->Editor()->SetFoldAngle(30);
    QTest::keyPress(view, Qt::Key_Control);
    QTest::keyRelease(view, Qt::Key_Control);
    EXPECT_EQ(view->FoldAngle(), 30.0);
}

TEST_F(FoldCommandsTest, ClosingCheckHasACheckMarkAndTellsTheStatusBar) {
    auto frame = MakeFrame();
    QAction* check = frame->Action(ID_CHECK_CLOSING);
    EXPECT_TRUE(check->isCheckable());
    EXPECT_FALSE(check->isChecked());
    QLabel* pane = frame->ClosingPane();
    EXPECT_FALSE(pane->isVisible());

    check->trigger();
    EXPECT_TRUE(check->isChecked());
    EXPECT_TRUE(frame->Model().edit.checkClosing);
    QTRY_COMPARE(pane->text(), QStringLiteral("The card closes inside its cover."));
    EXPECT_TRUE(pane->isVisible());

    // A box too big for the closed card: 6 deep and 6 high on sheets of 8.
    CellGrid& g = frame->Model().grid;
    for (int x = 3; x <= 5; ++x) test::AddBox(g, x, 6, 6);
    test::AddBox(g, 9, 5, 5);
    frame->View()->update();
    QTRY_COMPARE(pane->text(), QStringLiteral("Sticks out of the closed card by 4 cells in columns 3-5, 9."));

    check->trigger();
    EXPECT_FALSE(check->isChecked());
    QTRY_VERIFY(!pane->isVisible());
}

TEST_F(FoldCommandsTest, TheFoldAngleIsNeverStored) {
    {
        auto frame = MakeFrame();
        frame->Editor()->SetFoldAngle(30);
        frame->close();
    }
    auto frame = MakeFrame();
    EXPECT_EQ(frame->View()->FoldAngle(), 90.0);
    EXPECT_EQ(frame->FoldSlider()->value(), 90);
}

}  // namespace
}  // namespace pw

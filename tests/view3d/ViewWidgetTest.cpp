// The 3D view as a window: real key and mouse events, the redraw requests,
// the GL projection and a framebuffer grab of the drawn card.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QImage>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <memory>

#include "app/EditController.h"
#include "edit/EditedCard.h"
#include "model/CellFlags.h"
#include "model/AppSettings.h"
#include "support/RecordingSound.h"
#include "view3d/FoldMap.h"
#include "view3d/KirikoView.h"

namespace pw {
namespace {

class ViewWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.NewCard(18, 9);
        view = std::make_unique<CKirikoView>(model, settings);
        editor = std::make_unique<EditController>(model, settings, &sound, *view);
        view->resize(400, 300);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        Settle();
    }
    // Lets queued paints happen.
    static void Settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            QTest::qWait(5);
        }
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(view.get(), key, mods);
    }
    // A key event as the window system sends it for a held key.
    void SendKey(QEvent::Type type, Qt::Key key, bool autoRepeat, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent e(type, key, mods, key == Qt::Key_Space ? QStringLiteral(" ") : QString(), autoRepeat);
        QCoreApplication::sendEvent(view.get(), &e);
    }
    const EditCursor& Cursor() const { return model.edit.cursor; }

    EditedCard model;
    AppSettings settings;
    test::RecordingSound sound;
    std::unique_ptr<CKirikoView> view;
    std::unique_ptr<EditController> editor;  // the keys and clicks the view hands on
};

TEST_F(ViewWidgetTest, ArrowsMoveTheCursorOnTheCurrentPlane) {
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(Cursor().column, 3);
    EXPECT_EQ(Cursor().row, 2);  // horizontal plane: Down comes toward the front
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(Cursor().row, 1);  // and Up stops at the back sheet
    Key(Qt::Key_Left);
    EXPECT_EQ(Cursor().column, 2);

    editor->OnEditVertical();
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(Cursor().row, 3);  // vertical plane: Up goes higher
    Key(Qt::Key_Down);
    EXPECT_EQ(Cursor().row, 2);
}

TEST_F(ViewWidgetTest, SpaceRaisesZLowersAndEachEditIsOneUndoStepWithItsSound) {
    Key(Qt::Key_Right);
    Key(Qt::Key_Space);
    Key(Qt::Key_Space);
    EXPECT_EQ(model.grid.HeightAt(2, 1), 2);
    EXPECT_EQ(model.history.Size(), 2u);
    Key(Qt::Key_Z);
    Key(Qt::Key_Z, Qt::ShiftModifier);  // Shift+Z lowers too
    EXPECT_EQ(model.grid.HeightAt(2, 1), 0);
    EXPECT_EQ(model.history.Size(), 4u);
    EXPECT_EQ(sound.played,
              (std::vector<EditSound>{EditSound::Raise, EditSound::Raise, EditSound::Lower, EditSound::Lower}));

    // The next frame rebuilds the faces of what the keys changed.
    Key(Qt::Key_Space);
    Settle();
    EXPECT_FALSE(model.grid.gridChanged);
    EXPECT_TRUE(model.grid.HasFlag(2, 1, 2, CELL_HORIZONTAL_FACE));
    EXPECT_TRUE(model.grid.HasFlag(2, 2, 1, CELL_VERTICAL_FACE));

    editor->OnEditUndo();
    Settle();
    EXPECT_EQ(model.grid.HeightAt(2, 1), 0);
    EXPECT_TRUE(model.grid.HasFlag(2, 1, 1, CELL_HORIZONTAL_FACE));
    EXPECT_EQ(model.history.Size(), 4u);
    EXPECT_EQ(sound.played.size(), 5u);  // Undo plays nothing
}

TEST_F(ViewWidgetTest, VerticalPlaneSpacePushesBackOrPullsOutWithItsSoundUnlessSoundIsOff) {
    // A box 2 deep and 2 high at column 2, then the vertical plane at height 1.
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Space);
    Key(Qt::Key_Space);
    editor->OnEditVertical();
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    ASSERT_EQ(Cursor().row, 1);
    sound.played.clear();
    Key(Qt::Key_Space);  // the box protrudes at height 1: pushed back
    Key(Qt::Key_Space);  // now flat there under the box: pulled out again
    EXPECT_EQ(sound.played, (std::vector<EditSound>{EditSound::PushBack, EditSound::PullOut}));
    EXPECT_EQ(model.history.Size(), 4u);

    // With the sound off the same keys edit alike and play nothing.
    settings.sound.on = 0;
    Key(Qt::Key_Space);
    Key(Qt::Key_Space);
    editor->OnEditHorizontal();
    Key(Qt::Key_Space);
    Key(Qt::Key_Z);
    EXPECT_EQ(model.history.Size(), 8u);
    EXPECT_EQ(sound.played.size(), 2u);
}

TEST_F(ViewWidgetTest, CtrlSpaceTogglesThePlaneWithoutEditing) {
    SendKey(QEvent::KeyPress, Qt::Key_Control, false, Qt::ControlModifier);
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(model.edit.editPlane, 1);
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(model.edit.editPlane, 0);
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(model.edit.editPlane, 1);
    SendKey(QEvent::KeyRelease, Qt::Key_Control, false);
    EXPECT_FALSE(editor->Keys().ctrlHeld);
    EXPECT_TRUE(model.history.Steps().empty());

    // Released, Space edits again: in the vertical plane it pulls out where
    // relief stands higher up; Z there only repaints.
    Key(Qt::Key_Z);
    EXPECT_TRUE(model.history.Steps().empty());
    Key(Qt::Key_Space);
    EXPECT_EQ(model.edit.editPlane, 1);
}

TEST_F(ViewWidgetTest, HeldSpaceEditsOncePerRepeatEachWithItsOwnUndoStep) {
    SendKey(QEvent::KeyPress, Qt::Key_Space, false);
    for (int i = 0; i < 3; ++i) {
        SendKey(QEvent::KeyRelease, Qt::Key_Space, true);
        SendKey(QEvent::KeyPress, Qt::Key_Space, true);
    }
    SendKey(QEvent::KeyRelease, Qt::Key_Space, false);
    EXPECT_EQ(model.grid.HeightAt(1, 1), 4);
    EXPECT_EQ(model.history.Size(), 4u);
    editor->OnEditUndo();
    EXPECT_EQ(model.grid.HeightAt(1, 1), 3);
}

TEST_F(ViewWidgetTest, EveryKeyButCtrlRepaints) {
    int frames = view->FrameCount();
    SendKey(QEvent::KeyPress, Qt::Key_Control, false, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(view->FrameCount(), frames);
    SendKey(QEvent::KeyRelease, Qt::Key_Control, false);

    Key(Qt::Key_F5);
    Settle();
    EXPECT_GT(view->FrameCount(), frames);
    frames = view->FrameCount();
    Key(Qt::Key_Left);  // at column 1 already: nothing moves, yet it repaints
    Settle();
    EXPECT_GT(view->FrameCount(), frames);
}

TEST_F(ViewWidgetTest, DisabledCommandKeysNeverReachTheEditKeys) {
    // With no command taking Ctrl+Z it arrives at the view: it must not lower.
    Key(Qt::Key_Space);
    Key(Qt::Key_Space);
    model.history.ClearHistory();
    SendKey(QEvent::KeyPress, Qt::Key_Control, false, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // Redo's second key
    Key(Qt::Key_Y, Qt::ControlModifier);
    Key(Qt::Key_L, Qt::ControlModifier);
    SendKey(QEvent::KeyRelease, Qt::Key_Control, false);
    Key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(model.grid.HeightAt(1, 1), 2);
    EXPECT_EQ(model.edit.cursorSize, 1);
}

TEST_F(ViewWidgetTest, MouseDragsTurnPanAndZoomTheCamera) {
    auto drag = [&](Qt::KeyboardModifiers mods, QPoint from, QPoint to) {
        QTest::mousePress(view.get(), Qt::LeftButton, mods, from);
        QTest::mouseMove(view.get(), to);
        QTest::mouseRelease(view.get(), Qt::LeftButton, mods, to);
    };
    drag(Qt::NoModifier, {100, 100}, {200, 100});
    EXPECT_NEAR(view->ViewCamera().angleY, 30.0, 1e-9);
    EXPECT_NEAR(view->ViewCamera().angleX, 30.0, 1e-9);
    drag(Qt::ControlModifier, {100, 100}, {200, 100});
    EXPECT_NEAR(view->ViewCamera().panX, 1.0, 1e-9);
    drag(Qt::ShiftModifier, {100, 100}, {200, 100});
    EXPECT_NEAR(view->ViewCamera().zoom, 10.0, 1e-9);
    drag(Qt::ShiftModifier | Qt::ControlModifier, {100, 100}, {200, 100});
    EXPECT_NEAR(view->ViewCamera().zoom, 20.0, 1e-9);
    EXPECT_NEAR(view->ViewCamera().panX, 1.0, 1e-9);

    // A right-button drag moves nothing and draws nothing.
    Settle();
    const int frames = view->FrameCount();
    QTest::mousePress(view.get(), Qt::RightButton, Qt::NoModifier, {100, 100});
    QTest::mouseMove(view.get(), {250, 200});
    QTest::mouseRelease(view.get(), Qt::RightButton, Qt::NoModifier, {250, 200});
    Settle();
    EXPECT_EQ(view->FrameCount(), frames);
    EXPECT_NEAR(view->ViewCamera().angleY, 30.0, 1e-9);

    // The context's projection is the camera's.
    view->makeCurrent();
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    view->doneCurrent();
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], view->ViewCamera().Projection()[i], 1e-5 * (1 + std::fabs(m[i]))) << i;

    view->OnHomePosition();
    EXPECT_DOUBLE_EQ(view->ViewCamera().angleX, 30.0);
    EXPECT_DOUBLE_EQ(view->ViewCamera().angleY, 0.0);
    EXPECT_DOUBLE_EQ(view->ViewCamera().zoom, 0.0);
    EXPECT_DOUBLE_EQ(view->ViewCamera().panX, 0.0);
}

// Where a model point lands in the view, in its client pixels.
QPoint ClientPixelOf(const CKirikoView& v, double x, double y, double z) {
    const Matrix4& m = v.ViewCamera().Projection();
    double c[4];
    for (int row = 0; row < 4; ++row) c[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    return {static_cast<int>((c[0] / c[3] + 1) / 2 * v.width()), static_cast<int>((1 - c[1] / c[3]) / 2 * v.height())};
}

TEST_F(ViewWidgetTest, AClickPutsTheCursorOnTheFaceUnderThePointer) {
    // A box at column 5, depths 1-3, heights 1-4, drawn once so its faces exist.
    model.edit.cursor = {5, 1};
    for (int i = 0; i < 3; ++i) Key(Qt::Key_Down);
    for (int i = 0; i < 4; ++i) Key(Qt::Key_Space);
    Settle();
    ASSERT_FALSE(model.grid.gridChanged);
    editor->OnCursorLarger();  // size 2: the click snaps as the arrows would
    QSignalSpy states(editor.get(), &EditController::CommandStateChanged);

    // The floor in front of the box, at column 12, depth 6: top surfaces.
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, ClientPixelOf(*view, 12.5, 6.5, 1));
    EXPECT_EQ(model.edit.editPlane, 0);
    EXPECT_EQ(Cursor().column, 11);
    EXPECT_EQ(Cursor().row, 5);
    EXPECT_EQ(states.count(), 1);

    // The box's front at depth 4, height 3: the front surfaces.
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, ClientPixelOf(*view, 5.5, 4, 3.5));
    EXPECT_EQ(model.edit.editPlane, 1);
    EXPECT_EQ(Cursor().column, 5);
    EXPECT_EQ(Cursor().row, 3);

    // After a turn the click still finds the face under the pointer: the box's top.
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {200, 150});
    QTest::mouseMove(view.get(), {140, 190});
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, {140, 190});
    EXPECT_EQ(model.edit.editPlane, 1);  // a drag is no click
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, ClientPixelOf(*view, 5.5, 1.5, 5));
    EXPECT_EQ(model.edit.editPlane, 0);
    EXPECT_EQ(Cursor().column, 5);
    EXPECT_EQ(Cursor().row, 1);

    // The background: nothing changes.
    const int emitted = states.count();
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, {2, 2});
    EXPECT_EQ(Cursor().column, 5);
    EXPECT_EQ(Cursor().row, 1);
    EXPECT_EQ(states.count(), emitted);
    EXPECT_EQ(model.history.Size(), 4u);  // clicks never edit
}

TEST_F(ViewWidgetTest, AClickOnTheFoldedCardFindsTheFaceWhereItIsDrawnAndOpensTheCard) {
    // A box at column 5, depths 1-3, heights 1-4.
    model.edit.cursor = {5, 1};
    for (int i = 0; i < 3; ++i) Key(Qt::Key_Down);
    for (int i = 0; i < 4; ++i) Key(Qt::Key_Space);
    Settle();
    // At 60 degrees the box's top (height 5, depth 1.5) is drawn where the
    // fold takes it.
    editor->SetFoldAngle(60);
    const Vertex top = Transform(FoldMatrix(60), {5.5, 1.5, 5});
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, ClientPixelOf(*view, top.x, top.y, top.z));
    EXPECT_EQ(view->FoldAngle(), 90.0);
    EXPECT_EQ(model.edit.editPlane, 0);
    EXPECT_EQ(Cursor().column, 5);
    EXPECT_EQ(Cursor().row, 1);
    // Closed, faces lie on each other: a click puts the cursor nowhere.
    editor->SetFoldAngle(0);
    const Vertex floor = Transform(FoldMatrix(0), {12.5, 6.5, 1});
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, ClientPixelOf(*view, floor.x, floor.y, floor.z));
    EXPECT_EQ(view->FoldAngle(), 0.0);
    EXPECT_EQ(Cursor().column, 5);
}

TEST_F(ViewWidgetTest, TheWheelZoomsAndSetsUpTheProjection) {
    auto wheel = [&](int delta) {
        const QPointF at(200, 150);
        QWheelEvent e(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view.get(), &e);
    };
    const Matrix4 before = view->ViewCamera().Projection();
    wheel(120);
    EXPECT_NEAR(view->ViewCamera().zoom, 2.0, 1e-9);
    EXPECT_NE(view->ViewCamera().Projection(), before);
    wheel(-240);
    EXPECT_NEAR(view->ViewCamera().zoom, -2.0, 1e-9);
    view->makeCurrent();
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    view->doneCurrent();
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], view->ViewCamera().Projection()[i], 1e-5 * (1 + std::fabs(m[i]))) << i;
}

TEST_F(ViewWidgetTest, ViewCommandsSignalTheirStateAndAZeroWidthViewKeepsItsCamera) {
    QSignalSpy spy(editor.get(), &EditController::CommandStateChanged);
    editor->OnCursorLarger();
    EXPECT_EQ(model.edit.cursorSize, 2);
    editor->OnHideCursor();
    EXPECT_FALSE(model.edit.cursorVisible);
    editor->OnMirrorMode();
    EXPECT_TRUE(model.edit.mirrorMode);
    editor->OnCheckInvalidFigure();
    EXPECT_TRUE(model.edit.checkInvalidFigure);
    EXPECT_TRUE(model.grid.gridChanged);
    EXPECT_EQ(spy.count(), 4);

    const Matrix4 before = view->ViewCamera().Projection();
    view->resize(0, 300);
    Settle();
    view->SetupCamera();
    view->OnHomePosition();
    EXPECT_EQ(view->ViewCamera().Projection(), before);
    view->resize(400, 300);
    Settle();
}

// Where a model point lands in the grabbed image.
QPoint PixelOf(const CKirikoView& v, const QImage& img, double x, double y, double z) {
    const Matrix4& m = v.ViewCamera().Projection();
    double c[4];
    for (int row = 0; row < 4; ++row) c[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    const double nx = c[0] / c[3], ny = c[1] / c[3];
    return {static_cast<int>((nx + 1) / 2 * img.width()), static_cast<int>((1 - ny) / 2 * img.height())};
}

void ExpectColour(const QImage& img, QPoint p, int r, int g, int b, const char* what) {
    ASSERT_TRUE(img.rect().contains(p)) << what;
    const QColor c = img.pixelColor(p);
    EXPECT_NEAR(c.red(), r, 3) << what;
    EXPECT_NEAR(c.green(), g, 3) << what;
    EXPECT_NEAR(c.blue(), b, 3) << what;
}

TEST_F(ViewWidgetTest, GrabbedFrameShowsBackgroundFacesAndCursorsWhereTheyBelong) {
    editor->OnCursorLarger();  // a 2x2 cursor at (1, 1)
    editor->OnMirrorMode();
    const QImage img = view->grabFramebuffer();
    ASSERT_FALSE(img.isNull());
    ExpectColour(img, {3, 3}, 179, 179, 255, "background");
    ExpectColour(img, PixelOf(*view, img, 9.5, 1, 6.5), 219, 221, 204, "back sheet");
    ExpectColour(img, PixelOf(*view, img, 9.5, 6.5, 1), 245, 248, 255, "floor sheet");
    ExpectColour(img, PixelOf(*view, img, 2, 2, 1.02), 128, 255, 128, "cursor");
    ExpectColour(img, PixelOf(*view, img, 16, 2, 1.02), 204, 204, 255, "mirrored cursor");

    // A new background colour shows at the next frame.
    settings.colors.background = RgbColor(10, 200, 30);
    const QImage next = view->grabFramebuffer();
    ExpectColour(next, {3, 3}, 10, 200, 30, "new background");
}

}  // namespace
}  // namespace pw

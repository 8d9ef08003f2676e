// The batch path draws the picture of the old immediate path pixel for
// pixel: cards of every kind, grid display on and off, the validity
// highlight, the cursor and its mirror, seen from several cameras, grabbed
// from a real OpenGL framebuffer. The reference is the old frame (every cell
// walked, every primitive sent alone in immediate mode), kept in the test
// support.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QImage>
#include <QOpenGLWidget>
#include <QTest>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "edit/EditOperations.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "support/CardBuilder.h"
#include "support/ImmediateGlSink.h"
#include "support/ReferenceFrame.h"
#include "view3d/Camera.h"
#include "view3d/CardRenderer.h"
#include "view3d/GlRenderSink.h"
#include "view3d/KirikoView.h"

namespace pw {
namespace {

// Draws whatever it is given under the camera that a view of its size would
// have for the card.
class FrameWidget : public QOpenGLWidget {
public:
    std::function<void()> draw;
    Camera camera;
    int gridWidth = 18;

protected:
    void paintGL() override {
        camera.SetClientSize(width(), height());
        camera.Setup(gridWidth);
        glViewport(0, 0, width(), height());
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixd(camera.Projection().data());
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glMatrixMode(GL_PROJECTION);
        if (draw) draw();
    }
};

// "" when the pictures agree in every pixel, else how many differ and where the first is.
std::string Difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return "sizes differ";
    long count = 0;
    QPoint first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0) first = {x, y};
    if (count == 0) return "";
    return std::to_string(count) + " pixels differ, the first at (" + std::to_string(first.x()) + ", " +
           std::to_string(first.y()) + ")";
}

struct CameraPose {
    const char* name;
    double angleX, angleY, zoom, panX;
};
const CameraPose kPoses[] = {
    {"home", 30, 0, 0, 0},
    {"turned and closer", 55, -35, 6, 0},
    {"from behind and below", -25, 150, -4, 0.1},
};

class FramePixelTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.NewCard(18, 9);
        settings.sound.on = 0;
        widget = std::make_unique<FrameWidget>();
        widget->resize(640, 480);
        widget->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
    }
    QImage Grab(const std::function<void()>& draw) {
        widget->draw = draw;
        widget->gridWidth = model.grid.gridWidth;
        return widget->grabFramebuffer();
    }
    QImage OldPath() {
        return Grab([this] {
            test::ImmediateGlSink sink;
            test::DrawReferenceFrame(model, settings, sink);
        });
    }
    QImage BatchPath() {
        return Grab([this] {
            CardRenderer renderer(model, settings);
            GlRenderSink sink;
            renderer.DrawFrame(sink);
        });
    }
    // Both paths from every camera, grid display off and on.
    void ExpectSamePictures(const std::string& card) {
        for (const CameraPose& pose : kPoses)
            for (int grid : {0, 1}) {
                widget->camera.angleX = pose.angleX;
                widget->camera.angleY = pose.angleY;
                widget->camera.zoom = pose.zoom;
                widget->camera.panX = pose.panX;
                settings.view.gridDisplay = static_cast<std::uint8_t>(grid);
                const QImage old = OldPath();
                const QImage batch = BatchPath();
                ASSERT_FALSE(old.isNull());
                EXPECT_EQ(Difference(old, batch), "") << card << ", " << pose.name << ", grid " << grid;
            }
    }

    EditedCard model;
    AppSettings settings;
    std::unique_ptr<FrameWidget> widget;
};

TEST_F(FramePixelTest, FlatCard) { ExpectSamePictures("flat card"); }

TEST_F(FramePixelTest, BoxesStepsAndEqualNeighbourColumns) {
    CellGrid& g = model.grid;
    test::AddBox(g, 3, 2, 3);
    test::AddBox(g, 4, 2, 3);  // same as column 3: one slab
    test::AddBox(g, 5, 4, 1);
    test::AddBox(g, 8, 5, 6);
    test::AddBox(g, 8, 2, 7);  // a step on the back
    test::AddBox(g, 12, 1, 7);
    ExpectSamePictures("boxes");
}

TEST_F(FramePixelTest, TunnelsUnderRelief) {
    CellGrid& g = model.grid;
    test::AddBox(g, 4, 3, 5);
    test::AddTunnel(g, 4, 2);
    test::AddBox(g, 5, 3, 5);
    test::AddTunnel(g, 5, 2);
    test::AddTunnel(g, 5, 4);
    test::AddBox(g, 10, 6, 6);
    for (int z = 1; z <= 4; ++z) test::AddTunnel(g, 10, z);  // a tunnel deeper than the box
    ExpectSamePictures("tunnels");
}

TEST_F(FramePixelTest, MirroredReliefWithTheCursorAndItsMirror) {
    EditOperations ops(model, settings, nullptr);
    model.edit.mirrorMode = true;
    model.edit.cursorSize = 2;
    ops.RaiseArea(2, 1);
    ops.RaiseArea(2, 1);
    ops.RaiseArea(5, 3);
    model.edit.editPlane = 1;
    ops.PushPullArea(2, 1);
    model.grid.cursorResetPending = false;
    model.edit.cursor = {3, 2};
    ExpectSamePictures("mirrored relief");
}

TEST_F(FramePixelTest, ValidityHighlight) {
    CellGrid& g = model.grid;
    test::AddBox(g, 5, 2, 3);
    test::AddTunnel(g, 5, 2);
    test::AddBox(g, 6, 2, 3);
    test::AddBox(g, 11, 2, 5);
    test::AddTunnel(g, 11, 2);
    test::AddTunnel(g, 11, 4);
    model.edit.checkInvalidFigure = true;
    ExpectSamePictures("validity marks");
}

TEST_F(FramePixelTest, RandomReliefOfALargeCard) {
    std::mt19937 rng(31);
    test::RandomCard(model.grid, rng, 62, 31);
    model.edit.checkInvalidFigure = true;
    ExpectSamePictures("random 60 by 30");
}

// The view's own paint is the batch path: its framebuffer is the old frame's.
TEST_F(FramePixelTest, TheViewPaintsThePictureOfTheOldFrame) {
    std::mt19937 rng(32);
    test::RandomCard(model.grid, rng, 30, 14);
    model.edit.mirrorMode = true;
    CKirikoView view(model, settings, nullptr);
    view.resize(640, 480);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    for (int grid : {0, 1}) {
        settings.view.gridDisplay = static_cast<std::uint8_t>(grid);
        const QImage painted = view.grabFramebuffer();
        widget->camera = Camera{};
        const QImage old = OldPath();
        EXPECT_EQ(Difference(old, painted), "") << "grid " << grid;
    }
}

}  // namespace
}  // namespace pw

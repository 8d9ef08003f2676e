// The software renderer against OpenGL: the same frame of the same card,
// camera, fold angle and size, drawn by both, agrees on at least 99% of the
// pixels (the rest are the odd pixel at the end of a line or on a face's
// edge, where rasterisers may differ).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QImage>
#include <QTest>
#include <memory>

#include "app/EditController.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "support/CardBuilder.h"
#include "support/RecordingSound.h"
#include "view3d/CardRenderer.h"
#include "view3d/FoldMap.h"
#include "view3d/KirikoView.h"
#include "view3d/SoftwareRenderSink.h"

namespace pw {
namespace {

class SoftwareRendererGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        card.NewCard(18, 11);
        CellGrid& g = card.grid;
        test::AddBox(g, 2, 4, 5);
        test::AddBox(g, 3, 4, 5);
        test::AddTunnel(g, 3, 2);
        test::AddBox(g, 6, 7, 3);
        test::AddTunnel(g, 6, 1);
        test::AddBox(g, 9, 2, 8);  // a tall wall
        test::AddBox(g, 12, 6, 6);
        test::AddBox(g, 13, 3, 2);
        for (int z = 5; z <= 6; ++z)  // a ledge held only at the top
            for (int y = 1; y <= 4; ++y) g.SetSolid(15, y, z, true);
        g.MarkColumnsDirty(15, 1);
        view = std::make_unique<CKirikoView>(card, settings);
        editor = std::make_unique<EditController>(card, settings, &sound, *view);
        view->resize(480, 360);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    // The share of pixels on which the two pictures agree exactly.
    double Agreement(double angle) {
        view->SetFoldAngle(angle);
        card.grid.gridChanged = true;
        view->update();
        const QImage gl = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);

        CardRenderer renderer(card, settings);
        renderer.SetFoldAngle(angle);
        SoftwareRenderSink soft(gl.width(), gl.height());
        soft.SetTransform(view->ViewCamera().Projection());  // the renderer hands over the fold
        renderer.DrawFrame(soft);

        long same = 0, card = 0;
        const QRgb background = gl.pixel(0, 0) & 0xFFFFFFu;
        for (int y = 0; y < gl.height(); ++y)
            for (int x = 0; x < gl.width(); ++x) {
                same += (gl.pixel(x, y) & 0xFFFFFFu) == (soft.Pixel(x, y) & 0xFFFFFFu);
                card += (gl.pixel(x, y) & 0xFFFFFFu) != background;
            }
        // The comparison means something only where the card fills the picture.
        EXPECT_GT(card, static_cast<long>(gl.width()) * gl.height() / 10) << "angle " << angle;
        const double share = static_cast<double>(same) / (static_cast<double>(gl.width()) * gl.height());
        std::printf("angle %g, grid %d: %.4f of %dx%d pixels agree\n", angle, settings.view.gridDisplay, share, gl.width(),
                    gl.height());
        return share;
    }

    EditedCard card;
    AppSettings settings;
    test::RecordingSound sound;
    std::unique_ptr<CKirikoView> view;
    std::unique_ptr<EditController> editor;
};

TEST_F(SoftwareRendererGlTest, OpenedCardWithOutlinesAndCursorAgrees) {
    card.edit.mirrorMode = true;
    EXPECT_GE(Agreement(90), 0.99);
}

TEST_F(SoftwareRendererGlTest, FoldLeavesTheModelViewMatrixAsItWas) {
    view->SetFoldAngle(90);
    view->grabFramebuffer();  // paints: the geometry is up to date
    auto modelView = [&](double angle) {
        view->SetFoldAngle(angle);
        view->grabFramebuffer();
        view->makeCurrent();
        Matrix4 m{};
        glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
        view->doneCurrent();
        return m;
    };
    // The fold is multiplied in for the card's geometry alone.
    EXPECT_EQ(modelView(45), IdentityMatrix());
    EXPECT_EQ(modelView(90), IdentityMatrix());
}

TEST_F(SoftwareRendererGlTest, GridDisplayAgrees) {
    settings.view.gridDisplay = 1;
    EXPECT_GE(Agreement(90), 0.99);
}

TEST_F(SoftwareRendererGlTest, FoldedCardsAgreeAtEveryAngle) {
    for (double angle : {0.0, 30.0, 45.0, 135.0, 180.0}) EXPECT_GE(Agreement(angle), 0.99) << angle;
    settings.view.gridDisplay = 1;
    EXPECT_GE(Agreement(60), 0.99);
}

TEST_F(SoftwareRendererGlTest, HighlightsOfBothChecksAgreeFromAnotherSide) {
    card.edit.checkInvalidFigure = true;
    card.edit.checkClosing = true;
    editor->OnCheckClosing();  // switches the check off again through the editor
    editor->OnCheckClosing();  // and on
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {100, 100});
    QTest::mouseMove(view.get(), {40, 160});
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, {40, 160});
    EXPECT_GE(Agreement(90), 0.99);
    EXPECT_GE(Agreement(75), 0.99);
}

}  // namespace
}  // namespace pw

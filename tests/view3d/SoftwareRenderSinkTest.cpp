// The software renderer on its own: coverage, depth test, polygon offset,
// clipping and the background, then whole frames of the card renderer with
// the fold, the cursor rule and the closing check's highlight.
#include <gtest/gtest.h>

#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "support/CardBuilder.h"
#include "view3d/CardPictures.h"
#include "view3d/CardRenderer.h"
#include "view3d/FoldMap.h"
#include "view3d/SoftwareRenderSink.h"

namespace pw {
namespace {

constexpr GlColor kRed{1, 0, 0}, kBlue{0, 0, 1}, kGrey{0.5f, 0.5f, 0.5f};

// Clip space equals model space: x and y from -1 to 1 cover the picture.
SoftwareRenderSink Cleared(int w, int h, bool transparent = false) {
    SoftwareRenderSink s(w, h);
    s.SetTransparentBackground(transparent);
    s.ClearColor(kGrey);
    s.State(GlStateOp::EnableDepthTest);
    s.State(GlStateOp::ClearDepthOne);
    s.State(GlStateOp::ClearColorAndDepth);
    return s;
}

int Count(const SoftwareRenderSink& s, std::uint32_t argb) {
    int n = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) n += s.Pixel(x, y) == argb;
    return n;
}

TEST(SoftwareRenderSinkTest, QuadCoversThePixelsWhoseCentresItHolds) {
    SoftwareRenderSink s = Cleared(8, 8);
    EXPECT_EQ(s.Pixel(0, 0), 0xFF808080u);
    // From x = -0.5 to 0.5 and y = 0 to 1: pixels 2 .. 5 wide, the top half.
    const Vertex q[4] = {{-0.5, 0, 0}, {0.5, 0, 0}, {0.5, 1, 0}, {-0.5, 1, 0}};
    s.Quad(kRed, q);
    EXPECT_EQ(Count(s, 0xFFFF0000u), 16);
    EXPECT_EQ(s.Pixel(2, 0), 0xFFFF0000u);  // row 0 is the top
    EXPECT_EQ(s.Pixel(5, 3), 0xFFFF0000u);
    EXPECT_EQ(s.Pixel(1, 0), 0xFF808080u);
    EXPECT_EQ(s.Pixel(2, 4), 0xFF808080u);
    // Two quads that share an edge cover every pixel once: none missing.
    const Vertex r[4] = {{0.5, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.5, 1, 0}};
    s.Quad(kBlue, r);
    EXPECT_EQ(Count(s, 0xFF0000FFu), 8);
    // The picture's bytes are red, green, blue, alpha, top row first.
    EXPECT_EQ(s.Rgba()[(0 * 8 + 2) * 4 + 0], 255);
    EXPECT_EQ(s.Rgba()[(0 * 8 + 2) * 4 + 3], 255);
}

TEST(SoftwareRenderSinkTest, DepthTestKeepsTheNearerFaceWhateverTheOrder) {
    SoftwareRenderSink s = Cleared(4, 4);
    const Vertex nearQuad[4] = {{-1, -1, -0.5}, {1, -1, -0.5}, {1, 1, -0.5}, {-1, 1, -0.5}};
    const Vertex farQuad[4] = {{-1, -1, 0.5}, {1, -1, 0.5}, {1, 1, 0.5}, {-1, 1, 0.5}};
    s.Quad(kRed, nearQuad);
    s.Quad(kBlue, farQuad);
    EXPECT_EQ(Count(s, 0xFFFF0000u), 16);
}

TEST(SoftwareRenderSinkTest, OutlinesWinOverTheFacesTheyLieOnOnlyWithThePolygonOffset) {
    auto frame = [](bool offset) {
        SoftwareRenderSink s = Cleared(16, 16);
        if (offset) {
            s.State(GlStateOp::EnablePolygonOffsetFill);
            s.State(GlStateOp::PolygonOffsetOneOne);
        }
        // A slanted face and a line across it in its own plane, drawn first.
        const Vertex a{-1, 0.1, -0.9}, b{1, 0.1, 0.9};
        s.Line(kBlue, a, b);
        const Vertex q[4] = {{-1, -1, -0.9}, {1, -1, 0.9}, {1, 1, 0.9}, {-1, 1, -0.9}};
        s.Quad(kRed, q);
        return Count(s, 0xFF0000FFu);
    };
    EXPECT_EQ(frame(true), 16);  // one fragment per column, all kept
    EXPECT_LT(frame(false), 16);
}

TEST(SoftwareRenderSinkTest, LinesGiveOneFragmentPerColumnOrRowAndLeaveTheirLastEndOut) {
    SoftwareRenderSink s = Cleared(10, 10);
    s.Line(kRed, {-1, 0.05, 0}, {0.6, 0.05, 0});  // x from 0 to 8 pixels
    EXPECT_EQ(Count(s, 0xFFFF0000u), 8);
    s.Line(kBlue, {0.95, -1, 0}, {0.95, 1, 0});  // the last column, top to bottom
    EXPECT_EQ(Count(s, 0xFF0000FFu), 10);
    // Reversed, the same pixels but for its ends.
    SoftwareRenderSink t = Cleared(10, 10);
    t.Line(kRed, {0.6, 0.05, 0}, {-1, 0.05, 0});
    EXPECT_EQ(Count(t, 0xFFFF0000u), 8);
}

TEST(SoftwareRenderSinkTest, NearPlaneCutsWhatComesTooCloseAndFarAwayPointsAreSafe) {
    SoftwareRenderSink s = Cleared(8, 8);
    // Half of this face lies in front of the near plane (z < -w).
    const Vertex q[4] = {{-1, -1, -2}, {1, -1, -2}, {1, 1, 0}, {-1, 1, 0}};
    s.Quad(kRed, q);
    EXPECT_EQ(Count(s, 0xFFFF0000u), 32);
    // Wildly distant corners neither crash nor wrap around.
    const Vertex huge[4] = {{-1e12, -1e12, 0}, {1e12, -1e12, 0}, {1e12, 1e12, 0}, {-1e12, 1e12, 0}};
    s.Quad(kBlue, huge);
    s.Line(kRed, {-1e15, 0, 0}, {1e15, 1e14, 0});
    EXPECT_GE(Count(s, 0xFF0000FFu), 24);  // the background half, less the line's row
}

TEST(SoftwareRenderSinkTest, TransparentBackgroundLeavesTheCardOpaque) {
    SoftwareRenderSink s = Cleared(4, 4, true);
    EXPECT_EQ(s.Pixel(0, 0) >> 24, 0u);
    const Vertex q[4] = {{-1, -1, 0}, {0, -1, 0}, {0, 1, 0}, {-1, 1, 0}};
    s.Quad(kRed, q);
    EXPECT_EQ(s.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(s.Pixel(3, 0) >> 24, 0u);
}

// Whole frames of a card through the camera.
class CardFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        card.NewCard(14, 9);
        test::AddBox(card.grid, 4, 5, 5);  // sticks out of the closed card
        test::AddBox(card.grid, 9, 2, 2);
    }
    SoftwareRenderSink Draw(double angle, int w = 160, int h = 120) {
        renderer.SetFoldAngle(angle);
        SoftwareRenderSink s(w, h);
        s.SetTransform(CameraProjection(w, h / 2, 30, 0, 0, 0, card.grid.gridWidth));  // the fold is the renderer's
        renderer.DrawFrame(s);
        return s;
    }
    static int Colour(const SoftwareRenderSink& s, const GlColor& c) {
        const std::uint32_t argb = 0xFF000000u | static_cast<std::uint32_t>(std::lround(c.r * 255)) << 16 |
                                   static_cast<std::uint32_t>(std::lround(c.g * 255)) << 8 |
                                   static_cast<std::uint32_t>(std::lround(c.b * 255));
        return Count(s, argb);
    }
    EditedCard card;
    AppSettings settings;
    CardRenderer renderer{card, settings};
};

TEST_F(CardFrameTest, CursorIsDrawnOnTheOpenedCardOnly) {
    EXPECT_GT(Colour(Draw(90), kCursorColor), 0);
    EXPECT_EQ(Colour(Draw(45), kCursorColor), 0);
    EXPECT_EQ(Colour(Draw(180), kCursorColor), 0);
    EXPECT_GT(Colour(Draw(90), kCursorColor), 0);
}

TEST_F(CardFrameTest, ClosingCheckHighlightsWhatSticksOutAndReportsIt) {
    card.edit.cursorVisible = false;
    EXPECT_EQ(Colour(Draw(90), kSticksOutColor), 0);
    card.edit.checkClosing = true;
    card.grid.gridChanged = true;
    EXPECT_GT(Colour(Draw(90), kSticksOutColor), 20);
    EXPECT_EQ(renderer.Closing().overhang, 2);
    EXPECT_EQ(ClosingStatusText(renderer.Closing()), "Sticks out of the closed card by 2 cells in column 4.");
    // Switched off, the picture is the plain one again and the report empty.
    card.edit.checkClosing = false;
    card.grid.gridChanged = true;
    EXPECT_EQ(Colour(Draw(90), kSticksOutColor), 0);
    EXPECT_TRUE(renderer.Closing().ClosesInside());
}

TEST_F(CardFrameTest, AnotherAngleDrawsTheKeptGeometryAndDerivesNothing) {
    Draw(90);
    for (double angle : {45.0, 0.0, 180.0, 90.0}) {
        Draw(angle);
        EXPECT_EQ(renderer.Geometry().LastUpdate().blocksDerived, 0) << angle;
        EXPECT_EQ(renderer.Geometry().LastUpdate().blocksRecoloured, 0) << angle;
    }
    // Switching the closing check recolours, and derives no position.
    card.edit.checkClosing = true;
    card.grid.gridChanged = true;
    Draw(90);
    EXPECT_EQ(renderer.Geometry().LastUpdate().blocksDerived, 0);
    EXPECT_GT(renderer.Geometry().LastUpdate().blocksRecoloured, 0);
}

TEST_F(CardFrameTest, PicturesOfAnAnimationAreThoseOfSinglePictures) {
    card.edit.cursorVisible = true;
    CardViewPictures pictures(card, settings, 96, 64);
    for (double angle : {0.0, 30.0, 90.0, 150.0}) {
        const CardImage one = RenderCardView(card, settings, 96, 64, angle);
        EXPECT_EQ(pictures.At(angle).rgba, one.rgba) << angle;
    }
    EXPECT_TRUE(card.edit.cursorVisible);  // drawn without it, and given back
}

TEST_F(CardFrameTest, FoldingChangesThePictureButNeverTheCard) {
    const std::vector<std::uint8_t> open = Draw(90).Rgba();
    const std::vector<std::uint8_t> before(card.grid.Data(), card.grid.Data() + card.grid.CellCount());
    const std::vector<std::uint8_t> half = Draw(45).Rgba();
    EXPECT_NE(open, half);
    EXPECT_EQ(std::vector<std::uint8_t>(card.grid.Data(), card.grid.Data() + card.grid.CellCount()), before);
    EXPECT_EQ(Draw(90).Rgba(), open);
    // Closed, the card is a flat sheet on the floor's plane: the background
    // shows above the crease where the opened back sheet stood.
    const SoftwareRenderSink closed = Draw(0);
    EXPECT_EQ(closed.Pixel(80, 10), Draw(0).Pixel(0, 0));
}

}  // namespace
}  // namespace pw

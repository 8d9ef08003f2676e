// The frame as the renderer emits it: GL state, slabs, faces, outlines, the
// grid display, the validity highlight and the cursor with its mirror.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "support/CardBuilder.h"
#include "support/RecordingSink.h"
#include "view3d/CardRenderer.h"

namespace pw {
namespace {

using test::Recorded;
using test::RecordingSink;

using Seg = std::tuple<double, double, double, double, double, double>;

Seg MakeSeg(Vertex a, Vertex b) {
    if (std::tie(b.x, b.y, b.z) < std::tie(a.x, a.y, a.z)) std::swap(a, b);
    return {a.x, a.y, a.z, b.x, b.y, b.z};
}

std::multiset<Seg> Lines(const RecordingSink& s) {
    std::multiset<Seg> out;
    for (const Recorded& r : s.OfKind(Recorded::Line)) out.insert(MakeSeg(r.v[0], r.v[1]));
    return out;
}

// Lines whose both ends lie on the boundary x, and lines running from xa to xb.
std::multiset<Seg> LinesAt(const RecordingSink& s, double x) {
    std::multiset<Seg> out;
    for (const Seg& g : Lines(s))
        if (std::get<0>(g) == x && std::get<3>(g) == x) out.insert(g);
    return out;
}
std::multiset<Seg> LinesAlong(const RecordingSink& s, double xa, double xb) {
    std::multiset<Seg> out;
    for (const Seg& g : Lines(s))
        if (std::get<0>(g) == xa && std::get<3>(g) == xb) out.insert(g);
    return out;
}

Seg Riser(double x, double y, double z) { return {x, y, z, x, y, z + 1}; }  // left edge of a vertical face
Seg Tread(double x, double y, double z) { return {x, y, z, x, y + 1, z}; }  // left edge of a horizontal face

// The quadrilateral of a vertical face of slab x0 .. x1 at depth y, height z.
bool IsVerticalQuad(const Recorded& r, double x0, double x1, double y, double z) {
    return r.v[0] == Vertex{x0, y, z} && r.v[1] == Vertex{x1, y, z} && r.v[2] == Vertex{x1, y, z + 1} &&
           r.v[3] == Vertex{x0, y, z + 1};
}
bool IsHorizontalQuad(const Recorded& r, double x0, double x1, double y, double z) {
    return r.v[0] == Vertex{x0, y, z} && r.v[1] == Vertex{x1, y, z} && r.v[2] == Vertex{x1, y + 1, z} &&
           r.v[3] == Vertex{x0, y + 1, z};
}
bool IsVerticalFaceQuad(const Recorded& r) { return r.v[0].y == r.v[2].y; }

class CardRendererTest : public ::testing::Test {
protected:
    void SetUp() override { model.NewCard(18, 9); }  // cardWidth 16, cardHeight 8
    RecordingSink Frame() {
        RecordingSink s;
        renderer.DrawFrame(s);
        return s;
    }
    std::vector<Recorded> CardQuads(const RecordingSink& s) {
        auto quads = s.OfKind(Recorded::Quad);
        if (model.edit.cursorVisible) quads.pop_back();
        if (model.edit.cursorVisible && model.edit.mirrorMode) quads.pop_back();
        return quads;
    }

    EditedCard model;
    AppSettings settings;
    CardRenderer renderer{model, settings};
};

TEST_F(CardRendererTest, FrameSetsGlStateInOrderAndOnceStateOnlyAtTheFirstFrame) {
    const std::vector<GlStateOp> frame = {
        GlStateOp::DepthFuncLequal,  GlStateOp::EnableDepthTest,     GlStateOp::ClearDepthOne,
        GlStateOp::EnableDither,     GlStateOp::DisableCullFace,     GlStateOp::ClearColorAndDepth,
        GlStateOp::DisableLighting,  GlStateOp::EnablePolygonOffsetFill, GlStateOp::PolygonOffsetOneOne,
        GlStateOp::Flush};
    std::vector<GlStateOp> first = {GlStateOp::DisableCullFace, GlStateOp::PerspectiveHintNicest};
    first.insert(first.end(), frame.begin(), frame.end());

    EXPECT_FALSE(renderer.GlStateSet());
    RecordingSink one = Frame();
    EXPECT_TRUE(renderer.GlStateSet());
    EXPECT_EQ(one.States(), first);
    EXPECT_EQ(Frame().States(), frame);

    // The clear colour is colorBack, read anew each frame; Flush is the last call.
    settings.colors.background = RgbColor(255, 0, 51);
    RecordingSink s = Frame();
    const auto clears = s.OfKind(Recorded::ClearColor);
    ASSERT_EQ(clears.size(), 1u);
    EXPECT_EQ(clears[0].color, (GlColor{1.0f, 0.0f, 51 * (1.0f / 255.0f)}));  // bytes times 1/255
    EXPECT_EQ(s.calls.back().kind, Recorded::State);
    EXPECT_EQ(s.calls.back().op, GlStateOp::Flush);
}

TEST_F(CardRendererTest, FlatCardIsOneSlabWithOutlinesAtItsEndsTheCreaseAndTheFarEdges) {
    const RecordingSink s = Frame();
    const double W = 18, H = 9;

    std::multiset<Seg> expected;
    for (int z = 1; z <= 8; ++z) {
        expected.insert(Riser(1, 1, z));
        expected.insert(Riser(W - 1, 1, z));
    }
    for (int n = 1; n <= 8; ++n) {
        expected.insert(Tread(1, n, 1));
        expected.insert(Tread(W - 1, n, 1));
    }
    expected.insert({1, 1, 1, W - 1, 1, 1});  // the crease, by both edge passes
    expected.insert({1, 1, 1, W - 1, 1, 1});
    expected.insert({1, 1, H, W - 1, 1, H});  // top of the back sheet
    expected.insert({1, H, 1, W - 1, H, 1});  // front of the floor sheet
    EXPECT_EQ(Lines(s), expected);
    for (const Recorded& r : s.OfKind(Recorded::Line)) EXPECT_EQ(r.color, ToGlColor(settings.colors.outline));
    EXPECT_TRUE(s.OfKind(Recorded::LineLoop).empty());

    const auto quads = CardQuads(s);
    ASSERT_EQ(quads.size(), 16u);
    for (int z = 1; z <= 8; ++z) {
        EXPECT_TRUE(IsVerticalQuad(quads[z - 1], 1, W - 1, 1, z)) << z;
        EXPECT_EQ(quads[z - 1].color, ToGlColor(settings.colors.verticalFace));
    }
    for (int n = 1; n <= 8; ++n) {
        EXPECT_TRUE(IsHorizontalQuad(quads[8 + n - 1], 1, W - 1, n, 1)) << n;
        EXPECT_EQ(quads[8 + n - 1].color, ToGlColor(settings.colors.horizontalFace));
    }

    // The far edges come after every slab, the cursor last of all.
    const auto& c = s.calls;
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(c[c.size() - 2].kind, Recorded::Quad);
    EXPECT_EQ(c[c.size() - 2].color, kCursorColor);
    EXPECT_EQ(MakeSeg(c[c.size() - 3].v[0], c[c.size() - 3].v[1]), (Seg{1, H, 1, W - 1, H, 1}));
    EXPECT_EQ(MakeSeg(c[c.size() - 4].v[0], c[c.size() - 4].v[1]), (Seg{1, 1, H, W - 1, 1, H}));
}

TEST_F(CardRendererTest, GridDisplayRulesEveryCellAndDrawsNoSeparateLines) {
    settings.view.gridDisplay = 1;
    const RecordingSink s = Frame();
    EXPECT_TRUE(s.OfKind(Recorded::Line).empty());

    // Every face quad is at once followed by its outline in colorEdge.
    int quads = 0;
    for (std::size_t i = 0; i < s.calls.size(); ++i) {
        const Recorded& q = s.calls[i];
        if (q.kind != Recorded::Quad || q.color == kCursorColor) continue;
        ++quads;
        ASSERT_LT(i + 1, s.calls.size());
        const Recorded& loop = s.calls[i + 1];
        ASSERT_EQ(loop.kind, Recorded::LineLoop);
        EXPECT_EQ(loop.color, ToGlColor(settings.colors.outline));
        for (int k = 0; k < 4; ++k) EXPECT_EQ(loop.v[k], q.v[k]);
        EXPECT_EQ(q.v[1].x - q.v[0].x, 1.0);  // one column wide
    }
    EXPECT_EQ(quads, 16 * 8 * 2);
    EXPECT_EQ(s.OfKind(Recorded::LineLoop).size(), 16u * 8 * 2);
    EXPECT_EQ(s.OfKind(Recorded::Quad).back().color, kCursorColor);

    // Switching the display back needs no recompute.
    settings.view.gridDisplay = 0;
    EXPECT_EQ(CardQuads(Frame()).size(), 16u);
}

TEST_F(CardRendererTest, BoxColumnBetweenFlatNeighboursIsASlabWithEdgesWhereFacesDiffer) {
    test::AddBox(model.grid, 5, 2, 3);
    const RecordingSink s = Frame();

    const std::multiset<Seg> left = {Riser(5, 3, 1),  Riser(5, 3, 2), Riser(5, 3, 3),   // the box's riser
                                     Tread(5, 1, 4),  Tread(5, 2, 4),                   // its top
                                     Riser(5, 1, 1),  Riser(5, 1, 2), Riser(5, 1, 3),   // back sheet it replaces
                                     Tread(5, 1, 1),  Tread(5, 2, 1)};                  // floor sheet it covers
    EXPECT_EQ(LinesAt(s, 5), left);
    const std::multiset<Seg> along = {{5, 3, 1, 6, 3, 1}, {5, 3, 1, 6, 3, 1}, {5, 3, 4, 6, 3, 4},
                                      {5, 3, 4, 6, 3, 4}, {5, 1, 4, 6, 1, 4}, {5, 1, 4, 6, 1, 4}};
    EXPECT_EQ(LinesAlong(s, 5, 6), along);

    // Column 6 is flat again and starts the slab 6 .. 16, bounded by the same edges.
    std::multiset<Seg> right;
    for (Seg g : left) {
        std::get<0>(g) = std::get<3>(g) = 6;
        right.insert(g);
    }
    EXPECT_EQ(LinesAt(s, 6), right);
    EXPECT_EQ(LinesAlong(s, 6, 17), (std::multiset<Seg>{{6, 1, 1, 17, 1, 1}, {6, 1, 1, 17, 1, 1}}));
    EXPECT_EQ(LinesAlong(s, 1, 5), (std::multiset<Seg>{{1, 1, 1, 5, 1, 1}, {1, 1, 1, 5, 1, 1}}));

    // The slabs 1 .. 4, 5 and 6 .. 16 are all that carry faces.
    std::set<std::pair<double, double>> spans;
    for (const Recorded& q : CardQuads(s)) spans.insert({q.v[0].x, q.v[1].x});
    EXPECT_EQ(spans, (std::set<std::pair<double, double>>{{1, 5}, {5, 6}, {6, 17}}));
    int boxQuads = 0;
    for (const Recorded& q : CardQuads(s)) boxQuads += q.v[0].x == 5 ? 1 : 0;
    EXPECT_EQ(boxQuads, 2 * 8);  // every column's strip has 2 (H-1) faces
}

TEST_F(CardRendererTest, EqualNeighbourColumnsMergeAndASlabBreaksOnlyWhereTheReliefChanges) {
    test::AddBox(model.grid, 5, 2, 3);
    test::AddBox(model.grid, 6, 2, 3);
    test::AddBox(model.grid, 7, 3, 3);  // deeper: breaks the slab
    const RecordingSink s = Frame();

    EXPECT_TRUE(LinesAt(s, 6).empty());  // nothing between merged columns
    std::set<std::pair<double, double>> spans;
    for (const Recorded& q : CardQuads(s)) spans.insert({q.v[0].x, q.v[1].x});
    EXPECT_EQ(spans, (std::set<std::pair<double, double>>{{1, 5}, {5, 7}, {7, 8}, {8, 17}}));

    // At x = 7 only what differs: the riser moves from depth 3 to 4 and the
    // top gains depth 3; the back sheet and the box's height agree.
    const std::multiset<Seg> at7 = {Riser(7, 3, 1), Riser(7, 3, 2), Riser(7, 3, 3), Riser(7, 4, 1),
                                    Riser(7, 4, 2), Riser(7, 4, 3), Tread(7, 3, 4), Tread(7, 3, 1)};
    EXPECT_EQ(LinesAt(s, 7), at7);
}

TEST_F(CardRendererTest, ValidityHighlightColoursFacesWithExactlyOneMark) {
    CellGrid& g = model.grid;
    test::AddBox(g, 5, 2, 3);  // tunnel at height 2: riser parts at 1 and 3 are cut apart
    test::AddTunnel(g, 5, 2);
    test::AddBox(g, 8, 2, 3);  // a whole riser: both marks
    test::AddBox(g, 11, 2, 5);  // tunnels at 2 and 4: the middle part has neither mark
    test::AddTunnel(g, 11, 2);
    test::AddTunnel(g, 11, 4);
    model.edit.checkInvalidFigure = true;
    const RecordingSink s = Frame();

    const GlColor paper0 = ToGlColor(settings.colors.verticalFace);
    auto colourAt = [&](double x, double y, double z) {
        for (const Recorded& q : CardQuads(s))
            if (IsVerticalFaceQuad(q) && q.v[0] == Vertex{x, y, z}) return q.color;
        ADD_FAILURE() << "no vertical face at " << x << ", " << y << ", " << z;
        return GlColor{};
    };
    EXPECT_EQ(colourAt(5, 3, 1), kInvalidFaceColor);  // on the floor, under another face
    EXPECT_EQ(colourAt(5, 3, 3), kInvalidFaceColor);  // hangs from the top
    for (int z = 1; z <= 3; ++z) EXPECT_EQ(colourAt(8, 3, z), paper0);
    EXPECT_EQ(colourAt(11, 3, 1), kInvalidFaceColor);
    EXPECT_EQ(colourAt(11, 3, 3), paper0);
    EXPECT_EQ(colourAt(11, 3, 5), kInvalidFaceColor);
    EXPECT_EQ(colourAt(5, 1, 4), paper0);  // the back sheet is never checked
    for (const Recorded& q : CardQuads(s)) {
        if (!IsVerticalFaceQuad(q)) {
            EXPECT_EQ(q.color, ToGlColor(settings.colors.horizontalFace));
        }
    }

    // Without the check the same card has no marks and no highlight.
    EditedCard fresh;
    fresh.NewCard(18, 9);
    test::AddBox(fresh.grid, 5, 2, 3);
    test::AddTunnel(fresh.grid, 5, 2);
    CardRenderer plain(fresh, settings);
    RecordingSink t;
    plain.DrawFrame(t);
    for (const Recorded& q : t.OfKind(Recorded::Quad)) EXPECT_NE(q.color, kInvalidFaceColor);
}

TEST_F(CardRendererTest, RebuildPassRunsOnceAfterAChangeAndTheCheckOnlyWhenSwitchedOn) {
    Frame();
    EXPECT_FALSE(model.grid.gridChanged);
    for (int x = 1; x <= 16; ++x) EXPECT_FALSE(model.grid.IsColumnDirty(x));

    // A change of solid cells reaches the screen at the next frame.
    test::AddBox(model.grid, 3, 1, 2);
    bool found = false;
    for (const Recorded& q : Frame().OfKind(Recorded::Quad))
        found |= IsHorizontalQuad(q, 3, 4, 1, 3);
    EXPECT_TRUE(found);

    // The marks come with the check and go with it.
    model.edit.checkInvalidFigure = true;
    model.grid.gridChanged = true;  // as switching the check does
    Frame();
    ASSERT_NE(renderer.Sheet().Anchoring(), nullptr);
    EXPECT_EQ(renderer.Sheet().Anchoring()->MarksAt(3, 2, 1), 3);  // the riser (3, 2, 1..2) got both
    EXPECT_EQ(renderer.Sheet().Anchoring()->MarksAt(3, 2, 2), 3);
    model.edit.checkInvalidFigure = false;
    model.grid.gridChanged = true;
    Frame();
    EXPECT_EQ(renderer.Sheet().Anchoring(), nullptr);
}

// A sink that takes the geometry whole, as the OpenGL view's does.
class BatchSink : public RecordingSink {
public:
    void DrawGeometry(const CardGeometry& geometry, const Matrix4& model) override {
        ++batches;
        last = &geometry;
        identity = model == IdentityMatrix();
    }
    int batches = 0;
    const CardGeometry* last = nullptr;
    bool identity = false;
};

TEST_F(CardRendererTest, TheCardReachesABatchSinkAsItsKeptGeometryOnceAFrameAndTheCursorAsAQuad) {
    test::AddBox(model.grid, 5, 2, 3);
    BatchSink s;
    renderer.DrawFrame(s);
    renderer.DrawFrame(s);
    EXPECT_EQ(s.batches, 2);
    EXPECT_EQ(s.last, &renderer.Geometry());  // the same object every frame
    EXPECT_TRUE(s.identity);                  // the card opened at a right angle
    EXPECT_EQ(renderer.Geometry().LastUpdate().blocksDerived, 0);
    // Nothing of the card came as single calls: only the cursor did.
    const auto quads = s.OfKind(Recorded::Quad);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].color, kCursorColor);
    EXPECT_TRUE(s.OfKind(Recorded::Line).empty());
    EXPECT_EQ(s.calls.back().op, GlStateOp::Flush);
}

class CursorTest : public CardRendererTest {
protected:
    std::vector<Recorded> CursorQuads() {
        RecordingSink s;
        renderer.DrawCursor(s);
        return s.OfKind(Recorded::Quad);
    }
    static void ExpectQuad(const Recorded& r, const GlColor& c, Vertex a, Vertex b, Vertex d, Vertex e) {
        EXPECT_EQ(r.color, c);
        const Vertex want[4] = {a, b, d, e};
        for (int k = 0; k < 4; ++k) {
            EXPECT_DOUBLE_EQ(r.v[k].x, want[k].x) << k;
            EXPECT_DOUBLE_EQ(r.v[k].y, want[k].y) << k;
            EXPECT_DOUBLE_EQ(r.v[k].z, want[k].z) << k;
        }
    }
    void SetCursor(int column, int row, int size) {
        model.grid.cursorResetPending = false;
        model.edit.cursor = {column, row};
        model.edit.cursorSize = size;
    }
};

TEST_F(CursorTest, HorizontalCursorLiesOnTheHighestSolidUnderItsFootprint) {
    SetCursor(3, 3, 2);
    auto q = CursorQuads();
    ASSERT_EQ(q.size(), 1u);
    ExpectQuad(q[0], kCursorColor, {3, 3, 1.02}, {5, 3, 1.02}, {5, 5, 1.02}, {3, 5, 1.02});

    test::AddBox(model.grid, 4, 3, 2);  // covers (4, 3) of the footprint
    q = CursorQuads();
    ExpectQuad(q[0], kCursorColor, {3, 3, 3.02}, {5, 3, 3.02}, {5, 5, 3.02}, {3, 5, 3.02});
}

TEST_F(CursorTest, MirroredCursorCoversTheOppositeColumnsWithTheirOwnLift) {
    model.edit.mirrorMode = true;
    SetCursor(3, 2, 1);
    test::AddBox(model.grid, 14, 4, 5);  // W - 1 - 3 = 14
    auto q = CursorQuads();
    ASSERT_EQ(q.size(), 2u);
    ExpectQuad(q[0], kCursorColor, {3, 2, 1.02}, {4, 2, 1.02}, {4, 3, 1.02}, {3, 3, 1.02});
    ExpectQuad(q[1], kMirrorCursorColor, {15, 2, 6.02}, {14, 2, 6.02}, {14, 3, 6.02}, {15, 3, 6.02});

    SetCursor(1, 1, 4);  // footprint 1 .. 4 mirrors to 13 .. 16
    q = CursorQuads();
    ExpectQuad(q[1], kMirrorCursorColor, {17, 1, 6.02}, {13, 1, 6.02}, {13, 5, 6.02}, {17, 5, 6.02});

    model.edit.editPlane = 1;  // in front of the box's riser at depth 4
    SetCursor(3, 1, 1);
    q = CursorQuads();
    ExpectQuad(q[1], kMirrorCursorColor, {15, 5.02, 1}, {14, 5.02, 1}, {14, 5.02, 2}, {15, 5.02, 2});
}

TEST_F(CursorTest, VerticalCursorSearchesUpwardOverBareBackSheet) {
    model.edit.editPlane = 1;
    SetCursor(3, 1, 1);
    auto q = CursorQuads();
    ExpectQuad(q[0], kCursorColor, {3, 1.02, 1}, {4, 1.02, 1}, {4, 1.02, 2}, {3, 1.02, 2});

    // A block of depth 3 standing out at height 2 over a tunnel at height 1.
    test::AddBox(model.grid, 3, 3, 2);
    test::AddTunnel(model.grid, 3, 1);
    ASSERT_EQ(model.grid.MaxDepthUnder(3, 1, 1), 0);
    q = CursorQuads();
    ExpectQuad(q[0], kCursorColor, {3, 4.02, 1}, {4, 4.02, 1}, {4, 4.02, 2}, {3, 4.02, 2});

    // The search stops before the top row: relief only at height 7 is not found.
    model.NewCard(18, 9);
    SetCursor(5, 1, 1);
    test::AddBox(model.grid, 5, 2, 7);
    for (int z = 1; z <= 6; ++z) test::AddTunnel(model.grid, 5, z);
    ASSERT_EQ(model.grid.MaxDepthUnder(5, 7, 1), 2);
    q = CursorQuads();
    EXPECT_DOUBLE_EQ(q[0].v[0].y, 1.02);
    SetCursor(5, 6, 1);  // from height 6 the search does not run at all: 7 + 1 < 8 fails
    EXPECT_DOUBLE_EQ(CursorQuads()[0].v[0].y, 1.02);
}

TEST_F(CursorTest, PendingResetMovesTheCursorHomeOnlyWhenItIsDrawn) {
    model.edit.cursor = {5, 3};
    model.grid.cursorResetPending = true;
    model.edit.cursorVisible = false;
    Frame();
    EXPECT_EQ(model.edit.cursor.column, 5);
    EXPECT_TRUE(model.grid.cursorResetPending);
    for (const Recorded& q : Frame().OfKind(Recorded::Quad)) EXPECT_NE(q.color, kCursorColor);

    model.edit.cursorVisible = true;
    const auto quads = Frame().OfKind(Recorded::Quad);
    EXPECT_EQ(model.edit.cursor.column, 1);
    EXPECT_EQ(model.edit.cursor.row, 1);
    EXPECT_FALSE(model.grid.cursorResetPending);
    ExpectQuad(quads.back(), kCursorColor, {1, 1, 1.02}, {2, 1, 1.02}, {2, 2, 1.02}, {1, 2, 1.02});
}

// The buildability check's findings are ringed in their own colour on the
// paper that holds them, floor or back, while the card stands open.
TEST_F(CardRendererTest, FindingsAreRingedOnTheirPaperWhileTheCardIsOpen) {
    auto rings = [&](const RecordingSink& s) {
        std::vector<Recorded> out;
        for (const Recorded& r : s.OfKind(Recorded::Line))
            if (r.color == kFindingColor) out.push_back(r);
        return out;
    };
    EXPECT_TRUE(rings(Frame()).empty());
    // A floor point 3 cells in front of the crease and a back point 3 above it.
    renderer.SetMarkedSpots({{{5, 3}, 0.5}, {{9, -3}, 0.5}});
    const std::vector<Recorded> lines = rings(Frame());
    ASSERT_EQ(lines.size(), 48u);
    for (std::size_t k = 0; k < lines.size(); ++k)
        for (const Vertex& v : {lines[k].v[0], lines[k].v[1]}) {
            if (k < 24) {  // on the floor: y = s, lifted off z = 0 (the view counts from 1)
                EXPECT_NEAR(std::hypot(v.x - 5, v.y - 4), 0.5, 1e-9);
                EXPECT_NEAR(v.z, kCursorLift, 1e-9);
            } else {  // on the back: z = -s
                EXPECT_NEAR(std::hypot(v.x - 9, v.z - 4), 0.5, 1e-9);
                EXPECT_NEAR(v.y, kCursorLift, 1e-9);
            }
        }
    renderer.SetFoldAngle(45);
    EXPECT_TRUE(rings(Frame()).empty());
    renderer.SetFoldAngle(90);
    renderer.SetMarkedSpots({});
    EXPECT_TRUE(rings(Frame()).empty());
}

}  // namespace
}  // namespace pw

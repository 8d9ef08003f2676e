// The geometry kept between frames: replayed, it is the frame that walking
// every cell gives, call for call, after any sequence of edits, undos,
// validity checks and setting changes; and each change derives only what it
// touches.
#include <gtest/gtest.h>

#include <random>

#include "edit/EditOperations.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/KeptGridSheet.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"
#include "support/RecordingSink.h"
#include "support/ReferenceFrame.h"
#include "view3d/CardGeometry.h"
#include "view3d/CardRenderer.h"

namespace pw {
namespace {

using test::Recorded;
using test::RecordingSink;

RecordingSink Replayed(const CardGeometry& geometry, const Matrix4& model = IdentityMatrix()) {
    RecordingSink s;
    ReplayGeometry(geometry, model, s);
    return s;
}

RecordingSink Reference(const CellGrid& grid, const AppSettings& settings) {
    RecordingSink s;
    test::DrawReferenceCard(grid, settings, s);
    return s;
}

class CardGeometryTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.NewCard(18, 9);
        settings.sound.on = 0;
    }
    // One frame's work on the geometry: the rebuild pass, the sheet, then
    // the update.
    const CardGeometry::UpdateCounts& Frame() {
        RunRebuildPass(model.grid);
        sheet.Update(model.grid, model.edit.checkInvalidFigure);
        geometry.Update(model.grid, sheet, settings);
        return geometry.LastUpdate();
    }
    void ExpectSameAsReference(const std::string& when) {
        test::ReferenceMarks(model.grid, model.edit.checkInvalidFigure);
        EXPECT_EQ(test::FirstDifference(Replayed(geometry), Reference(model.grid, settings)), "") << when;
    }

    EditedCard model;
    AppSettings settings;
    KeptGridSheet sheet;
    CardGeometry geometry;
};

TEST_F(CardGeometryTest, RandomCardsReplayAsTheCellWalkWithAndWithoutGridAndCheck) {
    std::mt19937 rng(21);
    for (int round = 0; round < 12; ++round) {
        const int W = std::uniform_int_distribution<int>(3, 30)(rng);
        const int H = std::uniform_int_distribution<int>(3, 16)(rng);
        test::RandomCard(model.grid, rng, W, H);
        settings.view.gridDisplay = round % 2;
        model.edit.checkInvalidFigure = round % 3 == 0;
        CardGeometry fresh;
        geometry = fresh;
        Frame();
        ExpectSameAsReference("card " + std::to_string(round) + ", " + std::to_string(W) + " by " + std::to_string(H));
    }
}

TEST_F(CardGeometryTest, EditsUndosChecksAndSettingsKeepTheReplayEqualToTheWalk) {
    // A long random session on one geometry, compared with the walk after
    // every step: the incremental updates never leave anything stale.
    std::mt19937 rng(22);
    test::RandomCard(model.grid, rng, 26, 12);
    EditOperations ops(model, settings, nullptr);
    Frame();
    for (int step = 0; step < 400; ++step) {
        const int what = std::uniform_int_distribution<int>(0, 11)(rng);
        model.edit.cursorSize = 1 << std::uniform_int_distribution<int>(0, 2)(rng);
        const int s = model.edit.cursorSize;
        const int x = std::uniform_int_distribution<int>(1, model.grid.gridWidth - 1 - s)(rng);
        const int r = std::uniform_int_distribution<int>(1, model.grid.gridHeight - 2 - s)(rng);
        model.edit.mirrorMode = std::uniform_int_distribution<int>(0, 3)(rng) == 0;
        switch (what) {
            case 0: case 1: case 2: ops.RaiseArea(x, r); break;
            case 3: case 4: ops.LowerArea(x, r); break;
            case 5: case 6: ops.PushPullArea(x, r); break;
            case 7: model.history.UndoLastStep(model.grid); break;
            case 8:
                model.edit.checkInvalidFigure = !model.edit.checkInvalidFigure;
                model.grid.gridChanged = true;
                break;
            case 9: settings.view.gridDisplay = settings.view.gridDisplay ? 0 : 1; break;
            case 10: settings.colors.verticalFace = std::uniform_int_distribution<int>(0, 0xFFFFFF)(rng); break;
            case 11: settings.colors.outline = std::uniform_int_distribution<int>(0, 0xFFFFFF)(rng); break;
        }
        Frame();
        ExpectSameAsReference("step " + std::to_string(step) + ", change " + std::to_string(what));
        if (HasFailure()) return;
    }
}

TEST_F(CardGeometryTest, FrameAfterNoChangeDerivesNothingAndAnEditOnlyItsColumnsAndSlabNeighbours) {
    test::AddBox(model.grid, 5, 2, 3);
    test::AddBox(model.grid, 11, 3, 2);
    Frame();
    EXPECT_EQ(Frame().blocksDerived, 0);
    EXPECT_EQ(geometry.LastUpdate().blocksRecoloured, 0);

    // Grid display off: slabs 1-4, 5, 6-10, 11, 12-16 and the border column.
    ASSERT_EQ(geometry.Blocks().size(), 6u + 1u);  // and the far edges
    // A box in column 8 (and the dirty right neighbour 9) splits slab 6-10
    // into 6-7, 8, 9-10: those three are new, nothing else is touched.
    test::AddBox(model.grid, 8, 1, 1);
    model.grid.MarkColumnsDirty(8, 1);
    EXPECT_EQ(Frame().blocksDerived, 3);
    ExpectSameAsReference("box in column 8");

    // Lowering it again merges the slab back: one block, 6-10.
    model.grid.SetSolid(8, 1, 1, false);
    model.grid.MarkColumnsDirty(8, 1);
    model.grid.gridChanged = true;
    EXPECT_EQ(Frame().blocksDerived, 1);
    ExpectSameAsReference("box removed");

    // A column rebuilt at the end of a slab renews only the next slab, whose
    // left edges it shapes: column 10 ends slab 6-10, slab 11 follows.
    model.grid.MarkColumnsDirty(10, 0);
    model.grid.gridChanged = true;
    EXPECT_EQ(Frame().blocksDerived, 1);
    EXPECT_EQ(geometry.Blocks()[3]->firstColumn, 11);

    // Grid display on: every column alone; a 2x2 raise rebuilds columns 3, 4
    // and the right neighbour 5, and derives those three.
    settings.view.gridDisplay = 1;
    EXPECT_EQ(Frame().blocksDerived, 17);  // columns 1 .. 16 and the border
    EditOperations ops(model, settings, nullptr);
    model.edit.cursorSize = 2;
    ops.RaiseArea(3, 2);
    EXPECT_EQ(Frame().blocksDerived, 3);
    ExpectSameAsReference("raise with the grid display");
}

TEST_F(CardGeometryTest, ColoursAndMarksRecolourWithoutDerivingAndOnlyWhereTheyChange) {
    CellGrid& g = model.grid;
    test::AddBox(g, 5, 2, 3);  // a tunnel cuts its riser into parts anchored at one end
    test::AddTunnel(g, 5, 2);
    test::AddBox(g, 8, 2, 3);  // a whole riser: both marks, no highlight
    settings.view.gridDisplay = 1;
    Frame();

    // The check marks faces of column 5 only; column 8's colours stay.
    model.edit.checkInvalidFigure = true;
    g.gridChanged = true;
    const auto counts = Frame();
    EXPECT_EQ(counts.blocksDerived, 0);
    EXPECT_EQ(counts.blocksRecoloured, 1);
    ExpectSameAsReference("after the check");
    int highlighted = 0;
    for (const Recorded& q : Replayed(geometry).OfKind(Recorded::Quad)) highlighted += q.color == kInvalidFaceColor;
    EXPECT_EQ(highlighted, 2);

    // A face colour rewrites colours in every block that has such faces.
    settings.colors.horizontalFace = RgbColor(1, 2, 3);
    EXPECT_EQ(Frame().blocksDerived, 0);
    EXPECT_EQ(geometry.LastUpdate().blocksRecoloured, 16);
    ExpectSameAsReference("after a face colour");

    // The edge colour lives in one place: nothing is rewritten.
    settings.colors.outline = RgbColor(9, 8, 7);
    EXPECT_EQ(Frame().blocksDerived, 0);
    EXPECT_EQ(geometry.LastUpdate().blocksRecoloured, 0);
    EXPECT_EQ(geometry.EdgeColor(), ToGlColor(settings.colors.outline));
    ExpectSameAsReference("after the edge colour");

    // Revisions tell a consumer which blocks changed.
    std::vector<std::uint64_t> before;
    for (const GeometryBlock* b : geometry.Blocks()) before.push_back(b->revision);
    test::AddBox(g, 12, 1, 1);  // rebuilds column 12 and its right neighbour
    Frame();
    for (std::size_t i = 0; i < before.size(); ++i) {
        const int column = geometry.Blocks()[i]->firstColumn;
        EXPECT_EQ(geometry.Blocks()[i]->revision != before[i], column == 12 || column == 13) << column;
    }
}

TEST_F(CardGeometryTest, AnotherCardOfTheSameSizeIsDerivedAnew) {
    test::AddBox(model.grid, 5, 2, 3);
    Frame();
    // A card read from a file replaces the grid by assignment; its columns
    // are the same in number but none of them is one the geometry has seen.
    CellGrid read;
    read.NewCard(18, 9);
    test::AddBox(read, 7, 1, 4);
    RunRebuildPass(read);
    model.AdoptReadCard(std::move(read));
    Frame();
    ExpectSameAsReference("adopted card");
    model.NewCard(18, 9);
    Frame();
    ExpectSameAsReference("new card");
    model.NewCard(12, 30);
    Frame();
    ExpectSameAsReference("new card of another size");
}

TEST_F(CardGeometryTest, ArraysAreLaidOutForVertexArraysAndKeepTheGridSpace) {
    Frame();
    // Flat 16-column card: one slab of 16 faces, the border slab, far edges.
    ASSERT_EQ(geometry.Blocks().size(), 3u);
    const GeometryBlock& slab = *geometry.Blocks()[0];
    EXPECT_EQ(slab.firstColumn, 1);
    EXPECT_EQ(slab.width, 16);
    EXPECT_EQ(slab.FaceCount(), 16u);
    EXPECT_EQ(slab.facePositions.size(), 16u * 4 * 3);
    EXPECT_EQ(slab.faceColors.size(), 16u * 4 * 3);
    EXPECT_FALSE(slab.outlineEachFace);
    EXPECT_EQ(slab.FaceCorner(0, 2), (Vertex{17, 1, 2}));  // back sheet, first cell's top right
    EXPECT_EQ(geometry.Blocks()[1]->FaceCount(), 0u);       // the border column
    EXPECT_EQ(geometry.Blocks()[2]->LineCount(), 2u);
    EXPECT_EQ(geometry.FaceCount(), 16u);
    EXPECT_GT(geometry.ArrayBytes(), 16u * 4 * 6 * sizeof(float));

    // A model transform reaches every replayed point: here a shift along x.
    Matrix4 shift = IdentityMatrix();
    shift[12] = 2.5;
    const RecordingSink moved = Replayed(geometry, shift);
    const RecordingSink still = Replayed(geometry);
    ASSERT_EQ(moved.calls.size(), still.calls.size());
    for (std::size_t i = 0; i < moved.calls.size(); ++i)
        for (int k = 0; k < moved.calls[i].count; ++k) {
            EXPECT_DOUBLE_EQ(moved.calls[i].v[k].x, still.calls[i].v[k].x + 2.5);
            EXPECT_DOUBLE_EQ(moved.calls[i].v[k].z, still.calls[i].v[k].z);
        }
}

}  // namespace
}  // namespace pw

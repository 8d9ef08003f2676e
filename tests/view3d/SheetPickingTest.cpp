// Picking a free-form card's pieces and dragging a flat's depth: a ray
// through any point of a piece's paper picks that piece, which leads back
// to the flat it came from; a drag moves the depth by its rate, within the card.
#include <gtest/gtest.h>

#include <random>

#include "model/freeform/FreeformSheet.h"
#include "model/freeform/RandomFreeformCards.h"
#include "model/freeform/SheetTriangulation.h"
#include "view3d/FreeformShown.h"
#include "view3d/SheetPicking.h"

namespace pw {
namespace {

double Area(const SheetTriangle& t) { return std::abs((t.b.x - t.a.x) * (t.c.s - t.a.s) - (t.c.x - t.a.x) * (t.b.s - t.a.s)); }

TEST(SheetPicking, ARayThroughAPiecesPaperPicksItAndItsFlatOnRandomCards) {
    std::mt19937 rng(24);
    int faces = 0;
    for (int round = 0; round < 12; ++round) {
        const FreeformSheet built = BuildFreeformSheet(test::RandomCurvedCard(rng));
        const ShownSheet shown = ShowFreeformSheet(built, {}, 1);
        for (std::size_t i = 0; i < built.sheet.pieces.size(); ++i) {
            const SheetPiece& piece = built.sheet.pieces[i];
            const std::vector<SheetTriangle> triangles = TriangulatePiece(piece, kViewFlattening);
            if (triangles.empty()) continue;
            const SheetTriangle& t = *std::max_element(triangles.begin(), triangles.end(),
                                                       [](const auto& a, const auto& b) { return Area(a) < Area(b); });
            const Vertex at = SheetViewPoint(built.sheet, PlacePoint(piece, {(t.a.x + t.b.x + t.c.x) / 3, (t.a.s + t.b.s + t.c.s) / 3}));
            // A short look from in front, above and aside, ending just past the paper.
            const Point3 d{0.3e-3, -1e-3, 0.7e-3};
            const PointerRay ray{{at.x - d.x, at.y - d.y, at.z - d.z}, {at.x + d.x, at.y + d.y, at.z + d.z}};
            const int picked = PickSheetPiece(built.sheet, ray);
            ASSERT_EQ(picked, static_cast<int>(i)) << "round " << round;
            const FreeformPieceInfo& info = built.pieces[i];
            const bool flatPaper = info.role == FreeformPieceRole::Face || info.role == FreeformPieceRole::Roof;
            EXPECT_EQ(FlatOfPiece(shown.pieceFlats, picked), flatPaper ? info.flat : -1);
            faces += flatPaper;
            // A ray that stops short of the paper picks nothing of it.
            EXPECT_NE(PickSheetPiece(built.sheet, {{at.x - 2 * d.x, at.y - 2 * d.y, at.z - 2 * d.z}, ray.nearPoint}),
                      static_cast<int>(i));
        }
    }
    EXPECT_GT(faces, 12);
}

TEST(SheetPicking, ADragMovesTheDepthByItsRateWithinTheCard) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> depth(0.01, 80), pixels(-600, 600);
    for (int i = 0; i < 200; ++i) {
        const double start = depth(rng), up = pixels(rng);
        const bool fine = i % 2;
        const double got = DraggedDepth(start, up, fine, 80);
        const double free = start + up * (fine ? 0.05 : 0.25);
        EXPECT_GE(got, 0.01);
        EXPECT_LE(got, 80);
        if (free > 0.01 && free < 80) {
            EXPECT_NEAR(got, free, 1e-9);
        }
    }
}

}  // namespace
}  // namespace pw

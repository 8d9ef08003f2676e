// The 3D view of a card drawn from its sheet: on random free-form cards
// every outline of the opened card lies over a pattern line of its kind at
// s = y - z and the fold takes it where the card's fold map does; a grid
// card's sheet drawn so covers what the grid's own path draws; the closing
// check marks exactly the paper beyond the closed card's edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/KeptGridSheet.h"
#include "model/RebuildPass.h"
#include "model/freeform/FoldMap.h"
#include "model/freeform/RandomFreeformCards.h"
#include "support/CardBuilder.h"
#include "view3d/CardGeometry.h"
#include "view3d/FoldMap.h"
#include "view3d/FreeformShown.h"

namespace pw::test {
namespace {

struct Face {
    Vertex a, b, c;
    FaceColorRole role;
    bool vertical;  // parallel to the back: one depth
    Vertex Centre() const { return {(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3}; }
};

// The faces of the geometry as triangles (a quadrilateral as two).
std::vector<Face> Faces(const CardGeometry& geometry) {
    std::vector<Face> out;
    for (const GeometryBlock* block : geometry.Blocks())
        for (std::size_t i = 0; i < block->FaceCount(); ++i) {
            const Vertex v[4] = {block->FaceCorner(i, 0), block->FaceCorner(i, 1), block->FaceCorner(i, 2), block->FaceCorner(i, 3)};
            const bool vertical = v[0].y == v[1].y && v[1].y == v[2].y;
            out.push_back({v[0], v[1], v[2], block->faceRoles[i], vertical});
            if (!(v[3] == v[2])) out.push_back({v[0], v[2], v[3], block->faceRoles[i], vertical});
        }
    return out;
}

std::vector<std::pair<Vertex, Vertex>> Lines(const CardGeometry& geometry) {
    std::vector<std::pair<Vertex, Vertex>> out;
    for (const GeometryBlock* block : geometry.Blocks())
        for (std::size_t i = 0; i < block->LineCount(); ++i) out.emplace_back(block->LineEnd(i, 0), block->LineEnd(i, 1));
    return out;
}

double Area(const Face& f) {
    const double ux = f.b.x - f.a.x, uy = f.b.y - f.a.y, uz = f.b.z - f.a.z;
    const double vx = f.c.x - f.a.x, vy = f.c.y - f.a.y, vz = f.c.z - f.a.z;
    return std::hypot(uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx) / 2;
}

// Whether a face of the given plane covers p (in its plane, to float precision).
const Face* Covering(const std::vector<Face>& faces, const Vertex& p, bool vertical) {
    constexpr double kPlane = 1e-4;
    for (const Face& f : faces) {
        if (f.vertical != vertical) continue;
        auto across = [&](const Vertex& v) { return vertical ? v.z : v.y; };
        if (std::fabs((vertical ? f.a.y : f.a.z) - (vertical ? p.y : p.z)) > kPlane) continue;
        auto side = [&](const Vertex& a, const Vertex& b) { return (b.x - a.x) * (across(p) - across(a)) - (across(b) - across(a)) * (p.x - a.x); };
        const double d0 = side(f.a, f.b), d1 = side(f.b, f.c), d2 = side(f.c, f.a);
        if ((d0 >= 0 && d1 >= 0 && d2 >= 0) || (d0 <= 0 && d1 <= 0 && d2 <= 0)) return &f;
    }
    return nullptr;
}

double DistanceToEdge(const SheetEdge& e, SheetPoint p) {
    std::vector<SheetPoint> q = FlattenPath(e.path, 1e-3);
    if (e.path.closed) q.push_back(q.front());
    double best = 1e300;
    for (std::size_t i = 1; i < q.size(); ++i) {
        const double dx = q[i].x - q[i - 1].x, ds = q[i].s - q[i - 1].s, len2 = dx * dx + ds * ds;
        const double t = len2 > 0 ? std::clamp(((p.x - q[i - 1].x) * dx + (p.s - q[i - 1].s) * ds) / len2, 0.0, 1.0) : 0;
        best = std::min(best, std::hypot(p.x - q[i - 1].x - t * dx, p.s - q[i - 1].s - t * ds));
    }
    return best;
}

TEST(SheetGeometry, EveryOutlineOfRandomCardsLiesOverAPatternLineOfItsKindAndFoldsWithTheCard) {
    std::mt19937 rng(20261208);
    AppSettings settings;
    int valid = 0, folds = 0;
    for (int round = 0; round < 30 && valid < 12; ++round) {
        const FreeformCard card = RandomCurvedCard(rng);
        const FreeformSheet built = BuildFreeformSheet(card);
        if (!CheckFreeformCard(card, built).empty()) continue;
        ++valid;
        const Sheet& sheet = built.sheet;
        CardGeometry geometry;
        geometry.UpdateFromSheet(ShowFreeformSheet(built, {}, 1), settings);
        const std::vector<Face> faces = Faces(geometry);
        for (const auto& [a, b] : Lines(geometry)) {
            const Vertex m{(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
            // What the paper beside the line makes of it, read in 3D alone: a
            // line along the crease with upright paper on one side and level
            // paper on the other is a fold, a valley where both go on away from
            // the viewer's side (up and forward), a mountain where both turn
            // back (down and back); anything else is a cut.
            std::vector<SheetEdgeKind> kinds{SheetEdgeKind::InnerCut, SheetEdgeKind::OutlineCut};
            constexpr double e = 1e-3;
            if (std::fabs(a.y - b.y) < 1e-6 && std::fabs(a.z - b.z) < 1e-6) {
                const bool up = Covering(faces, {m.x, m.y, m.z + e}, true), down = Covering(faces, {m.x, m.y, m.z - e}, true);
                const bool forward = Covering(faces, {m.x, m.y + e, m.z}, false), back = Covering(faces, {m.x, m.y - e, m.z}, false);
                if ((up || down) && (forward || back)) {
                    ASSERT_TRUE((up && forward && !down && !back) || (down && back && !up && !forward)) << "round " << round;
                    kinds = up ? std::vector<SheetEdgeKind>{SheetEdgeKind::Valley, SheetEdgeKind::Crease}
                               : std::vector<SheetEdgeKind>{SheetEdgeKind::Mountain};
                    ++folds;
                }
            }
            const SheetPoint at{m.x - 1 + sheet.minX, (m.y - 1) - (m.z - 1)};
            double nearest = 1e300;
            for (const SheetEdge& edge : sheet.edges)
                if (std::find(kinds.begin(), kinds.end(), edge.kind) != kinds.end()) nearest = std::min(nearest, DistanceToEdge(edge, at));
            ASSERT_LT(nearest, kViewFlattening + 1e-4) << "round " << round << ": no line of kind " << static_cast<int>(kinds[0])
                                                       << " at x " << at.x << ", s " << at.s;
        }
        // Folded to any angle, every corner goes where the card's fold map takes it.
        const double degrees = std::uniform_real_distribution<double>(0, 180)(rng);
        const Matrix4 fold = FoldMatrix(degrees);
        for (const Face& f : faces)
            for (const Vertex& v : {f.a, f.b, f.c}) {
                const Vertex moved = Transform(fold, v);
                const Vertex expected = SheetViewPoint(sheet, FoldPoint({v.x - 1 + sheet.minX, v.y - 1, v.z - 1}, degrees * M_PI / 180));
                ASSERT_NEAR(moved.y, expected.y, 1e-9);
                ASSERT_NEAR(moved.z, expected.z, 1e-9);
            }
    }
    EXPECT_GE(valid, 8);
    EXPECT_GT(folds, 3 * valid);
}

TEST(SheetGeometry, GridCardsSheetDrawnFromTheSheetCoversWhatTheGridPathDraws) {
    std::mt19937 rng(11);
    AppSettings settings;
    for (int round = 0; round < 8; ++round) {
        EditedCard model;
        RandomCard(model.grid, rng, std::uniform_int_distribution<int>(4, 16)(rng), std::uniform_int_distribution<int>(4, 10)(rng));
        RunRebuildPass(model.grid);
        KeptGridSheet kept;
        kept.Update(model.grid, false);
        CardGeometry fromGrid, fromSheet;
        fromGrid.Update(model.grid, kept, settings);
        fromSheet.UpdateFromSheet({&kept.Current(), {}, 1, {}}, settings);
        const std::vector<Face> grid = Faces(fromGrid), drawn = Faces(fromSheet);
        double gridArea = 0, drawnArea = 0;
        for (const Face& f : grid) {
            gridArea += Area(f);
            const Face* over = Covering(drawn, f.Centre(), f.vertical);
            ASSERT_TRUE(over) << "round " << round << ": nothing drawn over a grid face";
            EXPECT_EQ(over->role, f.role);
        }
        for (const Face& f : drawn) {
            drawnArea += Area(f);
            ASSERT_TRUE(Covering(grid, f.Centre(), f.vertical)) << "round " << round << ": drawn where the grid has no face";
        }
        EXPECT_NEAR(drawnArea, gridArea, 1e-6 * gridArea);
        // The same outlines: each line of one lies along a line of the other.
        const auto gridLines = Lines(fromGrid), drawnLines = Lines(fromSheet);
        auto along = [](const std::vector<std::pair<Vertex, Vertex>>& lines, const Vertex& p) {
            return std::any_of(lines.begin(), lines.end(), [&](const std::pair<Vertex, Vertex>& l) {
                const Vertex& a = l.first;
                const Vertex& b = l.second;
                const double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z, len2 = dx * dx + dy * dy + dz * dz;
                const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy + (p.z - a.z) * dz) / len2, 0.0, 1.0);
                return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy, p.z - a.z - t * dz) < 1e-6;
            });
        };
        auto middle = [](const std::pair<Vertex, Vertex>& l) {
            return Vertex{(l.first.x + l.second.x) / 2, (l.first.y + l.second.y) / 2, (l.first.z + l.second.z) / 2};
        };
        for (const auto& l : drawnLines) EXPECT_TRUE(along(gridLines, middle(l))) << "round " << round << ": a line the grid lacks";
        for (const auto& l : gridLines) EXPECT_TRUE(along(drawnLines, middle(l))) << "round " << round << ": a grid line not drawn";
    }
}

TEST(SheetGeometry, ClosingCheckMarksThePaperBeyondTheClosedEdgeAndInvalidPaperStaysRed) {
    AppSettings settings;
    auto areaOf = [](const CardGeometry& g, FaceColorRole role) {
        double area = 0;
        for (const Face& f : Faces(g)) area += f.role == role ? Area(f) : 0;
        return area;
    };
    // A facade 50 wide and 50 high at depth 60 with its roof: y + z > 100 on
    // its top 10 mm and the roof's front 10 mm.
    const FreeformCard tall = Card({Flat(60, "M 20 0 H 70 V 50 H 20 Z")});
    const FreeformSheet built = BuildFreeformSheet(tall);
    CardGeometry geometry;
    geometry.UpdateFromSheet(ShowFreeformSheet(built, CheckFreeformCard(tall, built), 1), settings, true);
    EXPECT_NEAR(areaOf(geometry, FaceColorRole::SticksOut), 2 * 50 * 10, 1e-6);
    for (const Face& f : Faces(geometry)) {
        if (f.role != FaceColorRole::SticksOut) continue;
        for (const Vertex& v : {f.a, f.b, f.c}) EXPECT_GE((v.y - 1) + (v.z - 1), 100 - 1e-4);
    }
    geometry.UpdateFromSheet(ShowFreeformSheet(built, CheckFreeformCard(tall, built), 1), settings, false);
    EXPECT_EQ(areaOf(geometry, FaceColorRole::SticksOut), 0);
    // A flat floating from 20 to 90 mm: refused, its face red although its
    // top sticks out; its sound roof (y + z > 100 for y > 10) amber.
    const FreeformCard floating = Card({Flat(60, "M 20 20 H 70 V 90 H 20 Z")});
    const FreeformSheet refused = BuildFreeformSheet(floating);
    geometry.UpdateFromSheet(ShowFreeformSheet(refused, CheckFreeformCard(floating, refused), 2), settings, true);
    EXPECT_NEAR(areaOf(geometry, FaceColorRole::InvalidFace), 50 * 70, 1e-6);
    EXPECT_NEAR(areaOf(geometry, FaceColorRole::SticksOut), 50 * 50, 1e-6);
}

}  // namespace
}  // namespace pw::test

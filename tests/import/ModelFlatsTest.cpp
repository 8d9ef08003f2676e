// A model sliced into flats: each flat's outline and depth, the depths
// found from the model's steps, and the models refused.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "import/ImportMessages.h"
#include "import/ModelFlats.h"
#include "model/freeform/FreeformChecks.h"
#include "model/freeform/PathBounds.h"

namespace pw {
namespace {

// A box from (x0, y0, z0) to (x1, y1, z1), z up, the viewer on the -y side
// (so -y is toward the viewer), its faces wound any which way.
void AddBox(Mesh& mesh, float x0, float y0, float z0, float x1, float y1, float z1) {
    const auto corner = [&](int k) { return std::array<float, 3>{k & 1 ? x1 : x0, k & 2 ? y1 : y0, k & 4 ? z1 : z0}; };
    const int faces[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
    for (const auto& f : faces)
        for (int c : {0, 1, 2, 0, 2, 3}) mesh.corners.push_back(corner(f[c]));
}

// Boxes standing on the floor one behind the other, each taller than the
// one in front: (width, depth, height) from the front, centred across.
Mesh Steps(const std::vector<std::array<float, 3>>& boxes) {
    Mesh mesh;
    float front = 0;
    for (const auto& [w, d, h] : boxes) {
        AddBox(mesh, -w / 2, front, 0, w / 2, front + d, h);
        front += d;
    }
    return mesh;
}

geos::Geometry Outline(geos::Context& c, const FreeformFlat& flat) {
    std::vector<geos::Geometry> parts;
    for (const FrontLoop& loop : flat.loops) parts.push_back(geos::Polygon(c, FlattenPath(loop, 0.01), {}));
    return geos::UnionAll(c, std::move(parts));
}

double Mismatch(geos::Context& c, const FreeformFlat& flat, const geos::Geometry& expected) {
    return geos::Area(geos::SymDifference(Outline(c, flat), expected));
}

TEST(ModelFlats, AStepGivesTwoRectanglesAtTheirFacesThatMakeACard) {
    // A box 40 wide, 20 deep, 20 high in front of one 60 wide, 30 deep, 50
    // high; 1 model unit = 1 mm at a height of 50.
    const Mesh mesh = Steps({{40, 20, 20}, {60, 30, 50}});
    for (const std::vector<double>& given : {std::vector<double>{}, std::vector<double>{30, 50}}) {
        ModelSlicing how;
        how.depthsMm = given;
        const FlatsFromSource made = ModelFlats(mesh, how);
        ASSERT_TRUE(made.Made()) << made.error;
        ASSERT_EQ(made.flats.size(), 2u);
        EXPECT_DOUBLE_EQ(made.flats[0].depth, 50);
        EXPECT_DOUBLE_EQ(made.flats[1].depth, 30);
        geos::Context c;
        EXPECT_LT(Mismatch(c, made.flats[0], geos::Rectangle(c, 10, 0, 50, 20)), 1e-6);
        EXPECT_LT(Mismatch(c, made.flats[1], geos::Rectangle(c, 0, 0, 60, 50)), 1e-6);

        FreeformCard card{120, 100, made.flats, {}};
        PlaceFlats(card.flats, 50, 30, 0);
        EXPECT_TRUE(CheckFreeformCard(card, BuildFreeformSheet(card)).empty());
    }
}

TEST(ModelFlats, ASphereIsACircleWithinTheTolerance) {
    // A UV sphere of radius 1 whose bands are cut between two depths.
    Mesh mesh;
    const int n = 96;
    const auto at = [](double u, double v) {
        return std::array<float, 3>{static_cast<float>(std::sin(v) * std::cos(u)), static_cast<float>(std::sin(v) * std::sin(u)),
                                    static_cast<float>(std::cos(v))};
    };
    const double pi = std::acos(-1.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n / 2; ++j) {
            const double u0 = 2 * pi * i / n, u1 = 2 * pi * (i + 1) / n, v0 = pi * j / (n / 2), v1 = pi * (j + 1) / (n / 2);
            for (const auto& p : {at(u0, v0), at(u1, v0), at(u1, v1), at(u0, v0), at(u1, v1), at(u0, v1)})
                mesh.corners.push_back(p);
        }
    ModelSlicing how;
    how.heightMm = 100;
    how.depthsMm = {50};
    const FlatsFromSource made = ModelFlats(mesh, how);
    ASSERT_TRUE(made.Made()) << made.error;
    ASSERT_EQ(made.flats.size(), 1u);
    // The mesh's own chords lie within 50 (1 - cos(pi / n)) of the circle.
    const double within = 50 * (1 - std::cos(pi / n)) + how.toleranceMm + 1e-6;
    ASSERT_EQ(made.flats[0].loops.size(), 1u);
    for (const FrontLoop& loop : made.flats[0].loops)
        for (const SheetPoint& p : FlattenPath(loop, 0.01)) EXPECT_NEAR(std::hypot(p.x - 50, p.s - 50), 50, within);

    // Sliced at its middle, the front half and the back half show the same disc.
    geos::Context c;
    std::string error;
    const PlacedModel placed = PlaceModel(mesh, ModelUp::Z, 100, error);
    const geos::Geometry front = SlabSilhouette(c, placed, 50, 100), back = SlabSilhouette(c, placed, 0, 50);
    EXPECT_LT(geos::Area(geos::SymDifference(front, back)), 1e-3 * geos::Area(front));
    EXPECT_NEAR(geos::Area(front), pi * 2500, 2 * pi * 50 * within);
}

TEST(ModelFlats, OverlappingTrianglesGiveTheirWholeUnion) {
    // Random triangles, many overlapping, some sharing edges, all facing one
    // way: the silhouette is GEOS's own overlay of them, however joined.
    std::mt19937 random(11);
    std::uniform_real_distribution<double> at(0, 40);
    for (int round = 0; round < 20; ++round) {
        PlacedModel model;
        geos::Context c;
        std::vector<geos::Geometry> triangles;
        for (int t = 0; t < 1 + round * 20; ++t) {
            std::array<double, 3> p{at(random), at(random), 5}, q{at(random), at(random), 5}, r{at(random), at(random), 5};
            if ((q[0] - p[0]) * (r[1] - p[1]) - (r[0] - p[0]) * (q[1] - p[1]) < 0) std::swap(q, r);
            if (t % 3 == 1) p = model.corners[model.corners.size() - 3], q = model.corners.back();
            for (const auto& k : {p, q, r}) model.corners.push_back(k);
            triangles.push_back(geos::Polygon(c, {{p[0], p[1]}, {q[0], q[1]}, {r[0], r[1]}}, {}));
        }
        const double expected = geos::Area(geos::UnionAll(c, std::move(triangles)));
        EXPECT_NEAR(geos::Area(SlabSilhouette(c, model, 0, 10)), expected, 1e-9 * expected);
    }
}

TEST(ModelFlats, AutomaticDepthsFindTheStepsOfAThreeStepModel) {
    // Anywhere in the model's space: the steps' faces are found, the back is never one.
    Mesh mesh = Steps({{30, 10, 10}, {40, 15, 25}, {50, 20, 40}});
    for (auto& p : mesh.corners) p = {p[0] + 1000, p[1] - 300, p[2] + 7};
    std::string error;
    const PlacedModel placed = PlaceModel(mesh, ModelUp::Z, 40, error);
    ASSERT_TRUE(error.empty());
    EXPECT_EQ(AutomaticDepths(placed, 3), (std::vector<double>{45, 35, 20}));

    // A single sheet facing the viewer has no depth and no steps: its flat stands 1 mm in front of the back.
    Mesh sheet;
    for (const std::array<float, 3>& p : {std::array<float, 3>{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}) sheet.corners.push_back(p);
    const FlatsFromSource made = ModelFlats(sheet, ModelSlicing{});
    ASSERT_EQ(made.flats.size(), 1u);
    EXPECT_EQ(made.flats[0].depth, 1.0);
}

TEST(ModelFlats, BadModelsAndDepthsAreRefusedWithTheirReason) {
    ModelSlicing how;
    EXPECT_EQ(ModelFlats(Mesh{}, how).error, msg::kModelNoTriangles);
    Mesh line;  // every triangle on one vertical line: no width seen from the front
    for (int k = 0; k < 9; ++k) line.corners.push_back({0, static_cast<float>(k % 2), static_cast<float>(k)});
    EXPECT_EQ(ModelFlats(line, how).error, msg::kModelFlat);
    Mesh notFinite = Steps({{10, 10, 10}});
    notFinite.corners[4][2] = NAN;
    EXPECT_EQ(ModelFlats(notFinite, how).error, msg::kModelNotFinite);

    const Mesh box = Steps({{10, 10, 10}});
    how.depthsMm = {5, 0};
    EXPECT_EQ(ModelFlats(box, how).error, msg::kModelFlatsDepthBehind);
    how.depthsMm.assign(kMaxModelFlats + 1, 1.0);
    EXPECT_EQ(ModelFlats(box, how).error, msg::kModelFlatsTooMany);
    how.depthsMm = {5};
    how.heightMm = 0;
    EXPECT_EQ(ModelFlats(box, how).error, msg::kModelFlatsHeight);
}

}  // namespace
}  // namespace pw

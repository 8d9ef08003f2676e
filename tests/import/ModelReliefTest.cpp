// Models through Assimp into depth maps: a cuboid becomes a box of its own
// proportions, either axis up, and bad models are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "edit/EditedCard.h"
#include "edit/ReliefEdit.h"
#include "import/ImportMessages.h"
#include "import/ModelFile.h"
#include "import/ReliefSource.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"
#include "model/ReliefShape.h"

namespace pw {
namespace {

// An OBJ cuboid from (x0, y0, z0) to (x1, y1, z1) whose first vertex is
// the file's vertex `first`.
std::string CuboidObj(double x0, double y0, double z0, double x1, double y1, double z1, int first = 1) {
    std::ostringstream obj;
    for (int k = 0; k < 8; ++k)
        obj << "v " << (k & 1 ? x1 : x0) << ' ' << (k & 2 ? y1 : y0) << ' ' << (k & 4 ? z1 : z0) << "\n";
    const int faces[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
    for (const auto& f : faces)
        obj << "f " << first + f[0] << ' ' << first + f[1] << ' ' << first + f[2] << ' ' << first + f[3] << "\n";
    return obj.str();
}

Mesh Load(const std::string& text, const std::string& ext) {
    Mesh mesh;
    std::string error;
    EXPECT_TRUE(LoadModelFromMemory(text.data(), text.size(), ext, mesh, error)) << error;
    return mesh;
}

// The extent of the relief a depth map asks for: columns, heights and the
// largest depth.
struct Extent {
    int columns = 0, heights = 0, depth = 0, left = -1;
};
Extent Measure(const DepthMap& map) {
    Extent e;
    int right = -1;
    for (int i = 0; i < map.width; ++i)
        for (int row = 0; row < map.height; ++row)
            if (map.At(i, row) > 0) {
                if (e.left < 0) e.left = i;
                right = i;
                e.heights = std::max(e.heights, row + 1);
                e.depth = std::max(e.depth, map.At(i, row));
            }
    e.columns = right - e.left + 1;
    return e;
}

TEST(ModelRelief, ACuboidBecomesABoxOfItsProportions) {
    // 2 wide, 1 deep, 3 high, z up, somewhere in space.
    const Mesh mesh = Load(CuboidObj(10, -7, 4, 12, -6, 7), "obj");
    ASSERT_EQ(mesh.Triangles(), 12u);
    DepthMap map;
    std::string error;
    ReliefSettings settings;  // the whole 60 x 30 card (W 62, H 32)
    ASSERT_TRUE(ModelReliefMap(mesh, settings, 62, 32, map, error)) << error;
    const Extent e = Measure(map);
    // Height 30 fills the card; width 20 and depth 10 follow.
    EXPECT_EQ(e.heights, 30);
    EXPECT_EQ(e.columns, 20);
    EXPECT_EQ(e.depth, 10);
    EXPECT_EQ(e.left, 20);  // centred
    for (int i = e.left; i < e.left + 20; ++i)
        for (int row = 0; row < 30; ++row) ASSERT_EQ(map.At(i, row), 10) << i << "," << row;

    // A cuboid deeper than the card is scaled down to fit the card's depth.
    const Mesh deep = Load(CuboidObj(0, 0, 0, 1, 4, 1), "obj");
    ASSERT_TRUE(ModelReliefMap(deep, settings, 62, 32, map, error));
    const Extent d = Measure(map);
    EXPECT_EQ(d.depth, 30);
    EXPECT_EQ(d.columns, 8);  // 30 / 4 = 7.5 cells, rounded outward at its edges at most
    EXPECT_EQ(d.heights, 8);

    // --depth caps the model's depth.
    settings.depth = 4;
    ASSERT_TRUE(ModelReliefMap(mesh, settings, 62, 32, map, error));
    EXPECT_EQ(Measure(map).depth, 4);
    EXPECT_EQ(Measure(map).columns, 20);
}

TEST(ModelRelief, YUpModelsAreSeenFromThePositiveZSide) {
    // A step: a low slab reaching far toward +z, and a tall slab at the back.
    const std::string obj = CuboidObj(0, 0, 0, 4, 1, 4) + CuboidObj(0, 0, 0, 4, 4, 1, 9);
    const Mesh mesh = Load(obj, "obj");
    ReliefSettings settings;
    settings.up = ModelUp::Y;
    settings.area = ReliefArea{1, 8, 8};
    DepthMap map;
    std::string error;
    ASSERT_TRUE(ModelReliefMap(mesh, settings, 10, 12, map, error)) << error;
    // Scale 2: the bottom two heights reach 8 out, the heights above 2.
    EXPECT_EQ(map.At(3, 0), 8);
    EXPECT_EQ(map.At(3, 1), 8);
    EXPECT_EQ(map.At(3, 2), 2);
    EXPECT_EQ(map.At(3, 7), 2);
    EditedCard card;
    card.NewCard(10, 12);
    ASSERT_TRUE(ApplyDepthMap(card, map, false));
    RunRebuildPass(card.grid);
    EXPECT_EQ(CheckGridInvariants(card.grid), "");
    EXPECT_EQ(ReadColumnDepths(card.grid, 4), (ColumnDepths{8, 8, 2, 2, 2, 2, 2, 2, 0, 0}));
}

TEST(ModelRelief, StlAndPlyModelsAreRead) {
    const std::string stl =
        "solid t\nfacet normal 0 -1 0\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 0 1\nendloop\nendfacet\nendsolid t\n";
    EXPECT_EQ(Load(stl, "stl").Triangles(), 1u);
    const std::string ply =
        "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\nproperty float z\n"
        "element face 1\nproperty list uchar int vertex_indices\nend_header\n0 0 0\n1 0 0\n0 0 1\n3 0 1 2\n";
    EXPECT_EQ(Load(ply, "PLY").Triangles(), 1u);
}

TEST(ModelRelief, BadModelsAreRefused) {
    Mesh mesh;
    std::string error;
    const std::string garbage = "this is not a model \x01\x02\x03";
    EXPECT_FALSE(LoadModelFromMemory(garbage.data(), garbage.size(), "stl", mesh, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(LoadModelFromMemory(garbage.data(), garbage.size(), "dae", mesh, error));
    EXPECT_EQ(error, msg::kModelUnsupported);
    const std::string points = "v 0 0 0\nv 1 0 0\nv 0 0 1\n";
    EXPECT_FALSE(LoadModelFromMemory(points.data(), points.size(), "obj", mesh, error));
    const std::string nan = "v 0 0 0\nv nan 0 0\nv 0 0 1\nf 1 2 3\n";
    if (LoadModelFromMemory(nan.data(), nan.size(), "obj", mesh, error)) {
        DepthMap map;
        EXPECT_FALSE(ModelReliefMap(mesh, ReliefSettings{}, 12, 10, map, error));
    }
    EXPECT_EQ(error, msg::kModelNotFinite);

    // Triangles with no width or no height seen from the front.
    Mesh flat;
    flat.corners = {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    DepthMap map;
    EXPECT_FALSE(ModelReliefMap(flat, ReliefSettings{}, 12, 10, map, error));
    EXPECT_EQ(error, msg::kModelFlat);
    flat.corners = {{0, 0, 5}, {1, 0, 5}, {2, 1, 5}};
    EXPECT_FALSE(ModelReliefMap(flat, ReliefSettings{}, 12, 10, map, error));
    EXPECT_EQ(error, msg::kModelFlat);
    EXPECT_FALSE(ModelReliefMap(Mesh{}, ReliefSettings{}, 12, 10, map, error));
    EXPECT_EQ(error, msg::kModelNoTriangles);
    Mesh inf;
    inf.corners = {{0, 0, 0}, {INFINITY, 0, 0}, {0, 0, 1}};
    EXPECT_FALSE(ModelReliefMap(inf, ReliefSettings{}, 12, 10, map, error));
    EXPECT_EQ(error, msg::kModelNotFinite);

    // Files: a missing one, a device, an unknown kind.
    EXPECT_FALSE(LoadModelFile("/nonexistent/model.obj", mesh, error));
    EXPECT_EQ(error, msg::kModelUnreadable);
    EXPECT_FALSE(LoadModelFile("/dev/null", mesh, error));
    EXPECT_EQ(error, msg::kModelUnsupported);
}

TEST(ModelRelief, AModelThatMakesTheReaderLoopIsRefused) {
    // A broken PLY file on which Assimp's reader never finishes: the reading
    // child is stopped at its time limit.
    const std::string ply =
        "ply\nformat ascii 1.0\nelement vertex 8\nproperty float x\nproperty float y\nproperty float z\n"
        "element face 3\nproperty list uchar int vertexerty list uchar int vertex_indices\ne\n4 2 3 7 6\n"
        "4 0 2 6 4 14 \n 37 5\n";
    Mesh mesh;
    std::string error;
    EXPECT_FALSE(LoadModelFromMemory(ply.data(), ply.size(), "ply", mesh, error, 1));
    EXPECT_EQ(error, msg::kModelUnreadable);
    EXPECT_EQ(mesh.Triangles(), 0u);
}

TEST(ModelRelief, AModelThatStopsTheReaderOnAFailedAssertionIsRefused) {
    // A 3MF file whose zip checksum is wrong (found by fuzz_shape_files):
    // Assimp aborts on it, which ends only the reading child.
    Mesh mesh;
    std::string error;
    EXPECT_FALSE(LoadModelFile(POPWRIGHT_TEST_DATA "/bad-zip-checksum.3mf", mesh, error));
    EXPECT_EQ(error, msg::kModelUnreadable);
}

TEST(ModelRelief, AGltfModelCannotMakeTheReaderReadADevice) {
    const std::string dir = ::testing::TempDir();
    const std::string path = dir + "/device.gltf";
    std::ofstream(path) << R"({"asset":{"version":"2.0"},"buffers":[{"uri":"/dev/zero","byteLength":1000000000}],
"bufferViews":[{"buffer":0,"byteLength":36}],"accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3",
"min":[0,0,0],"max":[1,1,1]}],"meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],"nodes":[{"mesh":0}],
"scenes":[{"nodes":[0]}],"scene":0})";
    Mesh mesh;
    std::string error;
    EXPECT_FALSE(LoadModelFile(path, mesh, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace pw

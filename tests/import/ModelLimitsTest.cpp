// Hostile model files, made here at their smallest: sizes that the file
// declares but does not hold, a zip that unpacks to far more than it is, a
// node tree that multiplies, and buffers outside the model's folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include "import/ImportMessages.h"
#include "import/ModelFile.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

// One triangle's corners, (0 0 0) (1 0 0) (0 0 1), as a glTF buffer.
const std::string kTriangle = [] {
    const float corners[9] = {0, 0, 0, 1, 0, 0, 0, 0, 1};
    return std::string(reinterpret_cast<const char*>(corners), sizeof corners);
}();
const char* const kTriangleBase64 = "AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAAAAAAIA/";

// A glTF model whose buffer is `buffer` ("uri":... or nothing for a glb's
// chunk) with the given nodes; mesh 0 is the triangle.
std::string Gltf(const std::string& buffer, const std::string& nodes, const std::string& roots = "[0]",
                 long long byteLength = 36) {
    return R"({"asset":{"version":"2.0"},"buffers":[{"byteLength":)" + std::to_string(byteLength) + buffer +
           R"(}],"bufferViews":[{"buffer":0,"byteLength":36}],"accessors":[{"bufferView":0,"componentType":5126,)"
           R"("count":3,"type":"VEC3","min":[0,0,0],"max":[1,0,1]}],"meshes":[{"primitives":[{"attributes":)"
           R"({"POSITION":0}}]}],"nodes":)" + nodes + R"(,"scenes":[{"nodes":)" + roots + R"(}],"scene":0})";
}

std::string Le32(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

// A glb file: the JSON chunk, then a binary chunk that claims `binaryLength`
// bytes and holds the triangle.
std::string Glb(std::string json, std::uint32_t binaryLength, std::uint32_t fileLength = 0) {
    json.append((4 - json.size() % 4) % 4, ' ');
    const std::string body = Le32(static_cast<std::uint32_t>(json.size())) + "JSON" + json + Le32(binaryLength) +
                             std::string("BIN\0", 4) + kTriangle;
    return "glTF" + Le32(2) + Le32(fileLength ? fileLength : static_cast<std::uint32_t>(12 + body.size())) + body;
}

class ModelLimitsTest : public ::testing::Test {
protected:
    std::string Refused(const std::string& path) {
        Mesh mesh;
        std::string error;
        EXPECT_FALSE(LoadModelFile(path, mesh, error)) << path;
        EXPECT_EQ(mesh.Triangles(), 0u);
        return error;
    }
    std::size_t Triangles(const std::string& path) {
        Mesh mesh;
        std::string error;
        EXPECT_TRUE(LoadModelFile(path, mesh, error)) << path << ": " << error;
        return mesh.Triangles();
    }

    test::ScratchFolder scratch_;
};

TEST_F(ModelLimitsTest, SizesAGlbDeclaresMustFitTheFile) {
    const std::string json = Gltf("", R"([{"mesh":0}])");
    EXPECT_EQ(Triangles(scratch_.Write("whole.glb", Glb(json, 36))), 1u);
    // A binary chunk, the whole file or the buffer claiming 2 GB.
    EXPECT_EQ(Refused(scratch_.Write("chunk.glb", Glb(json, 2'000'000'000))), msg::kModelUnreadable);
    EXPECT_EQ(Refused(scratch_.Write("file.glb", Glb(json, 36, 2'000'000'000))), msg::kModelUnreadable);
    EXPECT_EQ(Refused(scratch_.Write("buffer.glb", Glb(Gltf("", R"([{"mesh":0}])", "[0]", 2'000'000'000), 36))),
              msg::kModelUnreadable);
}

// A node named by two parents is built twice: thirty such levels make a
// thousand million copies of a 1 kB file.
TEST_F(ModelLimitsTest, NodeTreesThatMultiplyAreCountedBeforeTheyAreBuilt) {
    const std::string data = R"(,"uri":"data:application/octet-stream;base64,)" + std::string(kTriangleBase64) + "\"";
    const auto levels = [](int depth, bool mesh) {
        std::string nodes = "[";
        for (int k = 0; k < depth; ++k) nodes += R"({"children":[)" + std::to_string(k + 1) + "," + std::to_string(k + 1) + "]},";
        return nodes + (mesh ? R"({"mesh":0}])" : "{}]");
    };
    EXPECT_EQ(Triangles(scratch_.Write("twice.gltf", Gltf(data, levels(3, true)))), 8u);
    EXPECT_EQ(Refused(scratch_.Write("deep.gltf", Gltf(data, levels(30, true)))), msg::kModelTooLarge);
    EXPECT_EQ(Refused(scratch_.Write("empty.gltf", Gltf(data, levels(30, false)))), msg::kModelTooManyNodes);
    EXPECT_EQ(Refused(scratch_.Write("loop.gltf", Gltf(data, R"([{"children":[1]},{"children":[0],"mesh":0}])"))),
              msg::kModelUnreadable);
}

// Made with Python's zipfile: one part that deflates 300 MB of spaces into
// about 300 kB.
TEST_F(ModelLimitsTest, A3mfThatUnpacksTooLargeIsRefusedUnpacked) {
    const std::string path = scratch_.Path("bomb.3mf");
    const std::string make = "/usr/bin/python3 -c \"import zipfile,sys\n"
                             "with zipfile.ZipFile(sys.argv[1],'w',zipfile.ZIP_DEFLATED) as z:\n"
                             " with z.open('3D/3dmodel.model','w',force_zip64=True) as f:\n"
                             "  [f.write(b' '*(1<<20)) for _ in range(300)]\" " + path;
    ASSERT_EQ(std::system(make.c_str()), 0);
    ASSERT_LT(fs::file_size(path), 1u << 20);
    EXPECT_EQ(Refused(path), msg::kModelUnpacksTooLarge);
}

// Only files in the model's folder and below are read: not above it, not
// by an absolute path, not through a link that leads out.
TEST_F(ModelLimitsTest, BuffersOutsideTheModelsFolderAreNotRead) {
    const fs::path dir = scratch_.Dir() / "model";
    fs::create_directories(dir / "parts");
    scratch_.Write("outside.bin", kTriangle);
    scratch_.Write("model/parts/inside.bin", kTriangle);
    fs::create_symlink(scratch_.Dir() / "outside.bin", dir / "link.bin");
    const auto model = [&](const std::string& name, const std::string& uri) {
        scratch_.Write("model/" + name, Gltf(R"(,"uri":")" + uri + "\"", R"([{"mesh":0}])"));
    };
    model("inside.gltf", "parts/inside.bin");
    model("dots.gltf", "./parts/../parts/inside.bin");
    const std::string outside[] = {"../outside.bin", (scratch_.Dir() / "outside.bin").string(), "link.bin",
                                   "parts/../../outside.bin"};
    for (std::size_t k = 0; k < std::size(outside); ++k) model("outside" + std::to_string(k) + ".gltf", outside[k]);
    // Named with its folder, and as a file of the working folder.
    const fs::path before = fs::current_path();
    for (const std::string& folder : {dir.string() + "/", std::string()}) {
        if (folder.empty()) fs::current_path(dir);
        EXPECT_EQ(Triangles(folder + "inside.gltf"), 1u);
        EXPECT_EQ(Triangles(folder + "dots.gltf"), 1u);
        for (std::size_t k = 0; k < std::size(outside); ++k)
            EXPECT_EQ(Refused(folder + "outside" + std::to_string(k) + ".gltf"), msg::kModelUnreadable) << outside[k];
    }
    fs::current_path(before);
}

}  // namespace
}  // namespace pw

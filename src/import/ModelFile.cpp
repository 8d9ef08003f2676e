#include "import/ModelFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <assimp/DefaultIOSystem.h>
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <cctype>
#include <cmath>
#include <memory>
#include <new>

#include "import/ImportMessages.h"

namespace pw {

namespace {

std::string LowerExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

bool IsModelExtension(const std::string& ext) {
    return ext == "obj" || ext == "stl" || ext == "ply" || ext == "gltf" || ext == "glb" || ext == "3mf";
}

// Assimp's file access, narrowed to regular files of bounded size: a model
// that names /dev/zero or a fifo as its buffer must not hang the program.
class RegularFilesOnly : public Assimp::DefaultIOSystem {
public:
    bool Exists(const char* file) const override { return Acceptable(file); }
    Assimp::IOStream* Open(const char* file, const char* mode) override {
        if (!mode || mode[0] != 'r' || !Acceptable(file)) return nullptr;
        return Assimp::DefaultIOSystem::Open(file, mode);
    }

private:
    static bool Acceptable(const char* file) {
        struct stat info {};
        return file && ::stat(file, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxModelFileBytes;
    }
};

// No file access at all, for a model held in memory.
class NoFiles : public Assimp::DefaultIOSystem {
public:
    bool Exists(const char*) const override { return false; }
    Assimp::IOStream* Open(const char*, const char*) override { return nullptr; }
};

unsigned ImportFlags() {
    // Polygons become triangles; points and lines are dropped (see the
    // importer's AI_CONFIG_PP_SBP_REMOVE); the data structure is checked
    // before it is used.
    return aiProcess_Triangulate | aiProcess_SortByPType | aiProcess_ValidateDataStructure;
}

void Configure(Assimp::Importer& importer) {
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE, aiPrimitiveType_POINT | aiPrimitiveType_LINE);
    importer.SetPropertyBool(AI_CONFIG_IMPORT_NO_SKELETON_MESHES, true);
}

// Walks the node tree, placing each mesh it refers to with the product of
// the transformations down to it.
class MeshCollector {
public:
    MeshCollector(const aiScene& scene, Mesh& out) : scene_(scene), out_(out) {}

    // Empty string on success, else the message.
    std::string Collect() {
        if (!scene_.mRootNode) return msg::kModelNoTriangles;
        Visit(*scene_.mRootNode, aiMatrix4x4(), 0);
        if (tooLarge_) return msg::kModelTooLarge;
        if (notFinite_) return msg::kModelNotFinite;
        if (out_.corners.empty()) return msg::kModelNoTriangles;
        return {};
    }

private:
    // Deeper trees than this are not models anyone made by hand or tool.
    static constexpr int kMaxDepth = 256;

    void Visit(const aiNode& node, const aiMatrix4x4& parent, int depth) {
        if (tooLarge_ || depth > kMaxDepth) return;
        const aiMatrix4x4 place = parent * node.mTransformation;
        for (unsigned k = 0; k < node.mNumMeshes && !tooLarge_; ++k) {
            const unsigned index = node.mMeshes[k];
            if (index < scene_.mNumMeshes && scene_.mMeshes[index]) AddMesh(*scene_.mMeshes[index], place);
        }
        for (unsigned k = 0; k < node.mNumChildren && !tooLarge_; ++k)
            if (node.mChildren[k]) Visit(*node.mChildren[k], place, depth + 1);
    }

    void AddMesh(const aiMesh& mesh, const aiMatrix4x4& place) {
        if (!mesh.mVertices) return;
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3 || !face.mIndices) continue;
            if (out_.Triangles() >= kMaxModelTriangles) {
                tooLarge_ = true;
                return;
            }
            for (unsigned c = 0; c < 3; ++c) {
                const unsigned v = face.mIndices[c];
                const aiVector3D p = v < mesh.mNumVertices ? place * mesh.mVertices[v] : aiVector3D(NAN, NAN, NAN);
                if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) notFinite_ = true;
                out_.corners.push_back({p.x, p.y, p.z});
            }
        }
    }

    const aiScene& scene_;
    Mesh& out_;
    bool tooLarge_ = false;
    bool notFinite_ = false;
};

bool Finish(const aiScene* scene, Mesh& out, std::string& error) {
    if (!scene) {
        error = msg::kModelUnreadable;
        return false;
    }
    Mesh mesh;
    error = MeshCollector(*scene, mesh).Collect();
    if (!error.empty()) return false;
    out = std::move(mesh);
    return true;
}

}  // namespace

bool IsModelFileName(const std::string& path) { return IsModelExtension(LowerExtension(path)); }

bool LoadModelFile(const std::string& path, Mesh& out, std::string& error) {
    if (!IsModelFileName(path)) {
        error = msg::kModelUnsupported;
        return false;
    }
    try {
        Assimp::Importer importer;
        Configure(importer);
        importer.SetIOHandler(new RegularFilesOnly);  // the importer owns it
        return Finish(importer.ReadFile(path, ImportFlags()), out, error);
    } catch (const std::bad_alloc&) {
        error = msg::kModelTooLarge;
    } catch (...) {
        error = msg::kModelUnreadable;
    }
    return false;
}

bool LoadModelFromMemory(const void* data, std::size_t size, const std::string& extension, Mesh& out,
                         std::string& error) {
    std::string ext = extension;
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!IsModelExtension(ext)) {
        error = msg::kModelUnsupported;
        return false;
    }
    if (!data || size == 0) {
        error = msg::kModelUnreadable;
        return false;
    }
    try {
        Assimp::Importer importer;
        Configure(importer);
        importer.SetIOHandler(new NoFiles);
        return Finish(importer.ReadFileFromMemory(data, size, ImportFlags(), ext.c_str()), out, error);
    } catch (const std::bad_alloc&) {
        error = msg::kModelTooLarge;
    } catch (...) {
        error = msg::kModelUnreadable;
    }
    return false;
}

}  // namespace pw

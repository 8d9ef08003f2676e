#pragma once
#include <cstddef>
#include <string>

#include "import/Mesh.h"

namespace pw {

// The most triangles a model may have, and the largest model file read.
constexpr std::size_t kMaxModelTriangles = 5'000'000;
constexpr long long kMaxModelFileBytes = 1LL << 30;

// Whether the file name ends in one of the model kinds read: .obj, .stl,
// .ply, .gltf, .glb or .3mf (any case).
bool IsModelFileName(const std::string& path);

// Reads a model file with Assimp into triangles, in a child process that
// may take at most 20 seconds and hold at most 2 GiB more than the program,
// so a hostile file can neither hang nor stop the program; the sizes the
// file declares are checked first (see CheckModelSizes). Files a model
// refers to (glTF buffers, OBJ materials) are read from regular files only
// (never devices or pipes) in the model's own folder or below, each at most
// kMaxModelFileBytes. Fails with the message in `error` for an unsupported
// kind, a file that cannot be read, no triangles, too many triangles or
// parts, a zip that unpacks too large or coordinates that are not finite.
bool LoadModelFile(const std::string& path, Mesh& out, std::string& error);

// The same for a model held in memory; `extension` ("obj", "stl", ...) says
// its kind. A model in memory cannot refer to other files. `seconds` (0 for
// the default of 20) limits the time the reading may take.
bool LoadModelFromMemory(const void* data, std::size_t size, const std::string& extension, Mesh& out,
                         std::string& error, int seconds = 0);

}  // namespace pw

#pragma once
#include <cstddef>
#include <string>

namespace pw {

// The bytes of a model file, from a file or from memory.
class ModelBytes {
public:
    virtual ~ModelBytes() = default;
    virtual long long Size() const = 0;
    // Copies at most `size` bytes from `offset` into `to`; how many it copied.
    virtual std::size_t Read(long long offset, void* to, std::size_t size) const = 0;
};

// The most bytes the parts of a 3MF model (a zip file) may unpack to, and
// the most nodes a glTF model's node tree may become once nodes used by
// several parents are copied (each costs Assimp over a kilobyte).
constexpr long long kMaxModelUnpackedBytes = 256LL << 20;
constexpr long long kMaxModelNodes = 100'000;

// Checks the sizes a model declares before Assimp builds what they describe,
// whose allocations follow the declared sizes, not the file's: a glb's
// chunks and a glTF buffer's length must fit the bytes that are there, a
// 3MF zip must not unpack to more than kMaxModelUnpackedBytes, a glTF node
// tree must not become more than kMaxModelNodes nodes or kMaxModelTriangles
// triangles, and a PLY file must not declare more elements than it has
// bytes. `extension` is the model's kind in lower case; `folder` (empty for
// a model in memory) is where a glTF model's own files are. Empty when the
// model may be read, else the message.
std::string CheckModelSizes(const ModelBytes& bytes, const std::string& extension, const std::string& folder);

}  // namespace pw

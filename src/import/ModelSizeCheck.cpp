#include "import/ModelSizeCheck.h"

#include <sys/stat.h>
#include <unzip.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "import/ImportMessages.h"
#include "import/ModelFile.h"

namespace pw {

namespace {

using Json = nlohmann::json;

std::uint32_t Le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool ReadExactly(const ModelBytes& bytes, long long offset, void* to, std::size_t size) {
    return offset >= 0 && offset + static_cast<long long>(size) <= bytes.Size() && bytes.Read(offset, to, size) == size;
}

// A whole number that is not negative, or -1.
long long Count(const Json& object, const char* key) {
    if (!object.is_object()) return -1;
    const auto it = object.find(key);
    if (it == object.end() || !it->is_number_unsigned()) return -1;
    return static_cast<long long>(std::min<std::uint64_t>(it->get<std::uint64_t>(), 1ULL << 62));
}

const Json& Member(const Json& object, const char* key) {
    static const Json kNone;
    if (!object.is_object()) return kNone;
    const auto it = object.find(key);
    return it == object.end() ? kNone : *it;
}

const Json& Item(const Json& array, long long index) {
    static const Json kNone;
    if (!array.is_array() || index < 0 || index >= static_cast<long long>(array.size())) return kNone;
    return array[static_cast<std::size_t>(index)];
}

// Saturating, so that a node tree of 2^60 copies stays a number.
long long Add(long long a, long long b) { return std::min(a + b, 1LL << 61); }

// The triangles a glTF mesh's primitives draw, from their accessors' counts.
long long MeshTriangles(const Json& gltf, const Json& mesh) {
    const Json& accessors = Member(gltf, "accessors");
    long long triangles = 0;
    const Json& primitives = Member(mesh, "primitives");
    if (!primitives.is_array()) return 0;
    for (const Json& primitive : primitives) {
        long long indices = Count(primitive, "indices");
        const long long corners = Count(Item(accessors, indices >= 0 ? indices : Count(Member(primitive, "attributes"), "POSITION")), "count");
        const long long mode = Count(primitive, "mode") < 0 ? 4 : Count(primitive, "mode");
        if (corners <= 0) continue;
        if (mode == 4) triangles = Add(triangles, corners / 3);
        if (mode == 5 || mode == 6) triangles = Add(triangles, corners - 2);
    }
    return triangles;
}

// Declared lengths against the bytes there are: a buffer's against its
// data: text, its file or the glb's binary chunk, a view's against its
// buffer and an accessor's count against its view.
bool LengthsFit(const Json& gltf, long long binaryChunk, const std::string& folder) {
    const Json& buffers = Member(gltf, "buffers");
    std::vector<long long> bufferBytes;
    if (buffers.is_array()) {
        for (const Json& buffer : buffers) {
            const long long length = Count(buffer, "byteLength");
            long long there = -1;  // unknown: Assimp finds out
            const Json& uri = Member(buffer, "uri");
            if (!uri.is_string()) {
                there = bufferBytes.empty() ? binaryChunk : 0;
            } else if (uri.get_ref<const std::string&>().compare(0, 5, "data:") == 0) {
                const std::string& text = uri.get_ref<const std::string&>();
                const std::size_t comma = text.find(',');
                there = comma == std::string::npos ? 0 : static_cast<long long>(text.size() - comma - 1);
            } else if (!folder.empty()) {
                struct stat info {};
                if (::stat((folder + "/" + uri.get<std::string>()).c_str(), &info) == 0 && S_ISREG(info.st_mode))
                    there = info.st_size;
            }
            if (there >= 0 && length > there) return false;
            bufferBytes.push_back(length < 0 ? 0 : length);
        }
    }
    const Json& views = Member(gltf, "bufferViews");
    std::vector<long long> viewBytes;
    if (views.is_array()) {
        for (const Json& view : views) {
            const long long buffer = Count(view, "buffer");
            const long long length = std::max(0LL, Count(view, "byteLength"));
            const long long end = Add(std::max(0LL, Count(view, "byteOffset")), length);
            if (buffer >= 0 && buffer < static_cast<long long>(bufferBytes.size()) &&
                end > bufferBytes[static_cast<std::size_t>(buffer)])
                return false;
            viewBytes.push_back(length);
        }
    }
    const Json& accessors = Member(gltf, "accessors");
    if (accessors.is_array()) {
        for (const Json& accessor : accessors) {
            const long long count = Count(accessor, "count");
            const long long view = Count(accessor, "bufferView");
            // Every element takes a byte at least; one without a view is zeros.
            const long long most = view >= 0 && view < static_cast<long long>(viewBytes.size())
                                       ? viewBytes[static_cast<std::size_t>(view)]
                                       : 3 * static_cast<long long>(kMaxModelTriangles);
            if (count > most) return false;
        }
    }
    return true;
}

// The nodes and triangles Assimp makes of a glTF node tree, where a node
// that several parents name becomes a copy under each. Empty when it may
// be built.
std::string CheckNodeTree(const Json& gltf) {
    const Json& nodes = Member(gltf, "nodes");
    if (!nodes.is_array()) return {};
    const long long n = static_cast<long long>(nodes.size());
    const Json& meshes = Member(gltf, "meshes");
    std::vector<long long> copies(static_cast<std::size_t>(n), 0), triangles(static_cast<std::size_t>(n), 0);
    std::vector<char> state(static_cast<std::size_t>(n), 0);  // 0 new, 1 open, 2 counted
    std::vector<long long> roots;
    std::vector<char> isChild(static_cast<std::size_t>(n), 0);
    for (const Json& node : nodes)
        for (const Json& child : Member(node, "children").is_array() ? Member(node, "children") : Json::array())
            if (child.is_number_unsigned() && child.get<std::uint64_t>() < static_cast<std::uint64_t>(n))
                isChild[child.get<std::size_t>()] = 1;
    const Json& scenes = Member(gltf, "scenes");
    if (scenes.is_array()) {
        for (const Json& scene : scenes)
            for (const Json& root : Member(scene, "nodes").is_array() ? Member(scene, "nodes") : Json::array())
                if (root.is_number_unsigned() && root.get<std::uint64_t>() < static_cast<std::uint64_t>(n))
                    roots.push_back(root.get<long long>());
    } else {
        for (long long k = 0; k < n; ++k)
            if (!isChild[static_cast<std::size_t>(k)]) roots.push_back(k);
    }

    // Depth first without recursion: a chain of a million nodes is a file
    // of a few megabytes.
    long long totalNodes = 0, totalTriangles = 0;
    for (const long long root : roots) {
        std::vector<std::pair<long long, std::size_t>> stack{{root, 0}};
        while (!stack.empty()) {
            auto& [k, next] = stack.back();
            const std::size_t at = static_cast<std::size_t>(k);
            if (state[at] == 2) {
                stack.pop_back();
                continue;
            }
            state[at] = 1;
            const Json& children = Member(Item(nodes, k), "children");
            if (children.is_array() && next < children.size()) {
                const Json& child = children[next++];
                if (!child.is_number_unsigned() || child.get<std::uint64_t>() >= static_cast<std::uint64_t>(n)) continue;
                const std::size_t c = child.get<std::size_t>();
                if (state[c] == 1) return msg::kModelUnreadable;  // a node inside itself
                if (state[c] == 0) stack.push_back({static_cast<long long>(c), 0});
                continue;
            }
            long long nodeCount = 1;
            long long nodeTriangles = MeshTriangles(gltf, Item(meshes, Count(Item(nodes, k), "mesh")));
            if (children.is_array())
                for (const Json& child : children)
                    if (child.is_number_unsigned() && child.get<std::uint64_t>() < static_cast<std::uint64_t>(n)) {
                        nodeCount = Add(nodeCount, copies[child.get<std::size_t>()]);
                        nodeTriangles = Add(nodeTriangles, triangles[child.get<std::size_t>()]);
                    }
            copies[at] = nodeCount;
            triangles[at] = nodeTriangles;
            state[at] = 2;
            stack.pop_back();
        }
        totalNodes = Add(totalNodes, copies[static_cast<std::size_t>(root)]);
        totalTriangles = Add(totalTriangles, triangles[static_cast<std::size_t>(root)]);
    }
    if (totalTriangles > static_cast<long long>(kMaxModelTriangles)) return msg::kModelTooLarge;
    if (totalNodes > kMaxModelNodes) return msg::kModelTooManyNodes;
    return {};
}

std::string CheckGltfJson(const char* begin, const char* end, long long binaryChunk, const std::string& folder) {
    const Json gltf = Json::parse(begin, end, nullptr, false);
    if (gltf.is_discarded() || !gltf.is_object()) return msg::kModelUnreadable;
    if (!LengthsFit(gltf, binaryChunk, folder)) return msg::kModelUnreadable;
    return CheckNodeTree(gltf);
}

std::string CheckGltf(const ModelBytes& bytes, const std::string& folder) {
    std::string text(static_cast<std::size_t>(bytes.Size()), '\0');
    if (!ReadExactly(bytes, 0, text.data(), text.size())) return msg::kModelUnreadable;
    return CheckGltfJson(text.data(), text.data() + text.size(), -1, folder);
}

// A glb file: a header with the file's length, then chunks of JSON and of
// binary data, each led by its length.
std::string CheckGlb(const ModelBytes& bytes, const std::string& folder) {
    unsigned char header[20];
    if (!ReadExactly(bytes, 0, header, sizeof header) || std::memcmp(header, "glTF", 4) != 0)
        return msg::kModelUnreadable;
    const long long length = Le32(header + 8);
    const long long json = Le32(header + 12);
    if (length > bytes.Size() || json > length - 20) return msg::kModelUnreadable;
    if (Le32(header + 4) != 2) return {};  // glTF 1: Assimp checks the body against the length
    long long binary = -1;
    unsigned char chunk[8];
    if (20 + json + 8 <= length && ReadExactly(bytes, 20 + json, chunk, sizeof chunk)) {
        binary = Le32(chunk);
        if (binary > length - (28 + json)) return msg::kModelUnreadable;
    }
    std::string text(static_cast<std::size_t>(json), '\0');
    if (!ReadExactly(bytes, 20, text.data(), text.size())) return msg::kModelUnreadable;
    return CheckGltfJson(text.data(), text.data() + text.size(), std::max(0LL, binary), folder);
}

// minizip reads the zip's directory from the model's bytes.
struct ZipStream {
    const ModelBytes* bytes;
    long long at = 0;
};
voidpf ZipOpen(voidpf opaque, const void*, int) { return new ZipStream{static_cast<const ModelBytes*>(opaque)}; }
uLong ZipRead(voidpf, voidpf stream, void* to, uLong size) {
    auto* s = static_cast<ZipStream*>(stream);
    const std::size_t n = s->bytes->Read(s->at, to, size);
    s->at += static_cast<long long>(n);
    return static_cast<uLong>(n);
}
ZPOS64_T ZipTell(voidpf, voidpf stream) { return static_cast<ZPOS64_T>(static_cast<ZipStream*>(stream)->at); }
long ZipSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* s = static_cast<ZipStream*>(stream);
    const long long base = origin == ZLIB_FILEFUNC_SEEK_SET ? 0 : origin == ZLIB_FILEFUNC_SEEK_CUR ? s->at : s->bytes->Size();
    const long long to = base + static_cast<long long>(offset);
    if (to < 0 || to > s->bytes->Size()) return -1;
    s->at = to;
    return 0;
}
int ZipClose(voidpf, voidpf stream) {
    delete static_cast<ZipStream*>(stream);
    return 0;
}
int ZipError(voidpf, voidpf) { return 0; }

// A 3MF model is a zip file. Assimp unpacks each part into a buffer of the
// size the zip's central directory gives and reads no more than that into
// it, so those sizes bound what it holds, whatever the data would inflate to.
std::string Check3mf(const ModelBytes& bytes) {
    zlib_filefunc64_def io{};
    io.zopen64_file = ZipOpen;
    io.zread_file = ZipRead;
    io.ztell64_file = ZipTell;
    io.zseek64_file = ZipSeek;
    io.zclose_file = ZipClose;
    io.zerror_file = ZipError;
    io.opaque = const_cast<ModelBytes*>(&bytes);
    unzFile zip = unzOpen2_64("model", &io);
    if (!zip) return {};  // not a zip: Assimp says so
    long long unpacked = 0;
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK; at = unzGoToNextFile(zip)) {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) break;
        unpacked = Add(unpacked, static_cast<long long>(std::min<ZPOS64_T>(info.uncompressed_size, 1ULL << 62)));
    }
    unzClose(zip);
    return unpacked > kMaxModelUnpackedBytes ? msg::kModelUnpacksTooLarge : std::string();
}

// A PLY file's header declares its elements' counts, for which Assimp makes
// room before reading them; each element takes a byte of the file at least.
std::string CheckPly(const ModelBytes& bytes) {
    std::string head(static_cast<std::size_t>(std::min<long long>(bytes.Size(), 1 << 16)), '\0');
    head.resize(bytes.Read(0, head.data(), head.size()));
    const std::size_t end = head.find("end_header");
    if (end == std::string::npos) return {};
    std::istringstream lines(head.substr(0, end));
    std::string line;
    long long elements = 0;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word, name;
        long long count = 0;
        if (words >> word >> name >> count && word == "element" && count > 0) elements = Add(elements, count);
    }
    return elements > bytes.Size() ? msg::kModelUnreadable : std::string();
}

}  // namespace

std::string CheckModelSizes(const ModelBytes& bytes, const std::string& extension, const std::string& folder) {
    // By the name and by the first bytes, in case Assimp goes by the latter.
    char first[4] = {};
    bytes.Read(0, first, sizeof first);
    const auto starts = [&first](const char* magic) { return std::memcmp(first, magic, 4) == 0; };
    try {
        if (extension == "glb" || starts("glTF")) return CheckGlb(bytes, folder);
        if (extension == "gltf" || first[0] == '{') return CheckGltf(bytes, folder);
        if (extension == "3mf" || starts("PK\3\4")) return Check3mf(bytes);
        if (extension == "ply" || starts("ply\n") || starts("ply\r")) return CheckPly(bytes);
    } catch (const std::exception&) {
        return msg::kModelUnreadable;
    }
    return {};
}

}  // namespace pw

#include "import/ModelFile.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <assimp/DefaultIOSystem.h>
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "import/ImportMessages.h"
#include "import/ModelSizeCheck.h"

namespace pw {

namespace {

// The absolute path without links, "." or ".."; empty when there is none.
std::string RealPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

// The real path of the folder a file is named in.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return RealPath(".");
    return RealPath(slash == 0 ? "/" : path.substr(0, slash));
}

// Whether `real` is a path below the folder `folder` (both real paths).
bool IsBelow(const std::string& real, const std::string& folder) {
    if (folder.empty() || real.size() <= folder.size() || real.compare(0, folder.size(), folder) != 0) return false;
    return folder == "/" || real[folder.size()] == '/';
}

// A model file's bytes, read where the checks ask.
class FileBytes : public ModelBytes {
public:
    explicit FileBytes(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        struct stat info {};
        if (fd_ >= 0 && ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode)) size_ = info.st_size;
    }
    ~FileBytes() override {
        if (fd_ >= 0) ::close(fd_);
    }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    long long Size() const override { return size_; }
    std::size_t Read(long long offset, void* to, std::size_t size) const override {
        std::size_t done = 0;
        while (done < size && offset + static_cast<long long>(done) < size_) {
            const ssize_t n = ::pread(fd_, static_cast<char*>(to) + done, size - done, offset + static_cast<long long>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

private:
    int fd_;
    long long size_ = 0;
};

class MemoryBytes : public ModelBytes {
public:
    MemoryBytes(const void* data, std::size_t size) : data_(static_cast<const char*>(data)), size_(size) {}
    long long Size() const override { return static_cast<long long>(size_); }
    std::size_t Read(long long offset, void* to, std::size_t size) const override {
        if (offset < 0 || static_cast<std::size_t>(offset) >= size_) return 0;
        const std::size_t n = std::min(size, size_ - static_cast<std::size_t>(offset));
        std::memcpy(to, data_ + offset, n);
        return n;
    }

private:
    const char* data_;
    std::size_t size_;
};

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

// Assimp's file access, narrowed to regular files of bounded size inside
// the model's own folder (and below): a model that names /dev/zero or a
// fifo as its buffer must not hang the program, and one that names
// /etc/passwd or ../../x.bin must not read it.
class FolderFilesOnly : public Assimp::DefaultIOSystem {
public:
    // A model reached through a link may name its files beside the link or
    // beside the file the link leads to.
    explicit FolderFilesOnly(const std::string& model)
        : model_(RealPath(model)), named_(FolderOf(model)), real_(FolderOf(model_)) {}
    bool Exists(const char* file) const override { return Acceptable(file); }
    Assimp::IOStream* Open(const char* file, const char* mode) override {
        if (!mode || mode[0] != 'r' || !Acceptable(file)) return nullptr;
        return Assimp::DefaultIOSystem::Open(file, mode);
    }

private:
    bool Acceptable(const char* file) const {
        struct stat info {};
        if (!file || ::stat(file, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxModelFileBytes)
            return false;
        // Links and "..": the file's own place decides.
        const std::string real = RealPath(file);
        return !real.empty() && (real == model_ || IsBelow(real, named_) || IsBelow(real, real_));
    }

    std::string model_, named_, real_;
};

// No file access at all, for a model held in memory.
class NoFiles : public Assimp::DefaultIOSystem {
public:
    bool Exists(const char*) const override { return false; }
    Assimp::IOStream* Open(const char*, const char*) override { return nullptr; }
};

unsigned ImportFlags() {
    // Only the check of the data structure, which turns a broken scene into
    // a failed read. Assimp's own triangulation is left out: on some broken
    // polygons it stops the whole program with a failed assertion, so the
    // collector below splits polygons into triangles itself.
    return aiProcess_ValidateDataStructure;
}

void Configure(Assimp::Importer& importer) { importer.SetPropertyBool(AI_CONFIG_IMPORT_NO_SKELETON_MESHES, true); }

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

    // Points and lines have no area and are left out; a polygon becomes a
    // fan of triangles around its first corner.
    void AddMesh(const aiMesh& mesh, const aiMatrix4x4& place) {
        if (!mesh.mVertices || !mesh.mFaces) return;
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices < 3 || !face.mIndices) continue;
            for (unsigned k = 1; k + 1 < face.mNumIndices; ++k) {
                if (out_.Triangles() >= kMaxModelTriangles) {
                    tooLarge_ = true;
                    return;
                }
                for (unsigned c : {0u, k, k + 1}) AddCorner(mesh, face.mIndices[c], place);
            }
        }
    }

    void AddCorner(const aiMesh& mesh, unsigned v, const aiMatrix4x4& place) {
        const aiVector3D p = v < mesh.mNumVertices ? place * mesh.mVertices[v] : aiVector3D(NAN, NAN, NAN);
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) notFinite_ = true;
        out_.corners.push_back({p.x, p.y, p.z});
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

// Assimp's readers are not built for hostile files: some broken files make
// them loop for ever, stop the program on a failed assertion or take all
// memory. So a model is read in a child process of its own, under a time
// limit and a memory limit, which sends the triangles back through a pipe;
// whatever happens to the child, the program goes on and reports the model
// as unreadable.
constexpr int kReadSeconds = 20;
// The child's memory, held two ways. It may map at most this much beyond
// what the program had mapped when it forked (counted from there, the
// limit leaves room for a desktop program's graphics drivers), so that an
// allocation past it fails at once. AddressSanitizer serves allocations
// from ranges it reserved before, which that limit does not see; so the
// parent also watches the child's resident memory and stops it past the
// same size, which holds in every build.
constexpr unsigned long long kChildMemoryBytes = 2ULL << 30;
constexpr int kWatchMilliseconds = 20;

// The first ("mapped") or second ("resident") figure of /proc/PID/statm, in bytes.
unsigned long long StatmBytes(const std::string& process, int field) {
    unsigned long long pages[2] = {0, 0};
    if (std::FILE* statm = std::fopen(("/proc/" + process + "/statm").c_str(), "r")) {
        if (std::fscanf(statm, "%llu %llu", &pages[0], &pages[1]) != 2) pages[0] = pages[1] = 0;
        std::fclose(statm);
    }
    return pages[field] * static_cast<unsigned long long>(::sysconf(_SC_PAGESIZE));
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads exactly `size` bytes from the child unless the deadline passes, the
// pipe ends or the child holds more than kChildMemoryBytes.
struct Child {
    pid_t pid;
    unsigned long long residentAtFork;  // the pages it shares with the program count too
};

bool ReadAll(int fd, void* data, std::size_t size, std::chrono::steady_clock::time_point deadline, const Child& child) {
    char* p = static_cast<char*>(data);
    const std::string process = std::to_string(child.pid);
    while (size > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(std::min<long long>(left.count(), kWatchMilliseconds)));
        if (ready < 0 && errno == EINTR) continue;
        // Checked while the child works, not while it sends its triangles.
        if (ready == 0 && StatmBytes(process, 1) > child.residentAtFork + kChildMemoryBytes) return false;
        if (ready <= 0) continue;
        const ssize_t n = ::read(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The child's side: reads the model and sends "1", the corner count and the
// corners, or "0", the message's length and the message.
[[noreturn]] void ReadInChild(int fd, const std::function<std::string()>& check,
                              const std::function<const aiScene*(Assimp::Importer&)>& read, int seconds) {
    // A fault or failed assertion ends the child at once, without the crash
    // handlers the program may have set up (a sanitizer's or a fuzzer's,
    // which would report the parent's input as a crash); so does the alarm.
    for (int sig : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGALRM}) ::signal(sig, SIG_DFL);
    ::alarm(static_cast<unsigned>(seconds));
    const rlim_t limit = StatmBytes("self", 0) + kChildMemoryBytes;
    rlimit memory{limit, limit};
    ::setrlimit(RLIMIT_AS, &memory);
    Mesh mesh;
    std::string error;
    try {
        error = check();
        if (error.empty()) {
            Assimp::Importer importer;
            Configure(importer);
            Finish(read(importer), mesh, error);
        }
    } catch (const std::bad_alloc&) {
        error = msg::kModelTooLarge;
    } catch (...) {
        error = msg::kModelUnreadable;
    }
    const char ok = error.empty() ? 1 : 0;
    bool sent = WriteAll(fd, &ok, 1);
    if (ok) {
        const std::uint64_t count = mesh.corners.size();
        sent = sent && WriteAll(fd, &count, sizeof count) &&
               WriteAll(fd, mesh.corners.data(), mesh.corners.size() * sizeof(mesh.corners[0]));
    } else {
        const std::uint32_t length = static_cast<std::uint32_t>(error.size());
        sent = sent && WriteAll(fd, &length, sizeof length) && WriteAll(fd, error.data(), error.size());
    }
    ::_exit(sent ? 0 : 1);
}

// `check` runs first in the child: the declared sizes, before Assimp builds
// what they describe.
bool ReadIsolated(const std::function<std::string()>& check, const std::function<const aiScene*(Assimp::Importer&)>& read,
                  int seconds, Mesh& out, std::string& error) {
    error = msg::kModelUnreadable;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    const unsigned long long resident = StatmBytes("self", 1);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        ::close(fds[0]);
        ReadInChild(fds[1], check, read, seconds);
    }
    ::close(fds[1]);
    const Child watched{child, resident};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds + 1);
    bool done = false;
    char ok = 0;
    if (ReadAll(fds[0], &ok, 1, deadline, watched)) {
        if (ok == 1) {
            std::uint64_t count = 0;
            Mesh mesh;
            if (ReadAll(fds[0], &count, sizeof count, deadline, watched) && count % 3 == 0 && count / 3 <= kMaxModelTriangles) {
                mesh.corners.resize(static_cast<std::size_t>(count));
                if (ReadAll(fds[0], mesh.corners.data(), mesh.corners.size() * sizeof(mesh.corners[0]), deadline, watched)) {
                    out = std::move(mesh);
                    error.clear();
                    done = true;
                }
            }
        } else {
            std::uint32_t length = 0;
            if (ReadAll(fds[0], &length, sizeof length, deadline, watched) && length < 1000) {
                std::string message(length, '\0');
                if (ReadAll(fds[0], message.data(), length, deadline, watched)) error = message;
            }
        }
    }
    ::close(fds[0]);
    ::kill(child, SIGKILL);  // gone already unless it hangs
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return done;
}

}  // namespace

bool IsModelFileName(const std::string& path) { return IsModelExtension(LowerExtension(path)); }

bool LoadModelFile(const std::string& path, Mesh& out, std::string& error) {
    if (!IsModelFileName(path)) {
        error = msg::kModelUnsupported;
        return false;
    }
    const std::string ext = LowerExtension(path);
    return ReadIsolated(
        [&path, &ext] { return CheckModelSizes(FileBytes(path), ext, FolderOf(path)); },
        [&path](Assimp::Importer& importer) {
            importer.SetIOHandler(new FolderFilesOnly(path));  // the importer owns it
            return importer.ReadFile(path, ImportFlags());
        },
        kReadSeconds, out, error);
}

bool LoadModelFromMemory(const void* data, std::size_t size, const std::string& extension, Mesh& out,
                         std::string& error, int seconds) {
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
    return ReadIsolated(
        [data, size, &ext] { return CheckModelSizes(MemoryBytes(data, size), ext, std::string()); },
        [data, size, &ext](Assimp::Importer& importer) {
            importer.SetIOHandler(new NoFiles);
            return importer.ReadFileFromMemory(data, size, ImportFlags(), ext.c_str());
        },
        seconds > 0 ? seconds : kReadSeconds, out, error);
}

}  // namespace pw

#include "output/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

namespace pw {

namespace {

// The file that will really be replaced: the target of a symbolic link.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved)) return resolved;
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool WriteFileReplacing(const std::string& path, std::string_view bytes, FileReplaceFailure* why) {
    FileReplaceFailure unused = FileReplaceFailure::None;
    FileReplaceFailure& failure = why ? *why : unused;
    failure = FileReplaceFailure::CannotCreate;
    if (path.empty() || path.back() == '/') return false;
    const std::string target = ResolveTarget(path);

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;

    // O_EXCL with a fresh random name: the new file gets the usual
    // permissions under the umask, never someone else's file.
    std::random_device seed;
    std::mt19937 rng(seed());
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 50 && fd < 0; ++attempt) {
        temp = FolderOf(target) + "/." + NameOf(target) + ".tmp" + std::to_string(rng() % 1000000000u);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    failure = FileReplaceFailure::CannotWrite;
    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    if (ok && exists) ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    if (ok) ok = ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    if (ok) failure = FileReplaceFailure::None;
    return ok;
}

bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return WriteFileReplacing(path,
                              std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace pw

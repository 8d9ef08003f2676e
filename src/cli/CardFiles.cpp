#include "cli/CardFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>

#include "cli/CliMessages.h"
#include "edit/EditedCard.h"
#include "model/CardFile.h"
#include "model/Messages.h"

namespace pw {

std::string EndsEarlyNote(int columnsHeld, int columns) {
    if (columnsHeld >= columns) return {};
    std::string text = msg::kCardFileEndsEarly;
    text.replace(text.find("%1"), 2, std::to_string(columnsHeld));
    text.replace(text.find("%2"), 2, std::to_string(columns));
    return text;
}

bool ReadCardOrReport(const std::string& path, EditedCard& model, std::ostream& err) {
    CardReadError why = CardReadError::None;
    int held = 0;
    if (ReadCard(path, model, &why, &held)) {
        const std::string note = EndsEarlyNote(held, model.grid.gridWidth - 2);
        if (!note.empty()) PrintWarning(err, path, note);
        return true;
    }
    PrintError(err, path, why == CardReadError::VersionTooNew ? msg::kVersionTooNew : msg::kFileCouldNotBeRead);
    return false;
}

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Creates a fresh file beside `path`; its mode follows the umask as a plain
// new file's would.
int CreateTemporary(const std::string& path, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

bool WriteCardOrReport(const std::string& path, const CellGrid& grid, std::ostream& err) {
    std::ostringstream text;
    WriteCard(text, grid);
    std::string tempPath;
    const int fd = CreateTemporary(path, tempPath);
    bool ok = fd >= 0;
    if (ok) {
        ok = WriteAll(fd, text.str());
        ok = (::close(fd) == 0) && ok;
        ok = ok && std::rename(tempPath.c_str(), path.c_str()) == 0;
        if (!ok) std::remove(tempPath.c_str());
    }
    if (!ok) PrintError(err, path, msg::kFileOpenFailed);
    return ok;
}

}  // namespace pw

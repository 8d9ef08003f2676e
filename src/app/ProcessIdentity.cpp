#include "app/ProcessIdentity.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <limits>

namespace pw {

namespace {

// A small file of /proc, read whole; nothing when it cannot be read.
std::optional<std::string> ReadProcFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > 64 * 1024) return std::nullopt;
    }
    return text;
}

std::string ReadBootId() {
    auto text = ReadProcFile("/proc/sys/kernel/random/boot_id");
    if (!text) return std::string();
    while (!text->empty() && (text->back() == '\n' || text->back() == ' ')) text->pop_back();
    // Only a plain identifier can be written into the lock.
    if (text->empty() || text->size() > 64) return std::string();
    for (char c : *text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-'))
            return std::string();
    return *text;
}

}  // namespace

std::optional<ProcStat> ParseProcStat(std::string_view text) {
    const auto close = text.rfind(')');
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(close + 1);
    // Fields 3 (state) to 22 (start time) follow the command name.
    ProcStat stat;
    for (int field = 3; field <= 22; ++field) {
        while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        if (rest.empty()) return std::nullopt;
        auto end = rest.find_first_of(" \n");
        if (end == std::string_view::npos) end = rest.size();
        const std::string_view value = rest.substr(0, end);
        rest.remove_prefix(end);
        if (field == 3) {
            if (value.size() != 1) return std::nullopt;
            stat.state = value[0];
        } else if (field == 22) {
            if (value.empty() || value.size() > 20) return std::nullopt;
            std::uint64_t ticks = 0;
            for (char c : value) {
                if (c < '0' || c > '9') return std::nullopt;
                const auto digit = static_cast<std::uint64_t>(c - '0');
                if (ticks > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
                ticks = ticks * 10 + digit;
            }
            stat.startTicks = ticks;
        }
    }
    return stat;
}

RecoveryLock CurrentProcessLock() {
    RecoveryLock lock;
    lock.pid = static_cast<long>(::getpid());
    if (const auto text = ReadProcFile("/proc/self/stat"))
        if (const auto stat = ParseProcStat(*text)) lock.startTicks = stat->startTicks;
    lock.bootId = ReadBootId();
    return lock;
}

bool IsLockOwnerRunning(const RecoveryLock& lock) {
    if (lock.pid <= 0 || lock.pid > std::numeric_limits<int>::max()) return false;
    const bool recordedFully = lock.startTicks != 0 && !lock.bootId.empty();
    if (recordedFully) {
        const std::string bootId = ReadBootId();
        if (!bootId.empty() && bootId != lock.bootId) return false;  // the machine was restarted since
        const auto text = ReadProcFile("/proc/" + std::to_string(lock.pid) + "/stat");
        if (text) {
            const auto stat = ParseProcStat(*text);
            if (!stat) return true;  // unreadable: better to leave a copy alone than to take it
            return stat->startTicks == lock.startTicks && stat->state != 'Z' && stat->state != 'X';
        }
        if (!bootId.empty()) return false;  // /proc works, and has no such process
    }
    // Without /proc only the process id can be asked about.
    const pid_t pid = static_cast<pid_t>(lock.pid);
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace pw

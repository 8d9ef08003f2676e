#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/RecoveryFiles.h"

namespace pw {

// This program's process as a recovery lock records it: its process id, the
// moment it started (clock ticks since boot, from /proc/self/stat) and the
// machine's boot id (/proc/sys/kernel/random/boot_id). Without /proc the
// start and the boot id stay unknown (0 and empty).
RecoveryLock CurrentProcessLock();

// Whether the process that wrote `lock` still runs. With a boot id and a
// start time recorded, only the very same process counts: after a restart
// of the machine, or when the process id now belongs to a process that
// started at another moment, the owner is gone. A zombie is gone too.
bool IsLockOwnerRunning(const RecoveryLock& lock);

// The state letter and the start time (field 22) of a /proc/<pid>/stat
// text. The command name in parentheses may hold any characters, blanks and
// parentheses included, so the fields are counted from its last ")".
struct ProcStat {
    char state = '?';
    std::uint64_t startTicks = 0;
};
std::optional<ProcStat> ParseProcStat(std::string_view text);

}  // namespace pw

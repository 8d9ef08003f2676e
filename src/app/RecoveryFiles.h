#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// The files a running program keeps in the recovery folder. Each program has
// a stem of its own, "card-<pid>-<random>", and up to three files under it:
//   <stem>.kpf   the recovery copy: the card in its kind's file format (a
//                free-form card's JSON under the same name; read by content);
//   <stem>.info  what the copy is: the card's own file (or none) and title,
//                and when the card last changed;
//   <stem>.lock  who owns the copy: the program's process, so that another
//                program leaves the copy alone while its owner runs.
// Every file is written through a hidden temporary file ".<name>.tmp<n>"
// that replaces it whole.
enum class RecoveryFileKind { Copy, Info, Lock, Temporary };

struct RecoveryFileName {
    std::string stem;
    RecoveryFileKind kind = RecoveryFileKind::Copy;
};

// A fresh stem for the program with process id `pid`; `random` keeps two
// programs apart that had the same process id (one after the other).
std::string MakeRecoveryStem(long pid, std::uint64_t random);
// The stem and kind of a file in the recovery folder, or nothing for a name
// that is not one of ours.
std::optional<RecoveryFileName> ParseRecoveryFileName(std::string_view name);
std::string RecoveryCopyName(const std::string& stem);
std::string RecoveryInfoName(const std::string& stem);
std::string RecoveryLockName(const std::string& stem);

// The text beside a copy. Times are milliseconds since 1970-01-01 UTC.
struct RecoveryInfo {
    std::string cardPath;  // the card's own file; empty when it has none
    std::string title;     // the window's title of the card
    std::int64_t changedMs = 0;
};
std::string FormatRecoveryInfo(const RecoveryInfo& info);
// Nothing when the text is not a whole info text of this format.
std::optional<RecoveryInfo> ParseRecoveryInfo(std::string_view text);

// The owner of a copy: a process is the same process only when the machine
// was not restarted since (boot id), the process id matches and the process
// started at the same moment (in clock ticks since boot), so a process id
// that came back to another program does not count as the owner.
struct RecoveryLock {
    long pid = 0;
    std::uint64_t startTicks = 0;
    std::string bootId;
};
std::string FormatRecoveryLock(const RecoveryLock& lock);
std::optional<RecoveryLock> ParseRecoveryLock(std::string_view text);

// What the scan of the recovery folder found under one stem.
struct RecoveryEntry {
    std::string stem;
    bool hasCopy = false;
    bool lockPresent = false;
    std::optional<RecoveryLock> lock;  // the lock file's contents, when readable
};

enum class RecoveryEntryState {
    Owned,     // its owner runs: not ours to touch
    Orphaned,  // a copy whose owner is gone: offer it
    Leftover,  // no copy and no running owner: files to tidy away
};

// Whether each entry belongs to a running program. A copy without a lock, or
// with a lock that cannot be read, has no owner: a program writes its lock
// before its first copy and removes the lock last.
RecoveryEntryState ClassifyRecoveryEntry(const RecoveryEntry& entry,
                                         const std::function<bool(const RecoveryLock&)>& ownerRunning);

}  // namespace pw

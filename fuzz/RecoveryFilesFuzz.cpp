// Feeds arbitrary text to the readers of the recovery folder's files: the
// first byte chooses the reader ('i' the info beside a copy, 'l' the owner's
// lock, 'p' a /proc/<pid>/stat text, anything else a file name), the rest is
// the text. No input may fault; what a reader accepts must be written back
// the same way and read back as the same values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "app/ProcessIdentity.h"
#include "app/RecoveryFiles.h"

namespace {

using pw::fuzz::Require;

void CheckInfo(std::string_view text) {
    const auto info = pw::ParseRecoveryInfo(text);
    if (!info) return;
    const std::string written = pw::FormatRecoveryInfo(*info);
    const auto back = pw::ParseRecoveryInfo(written);
    Require(back.has_value(), "a written info reads back");
    Require(back->cardPath == info->cardPath && back->title == info->title && back->changedMs == info->changedMs,
            "a written info reads back as it was");
    Require(pw::FormatRecoveryInfo(*back) == written, "the info text is written one way");
}

void CheckLock(std::string_view text) {
    const auto lock = pw::ParseRecoveryLock(text);
    if (!lock) return;
    Require(lock->pid > 0, "a lock names a process");
    const auto back = pw::ParseRecoveryLock(pw::FormatRecoveryLock(*lock));
    Require(back.has_value(), "a written lock reads back");
    Require(back->pid == lock->pid && back->startTicks == lock->startTicks && back->bootId == lock->bootId,
            "a written lock reads back as it was");
}

void CheckName(std::string_view name) {
    const auto parsed = pw::ParseRecoveryFileName(name);
    if (!parsed) return;
    Require(parsed->stem.find('/') == std::string::npos && !parsed->stem.empty() && parsed->stem[0] != '.',
            "a stem names a file in the folder itself");
    for (const std::string& own :
         {pw::RecoveryCopyName(parsed->stem), pw::RecoveryInfoName(parsed->stem), pw::RecoveryLockName(parsed->stem)}) {
        const auto again = pw::ParseRecoveryFileName(own);
        Require(again.has_value() && again->stem == parsed->stem, "the stem's own files are recognised");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0]) {
        case 'i': CheckInfo(text); break;
        case 'l': CheckLock(text); break;
        case 'p': pw::ParseProcStat(text); break;
        default: CheckName(text); break;
    }
    return 0;
}

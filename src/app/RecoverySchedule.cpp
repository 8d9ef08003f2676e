#include "app/RecoverySchedule.h"

#include <algorithm>

namespace pw {

std::int64_t RecoverySchedule::DueAt(std::int64_t dirtySince, std::int64_t lastChange, std::int64_t lastWrite) {
    const std::int64_t settled = std::min(lastChange + kSettleMs, dirtySince + kMaxDelayMs);
    // The previous copy was written before the first change it lacks, so
    // this never moves the copy past dirtySince + kMaxDelayMs.
    return std::max(settled, lastWrite + kMinIntervalMs);
}

void RecoverySchedule::NoteChange(std::int64_t now) {
    if (!pending_) {
        pending_ = true;
        dirtySince_ = lastChange_ = now;
        // Before the first copy nothing holds the next one back.
        if (!wroteOnce_) lastWrite_ = now - kMinIntervalMs;
        return;
    }
    lastChange_ = std::max(lastChange_, now);
}

void RecoverySchedule::NoteWritten(std::int64_t now) {
    pending_ = false;
    wroteOnce_ = true;
    lastWrite_ = now;
}

}  // namespace pw

#pragma once
#include <cstdint>

namespace pw {

// When the recovery copy of a changed card is written. Times are
// milliseconds on a steady clock.
//
// A copy follows the changes closely but not with every key: it waits until
// the edits pause for a moment (kSettleMs), yet never longer than
// kMaxDelayMs after the first change it does not hold yet, and two copies
// are at least kMinIntervalMs apart. So while edits keep coming a copy is
// written about every two seconds, and when they stop one is written half a
// second later.
struct RecoverySchedule {
    static constexpr std::int64_t kMaxDelayMs = 2000;
    static constexpr std::int64_t kMinIntervalMs = 1000;
    static constexpr std::int64_t kSettleMs = 500;

    // The moment the next copy is due, for a card that has changes no copy
    // holds: the first of them at `dirtySince`, the last at `lastChange`;
    // `lastWrite` is when the previous copy was written (or a moment long
    // before, when none was).
    static std::int64_t DueAt(std::int64_t dirtySince, std::int64_t lastChange, std::int64_t lastWrite);

    // The card changed at `now`.
    void NoteChange(std::int64_t now);
    // A copy of the card as it is at `now` went to be written.
    void NoteWritten(std::int64_t now);
    // Nothing is left to write (the card was saved or replaced).
    void Clear() { pending_ = false; }

    bool Pending() const { return pending_; }
    // Valid while Pending().
    std::int64_t DueAt() const { return DueAt(dirtySince_, lastChange_, lastWrite_); }

private:
    bool pending_ = false;
    bool wroteOnce_ = false;
    std::int64_t dirtySince_ = 0;
    std::int64_t lastChange_ = 0;
    std::int64_t lastWrite_ = 0;
};

}  // namespace pw

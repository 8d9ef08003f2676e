#pragma once

namespace pw::msg {

// The texts of the recovery copies and of the offer to recover them.
inline constexpr const char* kRecoverTitle = "Recover unsaved card";
inline constexpr const char* kRecoverIntroOne =
    "Popwright ended before this card was saved. Recover it to go on working on it, "
    "discard it, or decide later: it is offered again at the next start.";
inline constexpr const char* kRecoverIntroMany =
    "Popwright ended before these cards were saved. Recover one to go on working on it, "
    "discard it, or decide later: they are offered again at the next start.";
inline constexpr const char* kRecoverColumnCard = "Card";
inline constexpr const char* kRecoverColumnChanged = "Last changed";
inline constexpr const char* kRecoverButton = "Recover";
inline constexpr const char* kDiscardButton = "Discard";
inline constexpr const char* kLaterButton = "Later";
// The title of a recovered card; %1 names the card it was.
inline constexpr const char* kRecoveredTitle = "%1 (recovered)";
// Shown once in the status bar; %1 is the recovery folder, with ~ for the
// home folder so that it fits.
inline constexpr const char* kCannotKeepCopies = "Recovery copies cannot be kept: %1 cannot be written.";

}  // namespace pw::msg

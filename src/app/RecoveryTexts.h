#pragma once
#include "model/TranslatableText.h"

namespace pw::msg {

// The texts of the recovery copies and of the offer to recover them.
inline constexpr const char* kRecoverTitle = PW_TRANSLATE_NOOP("Messages", "Recover unsaved card");
inline constexpr const char* kRecoverIntroOne = PW_TRANSLATE_NOOP("Messages",
    "Popwright ended before this card was saved. Recover it to go on working on it, "
    "discard it, or decide later: it is offered again at the next start.");
inline constexpr const char* kRecoverIntroMany = PW_TRANSLATE_NOOP("Messages",
    "Popwright ended before these cards were saved. Recover one to go on working on it, "
    "discard it, or decide later: they are offered again at the next start.");
inline constexpr const char* kRecoverColumnCard = PW_TRANSLATE_NOOP("Messages", "Card");
inline constexpr const char* kRecoverColumnChanged = PW_TRANSLATE_NOOP("Messages", "Last changed");
inline constexpr const char* kRecoverButton = PW_TRANSLATE_NOOP("Messages", "Recover");
inline constexpr const char* kDiscardButton = PW_TRANSLATE_NOOP("Messages", "Discard");
inline constexpr const char* kLaterButton = PW_TRANSLATE_NOOP("Messages", "Later");
// The title of a recovered card; %1 names the card it was.
inline constexpr const char* kRecoveredTitle = PW_TRANSLATE_NOOP("Messages", "%1 (recovered)");
// Shown once in the status bar; %1 is the recovery folder, with ~ for the
// home folder so that it fits.
inline constexpr const char* kCannotKeepCopies = PW_TRANSLATE_NOOP("Messages", "Recovery copies cannot be kept: %1 cannot be written.");

}  // namespace pw::msg

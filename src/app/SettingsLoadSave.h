#pragma once

namespace pw {

struct AppSettings;
struct EditedCard;
struct WindowPlacement;
class SettingsStore;

// The store's section that holds every entry.
inline constexpr const char* kSettingsSection = "Settings";
// The stored choice of language (AppSettings::language), read again before
// the first window is built.
inline constexpr const char* kLanguageEntry = "language";

// Reads the settings as SettingsSchema.h describes them (the card size
// clamped or back to 16 by 8, the other numbers kept when their entry is
// absent, empty or not a number), makes the first card with
// NewCard(cardWidth + 2, cardHeight + 1), and last reads "cellSizeMm" (a decimal number,
// kept only when it is 0 or within the cell size limits). Fills *placement and returns true exactly
// when "WindowPos" holds all ten numbers; otherwise *placement is untouched.
bool LoadSettings(const SettingsStore& store, AppSettings& settings, EditedCard& model, WindowPlacement* placement);

// Writes "WindowPos", "cardSize", every one-number entry and "cellSizeMm" as text.
void SaveSettings(SettingsStore& store, const AppSettings& settings, const WindowPlacement& placement);

}  // namespace pw

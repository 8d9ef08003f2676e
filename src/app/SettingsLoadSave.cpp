#include "app/SettingsLoadSave.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "app/ScanInt.h"
#include "app/SettingsStore.h"
#include "app/WindowPlacement.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "output/CutterPattern.h"
#include "output/PatternOptions.h"

namespace pw {

namespace {

constexpr int kPlacementFields = 10;

// The placement's fields in the order "WindowPos" stores them.
int* PlacementField(WindowPlacement& p, int i) {
    int* const fields[kPlacementFields] = {&p.flags, &p.showCmd, &p.minX, &p.minY, &p.maxX,
                                           &p.maxY,  &p.left,    &p.top,  &p.right, &p.bottom};
    return fields[i];
}

// The one-integer entries, in the order they are read and written. drawGrid
// follows them: only its low byte is kept.
struct IntEntry {
    const char* name;
    std::int32_t AppSettings::*field;
};
constexpr IntEntry kIntEntries[] = {
    {"colorBack", &AppSettings::colorBack},
    {"colorPaper0", &AppSettings::colorPaper0},
    {"colorPaper1", &AppSettings::colorPaper1},
    {"colorEdge", &AppSettings::colorEdge},
    {"soundMode", &AppSettings::soundMode},
    {"reverseMode", &AppSettings::reverseMode},
    {"rudovozuSizeRatio", &AppSettings::rudovozuSizeRatio},
    {"rudovozuSizeBMP", &AppSettings::rudovozuSizeBMP},
};

void ReadInt(const SettingsStore& store, const char* entry, std::int32_t& field) {
    std::int32_t value = 0;
    if (ScanInt(store.GetText(kSettingsSection, entry), value)) field = value;
}

void WriteInt(SettingsStore& store, const char* entry, long long value) {
    store.SetText(kSettingsSection, entry, std::to_string(value));
}

// The cell size, a decimal number of millimetres kept to a micrometre; text
// that is no such number, or a size the Setting dialog would refuse, keeps
// the current value.
constexpr const char* kCellSizeEntry = "cellSizeMm";

void ReadCellSize(const SettingsStore& store, double& field) {
    double value = 0;
    if (!ParseDecimal(store.GetText(kSettingsSection, kCellSizeEntry), value)) return;
    value = std::round(value * 1000) / 1000;
    if (CellSizeAllowed(value)) field = value;
}

}  // namespace

bool LoadSettings(const SettingsStore& store, AppSettings& settings, EditedCard& model, WindowPlacement* placement) {
    std::int32_t size[2] = {0, 0};
    if (ScanIntList(store.GetText(kSettingsSection, "cardSize"), size, 2) == 2) {
        // A size outside the dialog's ranges (below 1 it would not even make
        // a usable grid) is brought into them.
        settings.cardWidth = std::clamp<int>(size[0], kMinCardWidth, kMaxCardWidth);
        settings.cardHeight = std::clamp<int>(size[1], kMinCardHeight, kMaxCardHeight);
    } else {
        settings.cardWidth = 16;
        settings.cardHeight = 8;
    }
    model.NewCard(settings.cardWidth + 2, settings.cardHeight + 1);

    for (const IntEntry& entry : kIntEntries) ReadInt(store, entry.name, settings.*entry.field);
    std::int32_t drawGrid = 0;
    if (ScanInt(store.GetText(kSettingsSection, "drawGrid"), drawGrid))
        settings.drawGrid = static_cast<std::uint8_t>(drawGrid & 0xFF);
    ReadCellSize(store, settings.cellSizeMm);
    settings.language = store.GetText(kSettingsSection, kLanguageEntry);

    std::int32_t pos[kPlacementFields] = {};
    if (ScanIntList(store.GetText(kSettingsSection, "WindowPos"), pos, kPlacementFields) != kPlacementFields)
        return false;
    if (placement)
        for (int i = 0; i < kPlacementFields; ++i) *PlacementField(*placement, i) = pos[i];
    return true;
}

void SaveSettings(SettingsStore& store, const AppSettings& settings, const WindowPlacement& placement) {
    WindowPlacement p = placement;
    std::string pos;
    for (int i = 0; i < kPlacementFields; ++i) {
        if (i > 0) pos += ':';
        pos += std::to_string(*PlacementField(p, i));
    }
    store.SetText(kSettingsSection, "WindowPos", pos);
    store.SetText(kSettingsSection, "cardSize",
                  std::to_string(settings.cardWidth) + ":" + std::to_string(settings.cardHeight));
    for (const IntEntry& entry : kIntEntries) WriteInt(store, entry.name, settings.*entry.field);
    WriteInt(store, "drawGrid", settings.drawGrid);
    store.SetText(kSettingsSection, kCellSizeEntry, FormatDecimal(settings.cellSizeMm, 3));
    store.SetText(kSettingsSection, kLanguageEntry, settings.language);
}

}  // namespace pw

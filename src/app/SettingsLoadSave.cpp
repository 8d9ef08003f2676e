#include "app/SettingsLoadSave.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/AppSettings.h"
#include "app/ScanInt.h"
#include "app/SettingsStore.h"
#include "model/CardModel.h"

namespace pw {

namespace {

constexpr int kPlacementFields = 10;

// The placement's fields in the order "WindowPos" stores them.
int* PlacementField(WindowPlacement& p, int i) {
    int* const fields[kPlacementFields] = {&p.flags, &p.showCmd, &p.minX, &p.minY, &p.maxX,
                                           &p.maxY,  &p.left,    &p.top,  &p.right, &p.bottom};
    return fields[i];
}

void ReadInt(const SettingsStore& store, const char* entry, std::int32_t& field) {
    std::int32_t value = 0;
    if (ScanInt(store.GetText(kSettingsSection, entry), value)) field = value;
}

void WriteInt(SettingsStore& store, const char* entry, long long value) {
    store.SetText(kSettingsSection, entry, std::to_string(value));
}

}  // namespace

bool LoadSettings(const SettingsStore& store, AppSettings& settings, CardModel& model, WindowPlacement* placement) {
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

    ReadInt(store, "colorBack", settings.colorBack);
    ReadInt(store, "colorPaper0", settings.colorPaper0);
    ReadInt(store, "colorPaper1", settings.colorPaper1);
    ReadInt(store, "colorEdge", settings.colorEdge);
    ReadInt(store, "soundMode", settings.soundMode);
    ReadInt(store, "reverseMode", settings.reverseMode);
    ReadInt(store, "rudovozuSizeRatio", settings.rudovozuSizeRatio);
    ReadInt(store, "rudovozuSizeBMP", settings.rudovozuSizeBMP);
    std::int32_t drawGrid = 0;
    if (ScanInt(store.GetText(kSettingsSection, "drawGrid"), drawGrid))
        settings.drawGrid = static_cast<std::uint8_t>(drawGrid & 0xFF);

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
    WriteInt(store, "colorBack", settings.colorBack);
    WriteInt(store, "colorPaper0", settings.colorPaper0);
    WriteInt(store, "colorPaper1", settings.colorPaper1);
    WriteInt(store, "colorEdge", settings.colorEdge);
    WriteInt(store, "soundMode", settings.soundMode);
    WriteInt(store, "reverseMode", settings.reverseMode);
    WriteInt(store, "rudovozuSizeRatio", settings.rudovozuSizeRatio);
    WriteInt(store, "rudovozuSizeBMP", settings.rudovozuSizeBMP);
    WriteInt(store, "drawGrid", settings.drawGrid);
}

}  // namespace pw

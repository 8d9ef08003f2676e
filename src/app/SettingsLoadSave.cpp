#include "app/SettingsLoadSave.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "app/SettingsStore.h"
#include "app/WindowPlacement.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/IntegerText.h"
#include "model/SettingsSchema.h"
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

// The cell size, a decimal number of millimetres kept to a micrometre; text
// that is no such number, or a size the Setting dialog would refuse, keeps
// the current value.
void ReadCellSize(const SettingsStore& store, double& field) {
    double value = 0;
    if (!ParseDecimal(store.GetText(kSettingsSection, kCellSizeSetting.key), value)) return;
    const double unit = std::pow(10.0, kCellSizeSetting.decimals);
    value = std::round(value * unit) / unit;
    if (CellSizeAllowed(value)) field = value;
}

}  // namespace

bool LoadSettings(const SettingsStore& store, AppSettings& settings, EditedCard& model, WindowPlacement* placement) {
    AppSettings read = settings;
    ReadWholeSettings([&store](const char* key) { return store.GetText(kSettingsSection, key); }, read);
    model.NewCard(read.newCard.width + 2, read.newCard.height + 1);
    settings = read;
    ReadCellSize(store, settings.print.cellMm);
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
    WriteWholeSettings(settings, [&store](const char* key, const std::string& text) {
        store.SetText(kSettingsSection, key, text);
    });
    store.SetText(kSettingsSection, kCellSizeSetting.key, FormatDecimal(settings.print.cellMm, kCellSizeSetting.decimals));
    store.SetText(kSettingsSection, kLanguageEntry, settings.language);
}

}  // namespace pw

// Feeds arbitrary text values into every settings entry of an in-memory
// store: line i of the input is the value of entry i of kEntries, and the
// entries past the last line stay absent. Loading must never fault; the first
// card it makes must keep the grid invariants and stay inside the dialog's
// size limits; and saving what was loaded, then loading that, gives the same
// settings back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "app/SettingsLoadSave.h"
#include "app/SettingsStore.h"
#include "app/WindowPlacement.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/GridInvariants.h"

namespace {

using pw::fuzz::Require;

constexpr const char* kEntries[] = {"cardSize",    "colorBack",   "colorPaper0",       "colorPaper1",
                                    "colorEdge",   "soundMode",   "reverseMode",       "rudovozuSizeRatio",
                                    "rudovozuSizeBMP", "drawGrid", "WindowPos",        "cellSizeMm"};

bool SameSettings(const pw::AppSettings& a, const pw::AppSettings& b) {
    return a.newCard.width == b.newCard.width && a.newCard.height == b.newCard.height && a.colors.background == b.colors.background &&
           a.colors.verticalFace == b.colors.verticalFace && a.colors.horizontalFace == b.colors.horizontalFace && a.colors.outline == b.colors.outline &&
           a.sound.on == b.sound.on && a.print.mirror == b.print.mirror &&
           a.print.sizePercent == b.print.sizePercent && a.bitmap.widthPx == b.bitmap.widthPx &&
           a.view.gridDisplay == b.view.gridDisplay && a.print.cellMm == b.print.cellMm;
}

bool SamePlacement(const pw::WindowPlacement& a, const pw::WindowPlacement& b) {
    return a.flags == b.flags && a.showCmd == b.showCmd && a.minX == b.minX && a.minY == b.minY &&
           a.maxX == b.maxX && a.maxY == b.maxY && a.left == b.left && a.top == b.top && a.right == b.right &&
           a.bottom == b.bottom;
}

void CheckFirstCard(pw::EditedCard& model, const pw::AppSettings& settings) {
    Require(pw::kNewCardWidthSetting.Allows(settings.newCard.width),
            "card width inside the dialog's range");
    Require(pw::kNewCardHeightSetting.Allows(settings.newCard.height),
            "card height inside the dialog's range");
    const pw::CellGrid& grid = model.grid;
    Require(grid.gridWidth == settings.newCard.width + 2 && grid.gridHeight == settings.newCard.height + 1,
            "first card has the loaded size");
    Require(pw::CheckGridInvariants(grid), "grid invariants of the first card");
    Require(!model.history.HasUndoSteps(), "first card starts without undo steps");
    const pw::EditState& e = model.edit;
    const int s = e.cursorSize;
    Require((s == 1 || s == 2 || s == 4 || s == 8) && e.cursor.column >= 1 &&
                e.cursor.column + s <= grid.gridWidth - 1 && e.cursor.row >= 1 && e.cursor.row + s <= grid.gridHeight - 1,
            "cursor square inside the first card");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    pw::MemorySettingsStore store;
    std::size_t start = 0;
    for (const char* entry : kEntries) {
        if (start > text.size()) break;
        const std::size_t end = std::min(text.find('\n', start), text.size());
        store.SetText(pw::kSettingsSection, entry, text.substr(start, end - start));
        start = end + 1;
    }

    pw::AppSettings settings;
    pw::EditedCard model;
    pw::WindowPlacement placement;
    const bool placed = pw::LoadSettings(store, settings, model, &placement);
    CheckFirstCard(model, settings);
    Require(settings.print.cellMm == 0 || (settings.print.cellMm >= 0.5 && settings.print.cellMm <= 50),
            "cell size 0 or inside the dialog's range");

    pw::MemorySettingsStore saved;
    pw::SaveSettings(saved, settings, placement);
    pw::AppSettings reloaded;
    pw::EditedCard reloadedModel;
    pw::WindowPlacement reloadedPlacement;
    Require(pw::LoadSettings(saved, reloaded, reloadedModel, &reloadedPlacement), "saved placement loads");
    Require(SameSettings(reloaded, settings), "saved settings load as they were");
    if (placed) Require(SamePlacement(reloadedPlacement, placement), "saved placement loads as it was");
    Require(reloadedModel.grid.gridWidth == model.grid.gridWidth && reloadedModel.grid.gridHeight == model.grid.gridHeight,
            "saved card size makes a first card of the same size");
    return 0;
}

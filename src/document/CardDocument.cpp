#include "document/CardDocument.h"

#include <utility>

#include "document/EngravedText.h"
#include "edit/ReliefEdit.h"
#include "model/AppSettings.h"
#include "model/freeform/FreeformFile.h"
#include "model/freeform/GridConversion.h"
#include "output/PatternOptions.h"
#include "model/RebuildPass.h"
#include "output/ExportFormat.h"

namespace pw {

void CardDocument::SetFreeform(FreeformCard card) {
    freeform_ = std::move(card);
    kind_ = CardKind::Freeform;
    freeformBuilt_ = false;
    // The steps were the replaced card's, grid or free-form.
    card_.history.ClearHistory();
}

bool CardDocument::EditFreeform(FreeformCard edited) {
    // Cards are small: the file's bytes say whether anything changed, the
    // fields it does not write (none) and rounding alike.
    if (kind_ != CardKind::Freeform || WriteFreeformCard(edited) == WriteFreeformCard(freeform_)) return false;
    FreeformCard before = std::move(freeform_);
    freeform_ = std::move(edited);
    freeformBuilt_ = false;
    card_.history.PushFreeformStep(std::move(before));
    return true;
}

bool CardDocument::UndoFreeform() {
    if (kind_ != CardKind::Freeform || !card_.history.UndoFreeformStep(freeform_)) return false;
    freeformBuilt_ = false;
    return true;
}

bool CardDocument::RedoFreeform() {
    if (kind_ != CardKind::Freeform || !card_.history.RedoFreeformStep(freeform_)) return false;
    freeformBuilt_ = false;
    return true;
}

const FreeformSheet& CardDocument::DeriveFreeform() {
    if (!freeformBuilt_) {
        freeformSheet_ = BuildFreeformSheet(freeform_, flatParts_);
        freeformBuilt_ = true;
    }
    return freeformSheet_;
}

int CardDocument::ConvertToFreeform(const AppSettings& settings) {
    if (kind_ == CardKind::Freeform) return 0;
    const Sheet& sheet = Derive();
    const double cellMm = PatternCellMm(0, settings.print.sizePercent, card_.grid.gridWidth);
    GridConversion converted = ConvertGridCard(card_.grid, sheet, cellMm);
    SetFreeform(std::move(converted.card));
    return converted.tunnels;
}

CardOpenResult CardDocument::Open(const std::string& path) {
    if (CardKindOfFile(path) == CardKind::Grid) {
        const CardOpenResult result = OpenCardFile(path, card_);
        if (result.Opened()) kind_ = CardKind::Grid;
        return result;
    }
    FreeformCard card;
    const CardOpenResult result = OpenFreeformFile(path, card);
    if (result.Opened()) SetFreeform(std::move(card));
    return result;
}

CardSaveOutcome CardDocument::Save(const std::string& path) const {
    return kind_ == CardKind::Freeform ? SaveFreeformFile(path, freeform_) : SaveCardFile(path, card_.grid);
}

std::string CardDocument::RecoveryText() const {
    return kind_ == CardKind::Freeform ? FreeformFileText(freeform_) : CardFileText(card_.grid);
}

const Sheet& CardDocument::Derive() {
    if (kind_ == CardKind::Freeform) return DeriveFreeform().sheet;
    RunRebuildPass(card_.grid);
    // The validity marks are the 3D view's business: kept while it keeps
    // them, never made here, since the outputs read the pieces and edges alone.
    sheet_.Update(card_.grid, sheet_.Anchoring() != nullptr);
    return sheet_.Current();
}

bool CardDocument::Export(const ExportFormat& format, const std::string& path, const AppSettings& settings,
                          double pxPerCm, double pyPerCm, const PatternOptions& options, ExportReport& report) {
    const ExportInput input{Derive(), settings, pxPerCm, pyPerCm, options, kind_ == CardKind::Freeform,
                            EngravedTextOutlines};
    return WriteExportFile(format, path, input, report);
}

bool CardDocument::Export(const ExportFormat& format, const std::string& path, const AppSettings& settings,
                          double pxPerCm, double pyPerCm, const PatternOptions& options) {
    ExportReport report;
    return Export(format, path, settings, pxPerCm, pyPerCm, options, report);
}

bool CardDocument::ApplyRelief(const DepthMap& map, bool keepInside) { return ApplyDepthMap(card_, map, keepInside); }

}  // namespace pw

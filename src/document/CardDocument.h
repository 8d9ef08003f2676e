#pragma once
#include <string>

#include "document/CardFileAccess.h"
#include "edit/EditedCard.h"
#include "model/KeptGridSheet.h"

namespace pw {

struct AppSettings;
struct DepthMap;
struct ExportFormat;
struct ExportReport;
struct PatternOptions;
struct Sheet;

// One open card and what is done with it outside editing: reading and
// saving its file, the sheet the outputs read, exports, relief and the
// recovery copy's bytes. The desktop program's document and every command
// of popwright-cli go through it, so both make the same files of the same
// card by the same recipe.
//
// The document keeps the card's sheet from one derivation to the next: after
// an edit only the columns the rebuild pass redid are read again, where a
// sheet derived from scratch would read the whole card for every export.
class CardDocument {
public:
    EditedCard& Card() { return card_; }
    const EditedCard& Card() const { return card_; }

    // Reads the card file; a failed read leaves the card as it was.
    CardOpenResult Open(const std::string& path) { return OpenCardFile(path, card_); }
    // Writes the card file through the one safe write path.
    CardSaveOutcome Save(const std::string& path) const { return SaveCardFile(path, card_.grid); }
    // The card's bytes for a recovery copy (the same bytes Save writes).
    std::string RecoveryText() const { return CardFileText(card_.grid); }

    // Runs the rebuild pass, as the next frame of the 3D view would, so an
    // edit not yet painted is part of what follows, and brings the kept
    // sheet up to date with it.
    const Sheet& Derive();
    // The kept sheet, for the 3D view to bring up to date at its frames
    // (with the validity marks while its check is on) and read from.
    KeptGridSheet& KeptSheet() { return sheet_; }

    // Writes `path` in `format` from the derived sheet, whole or not at all;
    // `report` receives what the writer tells of the file (scored folds,
    // finished size, pages). `pxPerCm`/`pyPerCm` are the metafile's
    // reference device.
    bool Export(const ExportFormat& format, const std::string& path, const AppSettings& settings, double pxPerCm,
                double pyPerCm, const PatternOptions& options, ExportReport& report);
    bool Export(const ExportFormat& format, const std::string& path, const AppSettings& settings, double pxPerCm,
                double pyPerCm, const PatternOptions& options);

    // Raises the relief `map` describes as one undo step (cut back to stay
    // inside the closed card when `keepInside`); false when nothing changed.
    bool ApplyRelief(const DepthMap& map, bool keepInside);

private:
    EditedCard card_;
    KeptGridSheet sheet_;
};

}  // namespace pw

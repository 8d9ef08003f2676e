#pragma once
#include <string>

#include "document/CardFileAccess.h"
#include "edit/EditedCard.h"
#include "model/KeptGridSheet.h"
#include "model/freeform/FreeformCard.h"
#include "model/freeform/FreeformSheet.h"

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
// It holds a grid card or a free-form card (Kind()). A grid card is edited
// through Card(); a free-form card is edited whole with EditFreeform() (one
// undo step on the same command stack), and its sheet is built again at the
// next Derive(), remaking only the changed flats' own parts.
//
// The document keeps the card's sheet from one derivation to the next: after
// an edit only the columns the rebuild pass redid are read again, where a
// sheet derived from scratch would read the whole card for every export.
class CardDocument {
public:
    EditedCard& Card() { return card_; }
    const EditedCard& Card() const { return card_; }

    CardKind Kind() const { return kind_; }
    // Makes the document hold its grid card again (File New, a recovered grid card).
    void UseGridCard() { kind_ = CardKind::Grid; }
    const FreeformCard& Freeform() const { return freeform_; }
    // Makes the document hold this free-form card in place of the card it
    // held, with nothing to undo (its sheet is built at the next Derive()).
    void SetFreeform(FreeformCard card);
    // One edit of the free-form card: `edited` replaces it as one undo step
    // on the card's command stack; false, and no step, when nothing changed
    // (or the document holds a grid card).
    bool EditFreeform(FreeformCard edited);
    // Undo and Redo of the free-form card's newest step; false when there is none.
    bool UndoFreeform();
    bool RedoFreeform();
    // The free-form card's sheet with its pieces' roles, up to date with the
    // card; only for a free-form document.
    const FreeformSheet& DeriveFreeform();

    // Turns the grid card into a free-form card with the same pattern lines
    // and faces at its printed size (the settings' print size); returns how
    // many tunnels the free-form card holds as plain holes.
    int ConvertToFreeform(const AppSettings& settings);

    // Reads the card file, of either kind (CardKindOfFile); a failed read
    // leaves the card, and its kind, as they were.
    CardOpenResult Open(const std::string& path);
    // Writes the card file of the document's kind through the one safe write path.
    CardSaveOutcome Save(const std::string& path) const;
    // The card's bytes for a recovery copy (the same bytes Save writes).
    std::string RecoveryText() const;

    // Runs the rebuild pass, as the next frame of the 3D view would, so an
    // edit not yet painted is part of what follows, and brings the kept
    // sheet up to date with it.
    const Sheet& Derive();
    // The kept sheet of a grid card, for the 3D view to bring up to date at its frames
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
    CardKind kind_ = CardKind::Grid;
    EditedCard card_;
    KeptGridSheet sheet_;
    FreeformCard freeform_;
    FreeformSheet freeformSheet_;
    // Each flat's own parts of the last sheet: an edit rebuilds the changed flats' alone.
    KeptFlatParts flatParts_;
    bool freeformBuilt_ = false;
};

}  // namespace pw

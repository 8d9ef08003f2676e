#include "document/CardFileAccess.h"

#include <sstream>

#include "edit/EditedCard.h"
#include "model/CardFile.h"
#include "model/CellGrid.h"
#include "output/SafeFileWriter.h"

namespace pw {

CardOpenResult OpenCardFile(const std::string& path, EditedCard& card) {
    CardReadError error = CardReadError::None;
    CardOpenResult result;
    if (!ReadCard(path, card, &error, &result.columnsHeld)) {
        result.outcome = error == CardReadError::VersionTooNew ? CardOpenOutcome::VersionTooNew
                                                               : CardOpenOutcome::Unreadable;
        return result;
    }
    result.outcome = CardOpenOutcome::Opened;
    result.columns = card.grid.gridWidth - 2;
    return result;
}

bool CardFileCanHold(long long W, long long H) { return W * H * H <= kMaxCardCells; }

bool ReadCardFile(const std::string& path, CellGrid& out) { return ReadCard(path, out); }

std::string CardFileText(const CellGrid& grid) {
    std::ostringstream text;
    WriteCard(text, grid);
    return text.str();
}

bool WriteFileWhole(const std::string& path, const std::string& bytes) { return WriteFileReplacing(path, bytes); }

CardSaveOutcome SaveCardFile(const std::string& path, const CellGrid& grid) {
    // The text is made in memory first: the old file is touched only once
    // every byte of the new one is on disk.
    FileReplaceFailure why = FileReplaceFailure::None;
    if (WriteFileReplacing(path, CardFileText(grid), &why)) return CardSaveOutcome::Saved;
    return why == FileReplaceFailure::CannotCreate ? CardSaveOutcome::CannotCreate : CardSaveOutcome::CannotWrite;
}

}  // namespace pw

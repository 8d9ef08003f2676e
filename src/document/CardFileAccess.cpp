#include "document/CardFileAccess.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

#include "edit/EditedCard.h"
#include "model/CardFile.h"
#include "model/CellGrid.h"
#include "model/freeform/FreeformFile.h"
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

namespace {

// Reads at most `limit` bytes and one more, so a file past the limit is
// known to be one without reading all of it.
bool ReadFileBytes(const std::string& path, std::size_t limit, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(limit + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return false;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

bool EndsWithFreeformExtension(const std::string& path) {
    const std::string ending = std::string(".") + kFreeformExtension;
    if (path.size() < ending.size()) return false;
    for (std::size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(path[path.size() - ending.size() + i])) != ending[i]) return false;
    return true;
}

}  // namespace

CardKind CardKindOfFile(const std::string& path) {
    if (EndsWithFreeformExtension(path)) return CardKind::Freeform;
    // A grid card file starts with its word; a free-form one is JSON, whatever its name.
    std::ifstream in(path, std::ios::binary);
    char c = 0;
    while (in.get(c))
        if (!std::isspace(static_cast<unsigned char>(c))) return c == '{' ? CardKind::Freeform : CardKind::Grid;
    return CardKind::Grid;
}

CardOpenResult OpenFreeformFile(const std::string& path, FreeformCard& card) {
    CardOpenResult result;
    std::string bytes;
    if (!ReadFileBytes(path, kFreeformMaxFileBytes, bytes)) return result;
    FreeformReadResult read = ReadFreeformCard(bytes);
    if (!read.Ok()) {
        result.error = read.error;
        return result;
    }
    card = std::move(read.card);
    result.outcome = CardOpenOutcome::Opened;
    return result;
}

std::string FreeformFileText(const FreeformCard& card) { return WriteFreeformCard(card); }

CardSaveOutcome SaveFreeformFile(const std::string& path, const FreeformCard& card) {
    FileReplaceFailure why = FileReplaceFailure::None;
    if (WriteFileReplacing(path, FreeformFileText(card), &why)) return CardSaveOutcome::Saved;
    return why == FileReplaceFailure::CannotCreate ? CardSaveOutcome::CannotCreate : CardSaveOutcome::CannotWrite;
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

#pragma once
#include <string>

namespace pw {

class CellGrid;
struct EditedCard;
struct FreeformCard;

// Which of the two kinds of card a document holds.
enum class CardKind { Grid, Freeform };

// Free-form card files end in ".pwf" (MIME type
// application/x-popwright-freeform); grid card files in ".kpf".
inline constexpr const char* kFreeformExtension = "pwf";

// The kind of card the file at `path` holds: free-form for a ".pwf" name or
// a file that starts as JSON does, else grid.
CardKind CardKindOfFile(const std::string& path);

// How reading a card file went. The program and the command line word the
// outcome with their existing messages.
enum class CardOpenOutcome { Opened, Unreadable, VersionTooNew };

struct CardOpenResult {
    CardOpenOutcome outcome = CardOpenOutcome::Unreadable;
    int columnsHeld = 0;  // how many of the card's columns the file held
    int columns = 0;      // the card's columns, borders not counted
    // A free-form card's refusal: one sentence naming the flat and the
    // problem (empty for a grid card file, whose outcome the callers word).
    std::string error;

    bool Opened() const { return outcome == CardOpenOutcome::Opened; }
    // A file cut short opens as far as it goes; saving it would make the
    // lost columns flat for good, so the user is told.
    bool EndsEarly() const { return Opened() && columnsHeld < columns; }
};

// How writing a card file went: the file (or its temporary neighbour)
// could not be made, or the bytes could not all be written.
enum class CardSaveOutcome { Saved, CannotCreate, CannotWrite };

// Whether a card file may describe a card of W columns (borders included)
// and extent H: the reader refuses larger ones.
bool CardFileCanHold(long long W, long long H);

// Reads the card file at `path` into the card; only a file read whole
// replaces it, a failed read leaves the card untouched.
CardOpenResult OpenCardFile(const std::string& path, EditedCard& card);

// Reads the free-form card file at `path`; on failure `card` is untouched
// and `result.error` says why in one sentence.
CardOpenResult OpenFreeformFile(const std::string& path, FreeformCard& card);

// The free-form card file's bytes.
std::string FreeformFileText(const FreeformCard& card);

// Writes a free-form card file through the same safe write path as grid cards.
CardSaveOutcome SaveFreeformFile(const std::string& path, const FreeformCard& card);

// Reads a card file into a bare grid (a recovery copy); on failure `out`
// is untouched.
bool ReadCardFile(const std::string& path, CellGrid& out);

// The card file's bytes: what Save writes and a recovery copy holds.
std::string CardFileText(const CellGrid& grid);

// Writes `bytes` to `path` whole or not at all, as card files are written:
// for the recovery copy, its notes and its lock.
bool WriteFileWhole(const std::string& path, const std::string& bytes);

// The one writer of card files: the bytes go to a temporary file beside
// `path`, are synced and renamed over it, so a failure leaves the old file
// whole and no temporary file behind.
CardSaveOutcome SaveCardFile(const std::string& path, const CellGrid& grid);

}  // namespace pw

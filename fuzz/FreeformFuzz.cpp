// Feeds arbitrary bytes to the free-form card reader and to the SVG path
// data parser. A card the reader accepts must write and read back to the
// same flats and build a sheet whose checks and closing run; path data the
// parser accepts must come back from writing it with the same loops. (Arcs
// come back with their centres worked out anew, so numbers may move in their
// last bit: the properties ask for the same shape of card, not the same bytes.)
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "model/freeform/FreeformChecks.h"
#include "model/freeform/FreeformFile.h"
#include "model/freeform/FreeformSheet.h"
#include "model/freeform/SvgPathData.h"

namespace {

void CheckPathData(std::string_view text) {
    const pw::PathDataResult first = pw::ParsePathData(text, 1000, 10000);
    if (!first.error.empty()) return;
    const pw::PathDataResult again = pw::ParsePathData(pw::WritePathData(first.loops), 4000, 1e5);
    pw::fuzz::Require(again.error, "written path data reads back");
    pw::fuzz::Require(again.loops.size() == first.loops.size(), "written path data keeps its loops");
}

void CheckCard(std::string_view bytes) {
    const pw::FreeformReadResult read = pw::ReadFreeformCard(bytes);
    if (!read.Ok()) {
        pw::fuzz::Require(read.card.flats.size() <= pw::kFreeformMaxFlats, "a refused card stays bounded");
        return;
    }
    const pw::FreeformReadResult again = pw::ReadFreeformCard(pw::WriteFreeformCard(read.card));
    // Loops that touch within rounding may be told apart either way.
    if (again.error.find("crosses or touches") != std::string::npos) return;
    pw::fuzz::Require(again.error, "a written card reads back");
    pw::fuzz::Require(again.card.flats.size() == read.card.flats.size(), "a card reads back with its flats");
    for (std::size_t i = 0; i < read.card.flats.size(); ++i)
        pw::fuzz::Require(again.card.flats[i].loops.size() == read.card.flats[i].loops.size(), "a flat reads back with its loops");
    const pw::FreeformSheet sheet = pw::BuildFreeformSheet(read.card);
    pw::fuzz::Require(sheet.pieces.size() == sheet.sheet.pieces.size(), "every piece has its role");
    for (const pw::FlatProblem& p : pw::CheckFreeformCard(read.card, sheet))
        pw::fuzz::Require(!pw::FlatProblemText(read.card, p).empty(), "every problem is worded");
    pw::FreeformClosingInfoLine(read.card, pw::CheckFreeformClosing(read.card, sheet));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckPathData(bytes);
    CheckCard(bytes);
    return 0;
}

// Feeds arbitrary text to the card reader. Every card it accepts must keep
// the grid invariants, have the column shape a file describes, rebuild into
// fresh faces, and come back unchanged from writing and reading it again.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "model/CardFile.h"
#include "model/CellGrid.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"

namespace {

// Cards up to this many cells (the dialog's largest card has 137,842) are
// read and checked; the fuzzer skips inputs that could describe larger ones,
// whose checks would cost hundreds of small inputs each. The reader's size
// limits themselves are covered by the card file tests.
constexpr long long kMaxFuzzedCells = 1 << 18;

// An upper bound of the cells the input can describe: every number that
// follows a "w" or an "h" token counts as a candidate width or height.
bool MayDescribeLargeCard(const std::string& text) {
    std::istringstream in(text);
    std::string token, previous;
    long long w = 1, h = 1;
    while (in >> token) {
        if (previous == "w" || previous == "h") {
            char* end = nullptr;
            const long long value = std::strtoll(token.c_str(), &end, 10);
            if (end != token.c_str() && value > 0) {
                if (value > kMaxFuzzedCells) return true;
                (previous == "w" ? w : h) = std::max(previous == "w" ? w : h, value);
            }
        }
        previous = token;
    }
    return (w + 2) * (h + 2) * (h + 2) > kMaxFuzzedCells;
}

std::string ToText(const pw::CellGrid& grid) {
    std::ostringstream out;
    pw::WriteCard(out, grid);
    return out.str();
}

void CheckReadCard(pw::CellGrid& grid) {
    using pw::fuzz::Require;
    Require(pw::CheckGridInvariants(grid), "grid invariants after reading");
    Require(grid.gridChanged && grid.cursorResetPending, "read card asks for a rebuild and a cursor reset");
    for (int x = 1; x <= grid.gridWidth - 2; ++x) {
        Require(grid.IsColumnDirty(x), "every column of a read card is dirty");
        Require(pw::HasFileShape(grid, x), "every column of a read card has file shape");
    }

    Require(pw::RunRebuildPass(grid), "rebuild pass runs");
    Require(pw::CheckFacesFresh(grid), "faces after the rebuild pass");

    const std::string written = ToText(grid);
    std::istringstream again(written);
    pw::CellGrid reread;
    pw::CardReadError error = pw::CardReadError::None;
    Require(pw::ParseCard(again, reread, &error), "a written card reads back");
    Require(error == pw::CardReadError::None, "a read back card reports no error");
    Require(reread.SameShape(grid), "a written card reads back as the same card");
    Require(ToText(reread) == written, "writing the read back card gives the same text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (MayDescribeLargeCard(text)) return -1;  // not worth keeping in the corpus
    std::istringstream in(text);
    pw::CellGrid grid;
    pw::CardReadError error = pw::CardReadError::None;
    int columnsHeld = -1;
    if (pw::ParseCard(in, grid, &error, &columnsHeld)) {
        pw::fuzz::Require(error == pw::CardReadError::None, "a successful read reports no error");
        pw::fuzz::Require(columnsHeld >= 0 && columnsHeld <= grid.gridWidth - 2, "a read says how many columns it held");
        for (int x = columnsHeld + 1; x <= grid.gridWidth - 2; ++x)
            pw::fuzz::Require(grid.HeightAt(x, 1) == 0, "the columns after the file's last are flat");
        CheckReadCard(grid);
    } else {
        pw::fuzz::Require(error != pw::CardReadError::None, "a failed read says why");
    }
    return 0;
}

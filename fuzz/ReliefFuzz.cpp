// Feeds arbitrary depth maps to a card of arbitrary shape as one edit. Every
// result must keep the grid invariants, have the column shape of a card
// file, rebuild to the whole paper strip in every column, stay inside the
// closed card when asked to, and come back byte for byte on Undo and Redo.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "edit/EditedCard.h"
#include "edit/ReliefEdit.h"
#include "model/ClosingCheck.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"
#include "model/ReliefShape.h"

namespace {

// Reads the input a byte at a time; zeros once it has run out.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    int Next() { return at_ < size_ ? data_[at_++] : 0; }
    int Signed() { return static_cast<std::int8_t>(Next()); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

bool SameBytes(const pw::CellGrid& a, const pw::CellGrid& b) {
    return a.CellCount() == b.CellCount() && std::equal(a.Data(), a.Data() + a.CellCount(), b.Data());
}

// A card of file shape: each column a staircase from the input, with tunnels.
void ShapeCard(pw::EditedCard& card, Bytes& in) {
    pw::CellGrid& g = card.grid;
    pw::DepthMap map(1, g.gridWidth - 2, g.gridHeight - 2);
    for (int& d : map.depth) d = in.Next() % g.gridHeight;
    pw::ApplyDepthMap(card, map, false);
    card.history.ClearHistory();
    pw::RunRebuildPass(g);
}

void CheckCard(pw::CellGrid& g) {
    using pw::fuzz::Require;
    pw::RunRebuildPass(g);
    Require(pw::CheckGridInvariants(g), "grid invariants after a depth map");
    Require(pw::CheckFacesFresh(g), "faces after a depth map");
    for (int x = 1; x <= g.gridWidth - 2; ++x) {
        Require(pw::HasFileShape(g, x), "every column has file shape");
        Require(pw::CountFaces(g, x) == 2 * (g.gridHeight - 1), "every column rebuilds to the whole strip");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using pw::fuzz::Require;
    Bytes in(data, size);
    const int W = 3 + in.Next() % 30;
    const int H = 3 + in.Next() % 30;
    pw::EditedCard card;
    card.NewCard(W, H);
    if (in.Next() % 2) ShapeCard(card, in);
    pw::RunRebuildPass(card.grid);
    const pw::CellGrid before = card.grid;

    const int first = in.Signed() % (W + 2);
    const int width = in.Next() % (W + 2);
    const int height = in.Next() % (H + 3);
    const bool keepInside = in.Next() % 2 == 1;
    pw::DepthMap map(first, width, height);
    for (int& d : map.depth) d = in.Signed();
    const bool changed = pw::ApplyDepthMap(card, map, keepInside);
    Require(changed == card.history.HasUndoSteps(), "a step exactly when something changed");
    CheckCard(card.grid);
    if (keepInside)
        for (int x = std::max(1, first); x < first + width && x <= W - 2; ++x)
            Require(pw::FitsInsideClosedCard(pw::ReadColumnDepths(card.grid, x), H), "inside the closed card");
    for (int x = 1; x <= W - 2; ++x)
        Require(pw::FitsInsideClosedCard(pw::ReadColumnDepths(card.grid, x), H) == (pw::ColumnOverhang(card.grid, x) == 0),
                "the shape rule agrees with the closing check");
    const pw::CellGrid after = card.grid;

    card.history.UndoLastStep(card.grid);
    pw::RunRebuildPass(card.grid);
    Require(SameBytes(card.grid, before), "undo brings the card back byte for byte");
    card.history.RedoLastStep(card.grid);
    pw::RunRebuildPass(card.grid);
    Require(!changed || SameBytes(card.grid, after), "redo brings the edit back byte for byte");
    return 0;
}

#include "edit/FlatOperations.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "edit/FlatTransforms.h"
#include "model/freeform/PathBounds.h"

namespace pw {

namespace {

bool Holds(const FreeformCard& card, int index) { return index >= 0 && static_cast<std::size_t>(index) < card.flats.size(); }

FreeformFlat& At(FreeformCard& card, int index) { return card.flats[static_cast<std::size_t>(index)]; }

}  // namespace

int AddFlat(FreeformCard& card, FreeformFlat flat) {
    card.flats.push_back(std::move(flat));
    return static_cast<int>(card.flats.size()) - 1;
}

bool DeleteFlat(FreeformCard& card, int index) {
    if (!Holds(card, index)) return false;
    card.flats.erase(card.flats.begin() + index);
    return true;
}

bool DuplicateFlat(FreeformCard& card, int index) {
    if (!Holds(card, index)) return false;
    FreeformFlat copy = At(card, index);
    copy.name = FlatLabel(card, index) + " copy";
    copy.hidden = false;
    copy.locked = false;
    double x1 = 0;
    for (const FrontLoop& loop : copy.loops) x1 = std::max(x1, BoundsOf(loop).x1);
    copy = Transformed(copy, Affine::Translation(x1 + kDuplicateOffsetMm <= card.width ? kDuplicateOffsetMm : -kDuplicateOffsetMm, 0));
    card.flats.insert(card.flats.begin() + index + 1, std::move(copy));
    return true;
}

bool RenameFlat(FreeformCard& card, int index, const std::string& name) {
    if (!Holds(card, index) || At(card, index).name == name) return false;
    At(card, index).name = name;
    return true;
}

bool SetFlatDepth(FreeformCard& card, int index, double depthMm) {
    if (!Holds(card, index) || std::isnan(depthMm)) return false;
    const double depth = std::clamp(depthMm, kLeastFlatDepthMm, std::max(kLeastFlatDepthMm, card.half));
    if (At(card, index).depth == depth) return false;
    At(card, index).depth = depth;
    return true;
}

bool MoveFlatInOrder(FreeformCard& card, int from, int to) {
    if (!Holds(card, from) || !Holds(card, to) || from == to) return false;
    auto first = card.flats.begin();
    if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
    else std::rotate(first + to, first + from, first + from + 1);
    return true;
}

bool SetFlatHidden(FreeformCard& card, int index, bool hidden) {
    if (!Holds(card, index) || At(card, index).hidden == hidden) return false;
    At(card, index).hidden = hidden;
    return true;
}

bool SetFlatLocked(FreeformCard& card, int index, bool locked) {
    if (!Holds(card, index) || At(card, index).locked == locked) return false;
    At(card, index).locked = locked;
    return true;
}

}  // namespace pw

#pragma once
#include <optional>
#include <vector>

#include "output/LineSurface.h"

namespace pw {

// The pen bookkeeping that every surface shares: handles are the lowest free
// slot from 1 up (slots of deleted pens are reused, as metafile object
// indexes are), handle 0 is the surface's stock pen.
class PenTable {
public:
    PenHandle Create(const PenSpec& pen);
    // Returns the previous pen, or kNoPen (selection unchanged) for an unknown handle.
    PenHandle Select(PenHandle pen);
    // A selected pen, the stock pen and unknown handles are not deleted.
    bool Delete(PenHandle pen);

    const PenSpec* Find(PenHandle pen) const;
    PenHandle Selected() const { return selected_; }
    const PenSpec& Current() const { return *Find(selected_); }
    // One more than the highest slot ever used.
    PenHandle SlotCount() const { return static_cast<PenHandle>(slots_.size()); }

    static constexpr PenSpec kStockSpec{PenStyle::Solid, 1, 0, 0, 0};

private:
    std::vector<std::optional<PenSpec>> slots_{std::optional<PenSpec>{kStockSpec}};
    PenHandle selected_ = kStockPen;
};

}  // namespace pw

#include "output/PenTable.h"

namespace pw {

PenHandle PenTable::Create(const PenSpec& pen) {
    for (PenHandle h = 1; h < slots_.size(); ++h)
        if (!slots_[h]) {
            slots_[h] = pen;
            return h;
        }
    slots_.emplace_back(pen);
    return static_cast<PenHandle>(slots_.size() - 1);
}

PenHandle PenTable::Select(PenHandle pen) {
    if (!Find(pen)) return kNoPen;
    const PenHandle previous = selected_;
    selected_ = pen;
    return previous;
}

bool PenTable::Delete(PenHandle pen) {
    if (pen == kStockPen || pen == selected_ || !Find(pen)) return false;
    slots_[pen].reset();
    return true;
}

const PenSpec* PenTable::Find(PenHandle pen) const {
    if (pen >= slots_.size() || !slots_[pen]) return nullptr;
    return &*slots_[pen];
}

}  // namespace pw

#include "model/freeform/FlatParts.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>

namespace pw {

namespace {

void Mix(std::size_t& h, double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    h ^= std::hash<std::uint64_t>()(bits) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
}

void Mix(std::size_t& h, SheetPoint p) {
    Mix(h, p.x);
    Mix(h, p.s);
}

std::size_t HashOf(const FreeformFlat& flat) {
    std::size_t h = 0;
    Mix(h, flat.depth);
    for (const FrontLoop& loop : flat.loops) {
        Mix(h, loop.start);
        Mix(h, loop.closed ? 1.0 : 0.0);
        for (const PathSegment& seg : loop.segments) {
            Mix(h, static_cast<double>(seg.shape));
            Mix(h, seg.end);
            Mix(h, seg.centre);
            Mix(h, seg.sweep);
            Mix(h, seg.control1);
            Mix(h, seg.control2);
        }
    }
    return h;
}

bool SameSegment(const PathSegment& a, const PathSegment& b) {
    return a.shape == b.shape && a.end == b.end && a.centre == b.centre && a.sweep == b.sweep && a.control1 == b.control1 &&
           a.control2 == b.control2;
}

bool SameLoops(const std::vector<FrontLoop>& a, const std::vector<FrontLoop>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].start != b[i].start || a[i].closed != b[i].closed || a[i].segments.size() != b[i].segments.size()) return false;
        if (!std::equal(a[i].segments.begin(), a[i].segments.end(), b[i].segments.begin(), SameSegment)) return false;
    }
    return true;
}

}  // namespace

const FlatParts& FlatPartsStore::PartsOf(const FreeformFlat& flat) {
    const std::size_t hash = HashOf(flat);
    for (Entry& e : entries_)
        if (e.hash == hash && e.parts->depth == flat.depth && SameLoops(e.parts->loops, flat.loops)) {
            e.used = true;
            return *e.parts;
        }
    auto parts = std::make_unique<FlatParts>();
    parts->depth = flat.depth;
    parts->loops = flat.loops;
    parts->region = FlatRegionOnSheet(*context_, parts->book, flat);
    if (!parts->region.IsEmpty()) geos::Bounds(parts->region, parts->x0, parts->s0, parts->x1, parts->s1);
    parts->runs = HorizontalRuns(*context_, flat);
    ++made_;
    entries_.push_back({hash, true, std::move(parts)});
    return *entries_.back().parts;
}

void FlatPartsStore::FinishBuild() {
    madeLast_ = made_;
    made_ = 0;
    if (context_->Failed()) {
        entries_.clear();
        context_ = std::make_unique<geos::Context>();
        return;
    }
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [](const Entry& e) { return !e.used; }), entries_.end());
    for (Entry& e : entries_) e.used = false;
}

}  // namespace pw

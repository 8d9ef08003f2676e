#include "model/buildable/ClosedStack.h"

#include <algorithm>
#include <utility>

namespace pw {

namespace {

struct PieceOutline {
    const SheetPiece* piece = nullptr;
    std::vector<std::vector<SheetPoint>> rings;
    double x0 = 0, x1 = 0;
};

// Where the ring crosses the line along s at `x` (even-odd, so holes count).
void Crossings(const std::vector<SheetPoint>& ring, double x, std::vector<double>& out) {
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const SheetPoint a = ring[i], b = ring[(i + 1) % ring.size()];
        if ((a.x <= x) == (b.x <= x)) continue;
        out.push_back(a.s + (x - a.x) / (b.x - a.x) * (b.s - a.s));
    }
}

// Distance from the crease in the closed card of a piece's sheet point s.
double ClosedPosition(const SheetPiece& piece, double s) {
    return piece.plane == PiecePlane::Horizontal ? s + 2 * piece.level : 2 * piece.level - s;
}

}  // namespace

ClosedStack StackClosedCard(const Sheet& sheet, int maxSamples) {
    std::vector<PieceOutline> outlines;
    std::vector<double> xs;
    for (const SheetPiece& piece : sheet.pieces) {
        PieceOutline o{&piece, {}, 0, 0};
        bool first = true;
        for (const SheetPath& loop : piece.loops) {
            o.rings.push_back(FlattenPath(loop, kFlatteningToleranceMm));
            for (const SheetPoint& p : o.rings.back()) {
                o.x0 = first ? p.x : std::min(o.x0, p.x);
                o.x1 = first ? p.x : std::max(o.x1, p.x);
                first = false;
                xs.push_back(p.x);
            }
        }
        if (!first) outlines.push_back(std::move(o));
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    ClosedStack best;
    if (xs.size() < 2) return best;
    const std::size_t gaps = xs.size() - 1;
    const std::size_t step = std::max<std::size_t>(1, gaps / static_cast<std::size_t>(std::max(1, maxSamples)));
    std::vector<double> cross;
    std::vector<std::pair<double, int>> events;
    for (std::size_t i = 0; i < gaps; i += step) {
        const double x = (xs[i] + xs[i + 1]) / 2;
        events.clear();
        for (const PieceOutline& o : outlines) {
            if (x < o.x0 || x > o.x1) continue;
            cross.clear();
            for (const auto& ring : o.rings) Crossings(ring, x, cross);
            std::sort(cross.begin(), cross.end());
            for (std::size_t k = 0; k + 1 < cross.size(); k += 2) {
                double u0 = ClosedPosition(*o.piece, cross[k]), u1 = ClosedPosition(*o.piece, cross[k + 1]);
                if (u0 > u1) std::swap(u0, u1);
                events.push_back({u0, +1});
                events.push_back({u1, -1});
            }
        }
        // Ends before starts at one place: pieces that only meet do not stack.
        std::sort(events.begin(), events.end());
        int layers = 0;
        for (const auto& [u, change] : events) {
            layers += change;
            if (layers > best.layers) best = {layers, x, -u};
        }
    }
    return best;
}

}  // namespace pw

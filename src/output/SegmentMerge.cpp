#include "output/SegmentMerge.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace pw {

namespace {

// Both compilers offer a 128-bit integer as an extension.
__extension__ typedef __int128 Wide;

// A segment placed on its carrier line: the line's reduced direction (dx, dy)
// with dx > 0, or dx = 0 and dy > 0, its offset c = dx*y - dy*x (the same for
// every point of the line), and the segment's extent along the direction as
// the projections t = dx*x + dy*y of its two end points.
struct Placed {
    long long dx, dy;
    Wide c;
    Wide t0, t1;
    LineSegment seg;  // oriented from t0 to t1
};

bool SameLine(const Placed& a, const Placed& b) { return a.dx == b.dx && a.dy == b.dy && a.c == b.c; }

bool Place(const LineSegment& s, Placed& out) {
    long long dx = static_cast<long long>(s.x1) - s.x0;
    long long dy = static_cast<long long>(s.y1) - s.y0;
    if (dx == 0 && dy == 0) return false;
    LineSegment seg{s.x0, s.y0, s.x1, s.y1};
    if (dx < 0 || (dx == 0 && dy < 0)) {
        dx = -dx;
        dy = -dy;
        seg = LineSegment{s.x1, s.y1, s.x0, s.y0};
    }
    const long long g = std::gcd(dx, dy < 0 ? -dy : dy);
    dx /= g;
    dy /= g;
    out.dx = dx;
    out.dy = dy;
    out.c = Wide(dx) * seg.y0 - Wide(dy) * seg.x0;
    out.t0 = Wide(dx) * seg.x0 + Wide(dy) * seg.y0;
    out.t1 = Wide(dx) * seg.x1 + Wide(dy) * seg.y1;
    out.seg = seg;
    return true;
}

std::vector<LineSegment> MergeCollinear(std::vector<Placed>& placed) {
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.dx, a.dy, a.c, a.t0, a.t1) < std::tie(b.dx, b.dy, b.c, b.t0, b.t1);
    });
    std::vector<LineSegment> lines;
    std::size_t i = 0;
    while (i < placed.size()) {
        Placed run = placed[i++];
        while (i < placed.size() && SameLine(run, placed[i]) && placed[i].t0 <= run.t1) {
            if (placed[i].t1 > run.t1) {
                run.t1 = placed[i].t1;
                run.seg.x1 = placed[i].seg.x1;
                run.seg.y1 = placed[i].seg.y1;
            }
            ++i;
        }
        lines.push_back(run.seg);
    }
    return lines;
}

}  // namespace

std::vector<LineSegment> MergeLines(const std::vector<LineSegment>& lines) {
    std::vector<Placed> placed;
    placed.reserve(lines.size());
    for (const LineSegment& s : lines) {
        Placed p{};
        if (Place(s, p)) placed.push_back(p);
    }
    return MergeCollinear(placed);
}
}  // namespace pw

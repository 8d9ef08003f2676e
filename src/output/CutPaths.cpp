#include "output/CutPaths.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <tuple>
#include <set>
#include <utility>

namespace pw {

namespace {

using Point = std::pair<int, int>;

bool AxisAligned(const LineSegment& s) { return s.x0 == s.x1 || s.y0 == s.y1; }

int Sign(int v) { return (v > 0) - (v < 0); }

// One cell-long step along an axis-aligned line, as the step's lower end and
// its direction, so that a step reads the same from either side.
struct Step {
    int x, y;
    bool vertical;
    bool operator<(const Step& o) const {
        return std::tie(x, y, vertical) < std::tie(o.x, o.y, o.vertical);
    }
};

Step StepAt(int x, int y, int dx, int dy) {
    return Step{dx < 0 ? x - 1 : x, dy < 0 ? y - 1 : y, dy != 0};
}

}  // namespace

std::vector<LineSegment> ChainLines(const std::vector<LineSegment>& lines) {
    std::map<Point, std::vector<std::size_t>> ends;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        ends[{lines[k].x0, lines[k].y0}].push_back(k);
        ends[{lines[k].x1, lines[k].y1}].push_back(k);
    }
    std::vector<bool> used(lines.size(), false);
    std::map<Point, std::size_t> next;  // how far each point's list has been used
    std::vector<LineSegment> out;
    out.reserve(lines.size());
    auto walk = [&](Point at) {
        for (;;) {
            const std::vector<std::size_t>& here = ends[at];
            std::size_t& k = next[at];
            while (k < here.size() && used[here[k]]) ++k;
            if (k == here.size()) return;
            const std::size_t line = here[k];
            used[line] = true;
            LineSegment s = lines[line];
            if (Point{s.x0, s.y0} != at) s = LineSegment{s.x1, s.y1, s.x0, s.y0};
            out.push_back(s);
            at = {s.x1, s.y1};
        }
    };
    // Open chains first, from their loose ends, in the lines' order; then
    // what is left is rings.
    for (const LineSegment& s : lines)
        for (const Point& p : {Point{s.x0, s.y0}, Point{s.x1, s.y1}})
            if (ends[p].size() % 2 == 1) walk(p);
    for (std::size_t k = 0; k < lines.size(); ++k)
        if (!used[k]) walk({lines[k].x0, lines[k].y0});
    return out;
}

std::vector<LineSegment> SplitFoldsAtCuts(const std::vector<LineSegment>& folds,
                                          const std::vector<LineSegment>& cuts) {
    // Every grid point a cut touches, and every step it covers.
    std::set<Point> cutPoints;
    std::set<Step> cutSteps;
    for (const LineSegment& c : cuts) {
        if (!AxisAligned(c)) {
            cutPoints.insert({c.x0, c.y0});
            cutPoints.insert({c.x1, c.y1});
            continue;
        }
        const int dx = Sign(c.x1 - c.x0), dy = Sign(c.y1 - c.y0);
        int x = c.x0, y = c.y0;
        cutPoints.insert({x, y});
        while (x != c.x1 || y != c.y1) {
            cutSteps.insert(StepAt(x, y, dx, dy));
            x += dx;
            y += dy;
            cutPoints.insert({x, y});
        }
    }
    std::vector<LineSegment> pieces;
    for (const LineSegment& f : folds) {
        if (!AxisAligned(f) || (f.x0 == f.x1 && f.y0 == f.y1)) {
            pieces.push_back(f);
            continue;
        }
        const int dx = Sign(f.x1 - f.x0), dy = Sign(f.y1 - f.y0);
        int x = f.x0, y = f.y0;
        bool open = false;
        LineSegment piece;
        auto close = [&]() {
            if (open && (piece.x1 != piece.x0 || piece.y1 != piece.y0)) pieces.push_back(piece);
            open = false;
        };
        while (x != f.x1 || y != f.y1) {
            const bool onCut = cutSteps.count(StepAt(x, y, dx, dy)) > 0;
            if (onCut) {
                close();
            } else {
                if (!open || cutPoints.count({x, y})) {
                    close();
                    piece = LineSegment{x, y, x, y};
                    open = true;
                }
                piece.x1 = x + dx;
                piece.y1 = y + dy;
            }
            x += dx;
            y += dy;
        }
        close();
    }
    return pieces;
}

}  // namespace pw

#include "import/ModelRelief.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "import/ImportMessages.h"

namespace pw {

namespace {

// A corner in the card's terms: across (cells from the area's left edge),
// up (cells above the floor) and out (cells in front of the back sheet).
struct CardPoint {
    double across, up, out;
};

// The model's coordinates turned so that x is across, the second is depth
// toward the viewer (larger is nearer) and the third is up.
void Turn(const std::array<float, 3>& p, ModelUp up, double& across, double& toward, double& height) {
    across = p[0];
    if (up == ModelUp::Z) {
        toward = -static_cast<double>(p[1]);
        height = p[2];
    } else {
        toward = p[2];
        height = p[1];
    }
}

class DepthRaster {
public:
    explicit DepthRaster(DepthMap& map) : map_(map), best_(map.depth.size(), -1.0) {}

    // Keeps the largest depth seen through cell (i, j).
    void Mark(long i, long j, double out) {
        if (i < 0 || j < 0 || i >= map_.width || j >= map_.height) return;
        double& cell = best_[static_cast<std::size_t>(i) * static_cast<std::size_t>(map_.height) + static_cast<std::size_t>(j)];
        cell = std::max(cell, out);
    }

    // A point on the surface: the cell it lies in sees it.
    void MarkPoint(double across, double up, double out) {
        Mark(Cell(across, map_.width), Cell(up, map_.height), out);
    }

    void Triangle(const CardPoint& a, const CardPoint& b, const CardPoint& c) {
        // A triangle seen edge-on shows nothing. Of the others, the edges are
        // sampled at most half a cell apart, so that a thin part of the model
        // still shows, and then the cells whose centres lie inside.
        const double area = (b.across - a.across) * (c.up - a.up) - (c.across - a.across) * (b.up - a.up);
        if (std::fabs(area) < 1e-12) return;
        // Most triangles of a detailed model lie within one cell.
        const long ci = Cell(a.across, map_.width), cj = Cell(a.up, map_.height);
        if (Cell(b.across, map_.width) == ci && Cell(c.across, map_.width) == ci && Cell(b.up, map_.height) == cj &&
            Cell(c.up, map_.height) == cj && !OnCellEdge(a) && !OnCellEdge(b) && !OnCellEdge(c)) {
            Mark(ci, cj, std::max({a.out, b.out, c.out}));
            return;
        }
        const double cx = (a.across + b.across + c.across) / 3.0, cy = (a.up + b.up + c.up) / 3.0;
        Edge(a, b, cx, cy);
        Edge(b, c, cx, cy);
        Edge(c, a, cx, cy);
        const long i0 = std::max(0L, static_cast<long>(std::floor(std::min({a.across, b.across, c.across}) - 0.5)));
        const long i1 = std::min(static_cast<long>(map_.width) - 1,
                                 static_cast<long>(std::ceil(std::max({a.across, b.across, c.across}) - 0.5)));
        const long j0 = std::max(0L, static_cast<long>(std::floor(std::min({a.up, b.up, c.up}) - 0.5)));
        const long j1 = std::min(static_cast<long>(map_.height) - 1,
                                 static_cast<long>(std::ceil(std::max({a.up, b.up, c.up}) - 0.5)));
        for (long i = i0; i <= i1; ++i)
            for (long j = j0; j <= j1; ++j) {
                const double px = static_cast<double>(i) + 0.5, py = static_cast<double>(j) + 0.5;
                const double wa = ((b.across - px) * (c.up - py) - (c.across - px) * (b.up - py)) / area;
                const double wb = ((c.across - px) * (a.up - py) - (a.across - px) * (c.up - py)) / area;
                const double wc = 1.0 - wa - wb;
                if (wa < 0 || wb < 0 || wc < 0) continue;
                Mark(i, j, wa * a.out + wb * b.out + wc * c.out);
            }
    }

    // Depths in whole cells: at least one where the model is seen.
    void Finish(int cap) {
        for (std::size_t k = 0; k < best_.size(); ++k) {
            if (best_[k] < 0) continue;
            const int d = std::max(1, static_cast<int>(std::lround(best_[k])));
            map_.depth[k] = std::min(d, cap);
        }
    }

private:
    static bool OnCellEdge(const CardPoint& p) {
        return p.across == std::floor(p.across) || p.up == std::floor(p.up);
    }

    static long Cell(double v, int count) {
        return std::clamp(static_cast<long>(std::floor(v)), 0L, static_cast<long>(count) - 1);
    }

    // A point on an edge is moved a hair toward the triangle's middle: an
    // edge that lies on a cell boundary belongs to the cell on its inside,
    // so a box ten cells wide covers ten cells, not eleven.
    void Edge(const CardPoint& a, const CardPoint& b, double middleAcross, double middleUp) {
        const double length = std::max(std::fabs(b.across - a.across), std::fabs(b.up - a.up));
        const int steps = static_cast<int>(std::min(4.0 * (map_.width + map_.height), std::ceil(length * 2.0)));
        for (int s = 0; s <= steps; ++s) {
            const double t = steps == 0 ? 0.0 : static_cast<double>(s) / steps;
            double x = a.across + t * (b.across - a.across), y = a.up + t * (b.up - a.up);
            const double dx = middleAcross - x, dy = middleUp - y, d = std::hypot(dx, dy);
            if (d > 0) x += dx / d * kNudge, y += dy / d * kNudge;
            MarkPoint(x, y, a.out + t * (b.out - a.out));
        }
    }

    static constexpr double kNudge = 1e-7;

    DepthMap& map_;
    std::vector<double> best_;
};

}  // namespace

bool ModelDepthMap(const Mesh& mesh, ModelUp up, const ReliefArea& area, int cardDepth, int depthCap, DepthMap& out,
                   std::string& error) {
    if (mesh.Triangles() == 0) {
        error = msg::kModelNoTriangles;
        return false;
    }
    constexpr double inf = std::numeric_limits<double>::infinity();
    double minAcross = inf, maxAcross = -inf, minToward = inf, maxToward = -inf, minUp = inf, maxUp = -inf;
    for (std::size_t k = 0; k < mesh.Triangles() * 3; ++k) {
        double across = 0, toward = 0, height = 0;
        Turn(mesh.corners[k], up, across, toward, height);
        if (!std::isfinite(across) || !std::isfinite(toward) || !std::isfinite(height)) {
            error = msg::kModelNotFinite;
            return false;
        }
        minAcross = std::min(minAcross, across), maxAcross = std::max(maxAcross, across);
        minToward = std::min(minToward, toward), maxToward = std::max(maxToward, toward);
        minUp = std::min(minUp, height), maxUp = std::max(maxUp, height);
    }
    const double wide = maxAcross - minAcross, deep = maxToward - minToward, high = maxUp - minUp;
    // A model whose extent is lost in the float precision of its position is flat too.
    const double size = std::max({std::fabs(minAcross), std::fabs(maxAcross), std::fabs(minUp), std::fabs(maxUp)});
    if (!(wide > size * 1e-6) || !(high > size * 1e-6) || !std::isfinite(wide) || !std::isfinite(high) ||
        !std::isfinite(deep)) {
        error = msg::kModelFlat;
        return false;
    }
    double scale = std::min(area.width / wide, area.height / high);
    if (deep > 0) scale = std::min(scale, cardDepth / deep);
    const double left = (area.width - wide * scale) / 2.0;

    DepthMap map(area.firstColumn, area.width, area.height);
    DepthRaster raster(map);
    CardPoint p[3];
    for (std::size_t t = 0; t < mesh.Triangles(); ++t) {
        for (int c = 0; c < 3; ++c) {
            double across = 0, toward = 0, height = 0;
            Turn(mesh.corners[t * 3 + static_cast<std::size_t>(c)], up, across, toward, height);
            p[c] = CardPoint{left + (across - minAcross) * scale, (height - minUp) * scale, (toward - minToward) * scale};
        }
        raster.Triangle(p[0], p[1], p[2]);
    }
    raster.Finish(depthCap > 0 ? std::min(depthCap, cardDepth) : cardDepth);
    out = std::move(map);
    return true;
}

}  // namespace pw

#include "view3d/FacePicking.h"

#include <cmath>

#include "model/GridSheetCells.h"

namespace pw {

namespace {

// Where the ray crosses the plane where coordinate `axis` equals `level`,
// as its distance along the ray; false when it runs parallel or the
// crossing lies outside the visible range.
bool Crossing(double from, double to, double level, double& distance) {
    const double d = to - from;
    if (d == 0) return false;
    distance = (level - from) / d;
    return distance >= 0 && distance <= 1;
}

double Along(double from, double to, double distance) { return from + (to - from) * distance; }

// The cell index of a coordinate, or -1 outside 0 .. extent-1.
int CellOf(double v, int extent) {
    if (!(v >= 0) || v >= extent) return -1;
    return static_cast<int>(std::floor(v));
}

}  // namespace

std::optional<FaceHit> PickFace(const GridSheetCells& cells, const PointerRay& ray) {
    const int W = cells.GridWidth(), H = cells.GridHeight();
    if (W <= 0 || H <= 0) return std::nullopt;
    const Point3& a = ray.nearPoint;
    const Point3& b = ray.farPoint;
    std::optional<FaceHit> best;
    auto offer = [&best](const FaceHit& hit) {
        if (!best || hit.distance < best->distance) best = hit;
    };
    // One crossing per plane of each kind: H height planes, H depth planes.
    for (int level = 0; level < H; ++level) {
        double t = 0;
        if (Crossing(a.z, b.z, level, t)) {
            const int x = CellOf(Along(a.x, b.x, t), W);
            const int y = CellOf(Along(a.y, b.y, t), H);
            if (x >= 0 && y >= 0 && cells.HasHorizontalFace(x, y, level)) offer({true, x, y, level, t});
        }
        if (Crossing(a.y, b.y, level, t)) {
            const int x = CellOf(Along(a.x, b.x, t), W);
            const int z = CellOf(Along(a.z, b.z, t), H);
            if (x >= 0 && z >= 0 && cells.HasVerticalFace(x, level, z)) offer({false, x, level, z, t});
        }
    }
    return best;
}

CursorTarget CursorTargetOf(const FaceHit& hit) {
    if (hit.horizontal) return {0, hit.x, hit.y};
    return {1, hit.x, hit.z};
}

}  // namespace pw

#include "model/FaceAnchoring.h"

#include <algorithm>
#include <utility>

#include "model/GridSheetCells.h"

namespace pw {

namespace {

struct PlaneFace {
    int x = 0, z = 0;
    std::uint8_t seeds = 0;  // the marks this face gives its region
};

}  // namespace

FaceAnchoring::FaceAnchoring(const GridSheetCells& cells) : width_(cells.GridWidth()), height_(cells.GridHeight()) {
    const int W = width_, H = height_;
    const int units = std::max(2 * H - 2, 0);
    entries_.assign(static_cast<std::size_t>(std::max(W, 0)) * static_cast<std::size_t>(units), Entry{});
    if (W < 3 || H < 3) return;

    // The checked faces, plane by plane. Column by column the units run
    // from the back's top down to the floor's front, which in one plane is
    // from the highest face down: the first face of a column met in a plane
    // is its highest there.
    std::vector<std::vector<PlaneFace>> planes(static_cast<std::size_t>(H));
    for (int x = 1; x <= W - 2; ++x)
        for (int k = 1 - H; k <= H - 2; ++k) {
            const GridSheetCells::Cell& c = cells.At(x, k);
            if (!c.present || !c.vertical || c.y < 2 || c.z < 1 || c.z > H - 2) continue;
            std::vector<PlaneFace>& plane = planes[static_cast<std::size_t>(c.y)];
            std::uint8_t seeds = 0;
            if (plane.empty() || plane.back().x != x) seeds |= kTop;
            if (c.z == 1 || cells.HasHorizontalFace(x, c.y, c.z)) seeds |= kBottom;
            plane.push_back({x, c.z, seeds});
        }

    // Each plane's regions, found with an explicit stack: a plane of a wide
    // card read from a file can hold a region of a million cells, far
    // deeper than the call stack allows.
    std::vector<int> slot(static_cast<std::size_t>(W) * static_cast<std::size_t>(H), -1);
    std::vector<int> region, stack;
    std::vector<std::uint8_t> regionMarks;
    for (int y = 2; y <= H - 1; ++y) {
        const std::vector<PlaneFace>& faces = planes[static_cast<std::size_t>(y)];
        if (faces.empty()) continue;
        auto slotOf = [&](int x, int z) -> int& { return slot[static_cast<std::size_t>(x) * H + static_cast<std::size_t>(z)]; };
        for (std::size_t i = 0; i < faces.size(); ++i) slotOf(faces[i].x, faces[i].z) = static_cast<int>(i);
        region.assign(faces.size(), -1);
        regionMarks.clear();
        for (std::size_t i = 0; i < faces.size(); ++i) {
            if (region[i] >= 0) continue;
            const int r = static_cast<int>(regionMarks.size());
            std::uint8_t marks = 0;
            region[i] = r;
            stack.assign(1, static_cast<int>(i));
            while (!stack.empty()) {
                const PlaneFace& f = faces[static_cast<std::size_t>(stack.back())];
                stack.pop_back();
                marks |= f.seeds;
                auto visit = [&](int x, int z) {
                    if (x < 1 || x > W - 2 || z < 1 || z > H - 2) return;
                    const int j = slotOf(x, z);
                    if (j < 0 || region[static_cast<std::size_t>(j)] >= 0) return;
                    region[static_cast<std::size_t>(j)] = r;
                    stack.push_back(j);
                };
                visit(f.x - 1, f.z);
                visit(f.x + 1, f.z);
                visit(f.x, f.z - 1);
                visit(f.x, f.z + 1);
            }
            regionMarks.push_back(marks);
        }
        for (std::size_t i = 0; i < faces.size(); ++i) {
            const PlaneFace& f = faces[i];
            slotOf(f.x, f.z) = -1;
            Entry& e = entries_[static_cast<std::size_t>(f.x) * static_cast<std::size_t>(units) +
                                static_cast<std::size_t>(y - f.z - 1 + H - 1)];
            e.marks = regionMarks[static_cast<std::size_t>(region[i])];
            e.y = y;
        }
    }
}

std::uint8_t FaceAnchoring::MarksAt(int x, int y, int z) const {
    const int H = height_, k = y - z - 1;
    if (x < 0 || x >= width_ || k < 1 - H || k > H - 2) return 0;
    const Entry& e = entries_[static_cast<std::size_t>(x) * static_cast<std::size_t>(2 * H - 2) +
                              static_cast<std::size_t>(k + H - 1)];
    return e.y == y ? e.marks : 0;
}

}  // namespace pw

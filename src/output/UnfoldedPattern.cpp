#include "output/UnfoldedPattern.h"

#include <cmath>

#include "model/CellGrid.h"
#include "output/LineSurface.h"

namespace pw {

int ToDeviceUnits(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(value);  // the conversion truncates toward zero
}

namespace {

class PatternDrawer {
public:
    PatternDrawer(LineSurface& surface, double ox, double oy, double cw, double ch)
        : surface_(surface), ox_(ox), oy_(oy), cw_(cw), ch_(ch) {}

    int X(int u) const { return ToDeviceUnits(ox_ + u * cw_); }
    int Y(int s) const { return ToDeviceUnits(oy_ + s * ch_); }

    void Select(PenHandle pen) {
        const PenHandle before = surface_.SelectPen(pen);
        if (!restoreKnown_) {
            restore_ = before;
            restoreKnown_ = true;
        }
    }
    void Segment(int u0, int s0, int u1, int s1) {
        surface_.MoveTo(X(u0), Y(s0));
        surface_.LineTo(X(u1), Y(s1));
    }
    // One line of a slab: its pen is selected anew every time.
    void Line(PenHandle pen, int u0, int s0, int u1, int s1) {
        Select(pen);
        Segment(u0, s0, u1, s1);
    }
    void RestorePen() {
        if (restoreKnown_) surface_.SelectPen(restore_);
    }

private:
    LineSurface& surface_;
    double ox_, oy_, cw_, ch_;
    PenHandle restore_ = kStockPen;
    bool restoreKnown_ = false;
};

}  // namespace

bool DrawUnfoldedPattern(LineSurface& surface, const CellGrid& grid, int reverseMode, double ox, double oy,
                         double cw, double ch) {
    const int W = grid.gridWidth;
    const int H = grid.gridHeight;
    if (reverseMode != 0) {
        ox = ox + W * cw;
        cw = -cw;
    }
    PatternDrawer d(surface, ox, oy, cw, ch);
    const PenHandle cut = surface.CreatePen(kCutPen);
    const PenHandle mountain = surface.CreatePen(kMountainPen);
    const PenHandle valley = surface.CreatePen(kValleyPen);

    auto has = [&](int x, int y, int z, std::uint8_t flag) { return grid.HasFlag(x, y, z, flag); };

    int e = 1;
    while (e < W - 1) {
        int n = 1;
        while (e + n <= W - 1 && has(e + n, 0, 0, COLUMN_SAME_AS_LEFT)) ++n;

        // Side cuts where the slab's first column and its left neighbour differ.
        for (int y = 0; y < H; ++y)
            for (int z = 0; z < H; ++z)
                if (has(e - 1, y, z, CELL_VERTICAL_FACE) != has(e, y, z, CELL_VERTICAL_FACE))
                    d.Line(cut, e, y - z, e, y - z - 1);
        for (int y = 0; y < H; ++y)
            for (int z = 0; z < H; ++z)
                if (has(e - 1, y, z, CELL_HORIZONTAL_FACE) != has(e, y, z, CELL_HORIZONTAL_FACE))
                    d.Line(cut, e, y - z + 1, e, y - z);

        // Ends of vertical faces: a fold where a horizontal face meets them.
        for (int y = 1; y < H; ++y)
            for (int z = 1; z < H; ++z) {
                const bool here = has(e, y, z, CELL_VERTICAL_FACE);
                const bool below = has(e, y, z - 1, CELL_VERTICAL_FACE);
                const int s = y - z;
                if (here && !below)
                    d.Line(has(e, y, z, CELL_HORIZONTAL_FACE) ? valley : cut, e, s, e + n, s);
                else if (!here && below)
                    d.Line(has(e, y - 1, z, CELL_HORIZONTAL_FACE) ? mountain : cut, e, s, e + n, s);
            }

        // Ends of horizontal faces: a fold where a vertical face meets them.
        for (int y = 1; y < H; ++y)
            for (int z = 1; z < H; ++z) {
                const bool here = has(e, y, z, CELL_HORIZONTAL_FACE);
                const bool behind = has(e, y - 1, z, CELL_HORIZONTAL_FACE);
                const int s = y - z;
                if (here && !behind)
                    d.Line(has(e, y, z, CELL_VERTICAL_FACE) ? valley : cut, e, s, e + n, s);
                else if (!here && behind)
                    d.Line(has(e, y, z - 1, CELL_VERTICAL_FACE) ? mountain : cut, e, s, e + n, s);
            }
        e += n;
    }

    // The outline, with one selection of the cut pen for its four lines.
    d.Select(cut);
    d.Segment(1, H - 1, W - 1, H - 1);
    d.Segment(1, 1 - H, W - 1, 1 - H);
    d.Segment(1, H - 1, 1, 1 - H);
    d.Segment(W - 1, H - 1, W - 1, 1 - H);

    d.RestorePen();
    surface.DeletePen(cut);
    surface.DeletePen(mountain);
    surface.DeletePen(valley);
    return true;
}

}  // namespace pw

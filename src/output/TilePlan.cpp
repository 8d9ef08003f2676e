#include "output/TilePlan.h"

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

// More pages than anyone prints; a guard against absurd page sizes.
constexpr int kMaxTilesPerSide = 200;

int PiecesFor(double length, double tile, double overlap) {
    if (length <= tile) return 1;
    const double step = tile - overlap;
    const double n = std::ceil((length - overlap) / step - 1e-9);
    return static_cast<int>(std::clamp(n, 1.0, static_cast<double>(kMaxTilesPerSide)));
}

}  // namespace

std::vector<MmPoint> TileGrid::AlignmentMarks(int row, int column) const {
    std::vector<MmPoint> marks;
    const double x0 = TileLeft(column), y0 = TileTop(row);
    auto across = [&](double y) {
        for (double f : {0.25, 0.75}) marks.push_back(MmPoint{x0 + tileWidth * f, y});
    };
    auto down = [&](double x) {
        for (double f : {0.25, 0.75}) marks.push_back(MmPoint{x, y0 + tileHeight * f});
    };
    if (column > 0) down(TileLeft(column) + overlap / 2);
    if (column + 1 < columns) down(TileLeft(column + 1) + overlap / 2);
    if (row > 0) across(TileTop(row) + overlap / 2);
    if (row + 1 < rows) across(TileTop(row + 1) + overlap / 2);
    return marks;
}

std::string TileGrid::Label(int row, int column) {
    return std::to_string(row + 1) + ", " + std::to_string(column + 1);
}

TileGrid PlanTiles(double left, double top, double right, double bottom, double tileWidth, double tileHeight,
                   double overlap) {
    TileGrid t;
    t.tileWidth = std::max(tileWidth, 1e-6);
    t.tileHeight = std::max(tileHeight, 1e-6);
    t.overlap = std::clamp(overlap, 0.0, std::min(t.tileWidth, t.tileHeight) / 4);
    const double width = std::max(0.0, right - left), height = std::max(0.0, bottom - top);
    t.columns = PiecesFor(width, t.tileWidth, t.overlap);
    t.rows = PiecesFor(height, t.tileHeight, t.overlap);
    // The pieces together cover a little more than the box: share the rest
    // out on both sides.
    const double coveredX = t.columns * t.tileWidth - (t.columns - 1) * t.overlap;
    const double coveredY = t.rows * t.tileHeight - (t.rows - 1) * t.overlap;
    t.left = left - (coveredX - width) / 2;
    t.top = top - (coveredY - height) / 2;
    return t;
}

TileGrid PlanEvenTiles(double left, double top, double right, double bottom, double tileWidth, double tileHeight,
                       double overlap) {
    TileGrid t = PlanTiles(left, top, right, bottom, tileWidth, tileHeight, overlap);
    const double width = std::max(0.0, right - left), height = std::max(0.0, bottom - top);
    // Past the cap on pieces a share would outgrow the piece: keep it whole.
    const double shareX = (width + (t.columns - 1) * t.overlap) / t.columns;
    const double shareY = (height + (t.rows - 1) * t.overlap) / t.rows;
    if (t.columns > 1 && shareX <= t.tileWidth) {
        t.tileWidth = shareX;
        t.left = left;
    }
    if (t.rows > 1 && shareY <= t.tileHeight) {
        t.tileHeight = shareY;
        t.top = top;
    }
    return t;
}

bool LineMeetsRect(const MmLine& l, double left, double top, double right, double bottom, double slack) {
    return std::max(l.x0, l.x1) >= left - slack && std::min(l.x0, l.x1) <= right + slack &&
           std::max(l.y0, l.y1) >= top - slack && std::min(l.y0, l.y1) <= bottom + slack;
}

namespace {

constexpr double kMinTileMm = 4 * kTileOverlapMm;

struct Box {
    double left = 0, top = 0, right = 0, bottom = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};

Box DrawingBoxOf(const CutterPattern& pattern) {
    Box b;
    pattern.DrawingBox(b.left, b.top, b.right, b.bottom);
    return b;
}

PageFrame Turned(const PageFrame& f) {
    PageFrame t = f;
    t.paperWidthMm = f.paperHeightMm;
    t.paperHeightMm = f.paperWidthMm;
    t.areaWidthMm = f.areaHeightMm;
    t.areaHeightMm = f.areaWidthMm;
    return t;
}

bool Within(const Box& box, const PatternPage& page, const PageFrame& frame) {
    const double s = frame.slackMm;
    return (box.left + page.shiftX) * page.scale >= -s && (box.right + page.shiftX) * page.scale <= frame.areaWidthMm + s &&
           (box.top + page.shiftY) * page.scale >= -s && (box.bottom + page.shiftY) * page.scale <= frame.areaHeightMm + s;
}

// The box at `scale`, centred on the frame's area.
PatternPage Centred(const Box& box, const PageFrame& frame, double scale, bool turned) {
    PatternPage page;
    page.turned = turned;
    page.scale = scale;
    page.shiftX = frame.areaWidthMm / 2 / scale - (box.left + box.right) / 2;
    page.shiftY = frame.areaHeightMm / 2 / scale - (box.top + box.bottom) / 2;
    return page;
}

// The largest scale at which the box lies within kFitMarginMm of the
// area's edges; 0 when there is no room (or no box).
double FittedScale(const Box& box, const PageFrame& frame) {
    if (!(box.Width() > 0 && box.Height() > 0)) return 0;
    const double width = frame.areaWidthMm - 2 * kFitMarginMm, height = frame.areaHeightMm - 2 * kFitMarginMm;
    return std::max(0.0, std::min(width / box.Width(), height / box.Height()));
}

// The box cut into pieces on pages of the frame; none when the area has no
// room for a piece beside its margins. The box is given from `origin`, a
// point of the pattern, which the pages' sheet shifts are measured from.
std::vector<PatternPage> Tiles(const Box& box, MmPoint origin, const PageFrame& frame, bool turned, int& rows,
                               int& columns) {
    const double tileWidth = frame.areaWidthMm - 2 * kTileMarginMm;
    const double tileHeight = frame.areaHeightMm - 2 * kTileMarginMm;
    if (frame.printer && !(tileWidth >= kMinTileMm && tileHeight >= kMinTileMm)) return {};
    const double bleed = frame.printer ? kTileBleedMm : 0;
    const TileGrid grid = (frame.printer ? PlanEvenTiles : PlanTiles)(box.left - bleed, box.top - bleed,
                                                                       box.right + bleed, box.bottom + bleed,
                                                                       tileWidth, tileHeight, kTileOverlapMm);
    rows = grid.rows;
    columns = grid.columns;
    std::vector<PatternPage> pages;
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            PatternPage page;
            page.turned = turned;
            page.sheetShiftX = kTileMarginMm - grid.TileLeft(c);
            page.sheetShiftY = kTileMarginMm - grid.TileTop(r);
            page.shiftX = page.sheetShiftX - origin.x;
            page.shiftY = page.sheetShiftY - origin.y;
            page.clipped = true;
            page.clipLeft = kTileMarginMm;
            page.clipTop = kTileMarginMm;
            page.clipRight = kTileMarginMm + grid.tileWidth;
            page.clipBottom = kTileMarginMm + grid.tileHeight;
            for (const MmPoint& m : grid.AlignmentMarks(r, c))
                page.marks.push_back(MmPoint{m.x + page.sheetShiftX, m.y + page.sheetShiftY});
            page.label = TileGrid::Label(r, c);
            page.labelAt = MmPoint{kTileMarginMm, kTileMarginMm - 3};
            pages.push_back(page);
        }
    return pages;
}

PatternPages OnePage(const PageFrame& frame, const PatternPage& page) {
    PatternPages plan;
    plan.pageWidthMm = frame.areaWidthMm;
    plan.pageHeightMm = frame.areaHeightMm;
    plan.pages.push_back(page);
    return plan;
}

// The drawing's box from the sheet's top-left corner, the sheet's own size
// as the layout gave it.
Box FromSheetCorner(const CutterPattern& pattern) {
    Box b{0, 0, pattern.size.sheetWidthMm, pattern.size.sheetHeightMm};
    if (pattern.legend) {
        b.right = std::max(b.right, pattern.legend->right - pattern.sheetLeftMm);
        b.bottom = std::max(b.bottom, pattern.legend->bottom - pattern.sheetTopMm);
    }
    return b;
}

PatternPages PrinterPages(const CutterPattern& pattern, const PageFrame& frame, PrintScale scale) {
    const Box box = DrawingBoxOf(pattern);
    const PageFrame turned = Turned(frame);
    // The drawing where the layout put it on the paper, as the file has it;
    // a drawing too large for that (on a grown page) with the sheet's
    // middle at the paper's. Without a legend both put the sheet's middle
    // there, as the printout always has.
    PatternPage single;
    if (pattern.grown) {
        single.shiftX = frame.paperWidthMm / 2 - (pattern.sheetLeftMm + pattern.sheetRightMm) / 2;
        single.shiftY = frame.paperHeightMm / 2 - (pattern.sheetTopMm + pattern.sheetBottomMm) / 2;
    }

    if (scale == PrintScale::FitToPage) {
        const double upright = FittedScale(box, frame), across = FittedScale(box, turned);
        if (across > upright * (1 + 1e-9)) return OnePage(frame, Centred(box, turned, across, true));
        if (upright > 0) return OnePage(frame, Centred(box, frame, upright, false));
        return OnePage(frame, single);
    }
    if (!pattern.forceTiling) {
        if (Within(box, single, frame)) return OnePage(frame, single);
        const PatternPage turnedSingle = Centred(box, turned, 1, true);
        if (Within(box, turnedSingle, turned)) return OnePage(frame, turnedSingle);
    }
    PatternPages upright = OnePage(frame, single), across = upright;
    const Box fromCorner = FromSheetCorner(pattern);
    const MmPoint corner{pattern.sheetLeftMm, pattern.sheetTopMm};
    upright.pages = Tiles(fromCorner, corner, frame, false, upright.rows, upright.columns);
    across.pages = Tiles(fromCorner, corner, turned, true, across.rows, across.columns);
    if (!across.pages.empty() && (upright.pages.empty() || across.pages.size() < upright.pages.size())) return across;
    if (upright.pages.empty()) return OnePage(frame, single);
    return upright;
}

}  // namespace

PatternPages PlanPatternPages(const CutterPattern& pattern, const PageFrame& frame, PrintScale scale) {
    if (frame.printer) return PrinterPages(pattern, frame, scale);
    PatternPages plan;
    if (!pattern.grown && !pattern.forceTiling) {
        plan.pageWidthMm = pattern.pageWidthMm;
        plan.pageHeightMm = pattern.pageHeightMm;
        plan.pages.emplace_back();
        return plan;
    }
    plan.pageWidthMm = frame.paperWidthMm;
    plan.pageHeightMm = frame.paperHeightMm;
    plan.pages = Tiles(DrawingBoxOf(pattern), MmPoint{0, 0}, frame, false, plan.rows, plan.columns);
    return plan;
}

PatternPages PlanPatternPages(const CutterPattern& pattern) {
    PageFrame frame;
    frame.paperWidthMm = frame.areaWidthMm = pattern.paper.widthMm;
    frame.paperHeightMm = frame.areaHeightMm = pattern.paper.heightMm;
    return PlanPatternPages(pattern, frame);
}

}  // namespace pw

#include "output/CutterPattern.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/CellGrid.h"
#include "output/SegmentMerge.h"
#include "output/SegmentRecorder.h"
#include "output/UnfoldedPattern.h"

namespace pw {

namespace {

constexpr double kA4WidthMm = 210;
constexpr double kA4HeightMm = 297;
constexpr double kMarginMm = 10;

}  // namespace

std::string FormatDecimal(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0 || !std::isfinite(rounded)) rounded = 0;  // no "-0", no "inf"
    char buf[512];
    const auto result = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "0";
    std::string text(buf, result.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

CutterPattern LayOutCutterPattern(const CellGrid& grid, int reverseMode, int rudovozuSizeRatio) {
    const int W = grid.gridWidth;
    const int H = grid.gridHeight;
    CutterPattern p;
    p.cut = CutterLayer{"cut", "#000000", 0.2, {}, {}};
    p.mountain = CutterLayer{"mountain", "#FF0000", 0.2, {3, 1.5}, {}};
    p.valley = CutterLayer{"valley", "#0000FF", 0.2, {0.5, 1}, {}};
    if (W <= 0 || H <= 0) return p;

    // Drawn at one unit per cell from the origin, the points are the sheet
    // coordinates themselves (u, or W - u when mirrored, and s): integers that
    // merge exactly.
    SegmentRecorder recorder;
    DrawUnfoldedPattern(recorder, grid, reverseMode, 0, 0, 1, 1);

    const double r = rudovozuSizeRatio * 0.01;
    p.cellMm = r * kA4WidthMm / W;
    const double sheetWidth = std::abs((W - 2) * p.cellMm);
    const double sheetHeight = std::abs(2 * (H - 1) * p.cellMm);
    p.pageWidthMm = std::max(kA4WidthMm, sheetWidth + 2 * kMarginMm);
    p.pageHeightMm = std::max(kA4HeightMm, sheetHeight + 2 * kMarginMm);
    // The W columns are centred, so the grid's middle u = W / 2 lies at the
    // page's middle, as does the crease s = 0.
    const double midX = p.pageWidthMm / 2, midY = p.pageHeightMm / 2;
    auto toMm = [&](const LineSegment& s) {
        return MmLine{midX + (s.x0 - W / 2.0) * p.cellMm, midY + s.y0 * p.cellMm,
                      midX + (s.x1 - W / 2.0) * p.cellMm, midY + s.y1 * p.cellMm};
    };

    for (const PenLines& group : MergeSegments(recorder.Segments())) {
        CutterLayer* layer = group.pen == kCutPen        ? &p.cut
                             : group.pen == kMountainPen ? &p.mountain
                             : group.pen == kValleyPen   ? &p.valley
                                                         : nullptr;
        if (!layer) continue;
        for (const LineSegment& s : group.lines) layer->lines.push_back(toMm(s));
    }
    return p;
}

}  // namespace pw

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

constexpr double kMarginMm = 10;

// The legend's rows: a sample line, then the name of its kind.
constexpr double kLegendGapMm = 8;  // between the sheet and the legend
constexpr double kLegendRowMm = 5.5;
constexpr double kLegendTextMm = 3.5;
constexpr double kLegendSampleMm = 15;
constexpr double kLegendStrokeMm = 0.3;

// A generous estimate of a line of sans-serif text's width.
double TextWidthMm(const std::string& text, double sizeMm) {
    std::size_t characters = 0;
    for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
    return 0.6 * sizeMm * static_cast<double>(characters);
}

bool OnSheetBoundary(const LineSegment& s, int W, int H) {
    if (s.x0 == s.x1 && (s.x0 == 1 || s.x0 == W - 1)) return true;
    return s.y0 == s.y1 && (s.y0 == 1 - H || s.y0 == H - 1);
}

// Where the drawing's centre goes along one axis: the paper's middle when
// the drawing fits there, else as close to it as the margins allow, else a
// page grown around the drawing with the drawing in its middle. `low` and
// `high` are the drawing's extent around the point that is to sit in the
// middle of the paper.
struct AxisPlacement {
    double page = 0, offset = 0;
    bool grown = false;
};

AxisPlacement PlaceAxis(double paper, double low, double high) {
    AxisPlacement a;
    a.page = paper;
    a.offset = paper / 2;
    if (a.offset + low >= kMarginMm && a.offset + high <= paper - kMarginMm) return a;
    if (high - low <= paper - 2 * kMarginMm) {
        a.offset = std::clamp(a.offset, kMarginMm - low, paper - kMarginMm - high);
        return a;
    }
    a.page = std::max(paper, high - low + 2 * kMarginMm);
    a.offset = a.page / 2 - (low + high) / 2;
    a.grown = a.page > paper;
    return a;
}

CutterLayer SampleOf(const CutterLayer& layer, double x, double y, const PatternOptions& options, double dotMm) {
    CutterLayer sample{layer.name, layer.color, kLegendStrokeMm, layer.dashMm, {}};
    const MmLine line{x, y, x + kLegendSampleMm, y};
    if (options.perforate && layer.name != "cut")
        sample.lines = PerforateLine(line, options.dashMm, options.gapMm, dotMm);
    else
        sample.lines.push_back(line);
    return sample;
}

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

std::vector<MmLine> PerforateLine(const MmLine& line, double dashMm, double gapMm, double dotMm) {
    std::vector<MmLine> pieces;
    const double dx = line.x1 - line.x0, dy = line.y1 - line.y0;
    const double length = std::hypot(dx, dy);
    if (!(length > 0) || !(dashMm > 0) || !(gapMm >= 0)) return pieces;
    constexpr double kSliver = 0.01;
    const double period = dotMm > 0 ? dashMm + dotMm + 2 * gapMm : dashMm + gapMm;
    const double middle = length / 2;
    auto add = [&](double from, double to) {
        from = std::max(from, 0.0);
        to = std::min(to, length);
        if (to - from < kSliver) return;
        pieces.push_back(MmLine{line.x0 + dx * from / length, line.y0 + dy * from / length,
                                line.x0 + dx * to / length, line.y0 + dy * to / length});
    };
    // Dashes centred on middle + k * period, dots halfway between them.
    const long first = -static_cast<long>(std::ceil((middle + dashMm) / period));
    const long last = static_cast<long>(std::ceil((length - middle + dashMm) / period));
    for (long k = first; k <= last; ++k) {
        const double centre = middle + static_cast<double>(k) * period;
        add(centre - dashMm / 2, centre + dashMm / 2);
        if (dotMm > 0) {
            const double dot = centre + period / 2;
            add(dot - dotMm / 2, dot + dotMm / 2);
        }
    }
    return pieces;
}

std::vector<const CutterLayer*> CutterPattern::LayersInOrder() const {
    if (order == CutOrder::InnerFirst) return {&mountain, &valley, &cut};
    return {&cut, &mountain, &valley};
}

void CutterPattern::DrawingBox(double& left, double& top, double& right, double& bottom) const {
    left = sheetLeftMm;
    top = sheetTopMm;
    right = sheetRightMm;
    bottom = sheetBottomMm;
    if (legend) {
        left = std::min(left, legend->left);
        top = std::min(top, legend->top);
        right = std::max(right, legend->right);
        bottom = std::max(bottom, legend->bottom);
    }
}

CutterPattern LayOutCutterPattern(const CellGrid& grid, int reverseMode, int rudovozuSizeRatio) {
    PatternOptions asBefore;
    asBefore.cutOrder = CutOrder::AsDrawn;
    return LayOutCutterPattern(grid, reverseMode, rudovozuSizeRatio, asBefore);
}

CutterPattern LayOutCutterPattern(const CellGrid& grid, int reverseMode, int rudovozuSizeRatio,
                                  const PatternOptions& options) {
    const int W = grid.gridWidth;
    const int H = grid.gridHeight;
    CutterPattern p;
    p.paper = options.paper;
    p.pageWidthMm = options.paper.widthMm;
    p.pageHeightMm = options.paper.heightMm;
    p.order = options.cutOrder;
    p.forceTiling = options.tile;
    const double stroke = options.hairline ? kHairlineMm : 0.2;
    p.cut = CutterLayer{"cut", "#000000", stroke, {}, {}};
    p.mountain = CutterLayer{"mountain", "#FF0000", stroke, {3, 1.5}, {}};
    p.valley = CutterLayer{"valley", "#0000FF", stroke, {0.5, 1}, {}};
    if (W <= 0 || H <= 0) return p;

    // Drawn at one unit per cell from the origin, the points are the sheet
    // coordinates themselves (u, or W - u when mirrored, and s): integers that
    // merge exactly.
    SegmentRecorder recorder;
    DrawUnfoldedPattern(recorder, grid, reverseMode, 0, 0, 1, 1);

    p.cellMm = PatternCellMm(options.cellMm, rudovozuSizeRatio, W);
    p.size = FinishedSizeOf(p.cellMm, W, H);
    const double c = p.cellMm;

    // The drawing around the point that sits in the middle of the paper:
    // the middle of the W columns across, the crease down.
    const double sheetLow = (1 - W / 2.0) * c, sheetHigh = (W - 1 - W / 2.0) * c;
    const double sheetTop = -(H - 1) * c, sheetBottom = (H - 1) * c;
    double boxLeft = std::min(sheetLow, sheetHigh), boxRight = std::max(sheetLow, sheetHigh);
    double boxTop = std::min(sheetTop, sheetBottom), boxBottom = std::max(sheetTop, sheetBottom);
    std::vector<std::string> legendNames = {"cut", "mountain fold", "valley fold"};
    std::vector<std::string> legendSize;
    if (options.legend) {
        const std::string times = " \xC3\x97 ";
        legendSize = {"card " + FormatDecimal(p.size.cardWidthMm, 1) + times + FormatDecimal(p.size.cardHeightMm, 1) +
                          " mm (opened)",
                      "sheet " + FormatDecimal(p.size.sheetWidthMm, 1) + times +
                          FormatDecimal(p.size.sheetHeightMm, 1) + " mm"};
        double width = 0;
        for (const std::string& n : legendNames)
            width = std::max(width, kLegendSampleMm + 3 + TextWidthMm(n, kLegendTextMm));
        for (const std::string& t : legendSize) width = std::max(width, TextWidthMm(t, kLegendTextMm));
        boxRight = std::max(boxRight, boxLeft + width);
        boxBottom += kLegendGapMm + kLegendRowMm * 5;
    }
    const AxisPlacement across = PlaceAxis(options.paper.widthMm, boxLeft, boxRight);
    const AxisPlacement down = PlaceAxis(options.paper.heightMm, boxTop, boxBottom);
    p.pageWidthMm = across.page;
    p.pageHeightMm = down.page;
    p.grown = across.grown || down.grown;
    const double midX = across.offset, midY = down.offset;
    p.sheetLeftMm = midX + std::min(sheetLow, sheetHigh);
    p.sheetRightMm = midX + std::max(sheetLow, sheetHigh);
    p.sheetTopMm = midY + sheetTop;
    p.sheetBottomMm = midY + sheetBottom;

    auto toMm = [&](const LineSegment& s) {
        return MmLine{midX + (s.x0 - W / 2.0) * c, midY + s.y0 * c, midX + (s.x1 - W / 2.0) * c, midY + s.y1 * c};
    };
    for (const PenLines& group : MergeSegments(recorder.Segments())) {
        CutterLayer* layer = group.pen == kCutPen        ? &p.cut
                             : group.pen == kMountainPen ? &p.mountain
                             : group.pen == kValleyPen   ? &p.valley
                                                         : nullptr;
        if (!layer) continue;
        for (const LineSegment& s : group.lines) {
            if (layer == &p.cut && options.cutOrder == CutOrder::InnerFirst && OnSheetBoundary(s, W, H)) continue;
            layer->lines.push_back(toMm(s));
        }
    }
    if (options.cutOrder == CutOrder::InnerFirst) {
        // The outline last, as one closed loop the knife follows without
        // lifting: along the top edge, down the right, back along the
        // bottom, up the left.
        const LineSegment loop[4] = {{1, 1 - H, W - 1, 1 - H},
                                     {W - 1, 1 - H, W - 1, H - 1},
                                     {W - 1, H - 1, 1, H - 1},
                                     {1, H - 1, 1, 1 - H}};
        for (const LineSegment& s : loop)
            if (s.x0 != s.x1 || s.y0 != s.y1) p.cut.lines.push_back(toMm(s));
    }

    const double dot = MountainDotMm(options.dashMm);
    if (options.perforate) {
        for (CutterLayer* fold : {&p.mountain, &p.valley}) {
            std::vector<MmLine> pieces;
            for (const MmLine& l : fold->lines) {
                const auto row = PerforateLine(l, options.dashMm, options.gapMm, fold == &p.mountain ? dot : 0);
                pieces.insert(pieces.end(), row.begin(), row.end());
            }
            fold->lines = std::move(pieces);
            fold->dashMm.clear();  // the pieces are the pattern
        }
    }

    if (options.legend) {
        PatternLegend legend;
        legend.left = p.sheetLeftMm;
        legend.top = p.sheetBottomMm + kLegendGapMm;
        legend.right = midX + boxRight;
        legend.bottom = legend.top + kLegendRowMm * 5;
        const CutterLayer* kinds[3] = {&p.cut, &p.mountain, &p.valley};
        for (int k = 0; k < 3; ++k) {
            const double y = legend.top + kLegendRowMm * (k + 0.5);
            legend.samples.push_back(SampleOf(*kinds[k], legend.left, y, options, k == 1 ? dot : 0));
            legend.texts.push_back(TextMark{legend.left + kLegendSampleMm + 3, y + kLegendTextMm * 0.35,
                                            kLegendTextMm, legendNames[static_cast<std::size_t>(k)]});
        }
        for (int k = 0; k < 2; ++k)
            legend.texts.push_back(TextMark{legend.left, legend.top + kLegendRowMm * (k + 3.5) + kLegendTextMm * 0.35,
                                            kLegendTextMm, legendSize[static_cast<std::size_t>(k)]});
        p.legend = std::move(legend);
    }
    return p;
}

}  // namespace pw

#include "output/CutterPattern.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/GridSheet.h"
#include "output/CutPaths.h"
#include "output/SegmentMerge.h"
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
    // Latin letters about 0.6 of the size; Japanese and the other wide
    // characters (three bytes in UTF-8 from U+3000 on) a full square.
    double ems = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        if ((c & 0xC0) == 0x80) continue;
        const bool wide = c >= 0xE3 && c <= 0xEF;
        ems += wide ? 1.0 : 0.6;
    }
    return sizeMm * ems;
}

double PerforationPieceMm(const std::string& layer, double dashMm) {
    return layer == "mountain" ? MountainPieceMm(dashMm) : ValleyPieceMm(dashMm);
}

// Adds the sheet's edge as lines between its points in cells, mirrored left
// to right within the W columns when asked. A grid card's sheet has its
// corners on whole cells, so the lines meet exactly.
void AddEdgeLines(std::vector<LineSegment>& into, const SheetEdge& edge, int mirrorWidth) {
    const std::vector<SheetPoint> points = FlattenPath(edge.path, kFlatteningToleranceMm);
    const auto cellX = [mirrorWidth](double x) {
        const int u = static_cast<int>(std::lround(x));
        return mirrorWidth != 0 ? mirrorWidth - u : u;
    };
    const auto cellS = [](double s) { return static_cast<int>(std::lround(s)); };
    const std::size_t n = points.size();
    for (std::size_t i = 0; i + 1 < n || (edge.path.closed && i < n && n > 1); ++i) {
        const SheetPoint a = points[i], b = points[(i + 1) % n];
        into.push_back(LineSegment{cellX(a.x), cellS(a.s), cellX(b.x), cellS(b.s)});
    }
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
    // A sheet cut to the paper's own size (a reply postcard on reply-postcard
    // paper) needs no margin: its outline is the paper's edge.
    if (high - low <= paper + 1e-6) {
        a.offset = paper / 2 - (low + high) / 2;
        return a;
    }
    a.page = std::max(paper, high - low + 2 * kMarginMm);
    a.offset = a.page / 2 - (low + high) / 2;
    a.grown = a.page > paper;
    return a;
}

// A legend row's sample: a short line drawn as the layer's lines are.
CutterLayer SampleOf(const CutterLayer& layer, double x, double y, const PatternOptions& options) {
    CutterLayer sample{layer.name, layer.color, kLegendStrokeMm, layer.dashMm, {}, {}, false};
    const MmLine line{x, y, x + kLegendSampleMm, y};
    if (options.perforate && (layer.name == "mountain" || layer.name == "valley"))
        sample.lines = PerforateLine(line, PerforationPieceMm(layer.name, options.dashMm), options.gapMm);
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

std::string ScoredFoldsText(int count) {
    if (count <= 0) return "";
    if (count == 1) return "1 fold too short to perforate was written as a score line.";
    return std::to_string(count) + " folds too short to perforate were written as score lines.";
}

std::vector<MmLine> PerforateLine(const MmLine& line, double pieceMm, double gapMm) {
    std::vector<MmLine> pieces;
    const double dx = line.x1 - line.x0, dy = line.y1 - line.y0;
    const double length = std::hypot(dx, dy);
    if (!(length > 0) || !(pieceMm > 0) || !(gapMm >= 0)) return pieces;
    // n pieces need n * piece + (n + 1) * gap; a hair of slack keeps a fold
    // of exactly that length from losing a piece to rounding.
    const double fit = std::floor((length - gapMm + 1e-9) / (pieceMm + gapMm));
    if (!(fit >= 1)) return pieces;
    const auto n = static_cast<long>(std::min(fit, 1e7));
    const double used = static_cast<double>(n) * pieceMm + static_cast<double>(n - 1) * gapMm;
    const double start = (length - used) / 2;
    pieces.reserve(static_cast<std::size_t>(n));
    for (long k = 0; k < n; ++k) {
        const double from = start + static_cast<double>(k) * (pieceMm + gapMm), to = from + pieceMm;
        pieces.push_back(MmLine{line.x0 + dx * from / length, line.y0 + dy * from / length,
                                line.x0 + dx * to / length, line.y0 + dy * to / length});
    }
    return pieces;
}

std::vector<MmPath> PathsOf(const CutterLayer& layer, bool joined) {
    std::vector<MmPath> paths;
    for (const MmLine& l : layer.lines) {
        const bool continues = joined && !paths.empty() && paths.back().points.back().x == l.x0 &&
                               paths.back().points.back().y == l.y0;
        if (!continues) paths.push_back(MmPath{{MmPoint{l.x0, l.y0}}, false});
        paths.back().points.push_back(MmPoint{l.x1, l.y1});
    }
    for (MmPath& path : paths) {
        const MmPoint& a = path.points.front();
        const MmPoint& b = path.points.back();
        path.closed = path.points.size() > 3 && a.x == b.x && a.y == b.y;
    }
    return paths;
}

MmPath FlattenedRun(const SheetPath& path) {
    MmPath run;
    for (const SheetPoint& p : FlattenPath(path, kFlatteningToleranceMm)) run.points.push_back({p.x, p.s});
    if (path.closed && !run.points.empty()) run.points.push_back(run.points.front());
    run.closed = path.closed;
    return run;
}

std::vector<const CutterLayer*> CutterPattern::LayersInOrder() const {
    std::vector<const CutterLayer*> layers;
    if (order == CutOrder::InnerFirst)
        layers = {&engrave, &mountain, &valley, &score, &cut};
    else
        layers = {&cut, &mountain, &valley, &score, &engrave};
    for (const CutterLayer* optional : {&score, &engrave})
        if (optional->Empty()) layers.erase(std::find(layers.begin(), layers.end(), optional));
    if (onlyDrawnLayers)
        layers.erase(std::remove_if(layers.begin(), layers.end(), [](const CutterLayer* l) { return l->Empty(); }),
                     layers.end());
    return layers;
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

namespace {

// The legend's words: the kinds' names (they say how each kind is drawn,
// so that a black-and-white print still tells mountains from valleys) and
// the finished sizes, with the width they take.
struct LegendTexts {
    std::vector<std::string> names, size;
    double width = 0;
    int Rows() const { return static_cast<int>(names.size()) + 2; }
};

LegendTexts LegendTextsOf(const PatternOptions& options, const FinishedSize& size, bool scores) {
    const LegendWording& words = options.legendWording;
    LegendTexts t;
    t.names = {words.cut, words.mountain, words.valley};
    if (scores) t.names.push_back(words.score);
    if (!options.legend) return t;
    const auto sizes = [](std::string text, double width, double height) {
        for (const auto& [mark, value] : {std::pair{"%1", width}, std::pair{"%2", height}})
            if (const std::size_t at = text.find(mark); at != std::string::npos)
                text.replace(at, 2, FormatDecimal(value, 1));
        return text;
    };
    t.size = {sizes(words.card, size.cardWidthMm, size.cardHeightMm),
              sizes(words.sheet, size.sheetWidthMm, size.sheetHeightMm)};
    for (const std::string& n : t.names) t.width = std::max(t.width, kLegendSampleMm + 3 + TextWidthMm(n, kLegendTextMm));
    for (const std::string& text : t.size) t.width = std::max(t.width, TextWidthMm(text, kLegendTextMm));
    return t;
}

// Where the point that sits in the middle of the paper lands, and the
// drawing's right edge around it with the legend.
struct PagePlace {
    double midX = 0, midY = 0, boxRight = 0;
};

// Places the drawing (the sheet from sheetLow to sheetHigh across and
// sheetTop to sheetBottom down, around the paper's middle) with room for
// the legend below it, and sets the page and the sheet's place on it.
PagePlace PlaceOnPaper(CutterPattern& p, const PatternOptions& options, const LegendTexts& legend, double boxLeft,
                       double boxRight, double boxTop, double boxBottom, double sheetLow, double sheetHigh,
                       double sheetTop, double sheetBottom) {
    if (options.legend) {
        boxRight = std::max(boxRight, boxLeft + legend.width);
        boxBottom += kLegendGapMm + kLegendRowMm * legend.Rows();
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
    return {midX, midY, boxRight};
}

void AddLegend(CutterPattern& p, const PatternOptions& options, const LegendTexts& texts, double right) {
    PatternLegend legend;
    legend.left = p.sheetLeftMm;
    legend.top = p.sheetBottomMm + kLegendGapMm;
    legend.right = right;
    legend.bottom = legend.top + kLegendRowMm * texts.Rows();
    const CutterLayer* kinds[4] = {&p.cut, &p.mountain, &p.valley, &p.score};
    const int rows = static_cast<int>(texts.names.size());
    for (int k = 0; k < rows; ++k) {
        const double y = legend.top + kLegendRowMm * (k + 0.5);
        legend.samples.push_back(SampleOf(*kinds[k], legend.left, y, options));
        legend.texts.push_back(TextMark{legend.left + kLegendSampleMm + 3, y + kLegendTextMm * 0.35, kLegendTextMm,
                                        texts.names[static_cast<std::size_t>(k)]});
    }
    for (int k = 0; k < 2; ++k)
        legend.texts.push_back(TextMark{legend.left, legend.top + kLegendRowMm * (k + rows + 0.5) + kLegendTextMm * 0.35,
                                        kLegendTextMm, texts.size[static_cast<std::size_t>(k)]});
    p.legend = std::move(legend);
}

}  // namespace

std::vector<TextMark> LegendRows(const PatternLegend& legend, const std::vector<std::string>& texts) {
    std::vector<TextMark> rows;
    for (std::size_t k = 0; k < texts.size(); ++k)
        rows.push_back(TextMark{legend.left, legend.top + kLegendRowMm * (static_cast<double>(k) + 0.5) + kLegendTextMm * 0.35,
                                kLegendTextMm, texts[k]});
    return rows;
}

namespace {

// The layers' names, colours and strokes.
void SetLayers(CutterPattern& p, const PatternOptions& options, bool firstExport) {
    const double stroke = options.hairline ? kHairlineMm : 0.2;
    // Laser drivers cut red hairlines and take blue and green for other
    // passes; black is what they engrave.
    p.cut = CutterLayer{"cut", firstExport ? "#000000" : "#FF0000", stroke, {}, {}, {}, false};
    p.mountain = CutterLayer{"mountain", firstExport ? "#FF0000" : "#0000FF", stroke, {3, 1.5}, {}, {}, false};
    p.valley = CutterLayer{"valley", firstExport ? "#0000FF" : "#00FF00", stroke, {0.5, 1}, {}, {}, false};
    p.score = CutterLayer{"score", "#FF00FF", stroke, {}, {}, {}, false};
    p.engrave = CutterLayer{"engrave", "#000000", 0, {}, {}, {}, true};
}

// The layout; `firstExport` keeps the first export's colours and lines as
// drawn one by one.
CutterPattern LayOut(const Sheet& sheet, int reverseMode, int rudovozuSizeRatio, const PatternOptions& options,
                     bool firstExport) {
    const int W = SheetGridWidth(sheet);
    const int H = SheetGridHeight(sheet);
    CutterPattern p;
    p.paper = options.paper;
    p.pageWidthMm = options.paper.widthMm;
    p.pageHeightMm = options.paper.heightMm;
    p.order = options.cutOrder;
    p.forceTiling = options.tile;
    p.joined = !firstExport;
    SetLayers(p, options, firstExport);

    p.cellMm = PatternCellMm(options.cellMm, rudovozuSizeRatio, W);
    p.size = FinishedSizeOf(p.cellMm, W, H);
    const double c = p.cellMm;

    // The lines per kind, still in cells (u, or W - u when mirrored, and s).
    // The card's own crease folds as a valley does. The outline is the
    // sheet's extent, kept apart to be written as one loop.
    std::vector<LineSegment> cuts, mountains, valleys, scores;
    const int mirror = reverseMode != 0 ? W : 0;
    for (const SheetEdge& edge : sheet.edges) {
        switch (edge.kind) {
            case SheetEdgeKind::OutlineCut: break;
            case SheetEdgeKind::InnerCut: AddEdgeLines(cuts, edge, mirror); break;
            case SheetEdgeKind::Mountain: AddEdgeLines(mountains, edge, mirror); break;
            case SheetEdgeKind::Valley:
            case SheetEdgeKind::Crease: AddEdgeLines(valleys, edge, mirror); break;
        }
    }
    // Along the top edge, down the right, back along the bottom, up the left.
    const int left = static_cast<int>(std::lround(sheet.minX)), right = static_cast<int>(std::lround(sheet.maxX));
    const int half = static_cast<int>(std::lround(sheet.half));
    const LineSegment loop[4] = {{left, -half, right, -half},
                                 {right, -half, right, half},
                                 {right, half, left, half},
                                 {left, half, left, -half}};
    const bool outlineApart = !firstExport || options.cutOrder == CutOrder::InnerFirst;
    if (!outlineApart) cuts.insert(cuts.end(), std::begin(loop), std::end(loop));
    cuts = MergeLines(cuts);
    mountains = MergeLines(mountains);
    valleys = MergeLines(valleys);
    if (outlineApart) {
        if (!firstExport) cuts = ChainLines(cuts);
        for (const LineSegment& s : loop)
            if (s.x0 != s.x1 || s.y0 != s.y1) cuts.push_back(s);
    }
    if (options.perforate) {
        // Each stretch of fold between two cuts is perforated on its own, so
        // that uncut paper holds it at both ends; one too short for that is
        // scored.
        for (std::vector<LineSegment>* fold : {&mountains, &valleys}) {
            const double piece = PerforationPieceMm(fold == &mountains ? "mountain" : "valley", options.dashMm);
            std::vector<LineSegment> kept;
            for (const LineSegment& s : SplitFoldsAtCuts(*fold, cuts)) {
                const double length = std::hypot(s.x1 - s.x0, s.y1 - s.y0) * c;
                (length + 1e-9 >= piece + 2 * options.gapMm ? kept : scores).push_back(s);
            }
            *fold = std::move(kept);
        }
        p.scoredFolds = static_cast<int>(scores.size());
    }

    // The drawing around the point that sits in the middle of the paper:
    // the middle of the W columns across, the crease down.
    const double sheetLow = (1 - W / 2.0) * c, sheetHigh = (W - 1 - W / 2.0) * c;
    const double sheetTop = -(H - 1) * c, sheetBottom = (H - 1) * c;
    double boxLeft = std::min(sheetLow, sheetHigh), boxRight = std::max(sheetLow, sheetHigh);
    double boxTop = std::min(sheetTop, sheetBottom), boxBottom = std::max(sheetTop, sheetBottom);
    const LegendTexts legendTexts = LegendTextsOf(options, p.size, !scores.empty());
    const PagePlace place =
        PlaceOnPaper(p, options, legendTexts, boxLeft, boxRight, boxTop, boxBottom, sheetLow, sheetHigh, sheetTop,
                     sheetBottom);
    const double midX = place.midX, midY = place.midY;

    auto toMm = [&](const LineSegment& s) {
        return MmLine{midX + (s.x0 - W / 2.0) * c, midY + s.y0 * c, midX + (s.x1 - W / 2.0) * c, midY + s.y1 * c};
    };
    for (const LineSegment& s : cuts) p.cut.lines.push_back(toMm(s));
    for (const LineSegment& s : scores) p.score.lines.push_back(toMm(s));
    for (CutterLayer* layer : {&p.mountain, &p.valley}) {
        const std::vector<LineSegment>& lines = layer == &p.mountain ? mountains : valleys;
        const double piece = PerforationPieceMm(layer->name, options.dashMm);
        for (const LineSegment& s : lines) {
            if (!options.perforate) {
                layer->lines.push_back(toMm(s));
                continue;
            }
            const auto row = PerforateLine(toMm(s), piece, options.gapMm);
            layer->lines.insert(layer->lines.end(), row.begin(), row.end());
        }
        if (options.perforate) layer->dashMm.clear();  // the pieces are the pattern
    }

    if (options.legend) AddLegend(p, options, legendTexts, midX + place.boxRight);
    return p;
}

}  // namespace

CutterPattern LayOutCutterPattern(const Sheet& sheet, int reverseMode, int rudovozuSizeRatio) {
    PatternOptions asBefore;
    asBefore.cutOrder = CutOrder::AsDrawn;
    return LayOut(sheet, reverseMode, rudovozuSizeRatio, asBefore, true);
}

CutterPattern LayOutCutterPattern(const Sheet& sheet, int reverseMode, int rudovozuSizeRatio,
                                  const PatternOptions& options) {
    return LayOut(sheet, reverseMode, rudovozuSizeRatio, options, false);
}

CutterPattern LayOutCutterPattern(const CellGrid& grid, int reverseMode, int rudovozuSizeRatio) {
    return LayOutCutterPattern(DeriveGridSheet(grid), reverseMode, rudovozuSizeRatio);
}

CutterPattern LayOutCutterPattern(const CellGrid& grid, int reverseMode, int rudovozuSizeRatio,
                                  const PatternOptions& options) {
    return LayOutCutterPattern(DeriveGridSheet(grid), reverseMode, rudovozuSizeRatio, options);
}

}  // namespace pw

namespace pw {

namespace {

// Where a sheet point lands on the page: x about the sheet's middle
// (mirrored left to right when asked), s down from the crease.
struct MillimetrePlacement {
    double midX = 0, midY = 0, centreX = 0;
    bool mirror = false;
    SheetPoint At(SheetPoint q) const { return {midX + (mirror ? centreX - q.x : q.x - centreX), midY + q.s}; }
    SheetPath On(const SheetPath& path) const {
        SheetPath out(At(path.start));
        out.closed = path.closed;
        for (PathSegment seg : path.segments) {
            seg.end = At(seg.end);
            seg.centre = At(seg.centre);
            seg.control1 = At(seg.control1);
            seg.control2 = At(seg.control2);
            // A mirror turns an arc the other way.
            if (mirror) seg.sweep = -seg.sweep;
            out.segments.push_back(seg);
        }
        return out;
    }
};

// The straight lines of a fold edge, in sheet millimetres.
void AddFoldLines(std::vector<MmLine>& into, const SheetEdge& edge) {
    const std::vector<SheetPoint> points = FlattenPath(edge.path, kFlatteningToleranceMm);
    const std::size_t n = points.size();
    for (std::size_t i = 0; i + 1 < n || (edge.path.closed && i < n && n > 1); ++i) {
        const SheetPoint a = points[i], b = points[(i + 1) % n];
        into.push_back(MmLine{a.x, a.s, b.x, b.s});
    }
}

}  // namespace

CutterPattern LayOutMillimetrePattern(const Sheet& sheet, int reverseMode, const PatternOptions& options) {
    CutterPattern p;
    p.paper = options.paper;
    p.pageWidthMm = options.paper.widthMm;
    p.pageHeightMm = options.paper.heightMm;
    p.order = options.cutOrder;
    p.forceTiling = options.tile;
    SetLayers(p, options, false);
    // The design's millimetres are the paper's.
    p.cellMm = 1;
    const double width = sheet.maxX - sheet.minX, half = sheet.half;
    p.size = FinishedSize{width, half, width, 2 * half};

    // Folds are straight; every cut keeps its curves. The sheet holds each
    // line once and its outline as the last edge.
    std::vector<MmLine> mountains, valleys, scores;
    std::vector<SheetPath> cuts, outline;
    for (const SheetEdge& edge : sheet.edges) {
        switch (edge.kind) {
            case SheetEdgeKind::OutlineCut: outline.push_back(edge.path); break;
            case SheetEdgeKind::InnerCut: cuts.push_back(edge.path); break;
            case SheetEdgeKind::Mountain: AddFoldLines(mountains, edge); break;
            case SheetEdgeKind::Valley:
            case SheetEdgeKind::Crease: AddFoldLines(valleys, edge); break;
        }
    }
    if (outline.empty()) {
        // Along the top edge, down the right, back along the bottom, up the left.
        SheetPath loop(SheetPoint{sheet.minX, -half});
        loop.LineTo({sheet.maxX, -half}).LineTo({sheet.maxX, half}).LineTo({sheet.minX, half}).Close();
        outline.push_back(loop);
    }
    if (options.perforate) {
        for (std::vector<MmLine>* fold : {&mountains, &valleys}) {
            const double piece = PerforationPieceMm(fold == &mountains ? "mountain" : "valley", options.dashMm);
            std::vector<MmLine> kept;
            for (const MmLine& l : *fold)
                (std::hypot(l.x1 - l.x0, l.y1 - l.y0) + 1e-9 >= piece + 2 * options.gapMm ? kept : scores).push_back(l);
            *fold = std::move(kept);
        }
        p.scoredFolds = static_cast<int>(scores.size());
    }

    const LegendTexts legendTexts = LegendTextsOf(options, p.size, !scores.empty());
    const PagePlace place =
        PlaceOnPaper(p, options, legendTexts, -width / 2, width / 2, -half, half, -width / 2, width / 2, -half, half);
    const MillimetrePlacement at{place.midX, place.midY, (sheet.minX + sheet.maxX) / 2, reverseMode != 0};
    const auto toMm = [&at](const MmLine& l) {
        const SheetPoint a = at.At({l.x0, l.y0}), b = at.At({l.x1, l.y1});
        return MmLine{a.x, a.s, b.x, b.s};
    };
    for (const SheetPath& cut : cuts) p.cut.paths.push_back(at.On(cut));
    for (const SheetPath& loop : outline) p.cut.paths.push_back(at.On(loop));
    for (const MmLine& l : scores) p.score.lines.push_back(toMm(l));
    for (CutterLayer* layer : {&p.mountain, &p.valley}) {
        const std::vector<MmLine>& lines = layer == &p.mountain ? mountains : valleys;
        const double piece = PerforationPieceMm(layer->name, options.dashMm);
        for (const MmLine& l : lines) {
            if (!options.perforate) {
                layer->lines.push_back(toMm(l));
                continue;
            }
            const auto row = PerforateLine(toMm(l), piece, options.gapMm);
            layer->lines.insert(layer->lines.end(), row.begin(), row.end());
        }
        if (options.perforate) layer->dashMm.clear();
    }
    if (options.legend) AddLegend(p, options, legendTexts, place.midX + place.boxRight);
    return p;
}

}  // namespace pw

#include "output/PdfWriter.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "output/ArcCubics.h"
#include "output/CutterPattern.h"
#include "output/PdfFont.h"
#include "output/TilePlan.h"

namespace pw {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kMarkStrokeMm = 0.15;
constexpr double kLabelMm = 3.5;

// "#RRGGBB" as the three components of an RG operator.
std::string StrokeColour(const char* hex) {
    std::string text;
    for (int k = 0; k < 3; ++k) {
        const unsigned v = static_cast<unsigned>(std::stoul(std::string(hex + 1 + 2 * k, 2), nullptr, 16));
        text += FormatMm(v / 255.0) + " ";
    }
    return text + "RG";
}

std::string StrokeState(const CutterLayer& layer) {
    std::string text = StrokeColour(layer.color) + "\n" + FormatStrokeMm(layer.strokeMm) + " w\n0 J\n[";
    for (std::size_t k = 0; k < layer.dashMm.size(); ++k) text += (k ? " " : "") + FormatMm(layer.dashMm[k]);
    return text + "] 0 d\n";
}

// The lines of a page: every line when the page shows the whole drawing,
// else those that reach into its piece.
struct PageView {
    const PatternPage& page;
    bool Shows(const MmLine& l) const {
        if (!page.clipped) return true;
        return LineMeetsRect(MmLine{l.x0 + page.shiftX, l.y0 + page.shiftY, l.x1 + page.shiftX, l.y1 + page.shiftY},
                             page.clipLeft, page.clipTop, page.clipRight, page.clipBottom, 1);
    }
};

// Every run of connected lines as one subpath, closed with h when it ends
// where it began (with `joined`; else a subpath a line), on the pages it
// reaches into.
void WriteLines(std::string& content, const CutterLayer& layer, const PageView& view, bool joined) {
    for (const MmPath& path : PathsOf(layer, joined)) {
        bool shown = false;
        for (std::size_t k = 1; k < path.points.size() && !shown; ++k)
            shown = view.Shows(MmLine{path.points[k - 1].x, path.points[k - 1].y, path.points[k].x, path.points[k].y});
        if (!shown) continue;
        const std::size_t count = path.closed ? path.points.size() - 1 : path.points.size();
        for (std::size_t k = 0; k < count; ++k)
            content += FormatMm(path.points[k].x) + " " + FormatMm(path.points[k].y) + (k ? " l " : " m ");
        content += path.closed ? "h S\n" : "S\n";
    }
}

std::string Point(SheetPoint p) { return FormatMm(p.x) + " " + FormatMm(p.s); }

// Runs with curves as subpaths of lines and cubics (arcs as cubics within
// the flattening tolerance), on the pages they reach into.
void WritePaths(std::string& content, const CutterLayer& layer, const PageView& view) {
    for (const SheetPath& path : layer.paths) {
        const std::vector<SheetPoint> points = FlattenPath(path, kFlatteningToleranceMm);
        bool shown = false;
        for (std::size_t k = 0; k < points.size() && !shown; ++k) {
            const SheetPoint a = points[k], b = points[(k + 1) % points.size()];
            shown = view.Shows(MmLine{a.x, a.s, b.x, b.s});
        }
        if (!shown) continue;
        content += Point(path.start) + " m ";
        SheetPoint at = path.start;
        for (const PathSegment& seg : path.segments) {
            if (seg.shape == SegmentShape::Line) {
                content += Point(seg.end) + " l ";
            } else {
                const std::vector<PathSegment> cubics = seg.shape == SegmentShape::Cubic
                                                            ? std::vector<PathSegment>{seg}
                                                            : ArcAsCubics(at, seg, kFlatteningToleranceMm / 2);
                for (const PathSegment& c : cubics)
                    content += Point(c.control1) + " " + Point(c.control2) + " " + Point(c.end) + " c ";
            }
            at = seg.end;
        }
        content += path.closed ? "h S\n" : "S\n";
    }
}

void WriteLayer(std::string& content, const CutterLayer& layer, int index, const PageView& view, bool joined) {
    content += "/OC /L" + std::to_string(index) + " BDC\nq\n" + StrokeState(layer);
    WriteLines(content, layer, view, joined);
    WritePaths(content, layer, view);
    content += "Q\nEMC\n";
}

// UTF-8 text as a PDF string in WinAnsiEncoding: ASCII and the
// multiplication sign; anything else becomes "?".
std::string PdfString(const std::string& utf8) {
    std::string out = "(";
    for (std::size_t k = 0; k < utf8.size(); ++k) {
        const unsigned char c = static_cast<unsigned char>(utf8[k]);
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c == 0xC3 && k + 1 < utf8.size() && static_cast<unsigned char>(utf8[k + 1]) == 0x97) {
            out += "\\327";
            ++k;
        } else if ((c & 0xC0) != 0x80) {
            out += '?';
        }
    }
    return out + ")";
}

// Text upright on the page although the page's y axis points down: in
// Helvetica when it can show it, else in the embedded font when there is
// one (F2).
void WriteText(std::string& content, const TextMark& t, PdfEmbeddedFont* wide) {
    const std::string s = FormatMm(t.sizeMm);
    const bool embedded = wide && !WinAnsiShows(t.text);
    content += std::string("BT\n") + (embedded ? "/F2" : "/F1") + " 1 Tf\n" + s + " 0 0 -" + s + " " +
               FormatMm(t.x) + " " + FormatMm(t.y) + " Tm\n" +
               (embedded ? wide->Shown(t.text) + " TJ" : PdfString(t.text) + " Tj") + "\nET\n";
}

void WriteLegend(std::string& content, const PatternLegend& legend, int index, bool joined, PdfEmbeddedFont* wide) {
    content += "/OC /L" + std::to_string(index) + " BDC\n";
    const PatternPage whole;
    for (const CutterLayer& sample : legend.samples) {
        content += "q\n" + StrokeState(sample);
        WriteLines(content, sample, PageView{whole}, joined);
        content += "Q\n";
    }
    content += "q\n0 g\n";
    for (const TextMark& t : legend.texts) WriteText(content, t, wide);
    content += "Q\nEMC\n";
}

void WriteMarks(std::string& content, const PatternPage& page, int index, PdfEmbeddedFont* wide) {
    content += "/OC /L" + std::to_string(index) + " BDC\nq\n0 0 0 RG\n" + FormatStrokeMm(kMarkStrokeMm) +
               " w\n0 J\n[] 0 d\n";
    for (const MmPoint& m : page.marks) {
        content += FormatMm(m.x - kAlignmentCrossMm) + " " + FormatMm(m.y) + " m " + FormatMm(m.x + kAlignmentCrossMm) +
                   " " + FormatMm(m.y) + " l S\n";
        content += FormatMm(m.x) + " " + FormatMm(m.y - kAlignmentCrossMm) + " m " + FormatMm(m.x) + " " +
                   FormatMm(m.y + kAlignmentCrossMm) + " l S\n";
    }
    content += "0 g\n";
    WriteText(content, TextMark{page.labelAt.x, page.labelAt.y, kLabelMm, page.label}, wide);
    content += "Q\nEMC\n";
}

}  // namespace

void WritePdf(std::ostream& out, const CutterPattern& pattern) { WritePdf(out, pattern, PlanPatternPages(pattern)); }

void WritePdf(std::ostream& out, const CutterPattern& pattern, const PatternPages& plan) {
    const std::size_t pageCount = plan.pages.size();
    const bool tiled = plan.pages.front().clipped;
    const std::vector<const CutterLayer*> layers = pattern.LayersInOrder();

    // Object numbers: the catalog, the page tree, the pages, the layers
    // (cut, mountain, valley, score when there are such lines, then the
    // legend's and the alignment marks' when there are such), the pages'
    // contents, the font for any text, the document information.
    std::vector<std::string> ocgNames = {"cut", "mountain", "valley"};
    if (!pattern.score.lines.empty()) ocgNames.push_back("score");
    int legendIndex = -1, marksIndex = -1;
    if (pattern.legend) {
        legendIndex = static_cast<int>(ocgNames.size());
        ocgNames.push_back("legend");
    }
    if (tiled) {
        marksIndex = static_cast<int>(ocgNames.size());
        ocgNames.push_back("marks");
    }
    const bool text = pattern.legend.has_value() || tiled;
    // Text Helvetica cannot show (a Japanese legend) is set in a system
    // font embedded as a subset; without such a font it shows as "?".
    std::vector<std::string> wideTexts;
    if (pattern.legend)
        for (const TextMark& t : pattern.legend->texts)
            if (!WinAnsiShows(t.text)) wideTexts.push_back(t.text);
    if (tiled)
        for (const PatternPage& page : plan.pages)
            if (!WinAnsiShows(page.label)) wideTexts.push_back(page.label);
    const std::unique_ptr<PdfEmbeddedFont> wide = wideTexts.empty() ? nullptr : PdfEmbeddedFont::For(wideTexts);
    const std::size_t firstPage = 3, firstOcg = firstPage + pageCount, firstContent = firstOcg + ocgNames.size();
    const std::size_t font = firstContent + pageCount, wideFont = font + 1;
    auto ref = [](std::size_t n) { return std::to_string(n) + " 0 R"; };

    std::string ocgList;
    std::string properties;
    for (std::size_t k = 0; k < ocgNames.size(); ++k) {
        ocgList += (k ? " " : "") + ref(firstOcg + k);
        properties += (k ? " /L" : "/L") + std::to_string(k) + " " + ref(firstOcg + k);
    }
    std::string resources = "<< /Properties << " + properties + " >>";
    if (text) resources += " /Font << /F1 " + ref(font) + (wide ? " /F2 " + ref(wideFont) : std::string()) + " >>";
    resources += " >>";
    const std::string mediaBox = "[0 0 " + FormatDecimal(plan.pageWidthMm * kPointsPerMm, 6) + " " +
                                 FormatDecimal(plan.pageHeightMm * kPointsPerMm, 6) + "]";

    std::string kids;
    for (std::size_t k = 0; k < pageCount; ++k) kids += (k ? " " : "") + ref(firstPage + k);
    std::vector<std::string> objects = {
        // Printed at 100 %: a pattern for cutting is worth nothing scaled.
        "<< /Type /Catalog /Pages 2 0 R /ViewerPreferences << /PrintScaling /None >> /OCProperties << /OCGs [" +
            ocgList + "] /D << /Order [" + ocgList + "] /ON [" + ocgList + "] >> >> >>",
        "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageCount) + " >>",
    };
    for (std::size_t k = 0; k < pageCount; ++k)
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox " + mediaBox + " /Resources " + resources +
                          " /Contents " + ref(firstContent + k) + " >>");
    for (const std::string& name : ocgNames) objects.push_back("<< /Type /OCG /Name (" + name + ") >>");

    for (const PatternPage& page : plan.pages) {
        // The content works in millimetres with y pointing down from the top
        // of the page, like the other outputs.
        std::string content = FormatDecimal(kPointsPerMm, 8) + " 0 0 " + FormatDecimal(-kPointsPerMm, 8) + " 0 " +
                              FormatDecimal(plan.pageHeightMm * kPointsPerMm, 6) + " cm\n";
        if (page.clipped)
            content += "q\n" + FormatMm(page.clipLeft) + " " + FormatMm(page.clipTop) + " " +
                       FormatMm(page.clipRight - page.clipLeft) + " " + FormatMm(page.clipBottom - page.clipTop) +
                       " re W n\n1 0 0 1 " + FormatMm(page.shiftX) + " " + FormatMm(page.shiftY) + " cm\n";
        const PageView view{page};
        for (const CutterLayer* layer : layers) {
            const auto named = std::find(ocgNames.begin(), ocgNames.end(), layer->name);
            WriteLayer(content, *layer, static_cast<int>(named - ocgNames.begin()), view, pattern.joined);
        }
        if (pattern.legend) WriteLegend(content, *pattern.legend, legendIndex, pattern.joined, wide.get());
        if (page.clipped) content += "Q\n";
        if (tiled) WriteMarks(content, page, marksIndex, wide.get());
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream");
    }
    if (text) objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    if (wide)
        for (std::string& object : wide->Objects(wideFont)) objects.push_back(std::move(object));
    objects.push_back("<< /Producer (Popwright) /Title (Unfolded pattern) >>");

    // 1.6: the version that knows /PrintScaling.
    std::string file = "%PDF-1.6\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t k = 0; k < objects.size(); ++k) {
        offsets.push_back(file.size());
        file += std::to_string(k + 1) + " 0 obj\n" + objects[k] + "\nendobj\n";
    }
    const std::size_t xref = file.size();
    file += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        file += entry;
    }
    file += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R /Info " +
            std::to_string(objects.size()) + " 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    out << file;
}

}  // namespace pw

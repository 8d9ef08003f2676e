#include "output/SvgWriter.h"

#include <ostream>
#include <string>

#include <cmath>

#include "output/ArcCubics.h"
#include "output/CutterPattern.h"

namespace pw {

namespace {

std::string StrokeAttributes(const CutterLayer& layer) {
    if (layer.filled) return "fill=\"" + std::string(layer.color) + "\" stroke=\"none\"";
    std::string text = "fill=\"none\" stroke=\"" + std::string(layer.color) + "\" stroke-width=\"" +
                       FormatStrokeMm(layer.strokeMm) + "\" stroke-linecap=\"butt\"";
    if (!layer.dashMm.empty()) {
        text += " stroke-dasharray=\"";
        for (std::size_t k = 0; k < layer.dashMm.size(); ++k) text += (k ? " " : "") + FormatMm(layer.dashMm[k]);
        text += "\"";
    }
    return text;
}

// Joined, every run of connected lines is one path (closed with Z when it
// ends where it began), which cutter software follows without lifting and
// which the programs that import only paths keep; else one <line> a line.
void WriteLines(std::string& text, const CutterLayer& layer, const char* indent, bool joined) {
    if (!joined) {
        for (const MmLine& l : layer.lines)
            text += std::string(indent) + "<line x1=\"" + FormatMm(l.x0) + "\" y1=\"" + FormatMm(l.y0) + "\" x2=\"" +
                    FormatMm(l.x1) + "\" y2=\"" + FormatMm(l.y1) + "\"/>\n";
        return;
    }
    for (const MmPath& path : PathsOf(layer, true)) {
        text += std::string(indent) + "<path d=\"M";
        const std::size_t count = path.closed ? path.points.size() - 1 : path.points.size();
        for (std::size_t k = 0; k < count; ++k)
            text += (k == 1 ? " L " : " ") + FormatMm(path.points[k].x) + " " + FormatMm(path.points[k].y);
        text += path.closed ? " Z\"/>\n" : "\"/>\n";
    }
}

std::string Point(SheetPoint p) { return FormatMm(p.x) + " " + FormatMm(p.s); }

// Runs with curves: lines, arcs (in quarter turns at most, so that no
// endpoint arc is ambiguous) and cubics, each run one path.
// A filled layer's runs are the loops of one shape (a letter's outline and
// its counters), written as one path so that the font's winding cuts the
// counters out.
void WritePaths(std::string& text, const CutterLayer& layer, const char* indent) {
    constexpr double kQuarterTurn = 1.5707963267948966;
    if (layer.filled && !layer.paths.empty()) text += std::string(indent) + "<path d=\"";
    for (const SheetPath& path : layer.paths) {
        if (!layer.filled)
            text += std::string(indent) + "<path d=\"";
        else if (&path != &layer.paths.front())
            text += " ";
        text += "M " + Point(path.start);
        SheetPoint at = path.start;
        for (const PathSegment& seg : path.segments) {
            if (seg.shape == SegmentShape::Line) {
                text += " L " + Point(seg.end);
            } else if (seg.shape == SegmentShape::Cubic) {
                text += " C " + Point(seg.control1) + " " + Point(seg.control2) + " " + Point(seg.end);
            } else {
                const std::string r = FormatMm(std::hypot(at.x - seg.centre.x, at.s - seg.centre.s));
                const int pieces = static_cast<int>(std::ceil(std::abs(seg.sweep) / kQuarterTurn - 1e-9));
                // The page's y points down, so a turn from +x towards +y is
                // SVG's positive direction.
                for (const PathSegment& piece : SplitArc(at, seg, pieces))
                    text += " A " + r + " " + r + " 0 0 " + (seg.sweep > 0 ? "1 " : "0 ") + Point(piece.end);
            }
            at = seg.end;
        }
        if (path.closed) text += " Z";
        if (!layer.filled) text += "\"/>\n";
    }
    if (layer.filled && !layer.paths.empty()) text += "\"/>\n";
}

void WriteLayer(std::string& text, const CutterLayer& layer, bool joined) {
    text += "  <g id=\"" + layer.name + "\" inkscape:groupmode=\"layer\" inkscape:label=\"" + layer.name + "\" " +
            StrokeAttributes(layer) + ">\n";
    WriteLines(text, layer, "    ", joined);
    WritePaths(text, layer, "    ");
    text += "  </g>\n";
}

std::string Escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

void WriteLegend(std::string& text, const PatternLegend& legend, bool joined) {
    text += "  <g id=\"legend\" inkscape:groupmode=\"layer\" inkscape:label=\"legend\">\n";
    for (const CutterLayer& sample : legend.samples) {
        text += "    <g id=\"legend-" + sample.name + "\" " + StrokeAttributes(sample) + ">\n";
        WriteLines(text, sample, "      ", joined);
        text += "    </g>\n";
    }
    for (const TextMark& t : legend.texts)
        text += "    <text x=\"" + FormatMm(t.x) + "\" y=\"" + FormatMm(t.y) + "\" font-family=\"sans-serif\" font-size=\"" +
                FormatMm(t.sizeMm) + "\" fill=\"#000000\">" + Escaped(t.text) + "</text>\n";
    text += "  </g>\n";
}

}  // namespace

void WriteSvg(std::ostream& out, const CutterPattern& pattern) {
    const std::string w = FormatMm(pattern.pageWidthMm), h = FormatMm(pattern.pageHeightMm);
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\" width=\"" +
        w + "mm\" height=\"" + h + "mm\" viewBox=\"0 0 " + w + " " + h + "\">\n" +
        "  <title>Unfolded pattern</title>\n";
    for (const CutterLayer* layer : pattern.LayersInOrder()) WriteLayer(text, *layer, pattern.joined);
    if (pattern.legend) WriteLegend(text, *pattern.legend, pattern.joined);
    text += "</svg>\n";
    out << text;
}

}  // namespace pw

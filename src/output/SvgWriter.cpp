#include "output/SvgWriter.h"

#include <ostream>
#include <string>

#include "output/CutterPattern.h"

namespace pw {

namespace {

void WriteLayer(std::string& text, const CutterLayer& layer) {
    text += "  <g id=\"" + layer.name + "\" inkscape:groupmode=\"layer\" inkscape:label=\"" + layer.name +
            "\" fill=\"none\" stroke=\"" + layer.color + "\" stroke-width=\"" + FormatMm(layer.strokeMm) +
            "\" stroke-linecap=\"butt\"";
    if (!layer.dashMm.empty()) {
        text += " stroke-dasharray=\"";
        for (std::size_t k = 0; k < layer.dashMm.size(); ++k) text += (k ? " " : "") + FormatMm(layer.dashMm[k]);
        text += "\"";
    }
    text += ">\n";
    for (const MmLine& l : layer.lines)
        text += "    <line x1=\"" + FormatMm(l.x0) + "\" y1=\"" + FormatMm(l.y0) + "\" x2=\"" + FormatMm(l.x1) +
                "\" y2=\"" + FormatMm(l.y1) + "\"/>\n";
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
    WriteLayer(text, pattern.cut);
    WriteLayer(text, pattern.mountain);
    WriteLayer(text, pattern.valley);
    text += "</svg>\n";
    out << text;
}

}  // namespace pw

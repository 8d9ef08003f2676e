#include "output/PdfWriter.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "output/CutterPattern.h"

namespace pw {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

// "#RRGGBB" as the three components of an RG operator.
std::string StrokeColour(const char* hex) {
    std::string text;
    for (int k = 0; k < 3; ++k) {
        const unsigned v = static_cast<unsigned>(std::stoul(std::string(hex + 1 + 2 * k, 2), nullptr, 16));
        text += FormatMm(v / 255.0) + " ";
    }
    return text + "RG";
}

void WriteLayer(std::string& content, const CutterLayer& layer, int index) {
    content += "/OC /L" + std::to_string(index) + " BDC\nq\n" + StrokeColour(layer.color) + "\n" +
               FormatMm(layer.strokeMm) + " w\n0 J\n[";
    for (std::size_t k = 0; k < layer.dashMm.size(); ++k) content += (k ? " " : "") + FormatMm(layer.dashMm[k]);
    content += "] 0 d\n";
    for (const MmLine& l : layer.lines)
        content += FormatMm(l.x0) + " " + FormatMm(l.y0) + " m " + FormatMm(l.x1) + " " + FormatMm(l.y1) + " l S\n";
    content += "Q\nEMC\n";
}

}  // namespace

void WritePdf(std::ostream& out, const CutterPattern& pattern) {
    const CutterLayer* layers[3] = {&pattern.cut, &pattern.mountain, &pattern.valley};

    // The content works in millimetres with y pointing down from the top of
    // the page, like the other outputs.
    std::string content = FormatDecimal(kPointsPerMm, 8) + " 0 0 " + FormatDecimal(-kPointsPerMm, 8) + " 0 " +
                          FormatDecimal(pattern.pageHeightMm * kPointsPerMm, 6) + " cm\n";
    for (int k = 0; k < 3; ++k) WriteLayer(content, *layers[k], k);

    const std::string mediaBox = "[0 0 " + FormatDecimal(pattern.pageWidthMm * kPointsPerMm, 6) + " " +
                                 FormatDecimal(pattern.pageHeightMm * kPointsPerMm, 6) + "]";
    std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R /OCProperties << /OCGs [4 0 R 5 0 R 6 0 R] "
        "/D << /Order [4 0 R 5 0 R 6 0 R] /ON [4 0 R 5 0 R 6 0 R] >> >> >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox " + mediaBox +
            " /Resources << /Properties << /L0 4 0 R /L1 5 0 R /L2 6 0 R >> >> /Contents 7 0 R >>",
    };
    for (const CutterLayer* layer : layers) objects.push_back("<< /Type /OCG /Name (" + layer->name + ") >>");
    objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream");
    objects.push_back("<< /Producer (Popwright) /Title (Unfolded pattern) >>");

    std::string file = "%PDF-1.5\n%\xE2\xE3\xCF\xD3\n";
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

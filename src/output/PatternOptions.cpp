#include "output/PatternOptions.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "output/CutterPattern.h"

namespace pw {

const std::vector<PaperSize>& KnownPapers() {
    static const std::vector<PaperSize> papers = {
        {"a4", 210, 297}, {"a5", 148, 210}, {"a3", 297, 420}, {"letter", 215.9, 279.4}, {"legal", 215.9, 355.6},
        // Japanese papers: the postcard and the reply postcard (two postcards
        // joined at the fold, the classic sheet of this craft), and JIS B.
        {"postcard", 100, 148}, {"reply-postcard", 148, 200}, {"b5", 182, 257}, {"b4", 257, 364},
    };
    return papers;
}

PaperSize A4Paper() { return KnownPapers().front(); }

std::optional<PaperSize> PaperNamed(std::string_view name) {
    for (const PaperSize& p : KnownPapers()) {
        if (p.name.size() != name.size()) continue;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k)
            same = std::tolower(static_cast<unsigned char>(name[k])) == p.name[k];
        if (same) return p;
    }
    return std::nullopt;
}

bool CellSizeAllowed(double cellMm) { return cellMm == 0 || (cellMm >= kMinCellMm && cellMm <= kMaxCellMm); }

double PatternCellMm(double cellMm, int rudovozuSizeRatio, int gridWidth) {
    if (cellMm > 0) return cellMm;
    return gridWidth > 0 ? rudovozuSizeRatio * 0.01 * 210 / gridWidth : 0;
}

FinishedSize FinishedSizeOf(double cellMm, int gridWidth, int gridHeight) {
    FinishedSize f;
    f.cardWidthMm = std::max(0, gridWidth - 2) * cellMm;
    f.cardHeightMm = std::max(0, gridHeight - 1) * cellMm;
    f.sheetWidthMm = f.cardWidthMm;
    f.sheetHeightMm = 2 * f.cardHeightMm;
    return f;
}

std::string FinishedSizeText(const FinishedSize& s) {
    const std::string times = " \xC3\x97 ";  // U+00D7 MULTIPLICATION SIGN
    return "card " + FormatDecimal(s.cardWidthMm, 1) + times + FormatDecimal(s.cardHeightMm, 1) +
           " mm (opened), sheet " + FormatDecimal(s.sheetWidthMm, 1) + times + FormatDecimal(s.sheetHeightMm, 1) +
           " mm";
}

bool ParseDecimal(std::string_view text, double& value) {
    if (text.empty() || text.size() > 12) return false;
    std::size_t k = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        k = 1;
    }
    double whole = 0, scale = 1;
    bool digits = false, point = false;
    for (; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '.') {
            if (point) return false;
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            whole = whole * 10 + (c - '0');
            if (point) scale *= 10;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    value = (negative ? -whole : whole) / scale;
    return true;
}

}  // namespace pw

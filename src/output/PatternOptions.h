#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/SettingsSchema.h"
#include "model/TranslatableText.h"

namespace pw {

// A sheet of paper, portrait, in millimetres.
struct PaperSize {
    std::string name;  // "a4", "a5", "a3", "letter", "legal"
    double widthMm = 210;
    double heightMm = 297;
};

// The papers the PDF export and the command line know; A4 first.
const std::vector<PaperSize>& KnownPapers();
// The paper of that name, ignoring case; nothing for an unknown name.
std::optional<PaperSize> PaperNamed(std::string_view name);
PaperSize A4Paper();

// In which order the cutter-ready files list their lines. Machines that cut
// in file order must cut the sheet free last, or it shifts under the knife
// or the beam before its inner lines are done.
enum class CutOrder {
    InnerFirst,  // folds, then the inner cuts, then the sheet's outline as one closed loop
    AsDrawn,     // cut, mountain, valley (and score), each in the order the merge gives, the cuts
                 // chained and closed by the outline
};

// Limits of the options, shared by the export dialog, the Setting dialog and
// the command line.
inline constexpr double kMinCellMm = kCellSizeSetting.low, kMaxCellMm = kCellSizeSetting.high;
inline constexpr double kMinDashMm = 0.5, kMaxDashMm = 50;
inline constexpr double kMinGapMm = 0.2, kMaxGapMm = 50;
// 0.001 inch: the stroke that laser print drivers take for a vector cut.
inline constexpr double kHairlineMm = 0.0254;
// Tiled pages share this much of the drawing with their neighbours.
inline constexpr double kTileOverlapMm = 10;

// 0 (the cell follows the print size) or a size within the limits.
bool CellSizeAllowed(double cellMm);

// The words of the legend, in English unless the program that asks for the
// pattern puts them in the user's language. "%1 × %2" are the sizes in
// millimetres.
struct LegendWording {
    std::string cut = PW_TRANSLATE_NOOP("PatternLegend", "cut: red, solid");
    std::string mountain = PW_TRANSLATE_NOOP("PatternLegend", "mountain fold: blue, dashed");
    std::string valley = PW_TRANSLATE_NOOP("PatternLegend", "valley fold: green, dotted");
    std::string score = PW_TRANSLATE_NOOP("PatternLegend", "fold to score, not cut: magenta, solid");
    std::string card = PW_TRANSLATE_NOOP("PatternLegend", "card %1 \u00D7 %2 mm (opened)");
    std::string sheet = PW_TRANSLATE_NOOP("PatternLegend", "sheet %1 \u00D7 %2 mm");
    // A laser's engraved key names its own lines, which are not drawn as
    // the pattern's: every fold on one layer, cut part way or in dashes.
    std::string laserCut = PW_TRANSLATE_NOOP("PatternLegend", "cut: red, through the paper");
    std::string laserLightCut = PW_TRANSLATE_NOOP("PatternLegend", "folds: blue, cut part way through");
    std::string laserPerforation = PW_TRANSLATE_NOOP("PatternLegend", "folds: red dashes, cut through");
    std::string laserScore = PW_TRANSLATE_NOOP("PatternLegend", "folds too short for dashes: blue, cut part way");

    // Every text above, for putting them in another language.
    std::vector<std::string*> Texts() {
        return {&cut, &mountain, &valley, &score, &card, &sheet, &laserCut, &laserLightCut, &laserPerforation, &laserScore};
    }
};

// What the SVG, PDF and pattern DXF exports are asked for.
struct PatternOptions {
    double cellMm = 0;  // 0: rudovozuSizeRatio percent of the A4 width over the W grid columns
    CutOrder cutOrder = CutOrder::InnerFirst;
    bool hairline = false;   // SVG and PDF strokes of kHairlineMm
    bool perforate = false;  // folds written as separate dash segments
    double dashMm = 2;
    double gapMm = 1;
    bool legend = false;  // SVG and PDF: a key of the line kinds and the card's size
    PaperSize paper = A4Paper();
    bool tile = false;  // PDF: tiled pages even when the sheet fits one page
    double kerfMm = 0;  // a laser's beam width, for the machines that offset their cut by half of it
    LegendWording legendWording;
};

// The cell's side in millimetres: cellMm when set, else the printed size.
double PatternCellMm(double cellMm, int rudovozuSizeRatio, int gridWidth);

// The finished card: the opened card is (W - 2) cells wide and H - 1 cells
// high (and as deep); the flat sheet is twice as high.
struct FinishedSize {
    double cardWidthMm = 0, cardHeightMm = 0;
    double sheetWidthMm = 0, sheetHeightMm = 0;
};
FinishedSize FinishedSizeOf(double cellMm, int gridWidth, int gridHeight);
// "card 93.3 × 46.7 mm (opened), sheet 93.3 × 93.3 mm", UTF-8.
std::string FinishedSizeText(const FinishedSize& size);

// Parses a decimal number as typed by a user or on a command line: an
// optional sign, digits with at most one point, nothing else; whatever the
// locale. False for anything else, and for more than 12 characters.
bool ParseDecimal(std::string_view text, double& value);

}  // namespace pw

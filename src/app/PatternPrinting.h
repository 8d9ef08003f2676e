#pragma once
#include <memory>

#include "output/PatternOptions.h"
#include "output/PrintLayout.h"

class QPrinter;
class QWidget;

namespace pw {

class UserPrompts;
struct AppSettings;
struct EditedCard;

// Printing of the unfolded pattern: on A4 one page with the pattern centred
// at rudovozuSizeRatio percent of the A4 width (or at the Setting dialog's
// cell size) and the crease at half the A4 height, measured from the
// printable area's top-left corner at the printer's own resolution; other
// papers centre it the same way. A sheet larger than the printable area is
// tiled over several pages (the pattern's page plan, PlanPatternPages); or,
// chosen in the print dialog's "Pattern" tab, the sheet fitted onto one
// page. The pens are as wide as on a 96 dpi screen. The pattern options of
// the last export are honoured where a printer can: tiling asked for, and
// hairlines, perforated folds or a legend, which print the pattern as the
// PDF draws it; the paper is the printer's. Keeps one printer for the whole run, so the
// choices of Print setup and of the print dialog hold for the next print
// and its preview.
class PatternPrinting {
public:
    PatternPrinting(EditedCard& model, const AppSettings& settings, const PatternOptions& options,
                    UserPrompts& prompts);
    ~PatternPrinting();
    PatternPrinting(const PatternPrinting&) = delete;
    PatternPrinting& operator=(const PatternPrinting&) = delete;

    QPrinter& Printer() { return *printer_; }

    // Prints this sheet in millimetres at its real size (a free-form card's,
    // which has no cells) instead of the grid card's; nullptr goes back to
    // the grid card. The sheet must outlive the printouts.
    void PrintMillimetreSheet(const Sheet* sheet) { millimetreSheet_ = sheet; }

    // "Print...": the print dialog for a job of as many pages as the
    // pattern needs (one unless tiled), then the pages chosen.
    void OnFilePrint(QWidget* window);
    // "Print preview": the same page in the preview window, which can print it.
    void OnFilePrintPreview(QWidget* window);
    // "Print setup...": the page setup dialog for the kept printer.
    void OnFilePrintSetup(QWidget* window);

    // The print step: draws the pages of the printer's page range (all when
    // none is set) on the printer. False when the printer cannot be painted
    // on (an unwritable output file, for one).
    bool PrintPage(QPrinter& printer);
    // The pages for the printer's current paper and resolution.
    PatternPages PlanPages(QPrinter& printer);
    // The pattern options a printout uses: the last export's, with the
    // cell the printout places (the Setting dialog's cell size, or the
    // print size) and the printer's paper.
    PatternOptions PrintOptions(const PrinterPage& page) const;
    // Real size (tiled when larger than a page) or fitted to one page.
    PrintScale Scale() const { return scale_; }
    void SetScale(PrintScale scale) { scale_ = scale; }

private:
    EditedCard& model_;
    const AppSettings& settings_;
    const PatternOptions& options_;
    UserPrompts& prompts_;
    std::unique_ptr<QPrinter> printer_;
    PrintScale scale_ = PrintScale::RealSize;
    const Sheet* millimetreSheet_ = nullptr;
};

}  // namespace pw

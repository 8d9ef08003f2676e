#pragma once
#include <memory>

class QPrinter;
class QWidget;

namespace pw {

class UserPrompts;
struct AppSettings;
struct EditedCard;

// Printing of the unfolded pattern: one A4 page with the pattern centred at
// rudovozuSizeRatio percent of the A4 width and the crease at half the A4
// height, measured from the printable area's top-left corner at the
// printer's own resolution. Keeps one printer for the whole run, so the
// choices of Print setup and of the print dialog hold for the next print.
class PatternPrinting {
public:
    PatternPrinting(EditedCard& model, const AppSettings& settings, UserPrompts& prompts);
    ~PatternPrinting();
    PatternPrinting(const PatternPrinting&) = delete;
    PatternPrinting& operator=(const PatternPrinting&) = delete;

    QPrinter& Printer() { return *printer_; }

    // "Print...": the print dialog for a job of one page, then the page.
    void OnFilePrint(QWidget* window);
    // "Print preview": the same page in the preview window, which can print it.
    void OnFilePrintPreview(QWidget* window);
    // "Print setup...": the page setup dialog for the kept printer.
    void OnFilePrintSetup(QWidget* window);

    // The print step: draws the page on the printer. False when the printer
    // cannot be painted on (an unwritable output file, for one).
    bool PrintPage(QPrinter& printer);

private:
    EditedCard& model_;
    const AppSettings& settings_;
    UserPrompts& prompts_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace pw

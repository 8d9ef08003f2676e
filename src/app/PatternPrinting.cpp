#include "app/PatternPrinting.h"

#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/OutputGrid.h"
#include "app/UserPrompts.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "output/PatternImages.h"
#include "output/QPainterSurface.h"

namespace pw {

PatternPrinting::PatternPrinting(EditedCard& model, const AppSettings& settings, UserPrompts& prompts)
    : model_(model), settings_(settings), prompts_(prompts), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(QPageLayout::Portrait);
    printer_->setDocName(QStringLiteral("Popwright"));
}

PatternPrinting::~PatternPrinting() = default;

bool PatternPrinting::PrintPage(QPrinter& printer) {
    const CellGrid& grid = GridForOutput(model_);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    {
        QPainterSurface surface(painter);
        // The printer's own resolution, also while the preview draws the page.
        DrawPrintedPattern(surface, grid, settings_.reverseMode, settings_.rudovozuSizeRatio, printer.logicalDpiX(),
                           printer.logicalDpiY());
    }
    return painter.end();
}

void PatternPrinting::OnFilePrint(QWidget* window) {
    QPrintDialog dialog(printer_.get(), window);
    // The job has exactly one page.
    dialog.setMinMax(1, 1);
    if (prompts_.RunDialog(dialog) != QDialog::Accepted) return;
    PrintPage(*printer_);
}

void PatternPrinting::OnFilePrintPreview(QWidget* window) {
    QPrintPreviewDialog dialog(printer_.get(), window);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* printer) { PrintPage(*printer); });
    prompts_.RunDialog(dialog);
}

void PatternPrinting::OnFilePrintSetup(QWidget* window) {
    QPageSetupDialog dialog(printer_.get(), window);
    prompts_.RunDialog(dialog);
}

}  // namespace pw

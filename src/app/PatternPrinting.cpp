#include "app/PatternPrinting.h"

#include <QCoreApplication>
#include <QFont>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "app/OutputGrid.h"
#include "app/UserPrompts.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/GridSheet.h"
#include "model/CellGrid.h"
#include "output/QPainterSurface.h"
#include "output/UnfoldedPattern.h"

namespace pw {

PatternPrinting::PatternPrinting(EditedCard& model, const AppSettings& settings, UserPrompts& prompts)
    : model_(model), settings_(settings), prompts_(prompts), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(QPageLayout::Portrait);
    printer_->setDocName(QStringLiteral("Popwright"));
}

PatternPrinting::~PatternPrinting() = default;

namespace {

constexpr double kMarkStrokeMm = 0.15;

// The page as the printer reports it now, in the orientation it prints.
PrinterPage PrinterPageOf(QPrinter& printer) {
    PrinterPage page;
    page.dpiX = printer.logicalDpiX();
    page.dpiY = printer.logicalDpiY();
    const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    page.paperWidthMm = paper.width();
    page.paperHeightMm = paper.height();
    // The painter's coordinates cover the printable area.
    page.printableWidthPx = printer.width();
    page.printableHeightPx = printer.height();
    return page;
}

// A tiled page's alignment crosses and its "row, column" label.
void DrawTileMarks(QPainter& painter, const PrintedPage& page, int dpiX) {
    QPen pen(Qt::black, kMarkStrokeMm * dpiX / 25.4, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    for (const auto& m : page.marks) {
        painter.drawLine(QPointF(m.first - page.crossArmX, m.second), QPointF(m.first + page.crossArmX, m.second));
        painter.drawLine(QPointF(m.first, m.second - page.crossArmY), QPointF(m.first, m.second + page.crossArmY));
    }
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(page.labelHeight)));
    painter.setFont(font);
    painter.drawText(QPointF(page.labelX, page.labelY), QString::fromStdString(page.label));
}

// A page planned on the turned printable area: the printer's coordinates
// turned a quarter clockwise, the origin at the area's top-right corner.
void TurnOnto(QPainter& painter, const QPrinter& printer) {
    painter.translate(printer.width(), 0);
    painter.rotate(90);
}

// The print dialog's "Pattern" tab: the sheet at its size or fitted to the page.
class ScaleTab : public QWidget {
public:
    explicit ScaleTab(PrintScale scale) {
        setWindowTitle(QCoreApplication::translate("PatternPrinting", "Pattern"));
        setObjectName(QStringLiteral("patternScale"));
        realSize_ = new QRadioButton(
            QCoreApplication::translate("PatternPrinting", "&Real size (large sheets on several pages)"), this);
        realSize_->setObjectName(QStringLiteral("realSize"));
        auto* fit = new QRadioButton(QCoreApplication::translate("PatternPrinting", "&Fit to page"), this);
        fit->setObjectName(QStringLiteral("fitToPage"));
        (scale == PrintScale::FitToPage ? fit : realSize_)->setChecked(true);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(realSize_);
        layout->addWidget(fit);
        layout->addStretch();
    }
    PrintScale Chosen() const { return realSize_->isChecked() ? PrintScale::RealSize : PrintScale::FitToPage; }

private:
    QRadioButton* realSize_ = nullptr;
};

}  // namespace

std::vector<PrintedPage> PatternPrinting::PlanPages(QPrinter& printer) {
    const CellGrid& grid = GridForOutput(model_);
    return PlanPrintedPages(PrinterPageOf(printer), settings_.print.sizePercent, grid.gridWidth, grid.gridHeight,
                            settings_.print.cellMm, scale_);
}

bool PatternPrinting::PrintPage(QPrinter& printer) {
    // Worked out once for every page.
    const UnfoldedPattern pattern = UnfoldPattern(DeriveGridSheet(GridForOutput(model_)));
    const std::vector<PrintedPage> pages = PlanPages(printer);
    int first = 1, last = static_cast<int>(pages.size());
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, std::max(printer.toPage(), printer.fromPage()));
    }
    // The pens as wide on paper as on a 96 dpi screen; coordinates and the
    // drawing calls stay the print step's own.
    const double penScale = PrintPenScale(printer.logicalDpiX());
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    bool ok = true;
    for (int n = first; n <= last; ++n) {
        if (n > first && !printer.newPage()) ok = false;
        const PrintedPage& page = pages[static_cast<std::size_t>(n - 1)];
        painter.save();
        if (page.turned) TurnOnto(painter, printer);
        painter.save();
        if (page.tiled)
            painter.setClipRect(QRectF(QPointF(page.clipLeft, page.clipTop), QPointF(page.clipRight, page.clipBottom)));
        {
            QPainterSurface surface(painter, penScale);
            const PatternPlacement& p = page.placement;
            DrawUnfoldedPattern(surface, pattern, settings_.print.mirror, p.ox, p.oy, p.cw, p.ch);
        }
        painter.restore();
        if (page.tiled) DrawTileMarks(painter, page, page.turned ? printer.logicalDpiY() : printer.logicalDpiX());
        painter.restore();
    }
    return painter.end() && ok;
}

void PatternPrinting::OnFilePrint(QWidget* window) {
    QPrintDialog dialog(printer_.get(), window);
    // The tab is the dialog's from here on and goes with it.
    auto* scaleTab = new ScaleTab(scale_);
    dialog.setOptionTabs({scaleTab});
    // One page, or as many as the sheet needs when it is tiled.
    dialog.setMinMax(1, static_cast<int>(PlanPages(*printer_).size()));
    if (prompts_.RunDialog(dialog) != QDialog::Accepted) return;
    scale_ = scaleTab->Chosen();
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

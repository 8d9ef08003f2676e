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
#include "output/CutterPattern.h"
#include "output/QPainterCutterPattern.h"
#include "output/QPainterSurface.h"
#include "output/UnfoldedPattern.h"

namespace pw {

PatternPrinting::PatternPrinting(EditedCard& model, const AppSettings& settings, const PatternOptions& options,
                                 UserPrompts& prompts)
    : model_(model), settings_(settings), options_(options), prompts_(prompts), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(QPageLayout::Portrait);
    printer_->setDocName(QStringLiteral("Popwright"));
}

PatternPrinting::~PatternPrinting() = default;

namespace {

constexpr double kMarkStrokeMm = 0.15;
constexpr double kLabelMm = 3.5;
constexpr double kMmPerInch = 25.4;

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

// A tiled page's alignment crosses and its "row, column" label, on the
// page's device (the turned one for a turned page).
void DrawTileMarks(QPainter& painter, const PatternPage& page, const PrinterPage& device) {
    const double pxX = device.dpiX / kMmPerInch, pxY = device.dpiY / kMmPerInch;
    QPen pen(Qt::black, kMarkStrokeMm * pxX, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    const double armX = kAlignmentCrossMm * pxX, armY = kAlignmentCrossMm * pxY;
    for (const MmPoint& m : page.marks) {
        const double x = m.x * pxX, y = m.y * pxY;
        painter.drawLine(QPointF(x - armX, y), QPointF(x + armX, y));
        painter.drawLine(QPointF(x, y - armY), QPointF(x, y + armY));
    }
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(kLabelMm * pxY)));
    painter.setFont(font);
    painter.drawText(QPointF(page.labelAt.x * pxX, page.labelAt.y * pxY), QString::fromStdString(page.label));
}

// Whether the options leave the look of the lines as the printout always
// had it (pens as on screen), so that it keeps its very drawing calls.
bool PrintsAsOnScreen(const PatternOptions& options) {
    return !options.hairline && !options.perforate && !options.legend;
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

PatternOptions PatternPrinting::PrintOptions(const PrinterPage& page) const {
    PatternOptions options = options_;
    options.cellMm = PrintCellMm(page, settings_.print.sizePercent, GridForOutput(model_).gridWidth, settings_.print.cellMm);
    options.paper = PaperSize{"", page.paperWidthMm, page.paperHeightMm};
    return options;
}

PatternPages PatternPrinting::PlanPages(QPrinter& printer) {
    const PrinterPage device = PrinterPageOf(printer);
    const CutterPattern pattern =
        millimetreSheet_ ? LayOutMillimetrePattern(*millimetreSheet_, settings_.print.mirror, PrintOptions(device))
                         : LayOutCutterPattern(DeriveGridSheet(GridForOutput(model_)), settings_.print.mirror,
                                               settings_.print.sizePercent, PrintOptions(device));
    return PlanPatternPages(pattern, PrinterFrame(device), scale_);
}

bool PatternPrinting::PrintPage(QPrinter& printer) {
    // Worked out once for every page.
    const CellGrid& grid = GridForOutput(model_);
    const Sheet sheet = millimetreSheet_ ? Sheet() : DeriveGridSheet(grid);
    const PrinterPage device = PrinterPageOf(printer);
    const PatternOptions options = PrintOptions(device);
    const CutterPattern pattern =
        millimetreSheet_ ? LayOutMillimetrePattern(*millimetreSheet_, settings_.print.mirror, options)
                         : LayOutCutterPattern(sheet, settings_.print.mirror, settings_.print.sizePercent, options);
    const PatternPages plan = PlanPatternPages(pattern, PrinterFrame(device), scale_);
    // A sheet in millimetres prints as its cutter pattern: the screen's
    // drawing of the pattern counts in cells.
    const bool asOnScreen = !millimetreSheet_ && PrintsAsOnScreen(options);
    const UnfoldedPattern unfolded = asOnScreen ? UnfoldPattern(sheet) : UnfoldedPattern();
    int first = 1, last = static_cast<int>(plan.pages.size());
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
        const PatternPage& page = plan.pages[static_cast<std::size_t>(n - 1)];
        const PrinterPage onPage = page.turned ? TurnedPage(device) : device;
        const double pxX = onPage.dpiX / kMmPerInch, pxY = onPage.dpiY / kMmPerInch;
        painter.save();
        if (page.turned) TurnOnto(painter, printer);
        painter.save();
        if (page.clipped)
            painter.setClipRect(QRectF(QPointF(page.clipLeft * pxX, page.clipTop * pxY),
                                       QPointF(page.clipRight * pxX, page.clipBottom * pxY)));
        if (asOnScreen) {
            QPainterSurface surface(painter, penScale);
            const PatternPlacement p =
                PrintedPlacement(pattern, page, device, settings_.print.sizePercent, grid.gridWidth, settings_.print.cellMm);
            DrawUnfoldedPattern(surface, unfolded, settings_.print.mirror, p.ox, p.oy, p.cw, p.ch);
        } else {
            painter.scale(pxX * page.scale, pxY * page.scale);
            painter.translate(page.shiftX, page.shiftY);
            DrawCutterPattern(painter, pattern);
        }
        painter.restore();
        if (page.clipped) DrawTileMarks(painter, page, onPage);
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
    dialog.setMinMax(1, static_cast<int>(PlanPages(*printer_).pages.size()));
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

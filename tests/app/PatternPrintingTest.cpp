// File, "Print...", "Print preview" and "Print setup..." through the main
// window, with the kept printer writing a PDF: one A4 page whose pattern has
// its printed size and place whatever the printer's resolution, a sheet
// turned or fitted to the page, read back with poppler's pdfinfo and pdftoppm.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

#include "OutputCommandsFixture.h"
#include "app/CommandTable.h"
#include "app/PatternPrinting.h"
#include "model/AppSettings.h"
#include "model/GridSheet.h"
#include "output/CutterPattern.h"
#include "output/PdfWriter.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

// The page rendered at this resolution for measuring.
constexpr int kCheckDpi = 150;
constexpr double kMmPerPixel = 25.4 / kCheckDpi;

QByteArray RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return p.readAllStandardOutput();
}

// The smallest rectangle holding the dark pixels of a grey page.
QRect InkBounds(const QImage& page) {
    QRect r;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128) r |= QRect(x, y, 1, 1);
    return r;
}

class PrintCommandsTest : public test::OutputCommandsTest {
protected:
    void SetUp() override {
        OutputCommandsTest::SetUp();
        pdf = Path("printed.pdf");
        QPrinter& printer = frame->Printing().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }

    QImage RenderedPage() { return RenderedPage(pdf, "page"); }
    QImage RenderedPage(const QString& file, const char* name) {
        RunTool(QStringLiteral("pdftoppm"), {"-r", QString::number(kCheckDpi), "-gray", "-aa", "no", "-aaVector", "no",
                                          "-singlefile", file, Path(name)});
        return QImage(Path(name) + QStringLiteral(".pgm"));
    }

    QString pdf;
};

class PatternPrintingTest : public PrintCommandsTest, public ::testing::WithParamInterface<int> {};

TEST_P(PatternPrintingTest, OneA4PageWithThePatternAtItsPrintedSize) {
    QPrinter& printer = frame->Printing().Printer();
    printer.setResolution(GetParam());
    int minPage = 0, maxPage = 0;
    prompts.onDialog = [&](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        EXPECT_NE(print, nullptr);
        if (print) {
            minPage = print->minPage();
            maxPage = print->maxPage();
        }
        return int(QDialog::Accepted);
    };
    Trigger(ID_FILE_PRINT);
    EXPECT_EQ(prompts.dialogTitles.size(), 1);
    EXPECT_EQ(minPage, 1);
    EXPECT_EQ(maxPage, 1);
    ASSERT_TRUE(QFileInfo::exists(pdf));

    const QString info = QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), {pdf}));
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))) << info.toStdString();

    // The W = 18 grid columns take half of 210 mm, centred: a cell is
    // 105 / 18 mm, the sheet (columns 1 to 17) runs from 52.5 mm + 1 cell to
    // 52.5 mm + 17 cells across, and 8 cells either side of the crease at
    // 148.5 mm down, all from the printable area's corner.
    const QImage page = RenderedPage();
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width() * kMmPerPixel, 210.0, 0.5);
    EXPECT_NEAR(page.height() * kMmPerPixel, 297.0, 0.5);
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const double cell = 105.0 / 18;
    const QRect ink = InkBounds(page);
    EXPECT_NEAR(ink.left() * kMmPerPixel, area.left() + 52.5 + cell, 0.5);
    EXPECT_NEAR((ink.right() + 1) * kMmPerPixel, area.left() + 52.5 + 17 * cell, 0.5);
    EXPECT_NEAR(ink.top() * kMmPerPixel, area.top() + 148.5 - 8 * cell, 0.5);
    EXPECT_NEAR((ink.bottom() + 1) * kMmPerPixel, area.top() + 148.5 + 8 * cell, 0.5);

    // The crease runs across the sheet at half the A4 height.
    const int crease = static_cast<int>(std::lround((area.top() + 148.5) / kMmPerPixel));
    int dark = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int x = ink.left() + 3; x < ink.right() - 3; ++x) dark += qGray(page.pixel(x, crease + dy)) < 128;
    EXPECT_GT(dark, (ink.width() - 6) / 3);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, PatternPrintingTest, ::testing::Values(1200, 300));

TEST_F(PrintCommandsTest, CancelledPrintDialogPrintsNothing) {
    prompts.onDialog = [](QDialog&) { return int(QDialog::Rejected); };
    Trigger(ID_FILE_PRINT);
    EXPECT_EQ(prompts.dialogTitles.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(PrintCommandsTest, PreviewShowsTheOnePageAndSetupUsesTheKeptPrinter) {
    int pages = -1;
    prompts.onDialog = [&](QDialog& dialog) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
        EXPECT_NE(preview, nullptr);
        if (!preview) return int(QDialog::Rejected);
        EXPECT_EQ(preview->printer(), &frame->Printing().Printer());
        if (auto* widget = preview->findChild<QPrintPreviewWidget*>()) pages = widget->pageCount();
        return int(QDialog::Rejected);
    };
    Trigger(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(pages, 1);
    EXPECT_FALSE(QFileInfo::exists(pdf));

    bool setup = false;
    prompts.onDialog = [&](QDialog& dialog) {
        auto* page = qobject_cast<QPageSetupDialog*>(&dialog);
        setup = page && page->printer() == &frame->Printing().Printer();
        return int(QDialog::Rejected);
    };
    Trigger(ID_FILE_PRINT_SETUP);
    EXPECT_TRUE(setup);
    EXPECT_EQ(prompts.dialogTitles.size(), 2);
}

// The runs of dark pixels along row y from x0 to x1, and the share of dark
// pixels there.
struct RowProfile {
    std::vector<int> runs;
    double coverage = 0;
    int MedianRun() const {
        if (runs.empty()) return 0;
        std::vector<int> sorted = runs;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

RowProfile ProfileOf(const QImage& page, int x0, int x1, int y) {
    RowProfile p;
    int run = 0, dark = 0;
    for (int x = x0; x < x1; ++x) {
        if (qGray(page.pixel(x, y)) < 128) {
            ++run;
            ++dark;
        } else if (run > 0) {
            p.runs.push_back(run);
            run = 0;
        }
    }
    if (run > 0) p.runs.push_back(run);
    p.coverage = static_cast<double>(dark) / (x1 - x0);
    return p;
}

// The darkest row near y (a line may land a pixel or two off its place),
// and how many rows around it a line across x0..x1 darkens in at least a
// third of its pixels: the printed line's thickness.
int DarkestRow(const QImage& page, int x0, int x1, int y) {
    int best = y;
    double most = -1;
    for (int dy = -6; dy <= 6; ++dy) {
        const double c = ProfileOf(page, x0, x1, y + dy).coverage;
        if (c > most) {
            most = c;
            best = y + dy;
        }
    }
    return best;
}

int Thickness(const QImage& page, int x0, int x1, int y) {
    const double peak = ProfileOf(page, x0, x1, y).coverage;
    int rows = 0;
    for (int dy = -8; dy <= 8; ++dy) rows += ProfileOf(page, x0, x1, y + dy).coverage > peak / 3;
    return rows;
}

class PrintedFoldsTest : public PrintCommandsTest, public ::testing::WithParamInterface<int> {};

TEST_P(PrintedFoldsTest, MountainValleyAndCutLinesDifferOnThePrintedPage) {
    // A box across columns 5 to 7: a mountain fold at s = -1 from u = 5 to
    // 8, the crease (a valley) from u = 8 to 17, the outline along s = -8.
    for (int x = 5; x <= 7; ++x) test::AddBox(frame->Model().grid, x, 2, 3);
    QPrinter& printer = frame->Printing().Printer();
    printer.setResolution(GetParam());
    prompts.onDialog = [](QDialog&) { return int(QDialog::Accepted); };
    Trigger(ID_FILE_PRINT);
    ASSERT_TRUE(QFileInfo::exists(pdf));

    // Rendered at 300 dpi: the cut pen (0.53 mm) is about 6 pixels wide,
    // the folds (0.26 mm) 3; the mountain's dashes are 1.06 mm (12.5
    // pixels), the valley's dots 0.26 mm (3 pixels), both 0.53 mm apart.
    const double perMm = 300 / 25.4;
    RunTool(QStringLiteral("pdftoppm"), {"-r", "300", "-gray", "-aa", "no", "-aaVector", "no", "-singlefile", pdf,
                                          Path("fine")});
    const QImage page(Path("fine.pgm"));
    ASSERT_FALSE(page.isNull());
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const double cell = 105.0 / 18;
    auto X = [&](int u) { return static_cast<int>(std::lround((area.left() + 52.5 + u * cell) * perMm)); };
    auto Y = [&](int s) { return static_cast<int>(std::lround((area.top() + 148.5 + s * cell) * perMm)); };

    const int cutRow = DarkestRow(page, X(2), X(16), Y(-8));
    const int mountainRow = DarkestRow(page, X(5) + 10, X(8) - 10, Y(-1));
    const int valleyRow = DarkestRow(page, X(9), X(16), Y(0));
    const RowProfile cut = ProfileOf(page, X(2), X(16), cutRow);
    const RowProfile mountain = ProfileOf(page, X(5) + 10, X(8) - 10, mountainRow);
    const RowProfile valley = ProfileOf(page, X(9), X(16), valleyRow);

    EXPECT_GT(cut.coverage, 0.95);
    EXPECT_GE(Thickness(page, X(2), X(16), cutRow), 5);
    EXPECT_GT(mountain.coverage, 0.5);
    EXPECT_LT(mountain.coverage, 0.85);
    EXPECT_GE(mountain.MedianRun(), 9);
    EXPECT_GT(valley.coverage, 0.15);
    EXPECT_LT(valley.coverage, 0.5);
    EXPECT_LE(valley.MedianRun(), 5);
    EXPECT_GE(valley.MedianRun(), 2);
    // Told apart: dashes against dots, a thick cut against thin folds.
    EXPECT_GT(mountain.MedianRun(), 2 * valley.MedianRun());
    const int foldThickness = Thickness(page, X(5) + 10, X(8) - 10, mountainRow);
    EXPECT_GE(foldThickness, 2);
    EXPECT_LT(foldThickness, Thickness(page, X(2), X(16), cutRow));
}

INSTANTIATE_TEST_SUITE_P(PrinterResolutions, PrintedFoldsTest, ::testing::Values(600, 1200));

TEST_F(PrintCommandsTest, LargeSheetIsTiledOverNumberedPages) {
    // 16 by 8 cells of 30 mm: a 480 mm square sheet.
    frame->Settings().print.cellMm = 30;
    QPrinter& printer = frame->Printing().Printer();
    printer.setResolution(300);
    int maxPage = 0;
    prompts.onDialog = [&](QDialog& dialog) {
        maxPage = static_cast<QPrintDialog&>(dialog).maxPage();
        return int(QDialog::Accepted);
    };
    Trigger(ID_FILE_PRINT);
    const QString info = QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), {pdf}));
    const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)\\n").match(info);
    ASSERT_TRUE(m.hasMatch()) << info.toStdString();
    const int pages = m.captured(1).toInt();
    EXPECT_GE(pages, 6);
    EXPECT_EQ(maxPage, pages);
    const QString text = QString::fromUtf8(RunTool(QStringLiteral("pdftotext"), {pdf, "-"}));
    EXPECT_TRUE(text.contains("1, 1")) << text.toStdString();
    EXPECT_TRUE(text.contains("2, 2")) << text.toStdString();

    // A page range prints only those pages.
    QFile::remove(pdf);
    prompts.onDialog = [&](QDialog&) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        return int(QDialog::Accepted);
    };
    Trigger(ID_FILE_PRINT);
    const QString ranged = QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), {pdf}));
    EXPECT_TRUE(ranged.contains(QRegularExpression("Pages:\\s+2\\n"))) << ranged.toStdString();
    const QString rangedText = QString::fromUtf8(RunTool(QStringLiteral("pdftotext"), {pdf, "-"}));
    EXPECT_FALSE(rangedText.contains("1, 1"));
    EXPECT_TRUE(rangedText.contains("1, 2"));
}

TEST_F(PrintCommandsTest, TurnedAndFittedSheetsLieOnTheUprightPage) {
    // A grid of 32 by 6 at 8 mm cells: a sheet of 240 by 80 mm, wider than
    // A4 but within it turned, centred; the paper stays upright.
    frame->Model().grid.NewCard(32, 6);
    frame->Settings().print.cellMm = 8;
    QPrinter& printer = frame->Printing().Printer();
    printer.setResolution(300);
    prompts.onDialog = [](QDialog&) { return int(QDialog::Accepted); };
    Trigger(ID_FILE_PRINT);
    const QString info = QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), {pdf}));
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12]"))) << info.toStdString();
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    QImage page = RenderedPage();
    ASSERT_FALSE(page.isNull());
    QRect ink = InkBounds(page);
    EXPECT_NEAR(ink.width() * kMmPerPixel, 80, 1);
    EXPECT_NEAR(ink.height() * kMmPerPixel, 240, 1);
    EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0 * kMmPerPixel, area.left() + area.width() / 2, 1);
    EXPECT_NEAR((ink.top() + ink.bottom() + 1) / 2.0 * kMmPerPixel, area.top() + area.height() / 2, 1);

    // "Fit to page" in the print dialog's Pattern tab: the sheet as large as
    // the page holds it, 5 mm inside the printable area, still turned.
    QFile::remove(pdf);
    prompts.onDialog = [](QDialog& dialog) {
        auto* fit = dialog.findChild<QRadioButton*>("fitToPage");
        EXPECT_NE(fit, nullptr);
        if (fit) fit->click();
        return int(QDialog::Accepted);
    };
    Trigger(ID_FILE_PRINT);
    page = RenderedPage();
    ASSERT_FALSE(page.isNull());
    ink = InkBounds(page);
    EXPECT_NEAR(ink.top() * kMmPerPixel, area.top() + 5, 1);
    EXPECT_NEAR((ink.bottom() + 1) * kMmPerPixel, area.bottom() - 5, 1);
    EXPECT_NEAR(ink.width() * kMmPerPixel, (area.height() - 10) / 3, 1);
    EXPECT_EQ(frame->Printing().Scale(), PrintScale::FitToPage);
}

TEST_F(PrintCommandsTest, LetterPaperCentresThePatternTheSameWay) {
    QPrinter& printer = frame->Printing().Printer();
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    prompts.onDialog = [](QDialog&) { return int(QDialog::Accepted); };
    Trigger(ID_FILE_PRINT);
    const QString info = QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), {pdf}));
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+612 x 792 pts"))) << info.toStdString();
    const QImage page = RenderedPage();
    ASSERT_FALSE(page.isNull());
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const QRect ink = InkBounds(page);
    const double cell = 105.0 / 18;
    EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0 * kMmPerPixel, area.left() + 215.9 / 2, 0.5);
    EXPECT_NEAR(ink.top() * kMmPerPixel, area.top() + 279.4 / 2 - 8 * cell, 0.5);
    EXPECT_NEAR((ink.bottom() + 1) * kMmPerPixel, area.top() + 279.4 / 2 + 8 * cell, 0.5);
}

TEST_F(PrintCommandsTest, PatternOptionsChangeThePrintoutAsTheyChangeThePdf) {
    // Cells of 4 mm, hairlines and a legend under the sheet: the printout
    // is the exported PDF's page, drawn from the printable area's corner.
    frame->Settings().print.cellMm = 4;
    PatternOptions options;
    options.hairline = true;
    options.legend = true;
    PatternPrinting printing(frame->Model(), frame->Settings(), options, prompts);
    QPrinter& printer = printing.Printer();
    printer.setResolution(300);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(printing.PrintPage(printer));
    const QImage printed = RenderedPage();

    options.cellMm = 4;
    const QString exported = Path("exported.pdf");
    {
        std::ofstream out(exported.toStdString(), std::ios::binary);
        WritePdf(out, LayOutCutterPattern(DeriveGridSheet(Grid()), frame->Settings().print.mirror,
                                          frame->Settings().print.sizePercent, options));
    }
    const QImage file = RenderedPage(exported, "exported");
    ASSERT_FALSE(printed.isNull() || file.isNull());
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const QRect a = InkBounds(printed), b = InkBounds(file);
    EXPECT_NEAR(a.left() * kMmPerPixel, area.left() + b.left() * kMmPerPixel, 0.5);
    // (The legend's right end is its text's, whose fonts differ.)
    EXPECT_NEAR(a.top() * kMmPerPixel, area.top() + b.top() * kMmPerPixel, 0.5);
    EXPECT_NEAR(a.bottom() * kMmPerPixel, area.top() + b.bottom() * kMmPerPixel, 0.5);
    // 16 cells of 4 mm across; the legend below the 64 mm high sheet.
    EXPECT_NEAR((b.right() - b.left() + 1) * kMmPerPixel, 64, 0.5);
    EXPECT_GT((a.bottom() - a.top()) * kMmPerPixel, 64 + 10);
}

}  // namespace
}  // namespace pw

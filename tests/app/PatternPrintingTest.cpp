// File, "Print...", "Print preview" and "Print setup..." through the main
// window, with the kept printer writing a PDF: one A4 page whose pattern has
// its printed size and place whatever the printer's resolution, read back
// with poppler's pdfinfo and pdftoppm.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>

#include "OutputCommandsFixture.h"
#include "app/CommandTable.h"
#include "app/PatternPrinting.h"
#include "model/AppSettings.h"

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

    QImage RenderedPage() {
        RunTool(QStringLiteral("pdftoppm"), {"-r", QString::number(kCheckDpi), "-gray", "-aa", "no", "-aaVector", "no",
                                          "-singlefile", pdf, Path("page")});
        return QImage(Path("page.pgm"));
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

}  // namespace
}  // namespace pw

// File, "Export Unfolded pattern...", "Export 3D Data..." and "Share as Web
// Page..." through the main window: the save dialog's filters, the file
// type chosen by the extension in any case, the refusal of other names,
// the failure messages, and faces that follow an edit whose frame was never
// painted.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QImage>
#include <QSvgRenderer>
#include <QtEndian>
#include <functional>
#include <map>
#include <sstream>

#include "OutputCommandsFixture.h"
#include "support/CardBuilder.h"
#include "app/CommandTable.h"
#include "app/PatternExport.h"
#include "app/ScreenResolution.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/Messages.h"
#include "output/CutterPattern.h"
#include "output/DxfWriter.h"
#include "output/PatternDxfWriter.h"
#include "output/PatternImages.h"
#include "output/PdfWriter.h"
#include "output/SvgWriter.h"
#include "view3d/KirikoView.h"

namespace pw {
namespace {

using PatternExportTest = test::OutputCommandsTest;

std::int32_t Int32At(const QByteArray& b, int offset) {
    return qFromLittleEndian<std::int32_t>(b.constData() + offset);
}

QByteArray Bytes(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

// The smallest rectangle holding every pixel that is not white.
QRect InkBounds(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) r |= QRect(x, y, 1, 1);
    return r;
}

// Plays "Pattern options": sets the named fields and check boxes, then
// presses the button.
std::function<int(QDialog&)> PatternOptionsAnswer(std::map<QString, QString> fields = {},
                                                  std::map<QString, bool> boxes = {}, const char* button = "ok") {
    return [fields, boxes, button](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Pattern options");
        for (const auto& [name, checked] : boxes) dialog.findChild<QCheckBox*>(name)->setChecked(checked);
        for (const auto& [name, text] : fields) dialog.findChild<QLineEdit*>(name)->setText(text);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
        return dialog.result();
    };
}

TEST_F(PatternExportTest, ExtensionChoosesTheFileInAnyCase) {
    prompts.onDialog = PatternOptionsAnswer();
    prompts.saveNames = {Path("a.BMP"), Path("b.Emf"), Path("c.svg"), Path("d.PdF")};
    for (int i = 0; i < 4; ++i) Trigger(ID_EXPORT_UNFOLDED);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();
    ASSERT_EQ(prompts.fileFilters.size(), 4);
    EXPECT_EQ(prompts.fileFilters[0],
              "BMP File(*.bmp);;EMF File(*.emf);;SVG File(*.svg);;PDF File(*.pdf);;FOLD File(*.fold);;"
              "Pattern DXF File(*.dxf)");
    // Only the cutter-ready files ask for their options.
    EXPECT_EQ(prompts.dialogTitles, QStringList({"Pattern options", "Pattern options"}));

    // The bitmap: 400 by 440 pixels of 20-pixel cells, 24 bits without a
    // colour table, the sheet from (40, 80) to (360, 400); the 2-pixel cut
    // pen reaches one pixel above and to the left of its line.
    const QByteArray bmp = ReadAll(Path("a.BMP"));
    ASSERT_GE(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), "BM");
    EXPECT_EQ(Int32At(bmp, 10), 54);
    QImage image;
    ASSERT_TRUE(image.loadFromData(bmp, "BMP"));
    EXPECT_EQ(image.size(), QSize(400, 440));
    EXPECT_EQ(InkBounds(image), QRect(QPoint(39, 79), QPoint(360, 400)));

    // The metafile for the screen's logical resolution, its frame 10500 by
    // 11550 hundredths of a millimetre.
    const QByteArray emf = ReadAll(Path("b.Emf"));
    ASSERT_GE(emf.size(), 88);
    EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(Int32At(emf, 24), 0);
    EXPECT_EQ(Int32At(emf, 28), 0);
    EXPECT_EQ(Int32At(emf, 32), 10500);
    EXPECT_EQ(Int32At(emf, 36), 11550);
    const ScreenResolution screen = ScreenResolutionOf(frame.get());
    EXPECT_EQ(emf, Bytes(RenderPatternMetafile(Grid(), 0, 50, screen.PixelsPerCmX(), screen.PixelsPerCmY())));

    // The vector files at the printed size, with the default options.
    const CutterPattern cutter = LayOutCutterPattern(Grid(), 0, 50, PatternOptions());
    std::ostringstream svg, pdf;
    WriteSvg(svg, cutter);
    WritePdf(pdf, cutter);
    const QByteArray svgBytes = ReadAll(Path("c.svg"));
    EXPECT_EQ(svgBytes, QByteArray::fromStdString(svg.str()));
    EXPECT_TRUE(QSvgRenderer(svgBytes).isValid());
    const QByteArray pdfBytes = ReadAll(Path("d.PdF"));
    EXPECT_EQ(pdfBytes, QByteArray::fromStdString(pdf.str()));
    EXPECT_TRUE(pdfBytes.startsWith("%PDF-"));
}

TEST_F(PatternExportTest, OtherNamesAreRefusedAndNothingIsWritten) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));
    prompts.saveNames = {Path("picture.png"), Path("pattern"), Path("folder.bmp/pattern"), Path("pattern.bmp.txt"),
                         Path("pattern.")};
    for (int i = 0; i < 5; ++i) Trigger(ID_EXPORT_UNFOLDED);
    const QString refusal = QString::fromUtf8(msg::kSpecifyPatternFile);
    EXPECT_EQ(prompts.messages, QStringList(5, refusal));
    EXPECT_EQ(refusal, "Please specify a *.bmp, *.emf, *.svg, *.pdf, *.fold or *.dxf file.");
    QStringList written = QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    written.removeAll("settings.ini");
    EXPECT_TRUE(written.isEmpty()) << written.join(" ").toStdString();
    EXPECT_TRUE(QDir(Path("folder.bmp")).isEmpty());

    // Cancelling the dialog ends the command quietly.
    prompts.saveNames = {QString()};
    Trigger(ID_EXPORT_UNFOLDED);
    EXPECT_EQ(prompts.messages.size(), 5);
}

TEST_F(PatternExportTest, FilesThatCannotBeWrittenAreReported) {
    // Each kind, the bitmap included: none of them may look saved.
    prompts.onDialog = PatternOptionsAnswer();
    prompts.saveNames = {Path("missing/a.emf"), Path("missing/a.bmp"), Path("missing/a.svg"), Path("missing/a.pdf"),
                         Path("missing/a.dxf")};
    for (int i = 0; i < 5; ++i) Trigger(ID_EXPORT_UNFOLDED);
    EXPECT_EQ(prompts.messages, QStringList(5, QString::fromUtf8(msg::kFileSaveFailed)));

    // A bitmap too large to make leaves the existing file alone.
    const QString kept = Path("kept.bmp");
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    frame->Settings().bitmap.widthPx = 200000;
    prompts.saveNames = {kept};
    Trigger(ID_EXPORT_UNFOLDED);
    EXPECT_EQ(prompts.messages.size(), 6);
    EXPECT_EQ(prompts.messages.back(), QString::fromUtf8(msg::kFileSaveFailed));
    EXPECT_EQ(ReadAll(kept), "old");
}

TEST_F(PatternExportTest, SettingsAreReadAtEachExport) {
    frame->Settings().bitmap.widthPx = 200;
    prompts.saveNames = {Path("small.bmp")};
    Trigger(ID_EXPORT_UNFOLDED);
    QImage image;
    ASSERT_TRUE(image.loadFromData(ReadAll(Path("small.bmp")), "BMP"));
    EXPECT_EQ(image.size(), QSize(200, 220));
    EXPECT_EQ(InkBounds(image), QRect(QPoint(19, 39), QPoint(180, 200)));
}

TEST_F(PatternExportTest, DxfIsWrittenUnderTheChosenName) {
    prompts.saveNames = {Path("relief")};
    Trigger(ID_EXPORT_3D_DATA);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.fileFilters, QStringList({"DXF File(*.dxf)"}));
    const QByteArray text = ReadAll(Path("relief"));
    // A flat 16 by 8 card: 256 faces of 30 lines, 6 lines before, 4 after.
    EXPECT_EQ(text.count('\n'), 7690);
    EXPECT_TRUE(text.startsWith("0\nSECTION\n2\nENTITIES\n999\nCreated by Popwright v1.1\n0\n3DFACE\n"));
    EXPECT_TRUE(text.endsWith("0\nENDSEC\n0\nEOF\n"));

    prompts.saveNames = {Path("missing/relief.dxf")};
    Trigger(ID_EXPORT_3D_DATA);
    EXPECT_EQ(prompts.messages, QStringList({QString::fromUtf8(msg::kFileOpenFailed)}));

    prompts.saveNames = {QString()};
    Trigger(ID_EXPORT_3D_DATA);
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_F(PatternExportTest, OutputsShowAnEditBeforeItsFrameIsPainted) {
    // Raise the cursor square and export at once: no frame has rebuilt the
    // faces yet, the exports must not show the flat card.
    EditedCard& model = frame->Model();
    std::ostringstream flat;
    WriteDxf(flat, Grid());
    frame->View()->setFocus();
    QTest::keyClick(frame->View(), Qt::Key_Space);
    ASSERT_TRUE(model.grid.gridChanged);
    prompts.saveNames = {Path("raised.dxf"), Path("raised.bmp")};
    Trigger(ID_EXPORT_3D_DATA);
    Trigger(ID_EXPORT_UNFOLDED);
    std::ostringstream raised;
    WriteDxf(raised, Grid());
    EXPECT_NE(raised.str(), flat.str());
    EXPECT_EQ(ReadAll(Path("raised.dxf")), QByteArray::fromStdString(raised.str()));
    QImage image;
    ASSERT_TRUE(image.loadFromData(ReadAll(Path("raised.bmp")), "BMP"));
    const auto expected = RenderPatternBitmap(Grid(), 0, 400);
    ASSERT_TRUE(expected.has_value());
    int differences = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            differences += (image.pixel(x, y) & 0xFFFFFF) != expected->Pixel(x, y);
    EXPECT_EQ(differences, 0);
}

TEST_F(PatternExportTest, DxfNameWritesTheFlatPatternWithTheChosenOptions) {
    // A box, so that there are folds of both kinds to perforate.
    EditedCard& model = frame->Model();
    for (int x = 5; x <= 7; ++x) test::AddBox(model.grid, x, 2, 3);
    bool hairlineEnabled = true, legendEnabled = true, paperEnabled = true;
    QString finished;
    prompts.onDialog = [&](QDialog& dialog) {
        hairlineEnabled = dialog.findChild<QCheckBox*>("hairline")->isEnabled();
        legendEnabled = dialog.findChild<QCheckBox*>("legend")->isEnabled();
        paperEnabled = dialog.findChild<QComboBox*>("paper")->isEnabled();
        return PatternOptionsAnswer({{"cellSize", "5"}, {"dash", "1,5"}, {"gap", "0.5"}}, {{"perforate", true}})(dialog);
    };
    prompts.saveNames = {Path("flat.DXF")};
    Trigger(ID_EXPORT_UNFOLDED);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();
    // A DXF line has no width and a cutter would cut a legend; no pages.
    EXPECT_FALSE(hairlineEnabled);
    EXPECT_FALSE(legendEnabled);
    EXPECT_FALSE(paperEnabled);

    PatternOptions expected;
    expected.cellMm = 5;
    expected.perforate = true;
    expected.dashMm = 1.5;
    expected.gapMm = 0.5;
    std::ostringstream dxf;
    WritePatternDxf(dxf, LayOutCutterPattern(Grid(), 0, 50, expected));
    EXPECT_EQ(ReadAll(Path("flat.DXF")), QByteArray::fromStdString(dxf.str()));
    // Not the relief's 3D faces.
    EXPECT_FALSE(ReadAll(Path("flat.DXF")).contains("3DFACE"));
    // The status bar states the finished size.
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains(
        QString::fromUtf8("card 80 \u00D7 40 mm (opened), sheet 80 \u00D7 80 mm")))
        << frame->statusBar()->currentMessage().toStdString();

    // The choices are offered again for the next file; the cell size starts
    // from the Setting dialog's.
    frame->Settings().print.cellMm = 6;
    QString cellShown, dashShown;
    bool perforateShown = false;
    prompts.onDialog = [&](QDialog& dialog) {
        cellShown = dialog.findChild<QLineEdit*>("cellSize")->text();
        dashShown = dialog.findChild<QLineEdit*>("dash")->text();
        perforateShown = dialog.findChild<QCheckBox*>("perforate")->isChecked();
        return int(QDialog::Rejected);
    };
    prompts.saveNames = {Path("again.svg")};
    Trigger(ID_EXPORT_UNFOLDED);
    EXPECT_EQ(cellShown, "6");
    EXPECT_EQ(dashShown, "1.5");
    EXPECT_TRUE(perforateShown);
    // Cancelling the options writes nothing.
    EXPECT_FALSE(QFileInfo::exists(Path("again.svg")));
    EXPECT_TRUE(prompts.messages.isEmpty());

    // Folds too short to perforate at 1 mm cells: the status bar says how
    // many went to the score layer.
    prompts.onDialog = PatternOptionsAnswer({{"cellSize", "1"}, {"gap", "1.5"}}, {{"perforate", true}});
    prompts.saveNames = {Path("small.svg")};
    Trigger(ID_EXPORT_UNFOLDED);
    PatternOptions small = expected;
    small.cellMm = 1;
    small.gapMm = 1.5;
    const int scored = LayOutCutterPattern(Grid(), 0, 50, small).scoredFolds;
    ASSERT_GT(scored, 0);
    EXPECT_TRUE(frame->statusBar()->currentMessage().endsWith(QString::fromStdString(ScoredFoldsText(scored))))
        << frame->statusBar()->currentMessage().toStdString();
}

TEST_F(PatternExportTest, OptionsStateTheSizeAndThePagesAndRefuseBadNumbers) {
    QStringList sizes, pages;
    QStringList messagesWhileOpen;
    prompts.onDialog = [&](QDialog& dialog) {
        auto* cell = dialog.findChild<QLineEdit*>("cellSize");
        auto* finished = dialog.findChild<QLabel*>("finishedSize");
        auto* pageCount = dialog.findChild<QLabel*>("pages");
        EXPECT_TRUE(pageCount->isVisibleTo(&dialog));
        sizes << finished->text();
        pages << pageCount->text();
        cell->setText("10");  // 160 by 160 mm: fits A4
        sizes << finished->text();
        pages << pageCount->text();
        cell->setText("30");  // 480 by 480 mm: 3 by 2 A4 pages
        sizes << finished->text();
        pages << pageCount->text();
        dialog.findChild<QComboBox*>("paper")->setCurrentIndex(2);  // A3: 2 by 2
        pages << pageCount->text();

        // A cell size or a dash out of range: the message, the focus, and
        // the dialog stays open.
        cell->setText("0.2");
        QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), cell);
        cell->setText("30");
        dialog.findChild<QCheckBox*>("perforate")->setChecked(true);
        dialog.findChild<QLineEdit*>("dash")->setText("0.1");
        QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        messagesWhileOpen = prompts.messages;
        dialog.findChild<QLineEdit*>("dash")->setText("3");
        QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
        return dialog.result();
    };
    prompts.saveNames = {Path("big.pdf")};
    Trigger(ID_EXPORT_UNFOLDED);
    EXPECT_EQ(messagesWhileOpen, QStringList({"Please enter 0 or a number between 0.5 and 50.",
                                              "Please enter a number between 0.5 and 50."}));
    ASSERT_EQ(sizes.size(), 3);
    EXPECT_EQ(sizes[0], QString::fromUtf8("Finished size: card 93.3 \u00D7 46.7 mm (opened), sheet 93.3 \u00D7 93.3 mm"));
    EXPECT_EQ(sizes[1], QString::fromUtf8("Finished size: card 160 \u00D7 80 mm (opened), sheet 160 \u00D7 160 mm"));
    EXPECT_EQ(sizes[2], QString::fromUtf8("Finished size: card 480 \u00D7 240 mm (opened), sheet 480 \u00D7 480 mm"));
    EXPECT_EQ(pages[0], "1 page");
    EXPECT_EQ(pages[1], "1 page");
    EXPECT_EQ(pages[2], QString::fromUtf8("6 pages: 2 rows \u00D7 3 columns, overlapping by 10 mm"));
    EXPECT_EQ(pages[3], QString::fromUtf8("4 pages: 2 rows \u00D7 2 columns, overlapping by 10 mm"));
    const QByteArray pdf = ReadAll(Path("big.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.contains("/Count 4 "));
    EXPECT_TRUE(frame->statusBar()->currentMessage().endsWith(", 4 pages"))
        << frame->statusBar()->currentMessage().toStdString();
}

TEST_F(PatternExportTest, ShareWritesTheCardAsAWebPageOrSaysItCouldNot) {
    prompts.saveNames = {Path("My card.html"), Path("no/such/card.html")};
    Trigger(ID_SHARE_WEB_PAGE);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.fileFilters.value(0), "Web Page(*.html *.htm)");
    QFile page(Path("My card.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("<title>My card</title>"));
    Trigger(ID_SHARE_WEB_PAGE);
    EXPECT_EQ(prompts.messages, QStringList(QString::fromUtf8(msg::kFileSaveFailed)));
}

}  // namespace
}  // namespace pw

// File, "Export Unfolded pattern..." and "Export 3D Data..." through the main
// window: the save dialog's filters, the file type chosen by the extension in
// any case, the refusal of other names, the failure messages, and faces that
// follow an edit whose frame was never painted.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSvgRenderer>
#include <QtEndian>
#include <sstream>

#include "OutputCommandsFixture.h"
#include "app/CommandTable.h"
#include "app/PatternExport.h"
#include "app/ScreenResolution.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/Messages.h"
#include "output/CutterPattern.h"
#include "output/DxfWriter.h"
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

TEST_F(PatternExportTest, ExtensionChoosesTheFileInAnyCase) {
    prompts.saveNames = {Path("a.BMP"), Path("b.Emf"), Path("c.svg"), Path("d.PdF")};
    for (int i = 0; i < 4; ++i) Trigger(ID_EXPORT_UNFOLDED);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();
    ASSERT_EQ(prompts.fileFilters.size(), 4);
    EXPECT_EQ(prompts.fileFilters[0], "BMP File(*.bmp);;EMF File(*.emf);;SVG File(*.svg);;PDF File(*.pdf)");

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

    // The vector files at the printed size.
    const CutterPattern cutter = LayOutCutterPattern(Grid(), 0, 50);
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
    EXPECT_EQ(refusal, "Please specify a *.bmp, *.emf, *.svg or *.pdf file.");
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
    prompts.saveNames = {Path("missing/a.emf"), Path("missing/a.bmp"), Path("missing/a.svg"), Path("missing/a.pdf")};
    for (int i = 0; i < 4; ++i) Trigger(ID_EXPORT_UNFOLDED);
    EXPECT_EQ(prompts.messages, QStringList(4, QString::fromUtf8(msg::kFileSaveFailed)));

    // A bitmap too large to make leaves the existing file alone.
    const QString kept = Path("kept.bmp");
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    frame->Settings().rudovozuSizeBMP = 200000;
    prompts.saveNames = {kept};
    Trigger(ID_EXPORT_UNFOLDED);
    EXPECT_EQ(prompts.messages.size(), 5);
    EXPECT_EQ(prompts.messages.back(), QString::fromUtf8(msg::kFileSaveFailed));
    EXPECT_EQ(ReadAll(kept), "old");
}

TEST_F(PatternExportTest, SettingsAreReadAtEachExport) {
    frame->Settings().rudovozuSizeBMP = 200;
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

}  // namespace
}  // namespace pw

// Edit, "Copy unfolded pattern to Clipboard" in both formats, read back by
// another program (xclip) while this one keeps serving the selection: the
// types offered and the bytes under each; and the two failure messages.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QSvgRenderer>
#include <QTimer>
#include <sstream>

#include "OutputCommandsFixture.h"
#include "app/CommandTable.h"
#include "app/PatternClipboard.h"
#include "app/KirikoDoc.h"
#include "app/ScreenResolution.h"
#include "document/CardDocument.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/Messages.h"
#include "output/CutterPattern.h"
#include "output/ExportFormat.h"
#include "output/PatternImages.h"
#include "output/SvgWriter.h"

namespace pw {
namespace {

using PatternClipboardTest = test::OutputCommandsTest;

// What a second process reads from the clipboard under the target. The event
// loop keeps running meanwhile, so this process can answer the request.
QByteArray ReadClipboard(const QString& target) {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", target, "-o"});
    if (!xclip.waitForStarted(5000)) {
        ADD_FAILURE() << "xclip does not start";
        return {};
    }
    QEventLoop loop;
    QObject::connect(&xclip, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    if (xclip.state() != QProcess::NotRunning) loop.exec();
    if (xclip.state() != QProcess::NotRunning) {
        xclip.kill();
        xclip.waitForFinished(1000);
        ADD_FAILURE() << "xclip did not finish reading " << target.toStdString();
        return {};
    }
    EXPECT_EQ(xclip.exitCode(), 0) << target.toStdString() << ": " << xclip.readAllStandardError().toStdString();
    return xclip.readAllStandardOutput();
}

QStringList Targets() {
    return QString::fromUtf8(ReadClipboard(QStringLiteral("TARGETS"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST_F(PatternClipboardTest, EmfCopyOffersTheMetafileAndItsSvg) {
    Trigger(ID_EDIT_COPY);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();

    const QStringList targets = Targets();
    EXPECT_TRUE(targets.contains(kEmfMimeType)) << targets.join(" ").toStdString();
    EXPECT_TRUE(targets.contains(kOpenOfficeEmfMimeType)) << targets.join(" ").toStdString();
    EXPECT_TRUE(targets.contains(kSvgMimeType)) << targets.join(" ").toStdString();

    const ScreenResolution screen = ScreenResolutionOf(frame.get());
    const auto emf = RenderPatternMetafile(Grid(), 0, 50, screen.PixelsPerCmX(), screen.PixelsPerCmY());
    const QByteArray expected(reinterpret_cast<const char*>(emf.data()), static_cast<qsizetype>(emf.size()));
    const QByteArray read = ReadClipboard(kEmfMimeType);
    EXPECT_EQ(read.size(), expected.size());
    EXPECT_TRUE(read == expected);
    EXPECT_TRUE(ReadClipboard(kOpenOfficeEmfMimeType) == expected);

    std::ostringstream svg;
    WriteSvg(svg, LayOutCutterPattern(Grid(), 0, 50));
    const QByteArray svgRead = ReadClipboard(kSvgMimeType);
    EXPECT_EQ(svgRead.toStdString(), svg.str());
    EXPECT_TRUE(QSvgRenderer(svgRead).isValid());
}

TEST_F(PatternClipboardTest, BitmapCopyIsOneCellTallerThanTheFile) {
    Trigger(ID_COPY_BMP);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();
    const QStringList targets = Targets();
    EXPECT_TRUE(targets.contains("image/png")) << targets.join(" ").toStdString();
    EXPECT_TRUE(targets.contains("image/bmp")) << targets.join(" ").toStdString();

    // 400 by trunc(23 * 400 / 20) = 460 pixels, the same drawing as the file.
    const auto expected = RenderPatternBitmap(Grid(), 0, 400, BitmapKind::Clipboard);
    ASSERT_TRUE(expected.has_value());
    for (const char* type : {"image/png", "image/bmp"}) {
        QImage image;
        ASSERT_TRUE(image.loadFromData(ReadClipboard(type))) << type;
        ASSERT_EQ(image.size(), QSize(400, 460)) << type;
        int differences = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                differences += (image.pixel(x, y) & 0xFFFFFF) != expected->Pixel(x, y);
        EXPECT_EQ(differences, 0) << type;
    }
    // The metafile types of an earlier copy are gone.
    EXPECT_FALSE(targets.contains(kEmfMimeType));
}

// A free-form card copies its own pattern, not the grid card's behind it,
// drawn as its exports draw it: the SVG at the design's real size.
TEST_F(PatternClipboardTest, FreeformCardCopiesThePatternItsExportsWrite) {
    prompts.openNames.push_back(QStringLiteral(POPWRIGHT_SOURCE_DIR "/examples/house.pwf"));
    Trigger(ID_FILE_OPEN);
    ASSERT_TRUE(frame->Doc().IsFreeform());
    CardDocument& doc = frame->Doc().Document();
    const ScreenResolution screen = ScreenResolutionOf(frame.get());
    const auto exported = [&](const char* id, const char* name) {
        EXPECT_TRUE(doc.Export(*ExportFormatNamed(id), Path(name).toStdString(), frame->Settings(), screen.PixelsPerCmX(),
                               screen.PixelsPerCmY(), PatternOptions()));
        return ReadAll(Path(name));
    };
    Trigger(ID_EDIT_COPY);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();
    EXPECT_TRUE(ReadClipboard(kEmfMimeType) == exported("emf", "p.emf"));
    EXPECT_EQ(ReadClipboard(kSvgMimeType).toStdString(), exported("svg", "p.svg").toStdString());

    Trigger(ID_COPY_BMP);
    QImage copied, file;
    ASSERT_TRUE(copied.loadFromData(ReadClipboard("image/png")));
    ASSERT_TRUE(file.loadFromData(exported("bmp", "p.bmp")));
    ASSERT_EQ(copied.width(), file.width());
    ASSERT_GT(copied.height(), file.height());
    int differences = 0;
    for (int y = 0; y < file.height(); ++y)
        for (int x = 0; x < file.width(); ++x) differences += (copied.pixel(x, y) & 0xFFFFFF) != (file.pixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(differences, 0);
}

TEST_F(PatternClipboardTest, FailuresLeaveTheClipboardAsItWas) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));

    // A bitmap too large to make.
    frame->Settings().bitmap.widthPx = 200000;
    Trigger(ID_COPY_BMP);
    EXPECT_EQ(prompts.messages, QStringList({QString::fromUtf8(msg::kCantCopyToClipboard)}));
    EXPECT_EQ(QString::fromUtf8(ReadClipboard("UTF8_STRING")), "before");

    // No clipboard to open.
    PatternClipboard commands(frame->Model(), frame->Settings(), prompts);
    frame->Settings().bitmap.widthPx = 400;
    commands.CopyPatternAsBmp(frame.get(), nullptr);
    commands.CopyPatternAsEmf(frame.get(), nullptr);
    EXPECT_EQ(prompts.messages, QStringList({QString::fromUtf8(msg::kCantCopyToClipboard),
                                             QString::fromUtf8(msg::kCantOpenClipboard),
                                             QString::fromUtf8(msg::kCantOpenClipboard)}));
    EXPECT_EQ(clipboard->text(), "before");
}

}  // namespace
}  // namespace pw

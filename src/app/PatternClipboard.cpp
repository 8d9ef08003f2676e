#include "app/PatternClipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <optional>
#include <sstream>
#include <vector>

#include "app/OutputGrid.h"
#include "app/ScreenResolution.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/GridSheet.h"
#include "model/Messages.h"
#include "output/CutterPattern.h"
#include "output/PatternImages.h"
#include "output/SvgWriter.h"
#include "output/UnfoldedPattern.h"

namespace pw {

namespace {

QImage ToQImage(const RasterImage& image) {
    // The picture's rows are blue, green, red: Qt's BGR888, copied so the
    // image owns its pixels.
    return QImage(image.Row(0), image.Width(), image.Height(), image.Width() * 3, QImage::Format_BGR888).copy();
}

}  // namespace

namespace {

std::unique_ptr<QMimeData> EmfData(const std::vector<std::uint8_t>& emf, const CutterPattern& pattern) {
    if (emf.empty()) return nullptr;
    const QByteArray bytes(reinterpret_cast<const char*>(emf.data()), static_cast<qsizetype>(emf.size()));
    std::ostringstream svg;
    WriteSvg(svg, pattern);
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kEmfMimeType), bytes);
    data->setData(QString::fromLatin1(kOpenOfficeEmfMimeType), bytes);
    data->setData(QString::fromLatin1(kSvgMimeType), QByteArray::fromStdString(svg.str()));
    return data;
}

std::unique_ptr<QMimeData> ImageData(const std::optional<RasterImage>& picture) {
    if (!picture) return nullptr;
    const QImage image = ToQImage(*picture);
    if (image.isNull()) return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image);
    return data;
}

}  // namespace

std::unique_ptr<QMimeData> MakeEmfClipboardData(const CellGrid& grid, const AppSettings& settings,
                                                const ScreenResolution& screen) {
    const Sheet sheet = DeriveGridSheet(grid);
    return EmfData(RenderPatternMetafile(sheet, settings.print.mirror, settings.print.sizePercent, screen.PixelsPerCmX(),
                                         screen.PixelsPerCmY()),
                   LayOutCutterPattern(sheet, settings.print.mirror, settings.print.sizePercent));
}

std::unique_ptr<QMimeData> MakeBitmapClipboardData(const CellGrid& grid, const AppSettings& settings) {
    return ImageData(RenderPatternBitmap(DeriveGridSheet(grid), settings.print.mirror, settings.bitmap.widthPx, BitmapKind::Clipboard));
}

std::unique_ptr<QMimeData> MakeEmfClipboardData(const Sheet& millimetreSheet, const AppSettings& settings,
                                                const ScreenResolution& screen, const PatternOptions& options) {
    return EmfData(RenderPatternMetafile(FlattenedPattern(millimetreSheet), settings.print.mirror, settings.print.sizePercent,
                                         screen.PixelsPerCmX(), screen.PixelsPerCmY()),
                   LayOutMillimetrePattern(millimetreSheet, settings.print.mirror, options));
}

std::unique_ptr<QMimeData> MakeBitmapClipboardData(const Sheet& millimetreSheet, const AppSettings& settings) {
    return ImageData(RenderPatternBitmap(FlattenedPattern(millimetreSheet), settings.print.mirror, settings.bitmap.widthPx,
                                         BitmapKind::Clipboard));
}

void PatternClipboard::CopyPatternAsEmf(QWidget* window, QClipboard* clipboard) {
    const ScreenResolution screen = ScreenResolutionOf(window);
    Put(window, clipboard,
        millimetreSheet_ ? MakeEmfClipboardData(*millimetreSheet_, settings_, screen, options_)
                         : MakeEmfClipboardData(GridForOutput(model_), settings_, screen),
        kEmfMimeType);
}

void PatternClipboard::CopyPatternAsBmp(QWidget* window, QClipboard* clipboard) {
    Put(window, clipboard,
        millimetreSheet_ ? MakeBitmapClipboardData(*millimetreSheet_, settings_)
                         : MakeBitmapClipboardData(GridForOutput(model_), settings_),
        nullptr);
}

void PatternClipboard::Put(QWidget* window, QClipboard* clipboard, std::unique_ptr<QMimeData> data,
                           const char* type) {
    if (!data) {
        prompts_.ShowMessage(window, ShownMessage(msg::kCantCopyToClipboard));
        return;
    }
    if (!clipboard) {
        prompts_.ShowMessage(window, ShownMessage(msg::kCantOpenClipboard));
        return;
    }
    // The clipboard owns the data from here on.
    clipboard->setMimeData(data.release());
    // Qt reports no failure of its own: a clipboard that did not take the data
    // (another program kept the selection) shows somebody else's data.
    const QMimeData* now = clipboard->mimeData();
    const bool taken = now && (type ? now->hasFormat(QString::fromLatin1(type)) : now->hasImage());
    if (!taken) prompts_.ShowMessage(window, ShownMessage(msg::kCantCopyToClipboard));
}

}  // namespace pw

#include "app/PatternExport.h"

#include <QFile>
#include <QFileInfo>
#include <sstream>
#include <string>

#include "app/AppSettings.h"
#include "app/OutputGrid.h"
#include "app/ScreenResolution.h"
#include "app/UserPrompts.h"
#include "model/CardModel.h"
#include "model/Messages.h"
#include "output/BmpFile.h"
#include "output/CutterPattern.h"
#include "output/DxfWriter.h"
#include "output/PatternImages.h"
#include "output/PdfWriter.h"
#include "output/SafeFileWriter.h"
#include "output/SvgWriter.h"

namespace pw {

namespace {

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

PatternFileType PatternFileTypeOf(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return PatternFileType::Unknown;
    const QString ext = name.mid(dot + 1);
    // The metafile is tried first, as the command always did.
    if (ext.compare(QLatin1String("emf"), Qt::CaseInsensitive) == 0) return PatternFileType::Emf;
    if (ext.compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0) return PatternFileType::Bmp;
    if (ext.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) return PatternFileType::Svg;
    if (ext.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) return PatternFileType::Pdf;
    return PatternFileType::Unknown;
}

bool WritePatternFile(const QString& path, PatternFileType type, const CellGrid& grid,
                      const AppSettings& settings, const ScreenResolution& screen) {
    const std::string file = LocalPath(path);
    switch (type) {
        case PatternFileType::Bmp: {
            const auto image = RenderPatternBitmap(grid, settings.reverseMode, settings.rudovozuSizeBMP, BitmapKind::File);
            if (!image) return false;
            const auto info = MakeBitmapInfo(*image);
            return info && WriteBmpFile(file, *info, *image);
        }
        case PatternFileType::Emf: {
            const auto bytes = RenderPatternMetafile(grid, settings.reverseMode, settings.rudovozuSizeRatio,
                                                     screen.PixelsPerCmX(), screen.PixelsPerCmY());
            return !bytes.empty() && WriteFileReplacing(file, bytes);
        }
        case PatternFileType::Svg:
        case PatternFileType::Pdf: {
            const CutterPattern pattern = LayOutCutterPattern(grid, settings.reverseMode, settings.rudovozuSizeRatio);
            std::ostringstream text;
            if (type == PatternFileType::Svg)
                WriteSvg(text, pattern);
            else
                WritePdf(text, pattern);
            return WriteFileReplacing(file, text.str());
        }
        case PatternFileType::Unknown: break;
    }
    return false;
}

bool WriteDxfFile(const QString& path, const CellGrid& grid) {
    std::ostringstream text;
    WriteDxf(text, grid);
    return WriteFileReplacing(LocalPath(path), text.str());
}

void PatternExport::ExportUnfoldedPattern(QWidget* window) {
    const QString path = prompts_.GetSaveFileName(window, QString::fromLatin1(kPatternFileFilter));
    if (path.isEmpty()) return;
    const PatternFileType type = PatternFileTypeOf(path);
    if (type == PatternFileType::Unknown) {
        prompts_.ShowMessage(window, QString::fromUtf8(msg::kSpecifyPatternFile));
        return;
    }
    // Every kind of file that was not written is reported, the bitmap too:
    // a silent failure would look like a saved file.
    if (!WritePatternFile(path, type, GridForOutput(model_), settings_, ScreenResolutionOf(window)))
        prompts_.ShowMessage(window, QString::fromUtf8(msg::kFileSaveFailed));
}

void PatternExport::ExportDxf(QWidget* window) {
    const QString path = prompts_.GetSaveFileName(window, QString::fromLatin1(kDxfFileFilter));
    if (path.isEmpty()) return;
    if (!WriteDxfFile(path, GridForOutput(model_))) prompts_.ShowMessage(window, QString::fromUtf8(msg::kFileOpenFailed));
}

}  // namespace pw

#include "app/PatternExport.h"

#include <QFile>
#include <string>

#include "app/OutputGrid.h"
#include "app/ScreenResolution.h"
#include "app/UserPrompts.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/Messages.h"
#include "output/PatternFiles.h"

namespace pw {

namespace {

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void PatternExport::ExportUnfoldedPattern(QWidget* window) {
    const QString path = prompts_.GetSaveFileName(window, QString::fromLatin1(kPatternFileFilter));
    if (path.isEmpty()) return;
    const std::string file = LocalPath(path);
    const PatternFileType type = PatternFileTypeOf(file);
    // The relief goes to its own command; this one writes only the pattern.
    if (type == PatternFileType::Unknown || type == PatternFileType::Dxf) {
        prompts_.ShowMessage(window, QString::fromUtf8(msg::kSpecifyPatternFile));
        return;
    }
    // Every kind of file that was not written is reported, the bitmap too:
    // a silent failure would look like a saved file.
    const ScreenResolution screen = ScreenResolutionOf(window);
    if (!WritePatternFile(file, type, GridForOutput(model_), settings_, screen.PixelsPerCmX(), screen.PixelsPerCmY()))
        prompts_.ShowMessage(window, QString::fromUtf8(msg::kFileSaveFailed));
}

void PatternExport::ExportDxf(QWidget* window) {
    const QString path = prompts_.GetSaveFileName(window, QString::fromLatin1(kDxfFileFilter));
    if (path.isEmpty()) return;
    if (!WritePatternFile(LocalPath(path), PatternFileType::Dxf, GridForOutput(model_), settings_, 0, 0))
        prompts_.ShowMessage(window, QString::fromUtf8(msg::kFileOpenFailed));
}

}  // namespace pw

#include "app/PatternExport.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>
#include <string>

#include "app/OutputGrid.h"
#include "app/PatternOptionsDialog.h"
#include "app/ScreenResolution.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/GridSheet.h"
#include "model/Messages.h"
#include "output/CutterPattern.h"
#include "output/PatternFiles.h"
#include "output/TilePlan.h"

namespace pw {

namespace {

// How long the status bar shows what was written.
constexpr int kStatusMilliseconds = 15000;

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void PatternExport::ExportUnfoldedPattern(QWidget* window) {
    const QString path = prompts_.GetSaveFileName(window, Translated("FileFilters", kPatternFileFilter));
    if (path.isEmpty()) return;
    const std::string file = LocalPath(path);
    PatternFileType type = PatternFileTypeOf(file);
    if (type == PatternFileType::Unknown) {
        prompts_.ShowMessage(window, ShownMessage(msg::kSpecifyPatternFile));
        return;
    }
    // This command writes the pattern: a DXF name means the flat pattern,
    // the relief has its own command.
    if (type == PatternFileType::Dxf) type = PatternFileType::PatternDxf;
    const Sheet sheet = DeriveGridSheet(GridForOutput(model_));

    const bool cutterFile =
        type == PatternFileType::Svg || type == PatternFileType::Pdf || type == PatternFileType::PatternDxf;
    PatternOptions options = options_;
    if (cutterFile) {
        PatternOptions initial = options_;
        initial.cellMm = settings_.cellSizeMm;
        PatternOptionsDialog dialog(type, initial, sheet, settings_.reverseMode, settings_.rudovozuSizeRatio, prompts_,
                                    window);
        if (prompts_.RunDialog(dialog) != QDialog::Accepted) return;
        options = dialog.Options();
        options_ = options;
    }

    // Every kind of file that was not written is reported, the bitmap too:
    // a silent failure would look like a saved file.
    const ScreenResolution screen = ScreenResolutionOf(window);
    if (!WritePatternFile(file, type, sheet, settings_, screen.PixelsPerCmX(), screen.PixelsPerCmY(), options)) {
        prompts_.ShowMessage(window, ShownMessage(msg::kFileSaveFailed));
        return;
    }
    if (!cutterFile) return;
    auto* frame = qobject_cast<QMainWindow*>(window);
    if (!frame) return;
    const CutterPattern pattern = LayOutCutterPattern(sheet, settings_.reverseMode, settings_.rudovozuSizeRatio, options);
    QString text = QCoreApplication::translate("PatternExport", "Saved %1: %2")
                       .arg(QFileInfo(path).fileName(), FinishedSizeShown(pattern.size));
    if (type == PatternFileType::Pdf) {
        const int pages = static_cast<int>(PlanPatternPages(pattern).pages.size());
        if (pages > 1) text += QCoreApplication::translate("PatternExport", ", %1 pages").arg(pages);
    }
    if (pattern.scoredFolds > 0)
        text += QCoreApplication::translate("PatternExport", ". %1").arg(ScoredFoldsShown(pattern.scoredFolds));
    frame->statusBar()->showMessage(text, kStatusMilliseconds);
}

void PatternExport::ExportDxf(QWidget* window) {
    const QString path = prompts_.GetSaveFileName(window, Translated("FileFilters", kDxfFileFilter));
    if (path.isEmpty()) return;
    if (!WritePatternFile(LocalPath(path), PatternFileType::Dxf, DeriveGridSheet(GridForOutput(model_)), settings_, 0, 0))
        prompts_.ShowMessage(window, ShownMessage(msg::kFileOpenFailed));
}

}  // namespace pw

#include "app/PatternExport.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>
#include <QStringList>
#include <string>
#include <vector>

#include "app/AppLanguage.h"
#include "app/PatternOptionsDialog.h"
#include "app/ScreenResolution.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "document/CardDocument.h"
#include "document/CardWebPage.h"
#include "model/AppSettings.h"
#include "model/Messages.h"
#include "output/ExportFormat.h"

namespace pw {

namespace {

// How long the status bar shows what was written.
constexpr int kStatusMilliseconds = 15000;

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

QString ExportFileFilter(bool relief) {
    QStringList filters;
    for (const ExportFormat* format : ExportFormats()) {
        if (format->relief != relief) continue;
        QStringList patterns;
        for (const std::string& ext : format->extensions) patterns << QStringLiteral("*.") + QString::fromStdString(ext);
        filters << Translated("FileFilters", format->filterName) + QLatin1Char('(') + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

void PatternExport::ExportUnfoldedPattern(QWidget* window) {
    const QString path = prompts_.GetSaveFileName(window, ExportFileFilter(false));
    if (path.isEmpty()) return;
    const std::string file = LocalPath(path);
    // This command writes the pattern: a DXF name means the flat pattern,
    // the relief has its own command.
    const ExportFormat* format = PatternFormatOf(file);
    if (!format) {
        std::vector<std::string> extensions;
        for (const ExportFormat* f : ExportFormats())
            if (!f->relief) extensions.insert(extensions.end(), f->extensions.begin(), f->extensions.end());
        prompts_.ShowMessage(window, ShownMessage(msg::kSpecifyFileOf)
                                         .arg(QString::fromStdString(ExtensionChoice(extensions, ListWordsShown()))));
        return;
    }
    // The sheet the last change derived, brought up to date with an edit
    // whose frame has not been painted yet.
    const Sheet& sheet = doc_.Derive();

    // The files that take pattern options are the cutter-ready ones.
    const bool cutterFile = format->options != 0;
    PatternOptions options = options_;
    if (cutterFile) {
        PatternOptions initial = options_;
        initial.cellMm = settings_.print.cellMm;
        PatternOptionsDialog dialog(*format, initial, sheet, settings_.print.mirror, settings_.print.sizePercent, prompts_,
                                    window);
        if (prompts_.RunDialog(dialog) != QDialog::Accepted) return;
        options = dialog.Options();
        options_ = options;
    }
    options.legendWording = LegendWordingShown();

    // Every kind of file that was not written is reported, the bitmap too:
    // a silent failure would look like a saved file.
    const ScreenResolution screen = ScreenResolutionOf(window);
    ExportReport report;
    if (!doc_.Export(*format, file, settings_, screen.PixelsPerCmX(), screen.PixelsPerCmY(), options, report)) {
        prompts_.ShowMessage(window, ShownMessage(msg::kFileSaveFailed));
        return;
    }
    if (!cutterFile) return;
    auto* frame = qobject_cast<QMainWindow*>(window);
    if (!frame) return;
    // What the writer laid out, not a layout of its own.
    QString text = QCoreApplication::translate("PatternExport", "Saved %1: %2")
                       .arg(QFileInfo(path).fileName(), FinishedSizeShown(report.size));
    if (Takes(*format, kTakesTiling) && report.pages > 1)
        text += QCoreApplication::translate("PatternExport", ", %1 pages").arg(report.pages);
    if (report.scoredFolds > 0)
        text += QCoreApplication::translate("PatternExport", ". %1").arg(ScoredFoldsShown(report.scoredFolds));
    frame->statusBar()->showMessage(text, kStatusMilliseconds);
}

void PatternExport::ExportDxf(QWidget* window) {
    const QString path = prompts_.GetSaveFileName(window, ExportFileFilter(true));
    if (path.isEmpty()) return;
    // Whatever the name, the relief's format writes it (the first, if more
    // formats write the relief).
    const ExportFormat* relief = nullptr;
    for (const ExportFormat* f : ExportFormats())
        if (f->relief && !relief) relief = f;
    const PatternOptions noOptions;
    if (!relief || !doc_.Export(*relief, LocalPath(path), settings_, 0, 0, noOptions))
        prompts_.ShowMessage(window, ShownMessage(msg::kFileOpenFailed));
}

void PatternExport::ShareWebPage(QWidget* window) {
    const QString filter = QCoreApplication::translate("FileFilters", "Web Page") + QStringLiteral("(*.html *.htm)");
    const QString path = prompts_.GetSaveFileName(window, filter);
    if (path.isEmpty()) return;
    WebPageWords shown;
    shown.language = LanguageInUse().isEmpty() ? "en" : LanguageInUse().toStdString();
    for (std::string* text : {&shown.play, &shown.foldAngle, &shown.switchView, &shown.pattern, &shown.download})
        *text = QCoreApplication::translate("CliMessages", text->c_str()).toStdString();
    if (!WriteCardWebPage(doc_, settings_, LocalPath(path), QFileInfo(path).completeBaseName().toStdString(), shown))
        prompts_.ShowMessage(window, ShownMessage(msg::kFileSaveFailed));
}

}  // namespace pw

#include "app/QtUserPrompts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include "app/DesktopOpener.h"

namespace pw {

QString DefaultSuffixOf(const QString& nameFilter) {
    // The patterns stand in the last parentheses: "Name(*.a *.b)".
    static const QRegularExpression patterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch m = patterns.match(nameFilter);
    const QString list = m.hasMatch() ? m.captured(1) : nameFilter;
    const QStringList each = list.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    static const QRegularExpression single(QStringLiteral("^\\*\\.([A-Za-z0-9_]+)$"));
    const QRegularExpressionMatch ext = each.size() == 1 ? single.match(each.first()) : QRegularExpressionMatch();
    return ext.hasMatch() ? ext.captured(1) : QString();
}

QString WithDefaultSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    // "tree." already has its dot.
    return path.endsWith(QLatin1Char('.')) ? path + suffix : path + QLatin1Char('.') + suffix;
}

namespace {

// Hands the keyboard back to the window a modal prompt came from once the
// prompt closes. Without a window manager, or with one that lets the focus
// fall to the desktop, nothing would have it, and the 3D view's keys would
// do nothing until the window was clicked.
class ActivateAfterwards {
public:
    explicit ActivateAfterwards(QWidget* parent) : window_(parent ? parent->window() : nullptr) {}
    ~ActivateAfterwards() {
        if (window_ && window_->isVisible()) window_->activateWindow();
    }
    ActivateAfterwards(const ActivateAfterwards&) = delete;
    ActivateAfterwards& operator=(const ActivateAfterwards&) = delete;

private:
    QPointer<QWidget> window_;
};

}  // namespace

void QtUserPrompts::ShowMessage(QWidget* parent, const QString& text) {
    ActivateAfterwards back(parent);
    QMessageBox::warning(parent, QApplication::applicationName(), text);
}

SaveChangesAnswer QtUserPrompts::AskSaveChanges(QWidget* parent, const QString& text) {
    ActivateAfterwards back(parent);
    const auto button = QMessageBox::warning(parent, QApplication::applicationName(), text,
                                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                             QMessageBox::Save);
    if (button == QMessageBox::Save) return SaveChangesAnswer::Save;
    if (button == QMessageBox::Discard) return SaveChangesAnswer::Discard;
    return SaveChangesAnswer::Cancel;
}

QString QtUserPrompts::GetOpenFileName(QWidget* parent, const QString& filter) {
    // QFileDialog::getOpenFileName accepts existing files only.
    ActivateAfterwards back(parent);
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString QtUserPrompts::GetSaveFileName(QWidget* parent, const QString& filter) {
    // The dialog asks before overwriting, and adds the chosen filter's
    // extension to a name typed without one.
    ActivateAfterwards back(parent);
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(DefaultSuffixOf(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& chosen) { dialog.setDefaultSuffix(DefaultSuffixOf(chosen)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    const QString chosen = dialog.selectedFiles().first();
    const QString path = WithDefaultSuffix(chosen, DefaultSuffixOf(dialog.selectedNameFilter()));
    // A desktop's own dialog may leave the extension out; then it has not
    // asked about the file that will really be written either.
    if (path != chosen && QFileInfo::exists(path)) {
        const QString question = QCoreApplication::translate("QtUserPrompts", "%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(QFileInfo(path).fileName()));
        if (QMessageBox::warning(parent, QApplication::applicationName(), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) != QMessageBox::Yes)
            return QString();
    }
    return path;
}

bool QtUserPrompts::GetColor(QWidget* parent, QColor& chosen) {
    // No preset: the chooser does not start from the swatch's colour.
    ActivateAfterwards back(parent);
    const QColor colour = QColorDialog::getColor(Qt::white, parent);
    if (!colour.isValid()) return false;
    chosen = colour;
    return true;
}

int QtUserPrompts::RunDialog(QDialog& dialog) {
    ActivateAfterwards back(dialog.parentWidget());
    return dialog.exec();
}

bool QtUserPrompts::OpenUrl(const QUrl& url) {
    // Qt hands a local file to xdg-open and reports success whether or not
    // xdg-open found a program for it; run it here to hear its answer.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (url.isLocalFile() && !opener.isEmpty()) return OpenLocalFileWith(opener, url.toLocalFile());
    return QDesktopServices::openUrl(url);
}

}  // namespace pw

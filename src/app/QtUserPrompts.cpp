#include "app/QtUserPrompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace pw {

void QtUserPrompts::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QApplication::applicationName(), text);
}

SaveChangesAnswer QtUserPrompts::AskSaveChanges(QWidget* parent, const QString& text) {
    const auto button = QMessageBox::warning(parent, QApplication::applicationName(), text,
                                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                             QMessageBox::Save);
    if (button == QMessageBox::Save) return SaveChangesAnswer::Save;
    if (button == QMessageBox::Discard) return SaveChangesAnswer::Discard;
    return SaveChangesAnswer::Cancel;
}

QString QtUserPrompts::GetOpenFileName(QWidget* parent, const QString& filter) {
    // QFileDialog::getOpenFileName accepts existing files only.
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString QtUserPrompts::GetSaveFileName(QWidget* parent, const QString& filter) {
    // The dialog asks before overwriting unless told otherwise.
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}

bool QtUserPrompts::GetColor(QWidget* parent, QColor& chosen) {
    // No preset: the chooser does not start from the swatch's colour.
    const QColor colour = QColorDialog::getColor(Qt::white, parent);
    if (!colour.isValid()) return false;
    chosen = colour;
    return true;
}

int QtUserPrompts::RunDialog(QDialog& dialog) { return dialog.exec(); }

bool QtUserPrompts::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace pw

#pragma once
#include <QString>

#include "app/UserPrompts.h"

namespace pw {

// The extension a save dialog adds to a name typed without one: that of the
// name filter's pattern, "kpf" for "Popwright File(*.kpf)"; empty when the
// filter names no single extension ("All Files (*)").
QString DefaultSuffixOf(const QString& nameFilter);
// `path` with "." and the suffix added when its file name has no extension.
QString WithDefaultSuffix(const QString& path, const QString& suffix);

// The real prompts: QMessageBox, QFileDialog, QColorDialog, QDialog::exec
// and QDesktopServices.
class QtUserPrompts final : public UserPrompts {
public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& text) override;
    QString GetOpenFileName(QWidget* parent, const QString& filter) override;
    QString GetSaveFileName(QWidget* parent, const QString& filter) override;
    bool GetColor(QWidget* parent, QColor& chosen) override;
    int RunDialog(QDialog& dialog) override;
    bool OpenUrl(const QUrl& url) override;
};

}  // namespace pw

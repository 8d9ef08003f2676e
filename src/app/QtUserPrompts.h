#pragma once
#include "app/UserPrompts.h"

namespace pw {

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

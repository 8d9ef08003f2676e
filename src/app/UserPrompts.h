#pragma once
#include <QString>

class QDialog;
class QColor;
class QUrl;
class QWidget;

namespace pw {

// The answer to the question whether to save a changed card first.
enum class SaveChangesAnswer { Save, Discard, Cancel };

// Everything through which the program asks the user something or hands
// something to the desktop: message boxes, file and colour dialogs, the run
// of its own modal dialogs and the opening of a page in the browser. The
// application owns the real implementation (QtUserPrompts) and passes it by
// reference; widget tests pass a recording fake so that no modal loop ever
// waits for a user.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A message box with an OK button and the exclamation icon.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // Save, Discard or Cancel for `text` (the question).
    virtual SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& text) = 0;
    // An existing file, or an empty string when cancelled. `filter` is in
    // Qt's form, e.g. "Popwright File(*.kpf)".
    virtual QString GetOpenFileName(QWidget* parent, const QString& filter) = 0;
    // A file to write (the dialog asks before overwriting), or empty.
    virtual QString GetSaveFileName(QWidget* parent, const QString& filter) = 0;
    // The colour chooser; false when cancelled.
    virtual bool GetColor(QWidget* parent, QColor& chosen) = 0;
    // Runs a modal dialog and returns its result (QDialog::Accepted or Rejected).
    virtual int RunDialog(QDialog& dialog) = 0;
    // Opens a page or file with the desktop's default handler; false on failure.
    virtual bool OpenUrl(const QUrl& url) = 0;
};

}  // namespace pw

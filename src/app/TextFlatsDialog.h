#pragma once
#include <QDialog>

#include "import/TextFlats.h"

class QCheckBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLineEdit;
class QStatusBar;

namespace pw {

class CKirikoDoc;
class UserPrompts;

// Edit, "Text as Flats...": the line of text, its font (a family and bold),
// the capitals' height, the letter spacing, the depth and where the lower
// left corner goes on the card's front view, in millimetres.
class CTextFlatsDialog : public QDialog {
    Q_OBJECT
public:
    CTextFlatsDialog(double cardWidth, double cardHalf, QWidget* parent = nullptr);
    TextFlatsRequest Request() const;
    double AtX() const;
    double AtZ() const;

private:
    QLineEdit* text_;
    QFontComboBox* font_;
    QCheckBox* bold_;
    QDoubleSpinBox *size_, *spacing_, *depth_, *atX_, *atZ_;
};

// Asks for the text and adds its flats to the window's free-form card as one
// edit; the notes go to the status bar. A text that makes no flats, or flats
// that would leave the sheet, is a message and the card stays as it was.
void AddTextAsFlats(QWidget* parent, CKirikoDoc& doc, UserPrompts& prompts, QStatusBar* status);

}  // namespace pw

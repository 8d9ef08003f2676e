#pragma once
#include <QDialog>

#include "output/ExportFormat.h"
#include "output/PatternFiles.h"
#include "output/PatternOptions.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pw {

struct Sheet;
class UserPrompts;

// "Pattern options", asked after the name of an SVG, PDF or pattern DXF
// file: the real size (cell size, with the finished card's size stated as
// it is typed), the cut order, hairline strokes, perforated folds with
// their dash and gap, the legend, and the paper and tiling of the PDF (the
// page count stated). Options the format cannot carry (its declaration
// says which) are shown but disabled. OK checks the numbers (message and focus on the first bad one,
// the dialog stays open); Options() then holds the choice.
class PatternOptionsDialog : public QDialog {
    Q_OBJECT
public:
    PatternOptionsDialog(const ExportFormat& format, const PatternOptions& initial, const Sheet& sheet,
                         int reverseMode, int rudovozuSizeRatio, UserPrompts& prompts, QWidget* parent = nullptr);
    // The same for a built-in format by its name.
    PatternOptionsDialog(PatternFileType type, const PatternOptions& initial, const Sheet& sheet, int reverseMode,
                         int rudovozuSizeRatio, UserPrompts& prompts, QWidget* parent = nullptr)
        : PatternOptionsDialog(*ExportFormatOfType(type), initial, sheet, reverseMode, rudovozuSizeRatio, prompts,
                               parent) {}

    const PatternOptions& Options() const { return options_; }

    void accept() override;

private:
    void BuildLayout();
    void UpdateEnabled();
    // The finished size and, for the PDF, the page count, from the fields as
    // they stand (the last good cell size while the field holds none).
    void UpdateStatements();
    // Reads the fields into `out`; false (after the message) on a bad one.
    bool ReadFields(PatternOptions& out, bool report);

    const ExportFormat& format_;
    PatternOptions options_;
    const Sheet& sheet_;
    int reverseMode_;
    int ratio_;
    UserPrompts& prompts_;

    QLineEdit* cellSize_ = nullptr;
    QLabel* finishedSize_ = nullptr;
    QComboBox* cutOrder_ = nullptr;
    QCheckBox* hairline_ = nullptr;
    QCheckBox* perforate_ = nullptr;
    QLineEdit* dash_ = nullptr;
    QLineEdit* gap_ = nullptr;
    QCheckBox* legend_ = nullptr;
    QComboBox* paper_ = nullptr;
    QCheckBox* tile_ = nullptr;
    QLabel* pages_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// A length in millimetres within [low, high], typed with a decimal point or
// comma, kept to a micrometre.
bool ParseLengthMm(const QString& text, double low, double high, double& value);

}  // namespace pw

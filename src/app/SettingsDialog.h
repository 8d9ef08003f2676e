#pragma once
#include <QDialog>
#include <cstdint>

#include "model/AppSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace pw {

struct WholeSetting;
class ColorSwatch;
class UserPrompts;

// The modal "Setting" dialog. Its `values` start with the four colours of
// the given settings and zero for everything else; the caller fills the
// eight other values before running it and, after OK, copies all twelve back.
// The dialog itself never writes the settings.
class CSettingsDialog : public QDialog {
    Q_OBJECT
public:
    CSettingsDialog(const AppSettings& settings, UserPrompts& prompts, QWidget* parent = nullptr);

    // What the dialog shows and, after OK, what it read back.
    AppSettings values;

    // Checks the number fields in exchange order; the first bad one gets its
    // message and the focus back, and the dialog stays open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void ValuesIntoControls();
    // Reads one number field; on failure shows the message and refocuses.
    bool ReadRangedField(QLineEdit* edit, const WholeSetting& setting, std::int32_t& out);
    void ChooseColor(std::int32_t& value, ColorSwatch* swatch);
    void OnDefaultSetting();

    UserPrompts& prompts_;
    bool controlsFilled_ = false;

    QLineEdit* printSize_ = nullptr;
    QLineEdit* bmpWidth_ = nullptr;
    QCheckBox* invert_ = nullptr;
    QPushButton* background_ = nullptr;
    QPushButton* verticalFace_ = nullptr;
    QPushButton* horizontalFace_ = nullptr;
    QPushButton* outline_ = nullptr;
    QPushButton* defaultSetting_ = nullptr;
    QCheckBox* sound_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLineEdit* gridHeight_ = nullptr;
    QLineEdit* gridWidth_ = nullptr;
    QCheckBox* displayGrid_ = nullptr;
    QComboBox* language_ = nullptr;
    QLineEdit* cellSize_ = nullptr;
    ColorSwatch* backgroundSwatch_ = nullptr;
    ColorSwatch* verticalFaceSwatch_ = nullptr;
    ColorSwatch* horizontalFaceSwatch_ = nullptr;
    ColorSwatch* outlineSwatch_ = nullptr;
};

// Parses a whole integer as a dialog field holds it: optional blanks around
// an optional sign and decimal digits, within 32 bits.
bool ParseDialogInteger(const QString& text, std::int32_t& value);

// Parses a cell size in millimetres as a dialog field holds it (a decimal
// point or comma), kept to a micrometre: 0, or within the cell size limits.
bool ParseCellSize(const QString& text, double& cellMm);
// The message for a cell size that is not one.
QString CellSizeMessage();

}  // namespace pw

#pragma once
#include <QDialog>
#include <string>

#include "import/GreyImage.h"
#include "import/Mesh.h"
#include "import/ReliefSource.h"
#include "model/DepthMap.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace pw {

class CellGrid;
class CReliefPreview;
class UserPrompts;

// What an insert dialog brings into the card.
enum class ReliefKind { Text, Picture, Model };

// Edit, "Insert Text...", "Insert Picture..." and "Insert Model...": the
// source (a line of text and its font, or a picture or model file), the area
// (first column, width, height), the depth and the option to keep the result
// inside the closed card (ticked at first), with a live front view of the
// card as it will be and a line saying whether it will close inside its
// cover. Until a text or a file is given the view shows the card as it is,
// without a complaint, and OK waits. The dialog never changes the card;
// after OK the caller asks it for the depth map.
class CInsertReliefDialog : public QDialog {
    Q_OBJECT
public:
    CInsertReliefDialog(ReliefKind kind, const CellGrid& grid, UserPrompts& prompts, QWidget* parent = nullptr);

    // The depth map of the fields as they stand, or false with the message.
    bool MakeMap(DepthMap& map, std::string& error);
    bool KeepInside() const;
    CReliefPreview* Preview() const { return preview_; }

public slots:
    // Recomputes the preview from the fields.
    void UpdatePreview();

private:
    void BuildSourceFields(QFormLayout* form);
    void BuildAreaFields(QFormLayout* form);
    void Browse();
    // Nothing typed or chosen yet.
    bool SourceEmpty() const;
    // The card's columns as they are, for the view before anything was given.
    void ShowCardAsItIs();
    ReliefSettings Settings() const;
    // Loads the picture or model file when its name changed since the last load.
    bool LoadSource(std::string& error);

    ReliefKind kind_;
    const CellGrid& grid_;
    UserPrompts& prompts_;

    QLineEdit* text_ = nullptr;
    QFontComboBox* font_ = nullptr;
    QLineEdit* file_ = nullptr;
    QRadioButton* depthMap_ = nullptr;
    QSpinBox* threshold_ = nullptr;
    QComboBox* up_ = nullptr;
    QSpinBox* firstColumn_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QSpinBox* depth_ = nullptr;
    QCheckBox* keepInside_ = nullptr;
    CReliefPreview* preview_ = nullptr;
    QLabel* closing_ = nullptr;
    QPushButton* ok_ = nullptr;

    // The last file read, so typing in the other fields does not read it again.
    std::string loadedFile_;
    std::string loadError_;
    GreyImage picture_;
    Mesh mesh_;
};

}  // namespace pw

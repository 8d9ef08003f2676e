#pragma once
#include <QDialog>
#include <string>

#include "import/FlatSource.h"
#include "import/GreyImage.h"
#include "model/freeform/FreeformCard.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimer;

namespace pw {

class CTracePreview;
class UserPrompts;

// Edit, "Picture as Flats...": a picture file, the threshold (a slider: what
// is darker becomes paper), the speckle size, or a depth map cut into a
// number of levels; the depth, the height and the lower left corner on the
// card in millimetres. The preview traces a smaller copy of the picture
// each time a field changes, so the slider stays smooth on large pictures.
// The dialog never changes the card; after OK the caller asks for the flats.
class CPictureFlatsDialog : public QDialog {
    Q_OBJECT
public:
    CPictureFlatsDialog(const FreeformCard& card, UserPrompts& prompts, QWidget* parent = nullptr);

    // The whole picture traced and placed on the card, or the error.
    FlatsFromSource MakeFlats();
    CTracePreview* Preview() const { return preview_; }

public slots:
    void UpdatePreview();

private:
    void Browse();
    bool LoadPicture(std::string& error);
    void ScheduleTrace();

    UserPrompts& prompts_;
    QLineEdit* file_ = nullptr;
    QSlider* threshold_ = nullptr;
    QLabel* thresholdShown_ = nullptr;
    QSpinBox* speckle_ = nullptr;
    QCheckBox* depthMap_ = nullptr;
    QSpinBox* levels_ = nullptr;
    QDoubleSpinBox* depth_ = nullptr;
    QDoubleSpinBox* size_ = nullptr;
    QDoubleSpinBox* atX_ = nullptr;
    QDoubleSpinBox* atZ_ = nullptr;
    CTracePreview* preview_ = nullptr;
    QLabel* notes_ = nullptr;
    QPushButton* ok_ = nullptr;
    QTimer* retrace_ = nullptr;

    std::string loadedPath_;
    std::string loadError_;
    GreyImage picture_;
    GreyImage previewPicture_;  // the smaller copy the preview traces
    int previewFactor_ = 1;
};

}  // namespace pw

class QStatusBar;

namespace pw {

class CKirikoDoc;

// Runs the dialog for the free-form card of `doc` and adds the traced flats
// as one edit of the card; the notes (speckles dropped, a picture traced
// smaller) go to the status bar. A failure shows its message and leaves the
// card as it was.
void AddPictureFlats(CKirikoDoc& doc, UserPrompts& prompts, QWidget* parent, QStatusBar* status);

}  // namespace pw

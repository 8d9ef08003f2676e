#pragma once
#include <QDialog>

#include "import/ModelFlats.h"

class QDoubleSpinBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QComboBox;

namespace pw {

class CKirikoDoc;
class UserPrompts;

// Edit, "Model as Flats...": a model file, its up axis, the depths it is
// sliced at (found from the model, at most a count of them, or a list in
// millimetres), the height the model is given and where its lower left
// corner goes in the front view. The dialog never changes the card.
class CModelFlatsDialog : public QDialog {
    Q_OBJECT
public:
    CModelFlatsDialog(UserPrompts& prompts, QWidget* parent = nullptr);

    QString File() const;
    // The slicing the fields ask for; false when the depth list is not one.
    bool Slicing(ModelSlicing& how) const;
    double AtX() const;
    double AtZ() const;

private:
    void Browse();

    UserPrompts& prompts_;
    QLineEdit* file_ = nullptr;
    QComboBox* up_ = nullptr;
    QRadioButton* automatic_ = nullptr;
    QSpinBox* count_ = nullptr;
    QLineEdit* depths_ = nullptr;
    QDoubleSpinBox* size_ = nullptr;
    QDoubleSpinBox* atX_ = nullptr;
    QDoubleSpinBox* atZ_ = nullptr;
};

// Asks for a model and adds its flats to the free-form card as one edit;
// a model that cannot be read or sliced shows why and leaves the card as it was.
void AddModelFlats(CKirikoDoc& doc, UserPrompts& prompts, QWidget* parent);

}  // namespace pw

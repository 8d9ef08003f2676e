#pragma once
#include <QDialog>
#include <vector>

#include "model/freeform/FreeformCard.h"

class QDoubleSpinBox;
class QTableWidget;

namespace pw {

class CKirikoDoc;
class UserPrompts;

// Edit, "Drawing as Flats...": the layers found in the drawing with their
// depths (from their labels, or the default), all editable, and the height
// the whole drawing takes on the card (its own size at first) and where its
// lower left corner goes. The dialog never changes the card.
class CDrawingFlatsDialog : public QDialog {
    Q_OBJECT
public:
    CDrawingFlatsDialog(const std::vector<FreeformFlat>& flats, const FreeformCard& card, QWidget* parent = nullptr);
    // The flats with the depths given, placed at the size and position given.
    std::vector<FreeformFlat> PlacedFlats() const;

private:
    std::vector<FreeformFlat> flats_;
    QTableWidget* layers_ = nullptr;
    QDoubleSpinBox* size_ = nullptr;
    QDoubleSpinBox* atX_ = nullptr;
    QDoubleSpinBox* atZ_ = nullptr;
};

// Asks for a drawing, reads it, shows the dialog and appends its flats to
// the free-form card as one edit; a drawing that cannot be read, or a
// cancel, leaves the card as it was (the first with a message).
void BringDrawingAsFlats(CKirikoDoc& doc, UserPrompts& prompts, QWidget* parent);

}  // namespace pw

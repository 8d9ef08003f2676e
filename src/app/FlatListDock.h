#pragma once
#include <QDockWidget>

class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

namespace pw {

class CKirikoDoc;
struct FreeformCard;

// The free-form card's flats as a list the user can move about the window:
// each flat's name (edited in place), depth, hidden and locked marks; the
// selected flat's depth in a field; buttons that move it up and down the
// list, duplicate and delete it. Every change is one doc->EditFreeform, so
// one undo step. For a grid card it is empty and disabled.
class FlatListDock : public QDockWidget {
    Q_OBJECT
public:
    FlatListDock(CKirikoDoc& doc, QWidget* parent = nullptr);

    int SelectedFlat() const { return selected_; }
    QTableWidget* Table() const { return table_; }
    QDoubleSpinBox* DepthField() const { return depth_; }

public slots:
    // Selects the flat by index (-1 none), as the front view does.
    void setSelectedFlat(int index);
    // Shows the document's card as it is now.
    void Refresh();

signals:
    void selectedFlatChanged(int index);
    // The user closed the list with the title bar's button.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum Column { kName, kDepth, kHidden, kLocked, kColumns };
    // Applies `edit` to a copy of the card and hands it to the document when
    // it changed; `select` is the flat selected afterwards.
    template <typename Edit>
    void EditCard(Edit edit, int select);
    void OnItemChanged(int row, int column);
    void OnSelectionChanged();
    void UpdateButtons();

    CKirikoDoc& doc_;
    QTableWidget* table_;
    QDoubleSpinBox* depth_;
    QPushButton *up_, *down_, *duplicate_, *delete_;
    int selected_ = -1;
    bool refreshing_ = false;
};

}  // namespace pw

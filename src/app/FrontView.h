#pragma once
#include <QPointF>
#include <QWidget>
#include <optional>
#include <vector>

#include "edit/FrontHitTest.h"
#include "model/freeform/FreeformCard.h"
#include "model/freeform/PathBounds.h"

namespace pw {

class CKirikoDoc;

enum class FrontTool { Select, Move, Scale, Rotate, Nodes, Rectangle, Ellipse, Polygon, Pen };

// The front view of a free-form card: the sheet's front half to scale with
// its millimetre grid and the floor, the flats shaded by depth, and the
// tools that draw and change them. A gesture is shown as it goes and
// becomes one change of the card when it ends (one CKirikoDoc::EditFreeform
// call, so one undo step), never one per movement of the mouse.
class FrontView : public QWidget {
    Q_OBJECT
public:
    explicit FrontView(CKirikoDoc& doc, QWidget* parent = nullptr);

    FrontTool Tool() const { return tool_; }
    bool Snapping() const { return snapping_; }
    int SelectedFlat() const { return selected_; }
    // The place on the screen of a point of the front view, and back.
    QPointF ToScreen(SheetPoint p) const;
    SheetPoint ToCard(QPointF q) const;
    QSize sizeHint() const override { return {360, 280}; }

public slots:
    // −1 selects nothing.
    void setSelectedFlat(int index);
    void SetTool(FrontTool tool);
    void SetSnapping(bool on);
    // The whole front half in the view.
    void FitCard();
    void DuplicateSelected();
    void DeleteSelected();
    // The card was edited (by this view or elsewhere): draw it anew.
    void CardEdited();
    // The card was replaced: nothing selected, nothing half drawn, fitted anew.
    void CardReplaced();

signals:
    void selectedFlatChanged(int index);
    void toolChanged(FrontTool tool);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Gesture { None, Pan, Box, Move, Scale, Rotate, Node, PenHandle };

    // The card as drawn: the gesture's preview while one goes on.
    const FreeformCard& Shown() const;
    const FreeformCard& Stored() const;
    // Whether the selected flat may be changed (shown, not locked).
    bool SelectionEditable() const;
    // A point placed by the user, snapped unless snapping is off; `skipFlat`
    // is the flat being changed.
    SheetPoint Placed(QPointF pixel, int skipFlat) const;
    double PixelsToMm(double pixels) const { return pixels / scale_; }
    PathBox SelectedBox() const;
    // Which corner handle (0..3, counter-clockwise from lower left) is under
    // the pixel, or -1; and whether the rotate handle is.
    int CornerHandleAt(QPointF pixel) const;
    bool RotateHandleAt(QPointF pixel) const;
    QPointF RotateHandle() const;

    void Commit(FreeformCard card);
    void CommitFlat(const FreeformFlat& flat);
    void AddShape(FrontLoop loop, const QString& base, bool toSelected);
    void Nudge(double dx, double dz);
    void StartGesture(QMouseEvent* event);
    void FollowGesture(QMouseEvent* event);
    void EndGesture();
    void CancelDrafts();
    // The polygon and pen tools' points.
    void AddPolygonPoint(SheetPoint p);
    void FinishPolygon();
    void AddPenNode(SheetPoint p, bool arc);
    void FinishPen();
    void ZoomAbout(QPointF pixel, double factor);

    void PaintGrid(class QPainter& painter) const;
    void PaintFlats(QPainter& painter) const;
    void PaintSelection(QPainter& painter) const;
    void PaintDrafts(QPainter& painter) const;

    CKirikoDoc& doc_;
    FrontTool tool_ = FrontTool::Select;
    bool snapping_ = true;
    int selected_ = -1;

    // Pixels per millimetre, and the pixel of the point x = 0 on the floor.
    double scale_ = 2;
    QPointF origin_;
    bool fitted_ = true;  // follows the widget's size until zoomed or panned

    Gesture gesture_ = Gesture::None;
    QPointF pressPixel_;
    SheetPoint pressPoint_;
    QPointF lastPixel_;
    bool gestureMoved_ = false;
    std::optional<FreeformCard> preview_;
    FreeformFlat grabbed_;  // the selected flat as the gesture found it
    PathBox grabbedBox_;
    int corner_ = 0;
    NodeRef node_;
    int clickPick_ = -1;  // what a click without a drag selects
    SheetPoint boxFrom_, boxTo_;
    bool boxAddsLoop_ = false;  // the shape becomes a further loop of the selected flat
    bool spaceHeld_ = false;

    std::vector<SheetPoint> polygon_;
    std::optional<SheetPath> pen_;
    std::optional<SheetPoint> penHandle_;  // the outgoing control point of the pen's last node
    std::optional<SheetPoint> hover_;
};

}  // namespace pw

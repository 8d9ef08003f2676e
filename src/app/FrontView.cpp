#include "app/FrontView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "app/FrontViewParts.h"
#include "app/KirikoDoc.h"
#include "edit/FlatOperations.h"
#include "edit/FlatShapes.h"
#include "edit/FlatTransforms.h"
#include "edit/FrontSnapping.h"

namespace pw {

using namespace frontview;

namespace {

bool IsTextKey(const QKeyEvent* e) {
    return (e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
}

// The keys that pick a tool.
constexpr std::pair<int, FrontTool> kToolKeys[] = {
    {Qt::Key_V, FrontTool::Select},  {Qt::Key_G, FrontTool::Move},     {Qt::Key_S, FrontTool::Scale},
    {Qt::Key_T, FrontTool::Rotate},  {Qt::Key_N, FrontTool::Nodes},    {Qt::Key_R, FrontTool::Rectangle},
    {Qt::Key_E, FrontTool::Ellipse}, {Qt::Key_P, FrontTool::Polygon}, {Qt::Key_B, FrontTool::Pen}};

std::optional<FrontTool> ToolOfKey(const QKeyEvent* e) {
    if (!IsTextKey(e)) return std::nullopt;
    for (const auto& [key, tool] : kToolKeys)
        if (e->key() == key) return tool;
    return std::nullopt;
}

}  // namespace

FrontView::FrontView(CKirikoDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("frontView"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 120);
}

const FreeformCard& FrontView::Stored() const { return doc_.Document().Freeform(); }

const FreeformCard& FrontView::Shown() const { return preview_ ? *preview_ : Stored(); }

QPointF FrontView::ToScreen(SheetPoint p) const { return {origin_.x() + p.x * scale_, origin_.y() - p.s * scale_}; }

SheetPoint FrontView::ToCard(QPointF q) const { return {(q.x() - origin_.x()) / scale_, (origin_.y() - q.y()) / scale_}; }

bool FrontView::SelectionEditable() const {
    const FreeformCard& card = Stored();
    return selected_ >= 0 && selected_ < static_cast<int>(card.flats.size()) &&
           Pickable(card.flats[static_cast<std::size_t>(selected_)]);
}

SheetPoint FrontView::Placed(QPointF pixel, int skipFlat) const {
    SnapOptions options;
    options.on = snapping_;
    options.distance = PixelsToMm(kGrabPixels);
    options.skipFlat = skipFlat;
    return Snap(Stored(), ToCard(pixel), options);
}

PathBox FrontView::SelectedBox() const { return FlatBox(Shown().flats[static_cast<std::size_t>(selected_)]); }

int FrontView::CornerHandleAt(QPointF pixel) const {
    if (!SelectionEditable()) return -1;
    const PathBox box = SelectedBox();
    for (int corner = 0; corner < 4; ++corner)
        if (PixelDistance(ToScreen(BoxCorner(box, corner)), pixel) <= kGrabPixels) return corner;
    return -1;
}

QPointF FrontView::RotateHandle() const {
    const PathBox box = SelectedBox();
    return ToScreen({(box.x0 + box.x1) / 2, box.s1}) - QPointF(0, kRotateHandlePixels);
}

bool FrontView::RotateHandleAt(QPointF pixel) const {
    return SelectionEditable() && PixelDistance(RotateHandle(), pixel) <= kGrabPixels;
}

void FrontView::setSelectedFlat(int index) {
    if (index < -1 || index >= static_cast<int>(Stored().flats.size())) index = -1;
    if (index == selected_) return;
    selected_ = index;
    update();
    emit selectedFlatChanged(index);
}

void FrontView::SetTool(FrontTool tool) {
    if (tool == tool_) return;
    CancelDrafts();
    tool_ = tool;
    setCursor(tool >= FrontTool::Rectangle ? Qt::CrossCursor : Qt::ArrowCursor);
    update();
    emit toolChanged(tool);
}

void FrontView::SetSnapping(bool on) { snapping_ = on; }

void FrontView::FitCard() {
    const FreeformCard& card = Stored();
    const double margin = 16;
    const double w = std::max(card.width, 1.0), h = std::max(card.half, 1.0);
    scale_ = std::max(0.05, std::min((width() - 2 * margin) / w, (height() - 2 * margin) / h));
    origin_ = {(width() - w * scale_) / 2, (height() + h * scale_) / 2};
    fitted_ = true;
    update();
}

void FrontView::ZoomAbout(QPointF pixel, double factor) {
    const SheetPoint at = ToCard(pixel);
    scale_ = std::clamp(scale_ * factor, 0.05, 400.0);
    origin_ = {pixel.x() - at.x * scale_, pixel.y() + at.s * scale_};
    fitted_ = false;
    update();
}

void FrontView::CardEdited() {
    // A change from elsewhere (an undo in the middle of a drag) ends the
    // drag: its preview was made from the card as it was.
    if (gesture_ != Gesture::Pan && gesture_ != Gesture::Box && gesture_ != Gesture::PenHandle) gesture_ = Gesture::None;
    preview_.reset();
    if (selected_ >= static_cast<int>(Stored().flats.size())) setSelectedFlat(-1);
    update();
}

void FrontView::CardReplaced() {
    CancelDrafts();
    setSelectedFlat(-1);
    FitCard();
}

void FrontView::Commit(FreeformCard card) {
    preview_.reset();
    doc_.EditFreeform(std::move(card));
    update();
}

void FrontView::CommitFlat(const FreeformFlat& flat) {
    FreeformCard card = Stored();
    card.flats[static_cast<std::size_t>(selected_)] = flat;
    Commit(std::move(card));
}

void FrontView::AddShape(FrontLoop loop, const QString& base, bool toSelected) {
    const PathBox box = BoundsOf(loop);
    if (box.x1 - box.x0 < 0.1 || box.s1 - box.s0 < 0.1) return;  // a click, not a shape
    FreeformCard card = Stored();
    if (toSelected && SelectionEditable()) {
        card.flats[static_cast<std::size_t>(selected_)].loops.push_back(std::move(loop));
        Commit(std::move(card));
        return;
    }
    FreeformFlat flat;
    flat.name = NumberedFlatName(card, base.toStdString());
    flat.depth = selected_ >= 0 && selected_ < static_cast<int>(card.flats.size())
                     ? card.flats[static_cast<std::size_t>(selected_)].depth
                     : std::min(kDefaultDepthMm, card.half / 2);
    flat.loops.push_back(std::move(loop));
    card.flats.push_back(std::move(flat));
    const int index = static_cast<int>(card.flats.size()) - 1;
    Commit(std::move(card));
    setSelectedFlat(index);
}

void FrontView::DuplicateSelected() {
    if (!SelectionEditable()) return;
    // The same copy the flat list makes: right after the original, beside it on the sheet.
    FreeformCard card = Stored();
    DuplicateFlat(card, selected_);
    const int index = selected_ + 1;
    Commit(std::move(card));
    setSelectedFlat(index);
}

void FrontView::DeleteSelected() {
    if (!SelectionEditable()) return;
    FreeformCard card = Stored();
    DeleteFlat(card, selected_);
    selected_ = -1;
    Commit(std::move(card));
    emit selectedFlatChanged(-1);
}

void FrontView::Nudge(double dx, double dz) {
    if (!SelectionEditable()) return;
    CommitFlat(Transformed(Stored().flats[static_cast<std::size_t>(selected_)], Affine::Translation(dx, dz)));
}

void FrontView::CancelDrafts() {
    polygon_.clear();
    pen_.reset();
    hover_.reset();
    penHandle_.reset();
    preview_.reset();
    gesture_ = Gesture::None;
    update();
}

bool FrontView::event(QEvent* event) {
    // While the front view has the keyboard, its keys are its own, not the
    // window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int k = key->key();
        const bool own = k == Qt::Key_Delete || k == Qt::Key_Backspace || k == Qt::Key_Left || k == Qt::Key_Right ||
                         k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_Return || k == Qt::Key_Enter ||
                         k == Qt::Key_Escape || k == Qt::Key_Home || k == Qt::Key_Space || k == Qt::Key_PageUp ||
                         k == Qt::Key_PageDown ||
                         (k == Qt::Key_D && key->modifiers() == Qt::ControlModifier) ||
                         ToolOfKey(key).has_value();
        if (own) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void FrontView::mousePressEvent(QMouseEvent* event) {
    if (!doc_.IsFreeform()) return;
    setFocus(Qt::MouseFocusReason);
    if (gesture_ != Gesture::None) return;
    StartGesture(event);
}

void FrontView::mouseMoveEvent(QMouseEvent* event) {
    // Only the polygon and the pen draw a line to the pointer.
    if (!polygon_.empty() || pen_) hover_ = Placed(event->position(), -1);
    if (gesture_ != Gesture::None)
        FollowGesture(event);
    else if (!polygon_.empty() || pen_)
        update();
}

void FrontView::mouseReleaseEvent(QMouseEvent* event) {
    if (gesture_ == Gesture::None) return;
    if (gesture_ == Gesture::Pan ? event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton
                                 : event->button() == Qt::LeftButton)
        EndGesture();
}

void FrontView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (tool_ == FrontTool::Polygon) {
        FinishPolygon();
    } else if (tool_ == FrontTool::Pen) {
        FinishPen();
    } else {
        mousePressEvent(event);
    }
}

void FrontView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) return;
    ZoomAbout(event->position(), std::pow(2.0, steps / 480.0));
    event->accept();
}

void FrontView::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const double step = shift ? 0.1 : 1;
    switch (event->key()) {
        case Qt::Key_Left: Nudge(-step, 0); return;
        case Qt::Key_Right: Nudge(step, 0); return;
        case Qt::Key_Up: Nudge(0, step); return;
        case Qt::Key_Down: Nudge(0, -step); return;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // Nearer (Page Up) or further back, 5 mm or with Shift 1 mm.
            if (SelectionEditable()) {
                FreeformFlat flat = Stored().flats[static_cast<std::size_t>(selected_)];
                const double change = (shift ? 1 : 5) * (event->key() == Qt::Key_PageUp ? 1 : -1);
                flat.depth = std::clamp(flat.depth + change, 0.0, Stored().half);
                CommitFlat(flat);
            }
            return;
        case Qt::Key_Delete:
        case Qt::Key_Backspace: DeleteSelected(); return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (tool_ == FrontTool::Polygon) FinishPolygon();
            if (tool_ == FrontTool::Pen) FinishPen();
            return;
        case Qt::Key_Escape:
            if (gesture_ == Gesture::None && polygon_.empty() && !pen_) setSelectedFlat(-1);
            CancelDrafts();
            return;
        case Qt::Key_Home: FitCard(); return;
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) spaceHeld_ = true;
            return;
        case Qt::Key_D:
            if (event->modifiers() == Qt::ControlModifier) {
                DuplicateSelected();
                return;
            }
            break;
        default: break;
    }
    if (const std::optional<FrontTool> tool = ToolOfKey(event)) {
        SetTool(*tool);
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrontView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) spaceHeld_ = false;
    QWidget::keyReleaseEvent(event);
}

void FrontView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (fitted_) FitCard();
}

}  // namespace pw

#include "app/FrontView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "app/KirikoDoc.h"
#include "edit/FlatShapes.h"
#include "edit/FlatTransforms.h"
#include "edit/FrontSnapping.h"

namespace pw {

namespace {

// How near in pixels the pointer must come to a handle, a node or a
// snapping target.
constexpr double kGrabPixels = 6;
// A press that moves less than this is a click, not a drag.
constexpr double kDragPixels = 3;
// The rotate handle stands this far above the selection's box.
constexpr double kRotateHandlePixels = 22;
// A new flat stands this deep when nothing is selected to take the depth from.
constexpr double kDefaultDepthMm = 30;
// A duplicate lands this far to the right of its original.
constexpr double kDuplicateOffsetMm = 5;

double PixelDistance(QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

PathBox FlatBox(const FreeformFlat& flat) {
    PathBox box;
    bool first = true;
    for (const FrontLoop& loop : flat.loops) {
        const PathBox b = BoundsOf(loop);
        if (first) box = b;
        box = {std::min(box.x0, b.x0), std::min(box.s0, b.s0), std::max(box.x1, b.x1), std::max(box.s1, b.s1)};
        first = false;
    }
    return box;
}

SheetPoint BoxCorner(const PathBox& box, int corner) {
    switch (corner) {
        case 0: return {box.x0, box.s0};
        case 1: return {box.x1, box.s0};
        case 2: return {box.x1, box.s1};
        default: return {box.x0, box.s1};
    }
}

SheetPoint BoxCentre(const PathBox& box) { return {(box.x0 + box.x1) / 2, (box.s0 + box.s1) / 2}; }

// The direction the path leaves its last node in.
std::optional<SheetPoint> EndTangent(const SheetPath& path) {
    if (path.segments.empty()) return std::nullopt;
    const PathSegment& seg = path.segments.back();
    const SheetPoint end = seg.end;
    const SheetPoint before = path.segments.size() > 1 ? path.segments[path.segments.size() - 2].end : path.start;
    SheetPoint t{end.x - before.x, end.s - before.s};
    if (seg.shape == SegmentShape::Cubic) {
        t = {end.x - seg.control2.x, end.s - seg.control2.s};
        if (t.x == 0 && t.s == 0) t = {end.x - seg.control1.x, end.s - seg.control1.s};
    } else if (seg.shape == SegmentShape::Arc) {
        const double sign = seg.sweep < 0 ? -1 : 1;
        t = {-sign * (end.s - seg.centre.s), sign * (end.x - seg.centre.x)};
    }
    const double length = std::hypot(t.x, t.s);
    if (!(length > 0)) return std::nullopt;
    return SheetPoint{t.x / length, t.s / length};
}

// The arc from the path's end to `to` that leaves in the direction the path
// arrived in; a straight line where no circle does.
void TangentArcTo(SheetPath& path, SheetPoint to) {
    const SheetPoint from = path.End();
    const std::optional<SheetPoint> t = EndTangent(path);
    const SheetPoint v{to.x - from.x, to.s - from.s};
    const SheetPoint n = t ? SheetPoint{-t->s, t->x} : SheetPoint{};
    const double across = 2 * (v.x * n.x + v.s * n.s);
    const double length2 = v.x * v.x + v.s * v.s;
    if (!t || std::fabs(across) < 1e-9 * std::sqrt(length2)) {
        path.LineTo(to);
        return;
    }
    const double r = length2 / across;  // signed: positive with the centre on the left
    const SheetPoint c{from.x + n.x * r, from.s + n.s * r};
    const double ux = from.x - c.x, us = from.s - c.s, wx = to.x - c.x, ws = to.s - c.s;
    double sweep = std::atan2(ux * ws - us * wx, ux * wx + us * ws);
    if (r > 0 && sweep < 0) sweep += 2 * M_PI;
    if (r < 0 && sweep > 0) sweep -= 2 * M_PI;
    path.ArcAround(c, sweep);
    path.segments.back().end = to;
}

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
    if (gesture_ == Gesture::None) preview_.reset();
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
    FreeformCard card = Stored();
    FreeformFlat copy = Transformed(card.flats[static_cast<std::size_t>(selected_)],
                                    Affine::Translation(kDuplicateOffsetMm, 0));
    copy.name = NumberedFlatName(card, copy.name.empty() ? tr("Flat").toStdString() : copy.name);
    card.flats.push_back(std::move(copy));
    const int index = static_cast<int>(card.flats.size()) - 1;
    Commit(std::move(card));
    setSelectedFlat(index);
}

void FrontView::DeleteSelected() {
    if (!SelectionEditable()) return;
    FreeformCard card = Stored();
    card.flats.erase(card.flats.begin() + selected_);
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
    penHandle_.reset();
    preview_.reset();
    gesture_ = Gesture::None;
    update();
}

void FrontView::AddPolygonPoint(SheetPoint p) {
    const bool closes = polygon_.size() >= 3 && PixelDistance(ToScreen(p), ToScreen(polygon_.front())) <= kGrabPixels;
    if (closes) {
        FinishPolygon();
        return;
    }
    if (!polygon_.empty() && polygon_.back() == p) return;  // the double click's second press
    polygon_.push_back(p);
    update();
}

void FrontView::FinishPolygon() {
    std::vector<SheetPoint> points;
    points.swap(polygon_);
    if (points.size() >= 3) AddShape(PolygonLoop(points), tr("Polygon"), false);
    update();
}

void FrontView::AddPenNode(SheetPoint p, bool arc) {
    if (!pen_) {
        pen_ = SheetPath(p);
        return;
    }
    if (pen_->End() == p) return;
    if (arc)
        TangentArcTo(*pen_, p);
    else if (penHandle_)
        pen_->CubicTo(*penHandle_, p, p);
    else
        pen_->LineTo(p);
    penHandle_.reset();
}

void FrontView::FinishPen() {
    std::optional<SheetPath> path;
    path.swap(pen_);
    std::optional<SheetPoint> handle;
    handle.swap(penHandle_);
    if (path && !path->segments.empty()) {
        if (path->End() != path->start) {
            if (handle)
                path->CubicTo(*handle, path->start, path->start);
            else
                path->LineTo(path->start);
        }
        path->Close();
        if (SignedArea(*path) < 0) *path = Reversed(*path);
        AddShape(std::move(*path), tr("Shape"), false);
    }
    update();
}

void FrontView::StartGesture(QMouseEvent* event) {
    const QPointF pixel = event->position();
    pressPixel_ = lastPixel_ = pixel;
    gestureMoved_ = false;
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_)) {
        gesture_ = Gesture::Pan;
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const SheetPoint raw = ToCard(pixel);

    switch (tool_) {
        case FrontTool::Rectangle:
        case FrontTool::Ellipse:
            boxFrom_ = boxTo_ = Placed(pixel, -1);
            boxAddsLoop_ = shift && SelectionEditable();
            gesture_ = Gesture::Box;
            return;
        case FrontTool::Polygon: AddPolygonPoint(Placed(pixel, -1)); return;
        case FrontTool::Pen: {
            const SheetPoint p = Placed(pixel, -1);
            if (pen_ && pen_->segments.size() >= 2 && PixelDistance(ToScreen(p), ToScreen(pen_->start)) <= kGrabPixels) {
                FinishPen();
                return;
            }
            AddPenNode(p, event->modifiers() & Qt::AltModifier);
            gesture_ = Gesture::PenHandle;
            update();
            return;
        }
        default: break;
    }

    // The tools that change the selected flat.
    if (tool_ == FrontTool::Select && SelectionEditable()) {
        if (RotateHandleAt(pixel)) {
            gesture_ = Gesture::Rotate;
        } else if (const int corner = CornerHandleAt(pixel); corner >= 0) {
            gesture_ = Gesture::Scale;
            corner_ = corner;
        }
    }
    if (gesture_ == Gesture::None && tool_ == FrontTool::Nodes && SelectionEditable()) {
        node_ = NodeNear(Stored().flats[static_cast<std::size_t>(selected_)], raw, PixelsToMm(kGrabPixels), true);
        if (node_.Valid()) gesture_ = Gesture::Node;
    }
    if (gesture_ == Gesture::None) {
        const bool onSelection = SelectionEditable() && FlatContains(Stored().flats[static_cast<std::size_t>(selected_)], raw);
        const bool keepSelection = tool_ == FrontTool::Move || tool_ == FrontTool::Scale || tool_ == FrontTool::Rotate;
        if (!onSelection && !(keepSelection && SelectionEditable())) setSelectedFlat(FlatAt(Stored(), raw));
        // A drag from inside the selected flat moves it even where another
        // covers it; a plain click there picks the flat in front.
        clickPick_ = onSelection && tool_ == FrontTool::Select ? FlatAt(Stored(), raw) : selected_;
        if (!SelectionEditable()) return;
        switch (tool_) {
            case FrontTool::Scale: {
                // The corner nearest the pointer follows it.
                const PathBox box = SelectedBox();
                corner_ = 0;
                for (int c = 1; c < 4; ++c)
                    if (PixelDistance(ToScreen(BoxCorner(box, c)), pixel) < PixelDistance(ToScreen(BoxCorner(box, corner_)), pixel))
                        corner_ = c;
                gesture_ = Gesture::Scale;
                break;
            }
            case FrontTool::Rotate: gesture_ = Gesture::Rotate; break;
            case FrontTool::Nodes: return;
            default: gesture_ = Gesture::Move; break;
        }
    }
    grabbed_ = Stored().flats[static_cast<std::size_t>(selected_)];
    grabbedBox_ = FlatBox(grabbed_);
    pressPoint_ = raw;
}

void FrontView::FollowGesture(QMouseEvent* event) {
    const QPointF pixel = event->position();
    if (PixelDistance(pixel, pressPixel_) > kDragPixels) gestureMoved_ = true;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    auto showFlat = [this](const FreeformFlat& flat) {
        preview_ = Stored();
        preview_->flats[static_cast<std::size_t>(selected_)] = flat;
    };
    switch (gesture_) {
        case Gesture::Pan:
            origin_ += pixel - lastPixel_;
            fitted_ = false;
            break;
        case Gesture::Box: {
            boxTo_ = Placed(pixel, -1);
            if (event->modifiers() & Qt::ControlModifier) {
                // A square, or a circle.
                const double side = std::max(std::fabs(boxTo_.x - boxFrom_.x), std::fabs(boxTo_.s - boxFrom_.s));
                boxTo_ = {boxFrom_.x + std::copysign(side, boxTo_.x - boxFrom_.x),
                          boxFrom_.s + std::copysign(side, boxTo_.s - boxFrom_.s)};
            }
            break;
        }
        case Gesture::PenHandle: {
            if (!gestureMoved_ || !pen_) break;
            // Dragging from a node makes it smooth: the curve arrives along
            // the mirror of the handle and leaves along the handle.
            const SheetPoint handle = ToCard(pixel);
            const SheetPoint node = pen_->End();
            const SheetPoint mirror{2 * node.x - handle.x, 2 * node.s - handle.s};
            if (!pen_->segments.empty()) {
                PathSegment& last = pen_->segments.back();
                if (last.shape == SegmentShape::Line) {
                    const SheetPoint before = pen_->segments.size() > 1 ? pen_->segments[pen_->segments.size() - 2].end : pen_->start;
                    last.shape = SegmentShape::Cubic;
                    last.control1 = before;
                }
                if (last.shape == SegmentShape::Cubic) last.control2 = mirror;
            }
            penHandle_ = handle;
            break;
        }
        case Gesture::Move: {
            if (!gestureMoved_) break;
            const SheetPoint corner{grabbedBox_.x0, grabbedBox_.s0};
            const SheetPoint raw = ToCard(pixel);
            SnapOptions options;
            options.on = snapping_;
            options.distance = PixelsToMm(kGrabPixels);
            options.skipFlat = selected_;
            const SheetPoint moved = Snap(Stored(), {corner.x + raw.x - pressPoint_.x, corner.s + raw.s - pressPoint_.s}, options);
            showFlat(Transformed(grabbed_, Affine::Translation(moved.x - corner.x, moved.s - corner.s)));
            break;
        }
        case Gesture::Scale: {
            const SheetPoint fixed = BoxCorner(grabbedBox_, (corner_ + 2) % 4);
            const SheetPoint from = BoxCorner(grabbedBox_, corner_);
            const SheetPoint to = Placed(pixel, selected_);
            auto factor = [](double now, double was) {
                const double f = was != 0 ? now / was : 1;
                return std::fabs(f) < 1e-3 ? std::copysign(1e-3, f) : f;
            };
            double sx = factor(to.x - fixed.x, from.x - fixed.x), ss = factor(to.s - fixed.s, from.s - fixed.s);
            if (shift) {
                const double s = std::max(std::fabs(sx), std::fabs(ss));
                sx = std::copysign(s, sx);
                ss = std::copysign(s, ss);
            }
            showFlat(Transformed(grabbed_, Affine::ScaleAbout(fixed, sx, ss)));
            break;
        }
        case Gesture::Rotate: {
            const SheetPoint c = BoxCentre(grabbedBox_);
            const SheetPoint p = ToCard(pixel);
            const SheetPoint from = pressPoint_;
            double angle = std::atan2(p.s - c.s, p.x - c.x) - std::atan2(from.s - c.s, from.x - c.x);
            if (shift) angle = std::round(angle / (M_PI / 12)) * (M_PI / 12);
            showFlat(Transformed(grabbed_, Affine::RotationAbout(c, angle)));
            break;
        }
        case Gesture::Node: {
            FreeformFlat flat = grabbed_;
            FrontLoop& loop = flat.loops[static_cast<std::size_t>(node_.loop)];
            const SheetPoint to = Placed(pixel, selected_);
            if (node_.control == 0)
                MoveNode(loop, node_.node, to);
            else
                MoveControl(loop, node_.node, node_.control, to);
            showFlat(flat);
            break;
        }
        case Gesture::None: break;
    }
    lastPixel_ = pixel;
    update();
}

void FrontView::EndGesture() {
    const Gesture gesture = gesture_;
    gesture_ = Gesture::None;
    switch (gesture) {
        case Gesture::Pan: setCursor(tool_ >= FrontTool::Rectangle ? Qt::CrossCursor : Qt::ArrowCursor); break;
        case Gesture::Box: {
            const FrontLoop loop = tool_ == FrontTool::Rectangle
                                       ? RectangleLoop(boxFrom_, boxTo_)
                                       : EllipseLoop({(boxFrom_.x + boxTo_.x) / 2, (boxFrom_.s + boxTo_.s) / 2},
                                                     (boxTo_.x - boxFrom_.x) / 2, (boxTo_.s - boxFrom_.s) / 2);
            AddShape(loop, tool_ == FrontTool::Rectangle ? tr("Rectangle") : tr("Ellipse"), boxAddsLoop_);
            break;
        }
        case Gesture::Move:
            if (!gestureMoved_) {
                preview_.reset();
                setSelectedFlat(clickPick_);
                update();
                return;
            }
            [[fallthrough]];
        case Gesture::Scale:
        case Gesture::Rotate:
        case Gesture::Node:
            if (gestureMoved_ && preview_) {
                Commit(*preview_);
                return;
            }
            break;
        case Gesture::PenHandle:
        case Gesture::None: break;
    }
    preview_.reset();
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
    hover_ = Placed(event->position(), -1);
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

// The front view's gestures: what a press, a drag and a release of each
// tool do, and the polygon and pen tools' points.
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "app/FrontView.h"
#include "app/FrontViewParts.h"
#include "edit/FlatShapes.h"
#include "edit/FlatTransforms.h"
#include "edit/FrontSnapping.h"

namespace pw {

using namespace frontview;

void FrontView::AddPolygonPoint(SheetPoint p) {
    const bool closes = polygon_.size() >= 3 && PixelDistance(ToScreen(p), ToScreen(polygon_.front())) <= kGrabPixels;
    if (closes) {
        FinishPolygon();
        return;
    }
    if (!polygon_.empty() && polygon_.back() == p) return;  // a second click on the last point adds nothing
    polygon_.push_back(p);
    update();
}

void FrontView::FinishPolygon() {
    std::vector<SheetPoint> points;
    points.swap(polygon_);
    hover_.reset();
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
    hover_.reset();
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

}  // namespace pw

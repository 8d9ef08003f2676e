// How the front view draws: the sheet's front half with its grid and the
// floor, the flats from back to front, the selection's handles and what the
// drawing tools have placed so far.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "app/FrontView.h"
#include "app/KirikoDoc.h"
#include "edit/FlatTransforms.h"

namespace pw {

namespace {

// Grid lines closer than this on the screen would be a grey blur.
constexpr double kMinGridPixels = 4;
constexpr double kHandlePixels = 7;

// Nearer flats are lighter: the paper in front catches more light. The
// shades spread over the card's own depths (at least 20 mm of them), so
// flats a few millimetres apart still differ.
QColor DepthColour(double depth, double nearest, double furthest) {
    const double span = std::max(nearest - furthest, 20.0);
    const double t = std::clamp((depth - furthest) / span, 0.0, 1.0);
    const QColor far(86, 110, 150), near(214, 226, 244);
    return QColor::fromRgbF(far.redF() + t * (near.redF() - far.redF()), far.greenF() + t * (near.greenF() - far.greenF()),
                            far.blueF() + t * (near.blueF() - far.blueF()));
}

QPainterPath ScreenPath(const FrontView& view, const std::vector<FrontLoop>& loops, double tolerance, bool close) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const FrontLoop& loop : loops) {
        const std::vector<SheetPoint> points = FlattenPath(loop, tolerance);
        path.moveTo(view.ToScreen(points.front()));
        for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(view.ToScreen(points[i]));
        if (close && loop.closed) path.closeSubpath();
    }
    return path;
}

}  // namespace

void FrontView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    if (!doc_.IsFreeform()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    PaintGrid(painter);
    PaintFlats(painter);
    PaintSelection(painter);
    PaintDrafts(painter);
}

void FrontView::PaintGrid(QPainter& painter) const {
    const FreeformCard& card = Shown();
    const QRectF sheet(ToScreen({0, card.half}), ToScreen({card.width, 0}));
    painter.fillRect(sheet, Qt::white);
    painter.save();
    painter.setClipRect(sheet);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Only the lines inside the widget: a deep zoom must not draw thousands.
    const SheetPoint topLeft = ToCard({0, 0}), bottomRight = ToCard({double(width()), double(height())});
    const double x0 = std::max(0.0, std::floor(topLeft.x)), x1 = std::min(card.width, std::ceil(bottomRight.x));
    const double z0 = std::max(0.0, std::floor(bottomRight.s)), z1 = std::min(card.half, std::ceil(topLeft.s));
    for (const double step : {1.0, 10.0}) {
        if (step * scale_ < kMinGridPixels) continue;
        painter.setPen(QPen(step == 1 ? QColor(232, 236, 242) : QColor(190, 200, 214), 0));
        for (double x = std::ceil(x0 / step) * step; x <= x1; x += step)
            painter.drawLine(ToScreen({x, z0}), ToScreen({x, z1}));
        for (double z = std::ceil(z0 / step) * step; z <= z1; z += step)
            painter.drawLine(ToScreen({x0, z}), ToScreen({x1, z}));
    }
    painter.restore();
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(sheet);
    // The floor, where every flat stands.
    painter.setPen(QPen(QColor(60, 60, 60), 2.5));
    painter.drawLine(ToScreen({0, 0}), ToScreen({card.width, 0}));
}

void FrontView::PaintFlats(QPainter& painter) const {
    const FreeformCard& card = Shown();
    const double tolerance = PixelsToMm(0.25);
    double nearest = 0, furthest = 0;
    for (std::size_t i = 0; i < card.flats.size(); ++i) {
        nearest = i == 0 ? card.flats[i].depth : std::max(nearest, card.flats[i].depth);
        furthest = i == 0 ? card.flats[i].depth : std::min(furthest, card.flats[i].depth);
    }
    for (const int index : BackToFront(card)) {
        const FreeformFlat& flat = card.flats[static_cast<std::size_t>(index)];
        if (flat.loops.empty()) continue;
        const QPainterPath path = ScreenPath(*this, flat.loops, tolerance, true);
        if (flat.hidden) {
            painter.setPen(QPen(QColor(150, 150, 150, 140), 1, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
        } else {
            const QColor fill = DepthColour(flat.depth, nearest, furthest);
            painter.setPen(QPen(fill.darker(170), 1.2));
            painter.setBrush(fill);
        }
        painter.drawPath(path);
    }
}

void FrontView::PaintSelection(QPainter& painter) const {
    const FreeformCard& card = Shown();
    if (selected_ < 0 || selected_ >= static_cast<int>(card.flats.size())) return;
    const FreeformFlat& flat = card.flats[static_cast<std::size_t>(selected_)];
    if (flat.loops.empty()) return;
    const QColor accent(220, 90, 20);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(accent, 2));
    painter.drawPath(ScreenPath(*this, flat.loops, PixelsToMm(0.25), true));
    if (!Pickable(flat)) return;

    const PathBox box = SelectedBox();
    const QRectF frame(ToScreen({box.x0, box.s1}), ToScreen({box.x1, box.s0}));
    painter.setPen(QPen(accent, 1, Qt::DashLine));
    painter.drawRect(frame);
    if (tool_ == FrontTool::Nodes) {
        painter.setPen(QPen(accent, 1));
        for (const FrontLoop& loop : flat.loops) {
            SheetPoint from = loop.start;
            for (const PathSegment& seg : loop.segments) {
                if (seg.shape == SegmentShape::Cubic) {
                    painter.setBrush(Qt::NoBrush);
                    painter.drawLine(ToScreen(from), ToScreen(seg.control1));
                    painter.drawLine(ToScreen(seg.end), ToScreen(seg.control2));
                    painter.setBrush(Qt::white);
                    painter.drawEllipse(ToScreen(seg.control1), kHandlePixels / 2.5, kHandlePixels / 2.5);
                    painter.drawEllipse(ToScreen(seg.control2), kHandlePixels / 2.5, kHandlePixels / 2.5);
                }
                from = seg.end;
            }
            painter.setBrush(accent);
            for (int n = 0; n < NodeCount(loop); ++n) {
                const QPointF q = ToScreen(NodeAt(loop, n));
                painter.drawRect(QRectF(q.x() - kHandlePixels / 2, q.y() - kHandlePixels / 2, kHandlePixels, kHandlePixels));
            }
        }
        return;
    }
    painter.setPen(QPen(accent, 1));
    painter.setBrush(Qt::white);
    for (const QPointF& q : {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
        painter.drawRect(QRectF(q.x() - kHandlePixels / 2, q.y() - kHandlePixels / 2, kHandlePixels, kHandlePixels));
    if (tool_ == FrontTool::Select) {
        const QPointF handle = RotateHandle();
        painter.drawLine(QPointF(handle.x(), frame.top()), handle);
        painter.drawEllipse(handle, kHandlePixels / 2 + 1, kHandlePixels / 2 + 1);
    }
}

void FrontView::PaintDrafts(QPainter& painter) const {
    const QColor ink(200, 40, 40);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink, 1.5, Qt::DashLine));
    if (gesture_ == Gesture::Box) {
        const QRectF box = QRectF(ToScreen(boxFrom_), ToScreen(boxTo_)).normalized();
        if (tool_ == FrontTool::Rectangle)
            painter.drawRect(box);
        else
            painter.drawEllipse(box);
    }
    if (!polygon_.empty()) {
        QPolygonF line;
        for (const SheetPoint& p : polygon_) line << ToScreen(p);
        if (hover_) line << ToScreen(*hover_);
        painter.drawPolyline(line);
    }
    if (pen_) {
        painter.drawPath(ScreenPath(*this, {*pen_}, PixelsToMm(0.25), false));
        if (hover_ && gesture_ == Gesture::None) painter.drawLine(ToScreen(pen_->End()), ToScreen(*hover_));
        if (penHandle_) {
            painter.setPen(QPen(ink, 1));
            painter.drawLine(ToScreen(pen_->End()), ToScreen(*penHandle_));
            painter.drawEllipse(ToScreen(*penHandle_), 3, 3);
        }
    }
    painter.setPen(QPen(ink, 1));
    painter.setBrush(ink);
    for (const SheetPoint& p : polygon_) painter.drawEllipse(ToScreen(p), 2.5, 2.5);
    if (pen_) painter.drawEllipse(ToScreen(pen_->start), 3, 3);
}

}  // namespace pw

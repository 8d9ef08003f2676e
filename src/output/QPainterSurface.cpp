#include "output/QPainterSurface.h"

#include <QPainter>

namespace pw {

QPainterSurface::QPainterSurface(QPainter& painter, double penScale)
    : painter_(painter),
      penScale_(penScale),
      stockPen_(painter.pen()),
      hadAntialiasing_(painter.testRenderHint(QPainter::Antialiasing)) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

QPainterSurface::~QPainterSurface() {
    painter_.setPen(stockPen_);
    painter_.setRenderHint(QPainter::Antialiasing, hadAntialiasing_);
}

QPen QPainterSurface::ToQPen(const PenSpec& pen, double penScale) {
    const Qt::PenStyle style = pen.style == PenStyle::Dash  ? Qt::DashLine
                               : pen.style == PenStyle::Dot ? Qt::DotLine
                                                            : Qt::SolidLine;
    QPen q(QColor(pen.red, pen.green, pen.blue), pen.width * penScale, style, Qt::FlatCap, Qt::MiterJoin);
    return q;
}

PenHandle QPainterSurface::CreatePen(PenStyle style, int width, int red, int green, int blue) {
    return pens_.Create(PenSpec{style, width, red, green, blue});
}

PenHandle QPainterSurface::SelectPen(PenHandle pen) {
    const PenHandle previous = pens_.Select(pen);
    if (previous != kNoPen) painter_.setPen(pen == kStockPen ? stockPen_ : ToQPen(*pens_.Find(pen), penScale_));
    return previous;
}

void QPainterSurface::MoveTo(int x, int y) { current_ = QPoint(x, y); }

void QPainterSurface::LineTo(int x, int y) {
    const QPoint to(x, y);
    if (to != current_) painter_.drawLine(current_, to);
    current_ = to;
}

}  // namespace pw

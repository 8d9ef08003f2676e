#include "app/TracePreview.h"

#include <QPainter>

namespace pw {

CTracePreview::CTracePreview(QWidget* parent) : QWidget(parent) { setMinimumSize(240, 180); }

void CTracePreview::SetPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void CTracePreview::SetOutlines(const std::vector<FreeformFlat>& flats, int tracedHeight) {
    outlines_ = QPainterPath();
    outlineCount_ = 0;
    tracedHeight_ = tracedHeight > 0 ? tracedHeight : 1;
    // Rows go down on the screen, z up in the traced flats.
    const auto at = [this](SheetPoint p) { return QPointF(p.x, tracedHeight_ - p.s); };
    for (const FreeformFlat& flat : flats)
        for (const FrontLoop& loop : flat.loops) {
            outlines_.moveTo(at(loop.start));
            for (const PathSegment& seg : loop.segments) {
                if (seg.shape == SegmentShape::Cubic)
                    outlines_.cubicTo(at(seg.control1), at(seg.control2), at(seg.end));
                else
                    outlines_.lineTo(at(seg.end));
            }
            outlines_.closeSubpath();
            ++outlineCount_;
        }
    message_.clear();
    update();
}

void CTracePreview::SetMessage(const QString& message) {
    message_ = message;
    outlines_ = QPainterPath();
    outlineCount_ = 0;
    update();
}

void CTracePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (!picture_.isNull()) {
        QSizeF shown = QSizeF(picture_.size()).scaled(QSizeF(size()) * 0.96, Qt::KeepAspectRatio);
        const QRectF box(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
        painter.setOpacity(0.45);
        painter.drawImage(box, picture_);
        painter.setOpacity(1.0);
        painter.setRenderHint(QPainter::Antialiasing);
        const double scale = box.height() / tracedHeight_;
        painter.translate(box.topLeft());
        painter.scale(scale, scale);
        painter.setBrush(QColor(220, 40, 40, 60));
        QPen pen(QColor(200, 0, 0), 1.5);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawPath(outlines_);
        painter.resetTransform();
    }
    if (!message_.isEmpty()) {
        painter.setPen(palette().text().color());
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, message_);
    }
}

}  // namespace pw

#include "output/QPainterCutterPattern.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "output/CutterPattern.h"

namespace pw {

namespace {

// Text is laid out at this pixel size and scaled down to its millimetres,
// since a font's pixel size is a whole number.
constexpr int kTextPixels = 100;

QPen LayerPen(const CutterLayer& layer) {
    QPen pen(QColor(QString::fromLatin1(layer.color)));
    pen.setWidthF(layer.strokeMm);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (!layer.dashMm.empty() && layer.strokeMm > 0) {
        // Qt's dashes are in units of the pen's width and come in pairs.
        QList<qreal> dashes;
        for (double d : layer.dashMm) dashes << d / layer.strokeMm;
        if (dashes.size() % 2 != 0) dashes << dashes;
        pen.setDashPattern(dashes);
    }
    return pen;
}

void DrawLayer(QPainter& painter, const CutterLayer& layer, bool joined) {
    painter.setPen(LayerPen(layer));
    painter.setBrush(Qt::NoBrush);
    for (const MmPath& run : PathsOf(layer, joined)) {
        if (run.points.empty()) continue;
        QPainterPath path(QPointF(run.points.front().x, run.points.front().y));
        const std::size_t count = run.closed ? run.points.size() - 1 : run.points.size();
        for (std::size_t k = 1; k < count; ++k) path.lineTo(run.points[k].x, run.points[k].y);
        if (run.closed) path.closeSubpath();
        painter.drawPath(path);
    }
    // A free-form card's curved runs, flattened as the printer takes them.
    for (const SheetPath& run : layer.paths) {
        const std::vector<SheetPoint> points = FlattenPath(run, kFlatteningToleranceMm);
        if (points.empty()) continue;
        QPainterPath path(QPointF(points.front().x, points.front().s));
        for (std::size_t k = 1; k < points.size(); ++k) path.lineTo(points[k].x, points[k].s);
        if (run.closed) path.closeSubpath();
        painter.drawPath(path);
    }
}

void DrawText(QPainter& painter, const TextMark& text) {
    painter.save();
    painter.translate(text.x, text.y);
    painter.scale(text.sizeMm / kTextPixels, text.sizeMm / kTextPixels);
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(kTextPixels);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, 0), QString::fromStdString(text.text));
    painter.restore();
}

}  // namespace

void DrawCutterPattern(QPainter& painter, const CutterPattern& pattern) {
    painter.save();
    for (const CutterLayer* layer : pattern.LayersInOrder()) DrawLayer(painter, *layer, pattern.joined);
    if (pattern.legend) {
        for (const CutterLayer& sample : pattern.legend->samples) DrawLayer(painter, sample, pattern.joined);
        for (const TextMark& text : pattern.legend->texts) DrawText(painter, text);
    }
    painter.restore();
}

}  // namespace pw

#include "app/ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

#include "model/AppSettings.h"

namespace pw {

QColor ToQColor(std::int32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

std::int32_t FromQColor(const QColor& colour) { return RgbColor(colour.red(), colour.green(), colour.blue()); }

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(36, 18);
}

void ColorSwatch::SetColor(std::int32_t rgb) {
    rgb_ = rgb;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), ToQColor(rgb_));
    }
    QFrame::paintEvent(event);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed();
}

}  // namespace pw

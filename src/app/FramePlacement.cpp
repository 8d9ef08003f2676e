#include "app/FramePlacement.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace pw {

WindowPlacement PlacementOf(const QWidget& window) {
    WindowPlacement p;
    p.flags = 0;
    p.showCmd = window.isMinimized() ? kShowMinimized : window.isMaximized() ? kShowMaximized : kShowNormal;
    p.minX = p.minY = p.maxX = p.maxY = -1;
    QRect normal = window.normalGeometry();
    if (normal.isEmpty()) normal = window.geometry();
    p.left = normal.left();
    p.top = normal.top();
    p.right = normal.left() + normal.width();
    p.bottom = normal.top() + normal.height();
    return p;
}

QRect FitIntoScreens(const QRect& rect, const QList<QRect>& available) {
    if (available.isEmpty() || rect.isEmpty()) return rect;
    QRegion screens;
    for (const QRect& area : available) screens += area;
    if (QRegion(rect).subtracted(screens).isEmpty()) return rect;

    QRect target = available.first();
    qint64 bestOverlap = 0;
    for (const QRect& area : available) {
        const QRect overlap = area.intersected(rect);
        const qint64 size = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
        if (size > bestOverlap) {
            bestOverlap = size;
            target = area;
        }
    }
    QRect fitted(rect.topLeft(), rect.size().boundedTo(target.size()));
    fitted.moveLeft(std::clamp(fitted.left(), target.left(), target.left() + target.width() - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), target.top(), target.top() + target.height() - fitted.height()));
    return fitted;
}

void ApplyPlacement(QWidget& window, const WindowPlacement& placement) {
    const QRect rect(placement.left, placement.top, placement.right - placement.left,
                     placement.bottom - placement.top);
    if (rect.width() <= 0 || rect.height() <= 0) return;
    QList<QRect> available;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) available << primary->availableGeometry();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) available << screen->availableGeometry();
    window.setGeometry(FitIntoScreens(rect, available));
}

}  // namespace pw

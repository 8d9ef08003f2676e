#include "app/FramePlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

void ApplyPlacement(QWidget& window, const WindowPlacement& placement) {
    const QRect rect(placement.left, placement.top, placement.right - placement.left,
                     placement.bottom - placement.top);
    if (rect.width() <= 0 || rect.height() <= 0) return;
    bool onScreen = false;
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(rect)) onScreen = true;
    if (onScreen)
        window.setGeometry(rect);
    else
        window.resize(rect.size());
}

}  // namespace pw

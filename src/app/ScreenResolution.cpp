#include "app/ScreenResolution.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "output/PatternPlacement.h"

namespace pw {

double ScreenResolution::PixelsPerCmX() const { return dpiX * kInchesPerCentimetre; }
double ScreenResolution::PixelsPerCmY() const { return dpiY * kInchesPerCentimetre; }

ScreenResolution ScreenResolutionOf(const QWidget* window) {
    ScreenResolution r;
    if (window) {
        r.dpiX = window->logicalDpiX();
        r.dpiY = window->logicalDpiY();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        r.dpiX = qRound(screen->logicalDotsPerInchX());
        r.dpiY = qRound(screen->logicalDotsPerInchY());
    }
    if (r.dpiX <= 0 || r.dpiY <= 0) r = ScreenResolution{};
    return r;
}

}  // namespace pw

#pragma once

class QWidget;

namespace pw {

// The logical resolution of the screen a window is on, in pixels per inch:
// the reference device of the metafile outputs.
struct ScreenResolution {
    int dpiX = 96;
    int dpiY = 96;

    double PixelsPerCmX() const;
    double PixelsPerCmY() const;
};

// The resolution of the window's screen; the primary screen's without a
// window, 96 by 96 without any screen.
ScreenResolution ScreenResolutionOf(const QWidget* window);

}  // namespace pw

#pragma once
#include "output/LineSurface.h"
#include "output/PenTable.h"

namespace pw {

class RasterImage;

// Draws lines into a RasterImage the way the platform's raster device
// contexts draw them: a pen of width w paints a w by w square around each
// point of the line (the extra pixels above and to the left), dashed pens
// run 18 pixels on and 6 off, dotted pens 3 on and 3 off, the pattern
// starting afresh with every line, and the end point is left out. Pixels
// outside the image are skipped.
class RasterSurface : public LineSurface {
public:
    explicit RasterSurface(RasterImage& image) : image_(image) {}

    using LineSurface::CreatePen;
    PenHandle CreatePen(PenStyle style, int width, int red, int green, int blue) override;
    PenHandle SelectPen(PenHandle pen) override { return pens_.Select(pen); }
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DeletePen(PenHandle pen) override { pens_.Delete(pen); }

private:
    void Stamp(long long x, long long y, const PenSpec& pen);

    RasterImage& image_;
    PenTable pens_;
    int x_ = 0, y_ = 0;
};

}  // namespace pw

#include "output/PatternPlacement.h"

#include "output/UnfoldedPattern.h"

namespace pw {

PatternPlacement ComputePrintPlacement(int logPixelsX, int logPixelsY, int rudovozuSizeRatio, int gridWidth) {
    const double px = logPixelsX * kInchesPerCentimetre;
    const double py = logPixelsY * kInchesPerCentimetre;
    const double r = rudovozuSizeRatio * 0.01;
    PatternPlacement p;
    p.cw = r * (21 * px) / gridWidth;
    p.ch = p.cw * py / px;
    p.ox = (1 - r) * (21 * px) * 0.5;
    p.oy = 29.7 * py * 0.5;
    return p;
}

BitmapPicture ComputeBitmapPicture(int bitmapWidth, int gridWidth, int gridHeight, BitmapKind kind) {
    const int columns = gridWidth + 2;
    const int rows = 2 * gridHeight + (kind == BitmapKind::File ? 4 : 5);
    BitmapPicture b;
    b.width = bitmapWidth;
    b.height = ToDeviceUnits(static_cast<double>(rows) * bitmapWidth / columns);
    const int cell = columns > 0 ? bitmapWidth / columns : 0;
    b.placement = PatternPlacement{static_cast<double>(cell), static_cast<double>(gridHeight + 3) * cell,
                                   static_cast<double>(cell), static_cast<double>(cell)};
    return b;
}

MetafilePicture ComputeMetafilePicture(double pxPerCm, double pyPerCm, int rudovozuSizeRatio, int gridWidth,
                                       int gridHeight) {
    const double r = rudovozuSizeRatio * 0.01;
    const int columns = gridWidth + 2;
    MetafilePicture m;
    m.frameRight = ToDeviceUnits(r * 21 * 1000);
    m.frameBottom = ToDeviceUnits(static_cast<double>(2 * gridHeight + 4) * m.frameRight / columns);
    const double cw = r * (21 * pxPerCm) / columns;
    const double ch = cw * pyPerCm / pxPerCm;
    m.placement = PatternPlacement{cw, (gridHeight + 3) * ch, cw, ch};
    return m;
}

}  // namespace pw

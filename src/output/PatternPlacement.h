#pragma once

namespace pw {

// Where DrawUnfoldedPattern puts the sheet: origin and cell size in the
// surface's own units.
struct PatternPlacement {
    double ox = 0, oy = 0, cw = 0, ch = 0;
};

// Logical pixels per inch to pixels per centimetre.
inline constexpr double kInchesPerCentimetre = 0.39370078740157477;

// The printed page: the W grid columns take rudovozuSizeRatio percent of the
// A4 width (21 cm) and are centred on it, the crease lies at half the A4
// height, cells are square on paper whatever the two resolutions are.
PatternPlacement ComputePrintPlacement(int logPixelsX, int logPixelsY, int rudovozuSizeRatio, int gridWidth);

// The bitmap pictures are W+2 cells across and 2H+4 cells down (the
// clipboard's one cell more), with whole-pixel square cells.
enum class BitmapKind { File, Clipboard };

struct BitmapPicture {
    int width = 0;   // pixels: the requested bitmap width
    int height = 0;  // pixels: trunc(rows * width / (W + 2)), computed in floating point
    PatternPlacement placement;
};

BitmapPicture ComputeBitmapPicture(int bitmapWidth, int gridWidth, int gridHeight, BitmapKind kind = BitmapKind::File);

// The metafile picture: its frame from (0, 0) to (frameRight, frameBottom) in
// hundredths of a millimetre, frameRight = trunc(r * 21 * 1000), and the
// drawing at the reference device's resolution (pixels per centimetre), so the
// frame and the drawing agree in physical size.
struct MetafilePicture {
    int frameRight = 0;
    int frameBottom = 0;
    PatternPlacement placement;
};

MetafilePicture ComputeMetafilePicture(double pxPerCm, double pyPerCm, int rudovozuSizeRatio, int gridWidth,
                                       int gridHeight);

}  // namespace pw

#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "output/PatternPlacement.h"
#include "output/RasterImage.h"

namespace pw {

class CellGrid;
class LineSurface;
struct Sheet;
struct UnfoldedPattern;

// The largest bitmap the image outputs make, in bytes of pixels; a larger
// one counts as a bitmap that cannot be created.
inline constexpr long long kMaxPatternBitmapBytes = 256LL * 1024 * 1024;

// Each takes the card's sheet, or a grid card whose sheet it derives from
// the faces as the last rebuild pass left them.

// The bitmap picture of the pattern: bitmapWidth pixels wide, white, with the
// lines drawn at whole-pixel cells of bitmapWidth div (W + 2). A picture
// whose height truncates to 0 gets one row. Nothing when the width is below
// 1 or the bitmap would exceed kMaxPatternBitmapBytes or memory.
std::optional<RasterImage> RenderPatternBitmap(const Sheet& sheet, int reverseMode, int bitmapWidth,
                                               BitmapKind kind = BitmapKind::File);
std::optional<RasterImage> RenderPatternBitmap(const CellGrid& grid, int reverseMode, int bitmapWidth,
                                               BitmapKind kind = BitmapKind::File);

// The same of a pattern already unfolded (a free-form card's flattened
// one, output/UnfoldedPattern.h FlattenedPattern).
std::optional<RasterImage> RenderPatternBitmap(const UnfoldedPattern& pattern, int reverseMode, int bitmapWidth,
                                               BitmapKind kind = BitmapKind::File);

// The enhanced metafile of the pattern for a reference device of the given
// resolution (pixels per centimetre), ready for a file or the clipboard.
// Empty when the drawing does not fit the format.
std::vector<std::uint8_t> RenderPatternMetafile(const Sheet& sheet, int reverseMode, int rudovozuSizeRatio,
                                                double pxPerCm, double pyPerCm);
std::vector<std::uint8_t> RenderPatternMetafile(const CellGrid& grid, int reverseMode, int rudovozuSizeRatio,
                                                double pxPerCm, double pyPerCm);

std::vector<std::uint8_t> RenderPatternMetafile(const UnfoldedPattern& pattern, int reverseMode,
                                                int rudovozuSizeRatio, double pxPerCm, double pyPerCm);

// The printed page: the print placement for the printer's logical pixels per
// inch, then the pattern (what the view's print step does for its one page).
void DrawPrintedPattern(LineSurface& printer, const Sheet& sheet, int reverseMode, int rudovozuSizeRatio,
                        int logPixelsX, int logPixelsY);
void DrawPrintedPattern(LineSurface& printer, const CellGrid& grid, int reverseMode, int rudovozuSizeRatio,
                        int logPixelsX, int logPixelsY);

}  // namespace pw

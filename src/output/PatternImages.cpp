#include "output/PatternImages.h"

#include "model/GridSheet.h"
#include "output/EmfSurface.h"
#include "output/RasterSurface.h"
#include "output/UnfoldedPattern.h"

namespace pw {

namespace {

// A white bitmap laid out for a pattern of the given grid size, with the
// pattern drawn into it by `draw` at the placement; none when it would be
// empty or too large.
template <typename Draw>
std::optional<RasterImage> PatternBitmap(int bitmapWidth, int gridWidth, int gridHeight, BitmapKind kind, Draw draw) {
    const BitmapPicture picture = ComputeBitmapPicture(bitmapWidth, gridWidth, gridHeight, kind);
    const int height = picture.height < 1 ? 1 : picture.height;
    if (picture.width < 1 || static_cast<long long>(picture.width) * height * 3 > kMaxPatternBitmapBytes)
        return std::nullopt;
    RasterImage image;
    if (!image.Allocate(picture.width, height)) return std::nullopt;
    image.Fill(255, 255, 255);
    RasterSurface surface(image);
    draw(surface, picture.placement);
    return image;
}

}  // namespace

std::optional<RasterImage> RenderPatternBitmap(const Sheet& sheet, int reverseMode, int bitmapWidth,
                                               BitmapKind kind) {
    return PatternBitmap(bitmapWidth, SheetGridWidth(sheet), SheetGridHeight(sheet), kind,
                         [&](RasterSurface& surface, const PatternPlacement& p) {
                             DrawUnfoldedPattern(surface, sheet, reverseMode, p.ox, p.oy, p.cw, p.ch);
                         });
}

std::optional<RasterImage> RenderPatternBitmap(const UnfoldedPattern& pattern, int reverseMode, int bitmapWidth,
                                               BitmapKind kind) {
    return PatternBitmap(bitmapWidth, pattern.gridWidth, pattern.gridHeight, kind,
                         [&](RasterSurface& surface, const PatternPlacement& p) {
                             DrawUnfoldedPattern(surface, pattern, reverseMode, p.ox, p.oy, p.cw, p.ch);
                         });
}

std::optional<RasterImage> RenderPatternBitmap(const CellGrid& grid, int reverseMode, int bitmapWidth,
                                               BitmapKind kind) {
    return RenderPatternBitmap(DeriveGridSheet(grid), reverseMode, bitmapWidth, kind);
}

std::vector<std::uint8_t> RenderPatternMetafile(const Sheet& sheet, int reverseMode, int rudovozuSizeRatio,
                                                double pxPerCm, double pyPerCm) {
    const MetafilePicture picture =
        ComputeMetafilePicture(pxPerCm, pyPerCm, rudovozuSizeRatio, SheetGridWidth(sheet), SheetGridHeight(sheet));
    EmfSurface surface(EmfFrame{0, 0, picture.frameRight, picture.frameBottom}, pxPerCm, pyPerCm);
    const PatternPlacement& p = picture.placement;
    DrawUnfoldedPattern(surface, sheet, reverseMode, p.ox, p.oy, p.cw, p.ch);
    return surface.Finish();
}

std::vector<std::uint8_t> RenderPatternMetafile(const UnfoldedPattern& pattern, int reverseMode,
                                                int rudovozuSizeRatio, double pxPerCm, double pyPerCm) {
    const MetafilePicture picture =
        ComputeMetafilePicture(pxPerCm, pyPerCm, rudovozuSizeRatio, pattern.gridWidth, pattern.gridHeight);
    EmfSurface surface(EmfFrame{0, 0, picture.frameRight, picture.frameBottom}, pxPerCm, pyPerCm);
    const PatternPlacement& p = picture.placement;
    DrawUnfoldedPattern(surface, pattern, reverseMode, p.ox, p.oy, p.cw, p.ch);
    return surface.Finish();
}

std::vector<std::uint8_t> RenderPatternMetafile(const CellGrid& grid, int reverseMode, int rudovozuSizeRatio,
                                                double pxPerCm, double pyPerCm) {
    return RenderPatternMetafile(DeriveGridSheet(grid), reverseMode, rudovozuSizeRatio, pxPerCm, pyPerCm);
}

void DrawPrintedPattern(LineSurface& printer, const Sheet& sheet, int reverseMode, int rudovozuSizeRatio,
                        int logPixelsX, int logPixelsY) {
    const PatternPlacement p =
        ComputePrintPlacement(logPixelsX, logPixelsY, rudovozuSizeRatio, SheetGridWidth(sheet));
    DrawUnfoldedPattern(printer, sheet, reverseMode, p.ox, p.oy, p.cw, p.ch);
}

void DrawPrintedPattern(LineSurface& printer, const CellGrid& grid, int reverseMode, int rudovozuSizeRatio,
                        int logPixelsX, int logPixelsY) {
    DrawPrintedPattern(printer, DeriveGridSheet(grid), reverseMode, rudovozuSizeRatio, logPixelsX, logPixelsY);
}

}  // namespace pw

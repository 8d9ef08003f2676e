#include "model/AppSettings.h"
#include "output/BmpFile.h"
#include "output/ExportFormat.h"
#include "output/PatternImages.h"
#include "output/UnfoldedPattern.h"

namespace pw {

namespace {

bool WriteBmp(const std::string& path, const ExportInput& in, ExportReport&) {
    const auto image =
        in.millimetres ? RenderPatternBitmap(FlattenedPattern(in.sheet), in.settings.print.mirror,
                                             in.settings.bitmap.widthPx, BitmapKind::File)
                       : RenderPatternBitmap(in.sheet, in.settings.print.mirror, in.settings.bitmap.widthPx, BitmapKind::File);
    if (!image) return false;
    const auto info = MakeBitmapInfo(*image);
    return info && WriteBmpFile(path, *info, *image);
}

}  // namespace

// The pattern as a bitmap, rudovozuSizeBMP pixels wide.
const ExportFormat& BmpFormat() {
    static const ExportFormat format{"bmp", "bmp", PW_TRANSLATE_NOOP("FileFilters", "BMP File"), {"bmp"}, false, 0, {}, "",
                                     WriteBmp};
    return format;
}

}  // namespace pw

#pragma once
#include <cstdint>

#include "model/SettingsSchema.h"

namespace pw {

// The user's preferences that outlive a run. Defaults are the values at
// start before anything is loaded; keys and ranges are in SettingsSchema.h.
struct AppSettings {
    int cardWidth = kNewCardWidthSetting.byDefault;
    int cardHeight = kNewCardHeightSetting.byDefault;
    std::int32_t colorBack = kBackgroundColorSetting.byDefault;
    std::int32_t colorPaper0 = kVerticalFaceColorSetting.byDefault;  // vertical faces
    std::int32_t colorPaper1 = kHorizontalFaceColorSetting.byDefault;  // horizontal faces
    std::int32_t colorEdge = kOutlineColorSetting.byDefault;  // outlines
    int soundMode = kSoundSetting.byDefault;
    int reverseMode = kInvertSetting.byDefault;
    int rudovozuSizeRatio = kPrintSizeSetting.byDefault;  // percent of the A4 width
    int rudovozuSizeBMP = kBitmapWidthSetting.byDefault;   // bitmap width in pixels
    std::uint8_t drawGrid = static_cast<std::uint8_t>(kGridDisplaySetting.byDefault);
    double cellSizeMm = kCellSizeSetting.byDefault;  // 0 leaves it to rudovozuSizeRatio
};

}  // namespace pw

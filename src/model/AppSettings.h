#pragma once
#include <cstdint>
#include <string>

#include "model/SettingsSchema.h"

namespace pw {

// The size of a new card, in card columns and cells.
struct NewCardSettings {
    int width = kNewCardWidthSetting.byDefault;
    int height = kNewCardHeightSetting.byDefault;
};

// The 3D view's colours, 0x00BBGGRR.
struct ColorSettings {
    std::int32_t background = kBackgroundColorSetting.byDefault;
    std::int32_t verticalFace = kVerticalFaceColorSetting.byDefault;
    std::int32_t horizontalFace = kHorizontalFaceColorSetting.byDefault;
    std::int32_t outline = kOutlineColorSetting.byDefault;
};

struct SoundSettings {
    int on = kSoundSetting.byDefault;  // nonzero: edits and folds play their sounds
};

// The pattern as printed and as the metafile, SVG, PDF and pattern DXF lay it out.
struct PrintSettings {
    int mirror = kInvertSetting.byDefault;          // nonzero: mirrored left to right
    int sizePercent = kPrintSizeSetting.byDefault;  // the grid's width, percent of the A4 width
    double cellMm = kCellSizeSetting.byDefault;     // a cell's side; 0 leaves it to sizePercent
};

struct BitmapSettings {
    int widthPx = kBitmapWidthSetting.byDefault;
};

struct ViewSettings {
    std::uint8_t gridDisplay = static_cast<std::uint8_t>(kGridDisplaySetting.byDefault);  // faces ruled in cells
    std::int32_t showWelcome = kShowWelcomeSetting.byDefault;  // nonzero: the welcome shows at start
};

// The user's preferences that outlive a run. Defaults are the values at
// start before anything is loaded; keys and ranges are in SettingsSchema.h.
struct AppSettings {
    NewCardSettings newCard;
    ColorSettings colors;
    SoundSettings sound;
    PrintSettings print;
    BitmapSettings bitmap;
    ViewSettings view;
    // The language the desktop program shows: empty for the system's, "en",
    // or a translation's code ("ja"). Read at start.
    std::string language;
};

}  // namespace pw

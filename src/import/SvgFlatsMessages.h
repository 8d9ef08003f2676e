#pragma once
#include "model/TranslatableText.h"

namespace pw::msg {

// What reading a drawing (SVG) as flats reports: errors leave the card as it
// was, notes go with flats that were made.
inline constexpr const char* kSvgUnreadable = PW_TRANSLATE_NOOP("Messages", "The drawing could not be read.");
inline constexpr const char* kSvgNotXml = PW_TRANSLATE_NOOP("Messages", "The drawing is not well-formed SVG.");
inline constexpr const char* kSvgNotSvg = PW_TRANSLATE_NOOP("Messages", "The file is not an SVG drawing.");
inline constexpr const char* kSvgEntities = PW_TRANSLATE_NOOP("Messages",
    "The drawing declares XML entities, which are not expanded: save it again without them.");
inline constexpr const char* kSvgTooManyNodes = PW_TRANSLATE_NOOP("Messages", "The drawing has more than 200,000 path segments.");
inline constexpr const char* kSvgBadValue = PW_TRANSLATE_NOOP("Messages", "The drawing has a value that cannot be read.");
inline constexpr const char* kSvgNoShapes = PW_TRANSLATE_NOOP("Messages", "The drawing has no shapes with an area.");
inline constexpr const char* kSvgTooLarge = PW_TRANSLATE_NOOP("Messages", "The drawing is larger than 64 MB.");
inline constexpr const char* kSvgPixelUnits = PW_TRANSLATE_NOOP("Messages",
    "The drawing gives no size in millimetres, centimetres or inches: its units are taken as pixels at 96 per inch.");
inline constexpr const char* kSvgLeftOut = PW_TRANSLATE_NOOP("Messages",
    "Text, pictures, <use> copies and scripts in the drawing were left out: only shapes and paths become flats.");
inline constexpr const char* kSvgBadDepth = PW_TRANSLATE_NOOP("Messages",
    "A depth in a layer's name was not a number of millimetres above 0: that layer takes the default depth.");
inline constexpr const char* kSvgMerged = PW_TRANSLATE_NOOP("Messages",
    "Shapes that overlap within a layer were joined into one outline.");

}  // namespace pw::msg

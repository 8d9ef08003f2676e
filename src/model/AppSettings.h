#pragma once
#include <cstdint>
#include <string>

namespace pw {

// Colours are 0x00BBGGRR: red in the low byte.
constexpr std::int32_t RgbColor(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// The card sizes the Setting dialog accepts for new cards, in card columns
// and cells. Card files and the command line allow more.
constexpr int kCardWidthLow = 10, kCardWidthHigh = 80;
constexpr int kCardHeightLow = 5, kCardHeightHigh = 40;
// The print size (percent of the A4 width) and the bitmap width (pixels)
// the Setting dialog and popwright-cli accept.
constexpr int kRatioLow = 10, kRatioHigh = 90;
constexpr int kBmpWidthLow = 10, kBmpWidthHigh = 1600;

// The user's preferences that outlive a run. Defaults are the values at
// start before anything is loaded.
struct AppSettings {
    int cardWidth = 16;
    int cardHeight = 8;
    std::int32_t colorBack = RgbColor(179, 179, 255);    // 16757683
    std::int32_t colorPaper0 = RgbColor(219, 221, 204);  // 13426139, vertical faces
    std::int32_t colorPaper1 = RgbColor(245, 248, 255);  // 16775413, horizontal faces
    std::int32_t colorEdge = RgbColor(102, 102, 102);    // 6710886, outlines
    int soundMode = 1;
    int reverseMode = 0;
    int rudovozuSizeRatio = 50;  // percent of the A4 width
    int rudovozuSizeBMP = 400;   // bitmap width in pixels
    std::uint8_t drawGrid = 0;
    // The side of a cell in the SVG, PDF and pattern DXF files and on the
    // printed page, in millimetres; 0 leaves it to rudovozuSizeRatio.
    double cellSizeMm = 0;
    // The language the desktop program shows: empty for the system's, "en",
    // or a translation's code ("ja"). Read at start.
    std::string language;
};

}  // namespace pw

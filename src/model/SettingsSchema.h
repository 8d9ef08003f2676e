#pragma once
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace pw {

struct AppSettings;

// Colours are 0x00BBGGRR: red in the low byte.
constexpr std::int32_t RgbColor(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// Every user preference that outlives a run, described once: the key it is
// stored under, its value before anything is loaded, and the range that the
// Setting dialog and popwright-cli accept when a person types it. The loader,
// the dialog's checks and the command line's option checks all read these.
struct WholeSetting {
    const char* key;
    std::int32_t byDefault;
    std::int32_t low = std::numeric_limits<std::int32_t>::min();
    std::int32_t high = std::numeric_limits<std::int32_t>::max();
    bool Allows(long long value) const { return value >= low && value <= high; }
};

struct DecimalSetting {
    const char* key;
    double byDefault;
    double low, high;  // besides 0, which means "not set"
    int decimals;      // kept and stored to this many places
};

// The size of a new card, in card columns and cells, stored together as
// "W:H". Card files and `popwright-cli new` allow more; a stored size
// outside these is brought into them.
inline constexpr WholeSetting kNewCardWidthSetting{"cardSize", 16, 10, 80};
inline constexpr WholeSetting kNewCardHeightSetting{"cardSize", 8, 5, 40};
inline constexpr WholeSetting kBackgroundColorSetting{"colorBack", RgbColor(179, 179, 255)};      // 16757683
inline constexpr WholeSetting kVerticalFaceColorSetting{"colorPaper0", RgbColor(219, 221, 204)};  // 13426139
inline constexpr WholeSetting kHorizontalFaceColorSetting{"colorPaper1", RgbColor(245, 248, 255)};  // 16775413
inline constexpr WholeSetting kOutlineColorSetting{"colorEdge", RgbColor(102, 102, 102)};         // 6710886
inline constexpr WholeSetting kSoundSetting{"soundMode", 1, 0, 1};
inline constexpr WholeSetting kInvertSetting{"reverseMode", 0, 0, 1};
// The print size (percent of the A4 width) and the bitmap width (pixels).
inline constexpr WholeSetting kPrintSizeSetting{"rudovozuSizeRatio", 50, 10, 90};
inline constexpr WholeSetting kBitmapWidthSetting{"rudovozuSizeBMP", 400, 10, 1600};
// Only the low byte of the stored number counts.
inline constexpr WholeSetting kGridDisplaySetting{"drawGrid", 0, 0, 1};
// Whether the desktop program greets the user with the welcome at start.
inline constexpr WholeSetting kShowWelcomeSetting{"showWelcome", 1, 0, 1};
// The side of a cell in the SVG, PDF and pattern DXF files and on the
// printed page, in millimetres; 0 leaves it to the print size.
inline constexpr DecimalSetting kCellSizeSetting{"cellSizeMm", 0, 0.5, 50, 3};

// The stored text of every whole-number setting (the cell size and the
// window's place are the caller's), in the order earlier versions wrote them.
using StoredTextReader = std::function<std::string(const char* key)>;
using StoredTextWriter = std::function<void(const char* key, const std::string& text)>;

// The card size is taken when both numbers read (and brought into range),
// else it goes back to its default; every other entry keeps its current
// value when its text is absent, empty or no number, and takes any number
// otherwise, as the stored text has always been read.
void ReadWholeSettings(const StoredTextReader& text, AppSettings& settings);
void WriteWholeSettings(const AppSettings& settings, const StoredTextWriter& put);

}  // namespace pw

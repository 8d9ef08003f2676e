#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pw {

class RasterImage;

// What the platform tells about a bitmap object.
struct BitmapDescription {
    int width = 0;
    int height = 0;
    int planes = 1;
    int bitsPerPixel = 24;
};

// The 40-byte info header of a device-independent copy of a bitmap and its
// colour table (room for C entries of blue, green, red, 0).
struct BitmapInfo {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: rows stored bottom-up
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;  // BI_RGB
    std::uint32_t imageSize = 0;    // S, padded row length times rows
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;  // C
    std::uint32_t colorsImportant = 0;
    std::vector<std::uint32_t> colorTable;  // C entries, zero-filled
};

// Rounds planes x bits per pixel up to 1, 4, 8, 16, 24 or 32 bits; below 24
// bits a table of 2^bits colours follows the header. Gives nothing when the
// bitmap cannot be described (no pixels, or a size beyond the format).
std::optional<BitmapInfo> MakeBitmapInfo(const BitmapDescription& bitmap);
std::optional<BitmapInfo> MakeBitmapInfo(const RasterImage& image);

// The complete file: the 14-byte file header, the info header with its colour
// table, then the pixel rows bottom row first, each padded with zero bytes to
// a multiple of 4. Only 24- and 32-bit headers can take the image's pixels;
// other formats, or a header whose size differs from the image, give nothing.
std::optional<std::vector<std::uint8_t>> EncodeBmpFile(const BitmapInfo& info, const RasterImage& image);

// Writes the file at path through a temporary file beside it, so a failure
// leaves an existing file as it was. Returns whether the file was written.
bool WriteBmpFile(const std::string& path, const BitmapInfo& info, const RasterImage& image);

}  // namespace pw

#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pw {

// A picture as the renderers make it: four bytes a pixel, red, green, blue,
// alpha, top row first.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    bool Valid() const {
        return width > 0 && height > 0 && rgba.size() == static_cast<std::size_t>(width) * height * 4;
    }
};

// The picture as PNG bytes (through libpng): RGB when every pixel is opaque,
// RGBA otherwise. Empty when the picture is not valid or libpng fails.
std::vector<std::uint8_t> EncodePng(const RgbaPicture& picture);

// Writes the PNG whole or not at all: a failure leaves an existing file as it was.
bool WritePngFile(const std::string& path, const RgbaPicture& picture);

}  // namespace pw

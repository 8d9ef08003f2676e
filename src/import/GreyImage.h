#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pw {

// A picture reduced to what a relief needs: one lightness per pixel, 0 black
// to 255 white, row 0 at the top. Transparent pixels have been laid over
// white, so they count as background.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height, row by row

    GreyImage() = default;
    GreyImage(int w, int h, std::uint8_t fill = 255)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

    std::uint8_t At(int x, int y) const { return pixels[Index(x, y)]; }
    std::uint8_t& At(int x, int y) { return pixels[Index(x, y)]; }
    bool Empty() const { return width <= 0 || height <= 0; }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    }
};

}  // namespace pw

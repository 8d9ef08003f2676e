#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pw {

// A 24-bit picture kept top row first, three bytes per pixel in the order
// blue, green, red (the order of a device-independent bitmap's pixels).
class RasterImage {
public:
    RasterImage() = default;
    // Needs width and height of at least 1; call Allocate to find out whether
    // the memory was there.
    bool Allocate(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void Fill(int red, int green, int blue);
    void SetPixel(int x, int y, int red, int green, int blue);
    // 0x00RRGGBB
    std::uint32_t Pixel(int x, int y) const;
    const std::uint8_t* Row(int y) const { return &bgr_[static_cast<std::size_t>(y) * width_ * 3]; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bgr_;
};

}  // namespace pw

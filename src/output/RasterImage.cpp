#include "output/RasterImage.h"

#include <new>
#include <stdexcept>

namespace pw {

bool RasterImage::Allocate(int width, int height) {
    width_ = height_ = 0;
    std::vector<std::uint8_t>().swap(bgr_);
    if (width < 1 || height < 1) return false;
    try {
        bgr_.assign(static_cast<std::size_t>(width) * height * 3, 0);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

void RasterImage::Fill(int red, int green, int blue) {
    for (std::size_t i = 0; i + 2 < bgr_.size(); i += 3) {
        bgr_[i] = static_cast<std::uint8_t>(blue);
        bgr_[i + 1] = static_cast<std::uint8_t>(green);
        bgr_[i + 2] = static_cast<std::uint8_t>(red);
    }
}

void RasterImage::SetPixel(int x, int y, int red, int green, int blue) {
    std::uint8_t* p = &bgr_[(static_cast<std::size_t>(y) * width_ + x) * 3];
    p[0] = static_cast<std::uint8_t>(blue);
    p[1] = static_cast<std::uint8_t>(green);
    p[2] = static_cast<std::uint8_t>(red);
}

std::uint32_t RasterImage::Pixel(int x, int y) const {
    const std::uint8_t* p = &bgr_[(static_cast<std::size_t>(y) * width_ + x) * 3];
    return (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
}

}  // namespace pw

#pragma once
#include <cstddef>
#include <string>

#include "import/GreyImage.h"

namespace pw {

// Draws an SVG picture held in memory (plain or gzip-compressed) with
// librsvg, which honours masks, filters and clip paths, `side` pixels on its
// longer side (at most 4096), laid over white, and reduces it to lightness.
// The size comes from the viewBox, else from a width and height in absolute
// units. Nothing outside the bytes is read: with no base file, librsvg
// refuses every reference to another file or address and keeps only the
// data: ones. On failure returns false with the message in `error`.
bool RenderSvgPicture(const void* data, std::size_t size, int side, GreyImage& out, std::string& error);

}  // namespace pw

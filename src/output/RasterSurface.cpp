#include "output/RasterSurface.h"

#include <algorithm>
#include <cstdlib>

#include "output/RasterImage.h"

namespace pw {

namespace {

bool PatternOn(PenStyle style, long long step) {
    switch (style) {
        case PenStyle::Dash: return step % 24 < 18;
        case PenStyle::Dot: return step % 6 < 3;
        case PenStyle::Solid: break;
    }
    return true;
}

// Products of two int-range distances need more than 64 bits; both
// compilers offer a 128-bit integer as an extension.
__extension__ typedef __int128 Wide;

// Rounded quotient of i * d / n for n > 0, halves away from zero; wide
// enough for any pair of int end points.
long long StepOffset(long long i, long long d, long long n) {
    const Wide a = static_cast<Wide>(i) * d;
    const Wide q = a >= 0 ? (2 * a + n) / (2 * static_cast<Wide>(n)) : -((-2 * a + n) / (2 * static_cast<Wide>(n)));
    return static_cast<long long>(q);
}

}  // namespace

PenHandle RasterSurface::CreatePen(PenStyle style, int width, int red, int green, int blue) {
    return pens_.Create(PenSpec{style, std::max(width, 1), red, green, blue});
}

void RasterSurface::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void RasterSurface::Stamp(long long x, long long y, const PenSpec& pen) {
    const int back = pen.width / 2;
    for (int i = 0; i < pen.width; ++i)
        for (int j = 0; j < pen.width; ++j) {
            const long long px = x - back + i, py = y - back + j;
            if (px >= 0 && py >= 0 && px < image_.Width() && py < image_.Height())
                image_.SetPixel(static_cast<int>(px), static_cast<int>(py), pen.red, pen.green, pen.blue);
        }
}

void RasterSurface::LineTo(int x, int y) {
    const PenSpec pen = pens_.Current();
    const long long x0 = x_, y0 = y_;
    const long long dx = static_cast<long long>(x) - x0, dy = static_cast<long long>(y) - y0;
    x_ = x;
    y_ = y;
    const long long n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0) return;

    // Step along the longer axis; only the steps whose pen square can touch
    // the image are visited, so far-away lines cost nothing.
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long start = alongX ? x0 : y0;
    const long long dir = (alongX ? dx : dy) > 0 ? 1 : -1;
    const long long lo = -pen.width, hi = (alongX ? image_.Width() : image_.Height()) + pen.width;
    long long first = 0, last = n - 1;
    if (dir > 0) {
        first = std::max(first, lo - start);
        last = std::min(last, hi - start);
    } else {
        first = std::max(first, start - hi);
        last = std::min(last, start - lo);
    }
    for (long long i = first; i <= last; ++i) {
        if (!PatternOn(pen.style, i)) continue;
        Stamp(x0 + StepOffset(i, dx, n), y0 + StepOffset(i, dy, n), pen);
    }
}

}  // namespace pw

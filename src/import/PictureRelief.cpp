#include "import/PictureRelief.h"

#include <algorithm>
#include <cmath>

namespace pw {

void FitPicture(long long w, long long h, int areaWidth, int areaHeight, int& cellsWide, int& cellsHigh) {
    const double scale = std::min(static_cast<double>(areaWidth) / static_cast<double>(w),
                                  static_cast<double>(areaHeight) / static_cast<double>(h));
    cellsWide = static_cast<int>(std::clamp<long long>(std::llround(static_cast<double>(w) * scale), 1, areaWidth));
    cellsHigh = static_cast<int>(std::clamp<long long>(std::llround(static_cast<double>(h) * scale), 1, areaHeight));
}

namespace {

// The source pixels [first, last) that cell `i` of `cells` covers along an
// axis of `pixels` pixels: a share of at least one pixel.
void Span(long long i, long long cells, long long pixels, long long& first, long long& last) {
    first = i * pixels / cells;
    last = std::max(first + 1, (i + 1) * pixels / cells);
}

}  // namespace

DepthMap PictureDepthMap(const GreyImage& picture, const ReliefArea& area, PictureMode mode, double threshold,
                         int depth) {
    DepthMap map(area.firstColumn, std::max(0, area.width), std::max(0, area.height));
    if (picture.Empty() || map.width == 0 || map.height == 0) return map;
    int wide = 0, high = 0;
    FitPicture(picture.width, picture.height, map.width, map.height, wide, high);
    const int left = (map.width - wide) / 2;
    const double darkLimit = std::clamp(threshold, 0.0, 1.0) * 255.0;
    for (int j = 0; j < high; ++j) {
        long long y0 = 0, y1 = 0;
        Span(j, high, picture.height, y0, y1);
        for (int i = 0; i < wide; ++i) {
            long long x0 = 0, x1 = 0;
            Span(i, wide, picture.width, x0, x1);
            unsigned long long sum = 0;
            for (long long y = y0; y < y1; ++y)
                for (long long x = x0; x < x1; ++x) sum += picture.At(static_cast<int>(x), static_cast<int>(y));
            const double mean = static_cast<double>(sum) / static_cast<double>((y1 - y0) * (x1 - x0));
            int d = 0;
            if (mode == PictureMode::Silhouette)
                d = mean < darkLimit ? depth : 0;
            else
                d = static_cast<int>(std::lround((255.0 - mean) / 255.0 * depth));
            // Picture row 0 is the top of the fitted picture.
            map.At(left + i, high - 1 - j) = d;
        }
    }
    return map;
}

}  // namespace pw

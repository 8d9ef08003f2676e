#include "import/TraceBitmap.h"

#include <algorithm>
#include <numeric>

namespace pw {

namespace {

// A horizontal run of one colour in one row: the unit the patches are joined
// from, so memory follows the outlines' length, not the picture's area.
struct Run {
    int row, x0, x1;  // x1 exclusive
};

int Root(std::vector<int>& parent, int i) {
    while (parent[static_cast<std::size_t>(i)] != i) {
        parent[static_cast<std::size_t>(i)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(i)])];
        i = parent[static_cast<std::size_t>(i)];
    }
    return i;
}

// Flips every patch of `colour` of at most maxPixels pixels; with
// `spareBorder` a patch touching the picture's edge stays.
int FlipSmallPatches(PaperMask& mask, std::uint8_t colour, long long maxPixels, bool eightConnected,
                     bool spareBorder) {
    const int w = mask.width, h = mask.height;
    std::vector<Run> runs;
    std::vector<std::size_t> rowStart(static_cast<std::size_t>(h) + 1, 0);
    for (int y = 0; y < h; ++y) {
        rowStart[static_cast<std::size_t>(y)] = runs.size();
        for (int x = 0; x < w;) {
            if (mask.At(x, y) != (colour != 0)) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < w && mask.At(x, y) == (colour != 0)) ++x;
            runs.push_back({y, x0, x});
        }
    }
    rowStart[static_cast<std::size_t>(h)] = runs.size();

    std::vector<int> parent(runs.size());
    std::iota(parent.begin(), parent.end(), 0);
    const int reach = eightConnected ? 1 : 0;
    for (int y = 1; y < h; ++y) {
        std::size_t above = rowStart[static_cast<std::size_t>(y) - 1];
        const std::size_t aboveEnd = rowStart[static_cast<std::size_t>(y)];
        for (std::size_t i = rowStart[static_cast<std::size_t>(y)]; i < rowStart[static_cast<std::size_t>(y) + 1]; ++i) {
            while (above < aboveEnd && runs[above].x1 + reach <= runs[i].x0) ++above;
            for (std::size_t j = above; j < aboveEnd && runs[j].x0 < runs[i].x1 + reach; ++j) {
                const int a = Root(parent, static_cast<int>(i)), b = Root(parent, static_cast<int>(j));
                if (a != b) parent[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
            }
        }
    }

    std::vector<long long> pixels(runs.size(), 0);
    std::vector<std::uint8_t> border(runs.size(), 0);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto r = static_cast<std::size_t>(Root(parent, static_cast<int>(i)));
        pixels[r] += runs[i].x1 - runs[i].x0;
        if (runs[i].row == 0 || runs[i].row == h - 1 || runs[i].x0 == 0 || runs[i].x1 == w) border[r] = 1;
    }
    int flipped = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto r = static_cast<std::size_t>(Root(parent, static_cast<int>(i)));
        if (pixels[r] > maxPixels || (spareBorder && border[r])) continue;
        if (r == i) ++flipped;
        const std::size_t rowAt = static_cast<std::size_t>(runs[i].row) * static_cast<std::size_t>(w);
        std::fill(mask.paper.begin() + static_cast<std::ptrdiff_t>(rowAt + static_cast<std::size_t>(runs[i].x0)),
                  mask.paper.begin() + static_cast<std::ptrdiff_t>(rowAt + static_cast<std::size_t>(runs[i].x1)),
                  static_cast<std::uint8_t>(colour ? 0 : 1));
    }
    return flipped;
}

}  // namespace

PaperMask PaperBelow(const GreyImage& picture, int below) {
    PaperMask mask{picture.width, picture.height, {}};
    mask.paper.resize(picture.pixels.size());
    std::transform(picture.pixels.begin(), picture.pixels.end(), mask.paper.begin(),
                   [below](std::uint8_t v) { return static_cast<std::uint8_t>(v < below ? 1 : 0); });
    return mask;
}

long long OutlineLength(const PaperMask& mask) {
    long long edges = 0;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            const bool here = mask.At(x, y);
            const bool left = x > 0 && mask.At(x - 1, y);
            const bool up = y > 0 && mask.At(x, y - 1);
            edges += (here != left) + (here != up);
            if (here && x == mask.width - 1) ++edges;
            if (here && y == mask.height - 1) ++edges;
        }
    return edges;
}

int DropSpeckles(PaperMask& mask, long long maxPixels) {
    if (maxPixels <= 0 || mask.width <= 0 || mask.height <= 0) return 0;
    // Paper first: a speck inside a small hole then joins the hole, which
    // the second pass fills, so no new speck is left behind.
    const int specks = FlipSmallPatches(mask, 1, maxPixels, true, false);
    return specks + FlipSmallPatches(mask, 0, maxPixels, false, true);
}

GreyImage ShrunkBy(const GreyImage& picture, int factor) {
    if (factor <= 1) return picture;
    GreyImage out((picture.width + factor - 1) / factor, (picture.height + factor - 1) / factor);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            long long sum = 0, count = 0;
            for (int v = y * factor; v < std::min(picture.height, (y + 1) * factor); ++v)
                for (int u = x * factor; u < std::min(picture.width, (x + 1) * factor); ++u) {
                    sum += picture.At(u, v);
                    ++count;
                }
            out.At(x, y) = static_cast<std::uint8_t>((sum + count / 2) / count);
        }
    return out;
}

std::string PbmOf(const PaperMask& mask) {
    std::string pbm = "P4\n" + std::to_string(mask.width) + " " + std::to_string(mask.height) + "\n";
    const std::size_t header = pbm.size(), rowBytes = (static_cast<std::size_t>(mask.width) + 7) / 8;
    pbm.resize(header + rowBytes * static_cast<std::size_t>(mask.height), '\0');
    for (int y = 0; y < mask.height; ++y) {
        char* row = pbm.data() + header + rowBytes * static_cast<std::size_t>(y);
        for (int x = 0; x < mask.width; ++x)
            if (mask.At(x, y)) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    }
    return pbm;
}

}  // namespace pw

#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "import/GreyImage.h"

namespace pw {

// A picture reduced to paper (1) and background (0), row 0 at the top: what
// the tracer outlines.
struct PaperMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> paper;  // width * height, row by row

    bool At(int x, int y) const {
        return paper[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] != 0;
    }
};

// Pixels whose lightness lies below `below` (0 to 256) are paper.
PaperMask PaperBelow(const GreyImage& picture, int below);

// How many pixel edges part paper from background: the length of every
// outline the tracer would follow, which bounds its time and memory.
long long OutlineLength(const PaperMask& mask);

// Removes patches of at most `maxPixels` pixels: first pieces of paper
// (pixels touching at a corner belong together, as the tracer joins them),
// then holes in the paper (touching at an edge only; background reaching the
// picture's border is never a hole). Returns how many were removed.
int DropSpeckles(PaperMask& mask, long long maxPixels);

// The mask as a binary PBM picture (P4), paper black: what potrace reads.
std::string PbmOf(const PaperMask& mask);

// The picture made `factor` times smaller on each side, each pixel the mean
// of those it covers.
GreyImage ShrunkBy(const GreyImage& picture, int factor);

}  // namespace pw

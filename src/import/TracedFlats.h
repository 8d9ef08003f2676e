#pragma once
#include "import/FlatSource.h"
#include "import/GreyImage.h"

#include <string>

namespace pw {

// How a picture is traced into flats.
struct TraceSettings {
    // Pixels darker than this (0 to 256) are paper.
    int threshold = 128;
    // Patches of paper and holes of at most this many pixels are dropped.
    long long speckPixels = 4;
    // 0: the picture is a silhouette, one depth for all its flats. 2 to
    // kMaxDepthLevels: it is a depth map (black near, white the back sheet,
    // as the grid card's picture relief reads one) cut into this many levels.
    int levels = 0;
    // Millimetres in front of the back sheet: the silhouette's flats, or the
    // nearest level of a depth map.
    double depthMm = 30;
};

inline constexpr int kMaxDepthLevels = 16;
// Larger pictures are traced made smaller by a whole factor (a note says so).
inline constexpr long long kMaxTracedPixels = 25'000'000;
// Longer outlines are traced from a picture halved until they fit: the
// tracer's memory grows with them (some 150 bytes per pixel edge).
inline constexpr long long kMaxTracedOutline = 1'000'000;
// More curve pieces than this are refused: no card is cut from them.
inline constexpr long long kMaxTracedSegments = 200'000;

// The potrace program the picture is traced with, run as a child process
// (Debian's package potrace), and how long it may take for all the levels
// of one picture together.
struct TraceProgram {
    std::string path = "/usr/bin/potrace";
    int seconds = 60;
};

// Traces `picture` with potrace into flats in pixels (one pixel one
// millimetre, z up, the picture's lower left corner at the origin) for the
// caller to place with PlaceFlats. Each connected shape is its own flat
// with its holes, so the card's checks name each one that floats or has no
// top run, and it can be moved, deepened or deleted alone; the paper is the
// same as one flat holding every loop.
FlatsFromSource TraceFlats(const GreyImage& picture, const TraceSettings& settings, const TraceProgram& program = {});

}  // namespace pw

#pragma once
#include <string>

#include "import/FlatSource.h"

namespace pw {

// What `popwright-cli flats` takes for a picture: `--image FILE
// [--threshold N] [--levels N] [--speckle PIXELS]`.
struct ImageFlatsOptions {
    std::string image;
    int threshold = 128;  // 0 to 255: darker pixels are paper
    int levels = 0;       // 2 to 16: the picture is a depth map (black near)
    long long speckPixels = 4;
};

// Takes `name` `value` when it is one of the options above: true when it
// was (with `error` set if its value is wrong), false when it is another's.
bool ReadImageFlatsOption(const std::string& name, const std::string& value, ImageFlatsOptions& options,
                          std::string& error);

// The picture traced into flats at `depthMm` (a depth map's nearest level),
// in the picture's pixels for the command to place with PlaceFlats.
FlatsFromSource ImageFlatsForCli(const ImageFlatsOptions& options, double depthMm);

}  // namespace pw

#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "output/PngFile.h"

namespace pw {

// One picture of an animation and how long it stays, in hundredths of a second.
struct GifFrame {
    RgbaPicture picture;
    int delayCentiseconds = 5;
};

// The frames as an animated GIF (through giflib) that loops for ever. All
// frames must have the first frame's size. The card's pictures have few
// colours, so one exact colour table serves them all; pictures of more than
// 256 colours are mapped to a fixed table of 6 x 7 x 6 colours. Alpha is
// ignored. Empty when the frames are not valid or giflib fails.
std::vector<std::uint8_t> EncodeAnimatedGif(const std::vector<GifFrame>& frames);

// Writes the GIF whole or not at all: a failure leaves an existing file as it was.
bool WriteAnimatedGifFile(const std::string& path, const std::vector<GifFrame>& frames);

}  // namespace pw

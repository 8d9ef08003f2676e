#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "output/PngFile.h"

struct GifFileType;

namespace pw {

// One picture of an animation and how long it stays, in hundredths of a second.
struct GifFrame {
    RgbaPicture picture;
    int delayCentiseconds = 5;
};

// Builds an animated GIF (through giflib) that loops for ever, one frame at
// a time, so that only the compressed file and the frame at hand are held in
// memory. Every frame carries its own colour table: the card's pictures have
// few colours, so a frame's exact colours fit; a frame of more than 256
// colours is mapped to a fixed table of 6 x 7 x 6 colours. Alpha is ignored.
class AnimatedGifWriter {
public:
    // width and height from 1 to 65535.
    AnimatedGifWriter(int width, int height);
    ~AnimatedGifWriter();
    AnimatedGifWriter(const AnimatedGifWriter&) = delete;
    AnimatedGifWriter& operator=(const AnimatedGifWriter&) = delete;

    // False (and the writer failed for good) when the picture is not valid,
    // has another size, or giflib fails.
    bool AddFrame(const RgbaPicture& picture, int delayCentiseconds);
    // The whole file; empty when no frame was added or anything failed.
    std::vector<std::uint8_t> Finish();

private:
    bool Start();
    int width_, height_;
    GifFileType* gif_ = nullptr;
    bool failed_ = false;
    int frames_ = 0;
    std::vector<std::uint8_t> out_;
};

// All frames at once; they must share the first frame's size.
std::vector<std::uint8_t> EncodeAnimatedGif(const std::vector<GifFrame>& frames);

// Writes the GIF whole or not at all: a failure leaves an existing file as it was.
bool WriteGifFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace pw

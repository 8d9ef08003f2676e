#pragma once
#include <string>
#include <vector>

namespace pw {

struct AppSettings;
class CardDocument;

// One picture of an animation: the fold angle and how long it shows, in
// hundredths of a second.
struct FoldFrame {
    double angle = 0;
    int delay = 0;
};

// Pictures of the card drawn by the software renderer at the home camera,
// without the edit cursor, each file written whole or not at all.
// A PNG of the card at `foldAngle` in a client area of width x height.
bool WriteCardPng(CardDocument& doc, const AppSettings& settings, const std::string& path, int width, int height,
                  double foldAngle);
// A GIF of the frames, looping; the geometry is derived once for all of them
// and only one picture is held at a time.
bool WriteCardGif(CardDocument& doc, const AppSettings& settings, const std::string& path, int width, int height,
                  const std::vector<FoldFrame>& frames);
// A three-quarter view of the opened card on a transparent background, its
// larger side `size` pixels, as PNG.
bool WriteCardThumbnail(CardDocument& doc, const AppSettings& settings, const std::string& path, int size);

}  // namespace pw

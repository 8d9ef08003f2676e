#pragma once
#include <string>

#include "import/GreyImage.h"

namespace pw {

// The longest text that becomes relief, in characters.
constexpr int kMaxTextCharacters = 200;

// Renders one line of UTF-8 text in black on white with the system font
// that fontconfig finds for `fontName` (a family such as "DejaVu Serif",
// optionally with fontconfig's style words, e.g. "DejaVu Sans:bold"; empty
// for the default sans-serif face), cropped tightly to the ink. The ink is
// about `inkHeight` pixels high for capitals; a long line is rendered
// smaller so the picture stays within a few million pixels. On failure
// (no font, a text that renders to nothing, a text that is too long) returns
// false with the message in `error`. When fontconfig had no font of the
// family named and drew the text in another, `fontInstead` (if given) is set
// to that family's name; else it is cleared.
bool RenderTextLine(const std::string& utf8, const std::string& fontName, int inkHeight, GreyImage& out,
                    std::string& error, std::string* fontInstead = nullptr);

}  // namespace pw

#pragma once
#include <string>
#include <vector>

#include "import/FlatSource.h"

namespace pw {

// The longest text that becomes flats, in characters: a line several cards
// long, while the union of its letters stays a matter of a second or so.
constexpr int kMaxFlatsTextCharacters = 500;

struct TextFlatsRequest {
    std::string text;  // one line, UTF-8
    // A fontconfig pattern: a family with optional style words, such as
    // "DejaVu Serif" or "Noto Sans CJK JP:bold"; empty for sans-serif.
    std::string font;
    // The height of the capitals in millimetres when the text has letters of
    // a script with capitals (Latin, Greek, Cyrillic); otherwise the font's
    // ascent (for Japanese and Chinese, the em box above the baseline).
    double sizeMm = 20;
    double letterSpacingMm = 0;  // added between characters
    double depthMm = 30;
};

// The outlines of the text's glyphs in millimetres, as the font draws them:
// FreeType's contours, quadratic pieces turned into the same curves as
// cubics, at HarfBuzz's positions, the baseline at z = 0 and the line
// starting at x = 0. Loops keep the font's winding. One entry per drawn
// glyph; glyphs the font lacks are left out and named in `notes`.
struct TextOutlines {
    std::vector<std::vector<FrontLoop>> glyphs;
    std::vector<std::string> notes;
    std::string error;
};
TextOutlines TextGlyphOutlines(const TextFlatsRequest& request);

// The text as one flat that can be paper: the letters, those that touch
// joined into one outline, standing on a baseline run that holds them on
// the floor (marks and strokes apart from their letters stand on stems
// down to it), with a post at each end whose top hangs a roof; roofs that
// would need the paper of a letter above them are left off. Curves stay
// curves wherever the joining left them whole. `notes` say what was added
// and which characters the font lacks.
FlatsFromSource TextFlats(const TextFlatsRequest& request);

}  // namespace pw

#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb.h>

#include <memory>
#include <string>
#include <vector>

namespace pw {

// What a line of text and a font have in common wherever text is set: the
// grid card's relief (TextRaster) and text as free-form flats (TextFlats).

// The code points of UTF-8 text; a malformed byte stands for U+FFFD.
std::vector<char32_t> DecodeUtf8(const std::string& text);

struct FontFile {
    std::string path;
    int index = 0;
    std::string family;     // the family that was matched
    bool replaced = false;  // the family asked for was not the one matched
};

// The font fontconfig matches for `fontName` (a fontconfig pattern such as
// "DejaVu Serif" or "Noto Sans CJK JP:bold"; empty for sans-serif),
// preferring one that has every character of the text.
bool FindFont(const std::string& fontName, const std::vector<char32_t>& text, FontFile& found);

// A FreeType face of its own library, closed with it.
struct OpenedFace {
    std::unique_ptr<FT_LibraryRec_, decltype(&FT_Done_FreeType)> library{nullptr, FT_Done_FreeType};
    std::unique_ptr<FT_FaceRec_, decltype(&FT_Done_Face)> face{nullptr, FT_Done_Face};
};
bool OpenFace(const FontFile& font, OpenedFace& opened);

// One glyph of a shaped line, in the font's scale (26.6 pixels for a font
// made from a sized FreeType face, font units for HarfBuzz's own).
struct ShapedGlyph {
    unsigned glyph = 0;    // 0: the font has none for the character
    unsigned cluster = 0;  // the index of its first character in the text
    long x = 0, y = 0;     // where its origin goes: the pen plus the shaper's offset
    long advance = 0;
};

// Shapes the line with HarfBuzz: kerning, ligatures, joined scripts and
// right-to-left runs in visual order, marks placed on their letters, as the
// font means. Control characters (a tab, a line end) take the room of a
// space. Returns the line's advance.
long ShapeLine(hb_font_t* font, const std::vector<char32_t>& text, std::vector<ShapedGlyph>& glyphs);

}  // namespace pw

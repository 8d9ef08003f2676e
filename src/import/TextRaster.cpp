#include "import/TextRaster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "import/ImportMessages.h"

namespace pw {

namespace {

// The code points of UTF-8 text; a malformed byte stands for U+FFFD.
std::vector<char32_t> DecodeUtf8(const std::string& text) {
    std::vector<char32_t> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F, extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F, extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07, extra = 3;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        bool ok = i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const unsigned char n = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            ok = (n & 0xC0) == 0x80;
            cp = (cp << 6) | (n & 0x3F);
        }
        if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

struct FontFile {
    std::string path;
    int index = 0;
    std::string family;    // the family that was matched
    bool replaced = false; // the family asked for was not the one matched
};

// The names fontconfig maps to whatever font the system prefers for them.
bool IsGenericFamily(const FcChar8* family) {
    for (const char* generic : {"sans-serif", "sans", "serif", "monospace", "mono", "cursive", "fantasy", "system-ui",
                                "emoji", "math"})
        if (FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(generic)) == 0) return true;
    return false;
}

// Family names as fontconfig compares them: without blanks, in any case.
bool SameFamily(const FcChar8* a, const FcChar8* b) {
    const auto next = [](const FcChar8*& p) {
        while (*p == ' ') ++p;
        return static_cast<char>(std::tolower(*p));
    };
    for (;; ++a, ++b) {
        const char x = next(a), y = next(b);
        if (x != y) return false;
        if (x == '\0') return true;
    }
}

// Whether the match is the family the pattern, as the user wrote it, names:
// fontconfig falls back to another font without saying so.
bool FamilyReplaced(FcPattern* asked, FcPattern* match) {
    FcChar8* wanted = nullptr;
    if (FcPatternGetString(asked, FC_FAMILY, 0, &wanted) != FcResultMatch || !wanted || IsGenericFamily(wanted))
        return false;
    FcChar8* family = nullptr;
    for (int k = 0; FcPatternGetString(match, FC_FAMILY, k, &family) == FcResultMatch; ++k)
        if (family && SameFamily(family, wanted)) return false;
    return true;
}

// The font fontconfig matches for the name, preferring one that has every
// character of the text.
bool FindFont(const std::string& fontName, const std::vector<char32_t>& text, FontFile& found) {
    // fontconfig's own current configuration, loaded once per process:
    // loading a configuration of our own would scan the fonts at every text.
    if (!FcInit()) return false;
    const std::string name = fontName.empty() ? "sans-serif" : fontName;
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(
        FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str())), FcPatternDestroy);
    if (!pattern) return false;
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> asked(FcPatternDuplicate(pattern.get()), FcPatternDestroy);
    std::unique_ptr<FcCharSet, decltype(&FcCharSetDestroy)> chars(FcCharSetCreate(), FcCharSetDestroy);
    for (char32_t cp : text)
        if (cp > ' ') FcCharSetAddChar(chars.get(), static_cast<FcChar32>(cp));
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, chars.get());
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> match(FcFontMatch(nullptr, pattern.get(), &result),
                                                                 FcPatternDestroy);
    if (!match) return false;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file) return false;
    found.path = reinterpret_cast<const char*>(file);
    int index = 0;
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) == FcResultMatch) found.index = index;
    FcChar8* family = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &family) == FcResultMatch && family)
        found.family = reinterpret_cast<const char*>(family);
    found.replaced = asked && FamilyReplaced(asked.get(), match.get());
    return true;
}

struct Placed {
    FT_UInt glyph = 0;
    long x = 0;  // pen position in pixels
};

// Pen positions of the glyphs and the line's advance, shaped with HarfBuzz
// at the face's current size: kerning, ligatures, and marks joined to their
// letters (a kana's voicing mark given apart, an accent) as the font means.
long Layout(FT_Face face, const std::vector<char32_t>& text, std::vector<Placed>& placed) {
    placed.clear();
    std::u32string line;
    for (char32_t cp : text) {
        // Control characters (a tab, a line end) take the room of a space.
        if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) cp = ' ';
        line += cp;
    }
    std::unique_ptr<hb_font_t, decltype(&hb_font_destroy)> font(hb_ft_font_create_referenced(face), hb_font_destroy);
    std::unique_ptr<hb_buffer_t, decltype(&hb_buffer_destroy)> buffer(hb_buffer_create(), hb_buffer_destroy);
    hb_buffer_add_utf32(buffer.get(), reinterpret_cast<const std::uint32_t*>(line.data()), static_cast<int>(line.size()),
                        0, static_cast<int>(line.size()));
    hb_buffer_guess_segment_properties(buffer.get());
    hb_shape(font.get(), buffer.get(), nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer.get(), &count);
    const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(buffer.get(), &count);
    long pen = 0;  // 26.6 fixed point, as hb-ft scales the font
    for (unsigned k = 0; k < count; ++k) {
        placed.push_back(Placed{info[k].codepoint, (pen + position[k].x_offset) / 64});
        pen += position[k].x_advance;
    }
    return pen / 64;
}

// Size limits of the rendered line, in pixels.
constexpr long kMaxLineWidth = 16384;
constexpr int kMaxInkHeight = 512;

}  // namespace

bool RenderTextLine(const std::string& utf8, const std::string& fontName, int inkHeight, GreyImage& out,
                    std::string& error, std::string* fontInstead) {
    const std::vector<char32_t> text = DecodeUtf8(utf8);
    if (static_cast<int>(text.size()) > kMaxTextCharacters) {
        error = msg::kTextTooLong;
        return false;
    }
    FontFile font;
    if (!FindFont(fontName, text, font)) {
        error = msg::kFontNotFound;
        return false;
    }
    if (fontInstead) *fontInstead = font.replaced ? font.family : std::string();
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        error = msg::kFontNotFound;
        return false;
    }
    std::unique_ptr<FT_LibraryRec_, decltype(&FT_Done_FreeType)> libraryOwner(library, FT_Done_FreeType);
    FT_Face face = nullptr;
    if (FT_New_Face(library, font.path.c_str(), font.index, &face) != 0) {
        error = msg::kFontNotFound;
        return false;
    }
    std::unique_ptr<FT_FaceRec_, decltype(&FT_Done_Face)> faceOwner(face, FT_Done_Face);

    // Capitals are about 0.7 of the pixel size; a long line is made smaller.
    int pixelSize = std::clamp(inkHeight, 8, kMaxInkHeight) * 10 / 7;
    std::vector<Placed> placed;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        error = msg::kFontNotFound;
        return false;
    }
    long advance = Layout(face, text, placed);
    if (advance > kMaxLineWidth) {
        pixelSize = std::max(4, static_cast<int>(pixelSize * kMaxLineWidth / advance));
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
        advance = Layout(face, text, placed);
    }

    // A canvas with room for every glyph's bitmap, cropped to the ink after.
    const long margin = 2L * pixelSize;
    const long canvasWidth = std::min(advance + 2 * margin, kMaxLineWidth + 4L * kMaxInkHeight);
    const long canvasHeight = 4L * pixelSize;
    const long baseline = 3L * pixelSize;
    GreyImage canvas(static_cast<int>(canvasWidth), static_cast<int>(canvasHeight));
    for (const Placed& p : placed) {
        if (FT_Load_Glyph(face, p.glyph, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const long left = margin + p.x + slot->bitmap_left;
        const long top = baseline - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const long y = top + static_cast<long>(row);
            if (y < 0 || y >= canvasHeight) continue;
            const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const long x = left + static_cast<long>(col);
                if (x < 0 || x >= canvasWidth) continue;
                unsigned coverage = 0;
                if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
                    coverage = line[col] * 255u / std::max(1u, static_cast<unsigned>(bitmap.num_grays - 1));
                else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                    coverage = (line[col / 8] & (0x80u >> (col % 8))) ? 255u : 0u;
                std::uint8_t& pixel = canvas.At(static_cast<int>(x), static_cast<int>(y));
                pixel = static_cast<std::uint8_t>(std::min<unsigned>(pixel, 255u - std::min(255u, coverage)));
            }
        }
    }

    int x0 = INT_MAX, y0 = INT_MAX, x1 = -1, y1 = -1;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if (canvas.At(x, y) < 255) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    if (x1 < 0) {
        error = msg::kTextEmpty;
        return false;
    }
    GreyImage cropped(x1 - x0 + 1, y1 - y0 + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) cropped.At(x - x0, y - y0) = canvas.At(x, y);
    out = std::move(cropped);
    return true;
}

}  // namespace pw

#include "import/FontShaping.h"

#include <fontconfig/fontconfig.h>
#include <hb-ft.h>

#include <cctype>
#include <cstdint>

namespace pw {

namespace {

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

}  // namespace

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

bool OpenFace(const FontFile& font, OpenedFace& opened) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return false;
    opened.library.reset(library);
    FT_Face face = nullptr;
    if (FT_New_Face(library, font.path.c_str(), font.index, &face) != 0) return false;
    opened.face.reset(face);
    return true;
}

long ShapeLine(hb_font_t* font, const std::vector<char32_t>& text, std::vector<ShapedGlyph>& glyphs) {
    glyphs.clear();
    std::u32string line;
    for (char32_t cp : text) {
        if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) cp = ' ';
        line += cp;
    }
    std::unique_ptr<hb_buffer_t, decltype(&hb_buffer_destroy)> buffer(hb_buffer_create(), hb_buffer_destroy);
    hb_buffer_add_utf32(buffer.get(), reinterpret_cast<const std::uint32_t*>(line.data()), static_cast<int>(line.size()),
                        0, static_cast<int>(line.size()));
    hb_buffer_guess_segment_properties(buffer.get());
    hb_shape(font, buffer.get(), nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer.get(), &count);
    const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(buffer.get(), &count);
    long pen = 0;
    for (unsigned k = 0; k < count; ++k) {
        glyphs.push_back(ShapedGlyph{info[k].codepoint, info[k].cluster, pen + position[k].x_offset,
                                     position[k].y_offset, position[k].x_advance});
        pen += position[k].x_advance;
    }
    return pen;
}

}  // namespace pw

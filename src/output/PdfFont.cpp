#include "output/PdfFont.h"

#include <fontconfig/fontconfig.h>
#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pw {
namespace {

// UTF-8 to code points; a broken sequence becomes U+FFFD.
std::u32string CodePoints(const std::string& utf8) {
    std::u32string out;
    for (std::size_t k = 0; k < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[k]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool ok = extra >= 0 && k + static_cast<std::size_t>(extra) < utf8.size();
        for (int i = 1; ok && i <= extra; ++i) {
            const unsigned char n = static_cast<unsigned char>(utf8[k + i]);
            ok = (n & 0xC0) == 0x80;
            cp = (cp << 6) | (n & 0x3F);
        }
        out += ok ? cp : U'\uFFFD';
        k += ok ? 1 + extra : 1;
    }
    return out;
}

std::string Hex4(unsigned v) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", v & 0xFFFF);
    return text;
}

// UTF-16BE in hex, as the ToUnicode map writes a glyph's characters.
std::string Utf16Hex(const std::u32string& text) {
    std::string out;
    for (char32_t cp : text) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += Hex4(0xD800 + (cp >> 10)) + Hex4(0xDC00 + (cp & 0x3FF));
        } else {
            out += Hex4(cp);
        }
    }
    return out;
}

// A PDF name may hold only regular characters.
std::string PdfName(const std::string& text) {
    std::string out;
    for (char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_')
            out += c;
    return out.empty() ? std::string("Font") : out;
}

}  // namespace

bool WinAnsiShows(const std::string& utf8) {
    for (std::size_t k = 0; k < utf8.size(); ++k) {
        const unsigned char c = static_cast<unsigned char>(utf8[k]);
        if (c < 0x80) continue;
        if (c == 0xC3 && k + 1 < utf8.size() && static_cast<unsigned char>(utf8[k + 1]) == 0x97) {
            ++k;
            continue;
        }
        return false;
    }
    return true;
}

struct PdfEmbeddedFont::Faces {
    hb_blob_t* blob = nullptr;
    hb_face_t* face = nullptr;
    hb_font_t* font = nullptr;
    unsigned upem = 1000;
    ~Faces() {
        hb_font_destroy(font);
        hb_face_destroy(face);
        hb_blob_destroy(blob);
    }
};

PdfEmbeddedFont::PdfEmbeddedFont(std::unique_ptr<Faces> faces) : faces_(std::move(faces)) {}
PdfEmbeddedFont::~PdfEmbeddedFont() = default;

std::unique_ptr<PdfEmbeddedFont> PdfEmbeddedFont::For(const std::vector<std::string>& texts) {
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(
        FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=ja")), FcPatternDestroy);
    std::unique_ptr<FcCharSet, decltype(&FcCharSetDestroy)> chars(FcCharSetCreate(), FcCharSetDestroy);
    if (!pattern || !chars) return nullptr;
    std::u32string wanted;
    for (const std::string& t : texts) wanted += CodePoints(t);
    for (char32_t cp : wanted)
        if (cp > ' ') FcCharSetAddChar(chars.get(), static_cast<FcChar32>(cp));
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, chars.get());
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> match(FcFontMatch(nullptr, pattern.get(), &result),
                                                                 FcPatternDestroy);
    FcChar8* file = nullptr;
    FcCharSet* has = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file) return nullptr;
    // The closest font may still lack some of the characters.
    if (FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &has) != FcResultMatch) return nullptr;
    for (char32_t cp : wanted)
        if (cp > ' ' && !FcCharSetHasChar(has, static_cast<FcChar32>(cp))) return nullptr;
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);

    auto faces = std::make_unique<Faces>();
    faces->blob = hb_blob_create_from_file_or_fail(reinterpret_cast<const char*>(file));
    if (!faces->blob) return nullptr;
    faces->face = hb_face_create(faces->blob, static_cast<unsigned>(index));
    // Embedded as TrueType (FontFile2) with glyph numbers as CIDs; fonts
    // with PostScript outlines are left to the fallback.
    hb_blob_t* glyf = hb_face_reference_table(faces->face, HB_TAG('g', 'l', 'y', 'f'));
    const bool trueType = hb_blob_get_length(glyf) > 0;
    hb_blob_destroy(glyf);
    if (!trueType) return nullptr;
    faces->font = hb_font_create(faces->face);
    faces->upem = hb_face_get_upem(faces->face);
    if (faces->upem == 0) return nullptr;
    return std::unique_ptr<PdfEmbeddedFont>(new PdfEmbeddedFont(std::move(faces)));
}

std::string PdfEmbeddedFont::Shown(const std::string& utf8) {
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf8(buffer, utf8.data(), static_cast<int>(utf8.size()), 0, static_cast<int>(utf8.size()));
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(faces_->font, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(buffer, &count);
    const auto thousandths = [this](hb_position_t v) {
        return static_cast<int>(std::lround(v * 1000.0 / faces_->upem));
    };
    std::string out = "[<";
    for (unsigned k = 0; k < count; ++k) {
        const unsigned glyph = info[k].codepoint;
        const int nominal = thousandths(hb_font_get_glyph_h_advance(faces_->font, glyph));
        advances_[glyph] = nominal;
        // The characters of the glyph's cluster, for the first glyph of it.
        const unsigned end = k + 1 < count && info[k + 1].cluster > info[k].cluster
                                 ? info[k + 1].cluster
                                 : static_cast<unsigned>(utf8.size());
        if ((k == 0 || info[k - 1].cluster != info[k].cluster) && !text_.count(glyph))
            text_[glyph] = CodePoints(utf8.substr(info[k].cluster, end > info[k].cluster ? end - info[k].cluster : 0));
        out += Hex4(glyph);
        // Kerning and the like: the shaped advance against the glyph's own.
        const int shaped = thousandths(position[k].x_advance);
        if (shaped != nominal && k + 1 < count) out += "> " + std::to_string(nominal - shaped) + " <";
    }
    hb_buffer_destroy(buffer);
    return out + ">]";
}

std::vector<std::string> PdfEmbeddedFont::Objects(std::size_t first) const {
    auto ref = [first](std::size_t k) { return std::to_string(first + k) + " 0 R"; };

    // The subset keeps the glyph numbers, so that the content's numbers,
    // the widths and the map stay valid and CIDs are glyph numbers.
    std::string fontFile;
    if (hb_subset_input_t* input = hb_subset_input_create_or_fail()) {
        hb_set_t* glyphs = hb_subset_input_glyph_set(input);
        hb_set_add(glyphs, 0);
        for (const auto& [glyph, width] : advances_) hb_set_add(glyphs, glyph);
        hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS);
        if (hb_face_t* subset = hb_subset_or_fail(faces_->face, input)) {
            hb_blob_t* blob = hb_face_reference_blob(subset);
            unsigned length = 0;
            const char* data = hb_blob_get_data(blob, &length);
            fontFile.assign(data, length);
            hb_blob_destroy(blob);
            hb_face_destroy(subset);
        }
        hb_subset_input_destroy(input);
    }
    if (fontFile.empty()) {  // the whole font rather than none
        unsigned length = 0;
        const char* data = hb_blob_get_data(faces_->blob, &length);
        fontFile.assign(data, length);
    }

    char postScript[128] = "";
    unsigned size = sizeof postScript;
    hb_ot_name_get_utf8(faces_->face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &size, postScript);
    // A subset's name starts with six capitals of its own; these follow
    // from the glyphs it holds.
    unsigned long tag = 5381;
    for (const auto& [glyph, width] : advances_) tag = tag * 33 + glyph;
    std::string name;
    for (int k = 0; k < 6; ++k, tag /= 26) name += static_cast<char>('A' + tag % 26);
    name += "+" + PdfName(postScript);

    hb_font_extents_t extents{};
    hb_font_get_h_extents(faces_->font, &extents);
    const auto thousandths = [this](double v) { return std::to_string(std::lround(v * 1000.0 / faces_->upem)); };
    const std::string ascent = thousandths(extents.ascender), descent = thousandths(extents.descender);

    std::string widths;
    for (const auto& [glyph, width] : advances_)
        widths += std::to_string(glyph) + " [" + std::to_string(width) + "] ";

    std::string map =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<std::pair<unsigned, std::u32string>> entries;
    for (const auto& [glyph, chars] : text_)
        if (!chars.empty()) entries.emplace_back(glyph, chars);
    for (std::size_t k = 0; k < entries.size(); k += 100) {
        const std::size_t n = std::min<std::size_t>(100, entries.size() - k);
        map += std::to_string(n) + " beginbfchar\n";
        for (std::size_t i = k; i < k + n; ++i)
            map += "<" + Hex4(entries[i].first) + "> <" + Utf16Hex(entries[i].second) + ">\n";
        map += "endbfchar\n";
    }
    map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";

    return {
        "<< /Type /Font /Subtype /Type0 /BaseFont /" + name + " /Encoding /Identity-H /DescendantFonts [" + ref(1) +
            "] /ToUnicode " + ref(4) + " >>",
        "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
            " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor " + ref(2) +
            " /DW 1000 /W [" + widths + "] /CIDToGIDMap /Identity >>",
        "<< /Type /FontDescriptor /FontName /" + name + " /Flags 4 /FontBBox [0 " + descent + " 1000 " + ascent +
            "] /ItalicAngle 0 /Ascent " + ascent + " /Descent " + descent + " /CapHeight " + ascent +
            " /StemV 80 /FontFile2 " + ref(3) + " >>",
        "<< /Length " + std::to_string(fontFile.size()) + " /Length1 " + std::to_string(fontFile.size()) +
            " >>\nstream\n" + fontFile + "\nendstream",
        "<< /Length " + std::to_string(map.size()) + " >>\nstream\n" + map + "endstream",
    };
}

}  // namespace pw

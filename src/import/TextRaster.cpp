#include "import/TextRaster.h"

#include <hb-ft.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "import/FontShaping.h"
#include "import/ImportMessages.h"

namespace pw {

namespace {

struct Placed {
    FT_UInt glyph = 0;
    long x = 0;  // pen position in pixels
};

// Pen positions of the glyphs and the line's advance, shaped at the face's
// current size (hb-ft scales the font in 26.6 fixed point).
long Layout(FT_Face face, const std::vector<char32_t>& text, std::vector<Placed>& placed) {
    placed.clear();
    std::unique_ptr<hb_font_t, decltype(&hb_font_destroy)> font(hb_ft_font_create_referenced(face), hb_font_destroy);
    std::vector<ShapedGlyph> shaped;
    const long pen = ShapeLine(font.get(), text, shaped);
    for (const ShapedGlyph& g : shaped) placed.push_back(Placed{g.glyph, g.x / 64});
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
    OpenedFace opened;
    if (!OpenFace(font, opened)) {
        error = msg::kFontNotFound;
        return false;
    }
    FT_Face face = opened.face.get();

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

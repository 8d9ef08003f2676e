#include "output/PngFile.h"

#include <png.h>

#include <csetjmp>
#include <new>

#include "output/SafeFileWriter.h"

namespace pw {

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    try {
        out->insert(out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        png_error(png, "out of memory");
    }
}

void NoFlush(png_structp) {}

bool AllOpaque(const RgbaPicture& p) {
    for (std::size_t i = 3; i < p.rgba.size(); i += 4)
        if (p.rgba[i] != 255) return false;
    return true;
}

// libpng reports errors by jumping back here; nothing with a destructor is
// created between the jump's target and libpng's calls.
bool Encode(const RgbaPicture& picture, bool opaque, std::vector<std::uint8_t>& out, std::vector<png_bytep>& rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const RgbaPicture& picture) {
    std::vector<std::uint8_t> out;
    if (!picture.Valid()) return out;
    const bool opaque = AllOpaque(picture);
    std::vector<std::uint8_t> rgb;
    std::vector<png_bytep> rows(static_cast<std::size_t>(picture.height));
    const std::size_t w = static_cast<std::size_t>(picture.width);
    if (opaque) {
        rgb.resize(w * picture.height * 3);
        for (std::size_t i = 0, j = 0; i < picture.rgba.size(); i += 4, j += 3) {
            rgb[j] = picture.rgba[i];
            rgb[j + 1] = picture.rgba[i + 1];
            rgb[j + 2] = picture.rgba[i + 2];
        }
    }
    // libpng reads the rows through non-const pointers but never writes them.
    auto* base = opaque ? rgb.data() : const_cast<std::uint8_t*>(picture.rgba.data());
    for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = base + y * w * (opaque ? 3 : 4);
    if (!Encode(picture, opaque, out, rows)) out.clear();
    return out;
}

bool WritePngFile(const std::string& path, const RgbaPicture& picture) {
    const std::vector<std::uint8_t> bytes = EncodePng(picture);
    return !bytes.empty() && WriteFileReplacing(path, bytes);
}

}  // namespace pw

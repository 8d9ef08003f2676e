#include "output/GifAnimation.h"

#include <gif_lib.h>

#include <algorithm>
#include <new>
#include <unordered_map>

#include "output/SafeFileWriter.h"

namespace pw {

namespace {

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    try {
        out->insert(out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        return 0;  // giflib sees a short write and fails
    }
    return length;
}

std::uint32_t RgbAt(const RgbaPicture& p, std::size_t pixel) {
    const std::uint8_t* c = &p.rgba[pixel * 4];
    return static_cast<std::uint32_t>(c[0]) << 16 | static_cast<std::uint32_t>(c[1]) << 8 | c[2];
}

// The colour table: the exact colours when they fit, else a fixed cube.
struct Palette {
    std::vector<std::uint32_t> colors;
    std::unordered_map<std::uint32_t, GifPixelType> index;
    bool exact = true;

    GifPixelType IndexOf(std::uint32_t rgb) const {
        if (exact) return index.at(rgb);
        // The nearest level of each channel.
        const int r = (((rgb >> 16) & 0xFF) * 5 + 127) / 255, g = (((rgb >> 8) & 0xFF) * 6 + 127) / 255,
                  b = ((rgb & 0xFF) * 5 + 127) / 255;
        return static_cast<GifPixelType>((r * 7 + g) * 6 + b);
    }
};

Palette MakePalette(const std::vector<GifFrame>& frames) {
    Palette p;
    for (const GifFrame& f : frames) {
        const std::size_t n = static_cast<std::size_t>(f.picture.width) * f.picture.height;
        std::uint32_t last = 0xFFFFFFFFu;
        for (std::size_t i = 0; i < n && p.exact; ++i) {
            const std::uint32_t rgb = RgbAt(f.picture, i);
            if (rgb == last) continue;
            last = rgb;
            if (p.index.count(rgb)) continue;
            if (p.colors.size() == 256) {
                p.exact = false;
                break;
            }
            p.index.emplace(rgb, static_cast<GifPixelType>(p.colors.size()));
            p.colors.push_back(rgb);
        }
    }
    if (!p.exact) {
        p.index.clear();
        p.colors.clear();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int b = 0; b < 6; ++b)
                    p.colors.push_back(static_cast<std::uint32_t>(r * 255 / 5) << 16 |
                                       static_cast<std::uint32_t>(g * 255 / 6) << 8 |
                                       static_cast<std::uint32_t>(b * 255 / 5));
    }
    return p;
}

bool Valid(const std::vector<GifFrame>& frames) {
    if (frames.empty()) return false;
    const int w = frames[0].picture.width, h = frames[0].picture.height;
    if (w > 65535 || h > 65535) return false;
    for (const GifFrame& f : frames)
        if (!f.picture.Valid() || f.picture.width != w || f.picture.height != h || f.delayCentiseconds < 0 ||
            f.delayCentiseconds > 65535)
            return false;
    return true;
}

bool Encode(GifFileType* gif, const std::vector<GifFrame>& frames, const Palette& palette) {
    const int w = frames[0].picture.width, h = frames[0].picture.height;
    int size = 2;
    while (size < static_cast<int>(palette.colors.size())) size *= 2;
    ColorMapObject* map = GifMakeMapObject(size, nullptr);
    if (!map) return false;
    for (int i = 0; i < size; ++i) {
        const std::uint32_t c = i < static_cast<int>(palette.colors.size()) ? palette.colors[static_cast<std::size_t>(i)] : 0;
        map->Colors[i].Red = static_cast<GifByteType>(c >> 16);
        map->Colors[i].Green = static_cast<GifByteType>(c >> 8);
        map->Colors[i].Blue = static_cast<GifByteType>(c);
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    // The application extension that makes viewers loop for ever.
    GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    GifByteType loopForever[] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof netscape, netscape) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof loopForever, loopForever) == GIF_OK &&
         EGifPutExtensionTrailer(gif) == GIF_OK;

    std::vector<GifPixelType> line(static_cast<std::size_t>(w));
    for (const GifFrame& f : frames) {
        if (!ok) break;
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.UserInputFlag = false;
        gcb.DelayTime = f.delayCentiseconds;
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof ext, ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < h; ++y) {
            const std::size_t row = static_cast<std::size_t>(y) * w;
            for (int x = 0; x < w; ++x) line[static_cast<std::size_t>(x)] = palette.IndexOf(RgbAt(f.picture, row + x));
            ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
        }
    }
    return ok;
}

}  // namespace

std::vector<std::uint8_t> EncodeAnimatedGif(const std::vector<GifFrame>& frames) {
    std::vector<std::uint8_t> out;
    if (!Valid(frames)) return out;
    const Palette palette = MakePalette(frames);
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendBytes, &error);
    if (!gif) return {};
    const bool ok = Encode(gif, frames, palette);
    // Closing writes the trailer and frees the writer whatever happened.
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    if (!ok || !closed) out.clear();
    return out;
}

bool WriteAnimatedGifFile(const std::string& path, const std::vector<GifFrame>& frames) {
    const std::vector<std::uint8_t> bytes = EncodeAnimatedGif(frames);
    return !bytes.empty() && WriteFileReplacing(path, bytes);
}

}  // namespace pw

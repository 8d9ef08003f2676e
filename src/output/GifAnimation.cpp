#include "output/GifAnimation.h"

#include <gif_lib.h>

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

// A frame's colour table: its exact colours when they fit, else a fixed cube.
struct Palette {
    std::vector<std::uint32_t> colors;
    std::unordered_map<std::uint32_t, GifPixelType> index;
    bool exact = true;

    explicit Palette(const RgbaPicture& picture) {
        const std::size_t n = static_cast<std::size_t>(picture.width) * picture.height;
        std::uint32_t last = 0xFFFFFFFFu;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t rgb = RgbAt(picture, i);
            if (rgb == last || index.count(rgb)) {
                last = rgb;
                continue;
            }
            last = rgb;
            if (colors.size() == 256) {
                exact = false;
                break;
            }
            index.emplace(rgb, static_cast<GifPixelType>(colors.size()));
            colors.push_back(rgb);
        }
        if (exact) return;
        index.clear();
        colors.clear();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int b = 0; b < 6; ++b)
                    colors.push_back(static_cast<std::uint32_t>(r * 255 / 5) << 16 |
                                     static_cast<std::uint32_t>(g * 255 / 6) << 8 |
                                     static_cast<std::uint32_t>(b * 255 / 5));
    }

    GifPixelType IndexOf(std::uint32_t rgb) const {
        if (exact) return index.at(rgb);
        // The nearest level of each channel.
        const int r = (((rgb >> 16) & 0xFF) * 5 + 127) / 255, g = (((rgb >> 8) & 0xFF) * 6 + 127) / 255,
                  b = ((rgb & 0xFF) * 5 + 127) / 255;
        return static_cast<GifPixelType>((r * 7 + g) * 6 + b);
    }

    // giflib's table, its size a power of two.
    ColorMapObject* MakeMap() const {
        int size = 2;
        while (size < static_cast<int>(colors.size())) size *= 2;
        ColorMapObject* map = GifMakeMapObject(size, nullptr);
        if (!map) return nullptr;
        for (int i = 0; i < size; ++i) {
            const std::uint32_t c = i < static_cast<int>(colors.size()) ? colors[static_cast<std::size_t>(i)] : 0;
            map->Colors[i].Red = static_cast<GifByteType>(c >> 16);
            map->Colors[i].Green = static_cast<GifByteType>(c >> 8);
            map->Colors[i].Blue = static_cast<GifByteType>(c);
        }
        return map;
    }
};

}  // namespace

AnimatedGifWriter::AnimatedGifWriter(int width, int height) : width_(width), height_(height) {
    failed_ = width < 1 || height < 1 || width > 65535 || height > 65535;
}

AnimatedGifWriter::~AnimatedGifWriter() {
    if (gif_) {
        int error = 0;
        EGifCloseFile(gif_, &error);
    }
}

bool AnimatedGifWriter::Start() {
    int error = 0;
    gif_ = EGifOpen(&out_, AppendBytes, &error);
    if (!gif_) return false;
    EGifSetGifVersion(gif_, true);
    // No global colour table: each frame brings its own.
    if (EGifPutScreenDesc(gif_, width_, height_, 8, 0, nullptr) != GIF_OK) return false;
    // The application extension that makes viewers loop for ever.
    GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    GifByteType loopForever[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif_, sizeof netscape, netscape) == GIF_OK &&
           EGifPutExtensionBlock(gif_, sizeof loopForever, loopForever) == GIF_OK &&
           EGifPutExtensionTrailer(gif_) == GIF_OK;
}

bool AnimatedGifWriter::AddFrame(const RgbaPicture& picture, int delayCentiseconds) {
    if (failed_ || !picture.Valid() || picture.width != width_ || picture.height != height_ ||
        delayCentiseconds < 0 || delayCentiseconds > 65535) {
        failed_ = true;
        return false;
    }
    if (!gif_ && !Start()) {
        failed_ = true;
        return false;
    }
    const Palette palette(picture);
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.UserInputFlag = false;
    gcb.DelayTime = delayCentiseconds;
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    ColorMapObject* map = palette.MakeMap();
    bool ok = map && EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, sizeof ext, ext) == GIF_OK &&
              EGifPutImageDesc(gif_, 0, 0, width_, height_, false, map) == GIF_OK;
    GifFreeMapObject(map);
    std::vector<GifPixelType> line(static_cast<std::size_t>(width_));
    for (int y = 0; ok && y < height_; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * width_;
        for (int x = 0; x < width_; ++x) line[static_cast<std::size_t>(x)] = palette.IndexOf(RgbAt(picture, row + x));
        ok = EGifPutLine(gif_, line.data(), width_) == GIF_OK;
    }
    if (!ok) failed_ = true;
    ++frames_;
    return ok;
}

std::vector<std::uint8_t> AnimatedGifWriter::Finish() {
    if (!gif_) return {};
    int error = 0;
    // Closing writes the trailer and frees the writer whatever happened.
    const bool closed = EGifCloseFile(gif_, &error) == GIF_OK;
    gif_ = nullptr;
    if (failed_ || !closed || frames_ == 0) return {};
    return std::move(out_);
}

std::vector<std::uint8_t> EncodeAnimatedGif(const std::vector<GifFrame>& frames) {
    if (frames.empty()) return {};
    AnimatedGifWriter writer(frames[0].picture.width, frames[0].picture.height);
    for (const GifFrame& f : frames)
        if (!writer.AddFrame(f.picture, f.delayCentiseconds)) return {};
    return writer.Finish();
}

bool WriteGifFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return !bytes.empty() && WriteFileReplacing(path, bytes);
}

}  // namespace pw

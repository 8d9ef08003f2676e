// The PNG and animated GIF writers, read back with the libraries' own readers:
// pixels and transparency survive, frames keep their order, delays and
// colours, odd input is refused, and a failed write keeps the old file.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "output/GifAnimation.h"
#include "output/PngFile.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

RgbaPicture Picture(int w, int h, std::uint32_t rgba) {
    RgbaPicture p{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 4)};
    for (std::size_t i = 0; i < p.rgba.size(); i += 4) {
        p.rgba[i] = static_cast<std::uint8_t>(rgba >> 24);
        p.rgba[i + 1] = static_cast<std::uint8_t>(rgba >> 16);
        p.rgba[i + 2] = static_cast<std::uint8_t>(rgba >> 8);
        p.rgba[i + 3] = static_cast<std::uint8_t>(rgba);
    }
    return p;
}

void Set(RgbaPicture& p, int x, int y, std::uint32_t rgba) {
    std::uint8_t* c = &p.rgba[(static_cast<std::size_t>(y) * p.width + x) * 4];
    c[0] = static_cast<std::uint8_t>(rgba >> 24);
    c[1] = static_cast<std::uint8_t>(rgba >> 16);
    c[2] = static_cast<std::uint8_t>(rgba >> 8);
    c[3] = static_cast<std::uint8_t>(rgba);
}

RgbaPicture DecodePng(const std::vector<std::uint8_t>& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    RgbaPicture p;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return p;
    image.format = PNG_FORMAT_RGBA;
    p.width = static_cast<int>(image.width);
    p.height = static_cast<int>(image.height);
    p.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, p.rgba.data(), 0, nullptr)) p = RgbaPicture{};
    return p;
}

struct Gif {
    std::vector<std::uint8_t> bytes;
    std::size_t at = 0;
};
int ReadGif(GifFileType* gif, GifByteType* to, int n) {
    auto* g = static_cast<Gif*>(gif->UserData);
    const int k = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(n), g->bytes.size() - g->at));
    std::copy(g->bytes.begin() + static_cast<long>(g->at), g->bytes.begin() + static_cast<long>(g->at) + k, to);
    g->at += static_cast<std::size_t>(k);
    return k;
}

// The colour of pixel (x, y) of frame k, 0xRRGGBB.
std::uint32_t GifPixel(GifFileType* gif, int k, int x, int y) {
    const SavedImage& s = gif->SavedImages[k];
    const ColorMapObject* map = s.ImageDesc.ColorMap ? s.ImageDesc.ColorMap : gif->SColorMap;
    const GifColorType c = map->Colors[s.RasterBits[y * s.ImageDesc.Width + x]];
    return static_cast<std::uint32_t>(c.Red) << 16 | static_cast<std::uint32_t>(c.Green) << 8 | c.Blue;
}

TEST(PictureFilesTest, PngKeepsEveryPixelAndTransparencyOnlyWhereThereIsSome) {
    RgbaPicture opaque = Picture(5, 3, 0xB3B3FFFFu);
    Set(opaque, 4, 2, 0x102030FFu);
    const std::vector<std::uint8_t> a = EncodePng(opaque);
    ASSERT_GT(a.size(), 8u);
    EXPECT_EQ(a[25], PNG_COLOR_TYPE_RGB);  // the colour type in the header chunk
    EXPECT_EQ(DecodePng(a).rgba, opaque.rgba);

    RgbaPicture clear = opaque;
    Set(clear, 0, 0, 0x00000000u);
    const std::vector<std::uint8_t> b = EncodePng(clear);
    EXPECT_EQ(b[25], PNG_COLOR_TYPE_RGB_ALPHA);
    EXPECT_EQ(DecodePng(b).rgba, clear.rgba);

    EXPECT_TRUE(EncodePng(RgbaPicture{}).empty());
    EXPECT_TRUE(EncodePng(RgbaPicture{4, 4, std::vector<std::uint8_t>(10)}).empty());
}

TEST(PictureFilesTest, AnimatedGifKeepsFramesDelaysColoursAndLoops) {
    std::vector<GifFrame> frames;
    for (int k = 0; k < 3; ++k) {
        RgbaPicture p = Picture(6, 4, 0xB3B3FFFFu);
        Set(p, k, 1, 0xDBDDCCFFu);
        Set(p, 5, 3, 0x666666FFu);
        frames.push_back({p, 5 * (k + 1)});
    }
    Gif data{EncodeAnimatedGif(frames)};
    ASSERT_FALSE(data.bytes.empty());
    EXPECT_EQ(std::string(data.bytes.begin(), data.bytes.begin() + 6), "GIF89a");
    int error = 0;
    GifFileType* gif = DGifOpen(&data, ReadGif, &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    ASSERT_EQ(gif->ImageCount, 3);
    for (int k = 0; k < 3; ++k) {
        GraphicsControlBlock gcb{};
        DGifSavedExtensionToGCB(gif, k, &gcb);
        EXPECT_EQ(gcb.DelayTime, 5 * (k + 1));
        EXPECT_EQ(GifPixel(gif, k, k, 1), 0xDBDDCCu);
        EXPECT_EQ(GifPixel(gif, k, 5, 3), 0x666666u);
        EXPECT_EQ(GifPixel(gif, k, (k + 1) % 5, 2), 0xB3B3FFu);
    }
    DGifCloseFile(gif, &error);
}

TEST(PictureFilesTest, ManyColouredFrameFallsBackToAFixedTableAndOddFramesAreRefused) {
    RgbaPicture rainbow = Picture(40, 40, 0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) Set(rainbow, x, y, static_cast<std::uint32_t>(x * 6) << 24 | static_cast<std::uint32_t>(y * 6) << 16 | 0x80FFu);
    Gif data{EncodeAnimatedGif({{rainbow, 5}})};
    ASSERT_FALSE(data.bytes.empty());
    int error = 0;
    GifFileType* gif = DGifOpen(&data, ReadGif, &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    // Near the true colour: within one level of the 6 x 7 x 6 table.
    const std::uint32_t c = GifPixel(gif, 0, 39, 0);
    EXPECT_NEAR(static_cast<int>(c >> 16), 234, 26);
    EXPECT_NEAR(static_cast<int>(c & 0xFF), 128, 26);
    DGifCloseFile(gif, &error);

    EXPECT_TRUE(EncodeAnimatedGif({}).empty());
    EXPECT_TRUE(EncodeAnimatedGif({{Picture(4, 4, 0xFFu), 5}, {Picture(5, 4, 0xFFu), 5}}).empty());
    EXPECT_TRUE(EncodeAnimatedGif({{Picture(4, 4, 0xFFu), -1}}).empty());
    AnimatedGifWriter unused(4, 4);
    EXPECT_TRUE(unused.Finish().empty());  // no frame, no file
}

TEST(PictureFilesTest, FailedWritesKeepTheOldFile) {
    char name[] = "/tmp/popwright-pictures-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    const fs::path dir = name;
    std::ofstream(dir / "old.png") << "keep me";
    fs::create_directory(dir / "folder.png");
    EXPECT_FALSE(WritePngFile((dir / "folder.png").string(), Picture(4, 4, 0xFFu)));
    EXPECT_FALSE(WritePngFile((dir / "no/such/x.png").string(), Picture(4, 4, 0xFFu)));
    EXPECT_FALSE(WritePngFile((dir / "old.png").string(), RgbaPicture{}));
    EXPECT_FALSE(WriteGifFile((dir / "old.png").string(), {}));
    std::ifstream in(dir / "old.png");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "keep me");
    ASSERT_TRUE(WritePngFile((dir / "old.png").string(), Picture(4, 4, 0xFFu)));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace pw

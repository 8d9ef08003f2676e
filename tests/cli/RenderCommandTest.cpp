// The card drawn without a window: render to PNG and animated GIF,
// thumbnails, the closing line of info, and bad input that leaves no file.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Cli.h"
#include "model/CardFile.h"
#include "model/CellGrid.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

struct Png {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
    std::uint32_t Pixel(int x, int y) const {  // 0xAARRGGBB
        const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        return static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[0]) << 16 |
               static_cast<std::uint32_t>(p[1]) << 8 | p[2];
    }
};

// Read back with libpng's own reader, as any viewer would.
bool ReadPng(const fs::path& path, Png& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGBA;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) != 0;
}

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class RenderCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        CellGrid g;
        g.NewCard(14, 9);
        test::AddBox(g, 3, 3, 3);
        test::AddBox(g, 4, 3, 3);
        test::AddBox(g, 8, 5, 5);  // 2 cells too many for the closed card
        test::AddTunnel(g, 8, 2);
        std::ofstream(Path("card.kpf")) << [&] {
            std::ostringstream s;
            WriteCard(s, g);
            return s.str();
        }();
    }
    std::string Path(const std::string& name) const { return scratch_.Path(name); }
    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunCli(args, out_, err_);
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::ScratchFolder scratch_;
    fs::path dir_ = scratch_.Dir();
    std::ostringstream out_, err_;
};

TEST_F(RenderCommandTest, PngAtTheDefaultSizeAndAngleShowsTheOpenedCard) {
    ASSERT_EQ(Run({"render", Path("card.kpf"), Path("open.png")}), kExitOk) << err_.str();
    EXPECT_EQ(err_.str(), "");
    Png png;
    ASSERT_TRUE(ReadPng(Path("open.png"), png));
    EXPECT_EQ(png.width, 800);
    EXPECT_EQ(png.height, 600);
    EXPECT_EQ(png.Pixel(0, 0), 0xFFB3B3FFu);      // the default background
    EXPECT_NE(png.Pixel(400, 300), 0xFFB3B3FFu);  // the card in the middle

    // The angle and the grid change the picture; 90 degrees is the default.
    ASSERT_EQ(Run({"render", Path("card.kpf"), Path("ninety.png"), "--angle", "90"}), kExitOk);
    EXPECT_EQ(ReadText(Path("ninety.png")), ReadText(Path("open.png")));
    ASSERT_EQ(Run({"render", Path("card.kpf"), Path("half.png"), "--angle=45", "--size", "320x200", "--grid"}), kExitOk);
    ASSERT_TRUE(ReadPng(Path("half.png"), png));
    EXPECT_EQ(png.width, 320);
    EXPECT_EQ(png.height, 200);
    ASSERT_EQ(Run({"render", Path("card.kpf"), Path("HALF.PNG"), "--angle", "45", "--size", "320x200"}), kExitOk);
    EXPECT_NE(ReadText(Path("HALF.PNG")), ReadText(Path("half.png")));
}

TEST_F(RenderCommandTest, AnimatedGifOpensAndClosesTheCardAndLoops) {
    ASSERT_EQ(Run({"render", Path("card.kpf"), Path("fold.gif"), "--animate", "--size", "200x150"}), kExitOk)
        << err_.str();
    int error = 0;
    GifFileType* gif = DGifOpenFileName(Path("fold.gif").c_str(), &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->SWidth, 200);
    EXPECT_EQ(gif->SHeight, 150);
    EXPECT_GE(gif->ImageCount, 24);
    // It loops: the application extension of the first frame says so.
    bool loops = false;
    for (int i = 0; i < gif->SavedImages[0].ExtensionBlockCount; ++i) {
        const ExtensionBlock& e = gif->SavedImages[0].ExtensionBlocks[i];
        if (e.Function == APPLICATION_EXT_FUNC_CODE && e.ByteCount == 11 &&
            std::string(reinterpret_cast<char*>(e.Bytes), 11) == "NETSCAPE2.0")
            loops = true;
    }
    EXPECT_TRUE(loops);
    // The first and the last frames are near the closed card, the middle one is opened and stays longest.
    GraphicsControlBlock first{}, middle{};
    DGifSavedExtensionToGCB(gif, 0, &first);
    DGifSavedExtensionToGCB(gif, gif->ImageCount / 2, &middle);
    EXPECT_GT(middle.DelayTime, first.DelayTime);
    const auto frameBytes = [&](int k) {
        const SavedImage& s = gif->SavedImages[k];
        return std::vector<GifByteType>(s.RasterBits, s.RasterBits + 200 * 150);
    };
    EXPECT_NE(frameBytes(0), frameBytes(gif->ImageCount / 2));
    EXPECT_EQ(frameBytes(1), frameBytes(gif->ImageCount - 1));  // the same angle on the way back
    DGifCloseFile(gif, &error);
}

// The thumbnailers of MATE, Cinnamon and GNOME outside its sandbox name a
// temporary file without an extension (".mate_desktop_thumbnail.XXXXXX").
TEST_F(RenderCommandTest, ThumbnailIsAPngWhateverItsName) {
    for (const char* name : {".mate_desktop_thumbnail.Xa1b2C", "thumb.gif", "thumb"}) {
        ASSERT_EQ(Run({"thumbnail", Path("card.kpf"), Path(name), "32"}), kExitOk) << name << err_.str();
        Png png;
        ASSERT_TRUE(ReadPng(Path(name), png)) << name;
        EXPECT_EQ(std::max(png.width, png.height), 32) << name;
    }
}

TEST_F(RenderCommandTest, ThumbnailFitsTheCardOnATransparentBackground) {
    ASSERT_EQ(Run({"thumbnail", Path("card.kpf"), Path("thumb.png"), "128"}), kExitOk) << err_.str();
    Png png;
    ASSERT_TRUE(ReadPng(Path("thumb.png"), png));
    EXPECT_EQ(std::max(png.width, png.height), 128);
    EXPECT_GT(std::min(png.width, png.height), 40);
    EXPECT_EQ(png.Pixel(0, 0) >> 24, 0u);
    EXPECT_EQ(png.Pixel(png.width - 1, png.height - 1) >> 24, 0u);
    // The card nearly touches every side.
    int left = png.width, right = -1, top = png.height, bottom = -1;
    for (int y = 0; y < png.height; ++y)
        for (int x = 0; x < png.width; ++x)
            if (png.Pixel(x, y) >> 24) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_LE(left, 6);
    EXPECT_GE(right, png.width - 7);
    EXPECT_LE(top, 6);
    EXPECT_GE(bottom, png.height - 7);
}

// A free-form card's pictures mark what the window's 3D view marks: paper
// its checks refuse in the invalid colour, paper beyond the closed card in
// the closing colour; a sound card that closes has neither.
TEST_F(RenderCommandTest, FreeformPicturesMarkRefusedPaperAndPaperThatSticksOut) {
    const auto count = [](const Png& png, std::uint32_t rgb) {  // within 2 in each channel
        int n = 0;
        for (int y = 0; y < png.height; ++y)
            for (int x = 0; x < png.width; ++x) {
                const std::uint32_t p = png.Pixel(x, y);
                n += std::abs(int(p >> 16 & 255) - int(rgb >> 16)) <= 2 && std::abs(int(p >> 8 & 255) - int(rgb >> 8 & 255)) <= 2 &&
                     std::abs(int(p & 255) - int(rgb & 255)) <= 2;
            }
        return n;
    };
    constexpr std::uint32_t kInvalid = 0xFF9999, kSticksOut = 0xFFBF40;
    const struct {
        const char* outline;
        bool invalid, sticksOut;
    } cards[] = {{"M 20 0 H 70 V 50 H 20 Z", false, false},    // stands on the floor, closes inside
                 {"M 20 10 H 70 V 50 H 20 Z", true, false},   // floats
                 {"M 20 0 H 70 V 80 H 20 Z", false, true}};   // 20 mm beyond the closed card
    for (const auto& card : cards) {
        std::ofstream(Path("f.pwf")) << R"({"format": "popwright-freeform", "version": 1, "width": 160, "half": 100,)"
                                     << R"( "flats": [{"depth": 40, "outline": ")" << card.outline << "\"}]}";
        ASSERT_EQ(Run({"render", Path("f.pwf"), Path("f.png"), "--size", "400x300"}), kExitOk) << err_.str();
        ASSERT_EQ(Run({"thumbnail", Path("f.pwf"), Path("t.png"), "128"}), kExitOk) << err_.str();
        for (const char* picture : {"f.png", "t.png"}) {
            Png png;
            ASSERT_TRUE(ReadPng(Path(picture), png));
            EXPECT_EQ(count(png, kInvalid) > 20, card.invalid) << card.outline << " " << picture;
            EXPECT_EQ(count(png, kSticksOut) > 20, card.sticksOut) << card.outline << " " << picture;
        }
    }
}

TEST_F(RenderCommandTest, InfoTellsWhetherTheCardClosesInside) {
    ASSERT_EQ(Run({"info", Path("card.kpf")}), kExitOk);
    EXPECT_NE(out_.str().find("\nshape: ok\ncloses inside: no, sticks out by 2 cells (column 8)\n"), std::string::npos)
        << out_.str();
}

TEST_F(RenderCommandTest, BadInputPrintsOneLineAndLeavesNoFile) {
    std::ofstream(Path("broken.kpf")) << "kiriko\nv 1.0\nw sixteen\n";
    const std::string card = Path("card.kpf"), png = Path("out.png");
    const std::vector<std::pair<std::vector<std::string>, int>> bad = {
        {{"render"}, kExitUsage},
        {{"render", card}, kExitUsage},
        {{"render", card, png, "--angle", "-1"}, kExitUsage},
        {{"render", card, png, "--angle", "180.5"}, kExitUsage},
        {{"render", card, png, "--angle", "nan"}, kExitUsage},
        {{"render", card, png, "--angle"}, kExitUsage},
        {{"render", card, png, "--size", "15x100"}, kExitUsage},
        {{"render", card, png, "--size", "100x4097"}, kExitUsage},
        {{"render", card, png, "--size", "100"}, kExitUsage},
        {{"render", card, png, "--size", "-20x-20"}, kExitUsage},
        {{"render", card, png, "--animate"}, kExitUsage},
        {{"render", card, Path("out.gif"), "--animate", "--angle", "30"}, kExitUsage},
        {{"render", card, Path("out.jpg")}, kExitUsage},
        {{"render", card, Path("out")}, kExitUsage},
        {{"render", card, png, "--frobnicate"}, kExitUsage},
        {{"render", Path("missing.kpf"), png}, kExitFileError},
        {{"render", Path("broken.kpf"), Path("out.gif"), "--animate"}, kExitFileError},
        {{"thumbnail", card, png}, kExitUsage},
        {{"thumbnail", card, png, "8"}, kExitUsage},
        {{"thumbnail", card, png, "5000"}, kExitUsage},
        {{"thumbnail", Path("broken.kpf"), png, "64"}, kExitFileError},
    };
    for (const auto& [args, status] : bad) {
        std::string words;
        for (const std::string& a : args) words += a + " ";
        EXPECT_EQ(Run(args), status) << words;
        const std::string err = err_.str();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << words << err;
        EXPECT_EQ(err.rfind("popwright-cli: ", 0), 0u) << words << err;
        EXPECT_EQ(Files(), (std::vector<std::string>{"broken.kpf", "card.kpf"})) << words;
    }
}

TEST_F(RenderCommandTest, FailedWriteLeavesTheOldPictureWhole) {
    std::ofstream(Path("old.png")) << "keep me";
    fs::create_directory(Path("sealed"));
    std::ofstream(Path("sealed/old.png")) << "keep me too";
    ::chmod(Path("sealed").c_str(), 0555);
    const bool rootIgnoresModes = ::access(Path("sealed").c_str(), W_OK) == 0;
    if (!rootIgnoresModes) {
        EXPECT_EQ(Run({"render", Path("card.kpf"), Path("sealed/old.png")}), kExitFileError);
        EXPECT_EQ(ReadText(Path("sealed/old.png")), "keep me too");
    }
    ::chmod(Path("sealed").c_str(), 0755);
    // A folder where the picture should go.
    fs::create_directory(Path("taken.png"));
    EXPECT_EQ(Run({"render", Path("card.kpf"), Path("taken.png")}), kExitFileError);
    EXPECT_TRUE(fs::is_directory(Path("taken.png")));
    const std::string err = err_.str();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    // And a missing folder.
    EXPECT_EQ(Run({"thumbnail", Path("card.kpf"), Path("no/such/t.png"), "64"}), kExitFileError);
    EXPECT_EQ(ReadText(Path("old.png")), "keep me");
}

TEST_F(RenderCommandTest, SharedPageRefusesBadInputWithOneLineAndNoFile) {
    std::ofstream(Path("broken.kpf")) << "kiriko\nv 1.0\nw sixteen\n";
    fs::create_directory(Path("taken.html"));
    const std::string card = Path("card.kpf");
    const std::vector<std::pair<std::vector<std::string>, int>> bad = {
        {{"share", card}, kExitUsage},
        {{"share", card, Path("a.html"), "--angle", "3"}, kExitUsage},
        {{"share", Path("missing.kpf"), Path("a.html")}, kExitFileError},
        {{"share", Path("broken.kpf"), Path("a.html")}, kExitFileError},
        {{"share", card, Path("taken.html")}, kExitFileError},
        {{"share", card, Path("no/such/a.html")}, kExitFileError},
    };
    for (const auto& [args, status] : bad) {
        EXPECT_EQ(Run(args), status) << args.back();
        const std::string err = err_.str();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_EQ(Files(), (std::vector<std::string>{"broken.kpf", "card.kpf", "taken.html"})) << args.back();
    }
    EXPECT_EQ(Run({"share", card, Path("a.html")}), kExitOk);
    EXPECT_EQ(ReadText(Path("a.html")).rfind("<!DOCTYPE html>", 0), 0u);
}

}  // namespace
}  // namespace pw

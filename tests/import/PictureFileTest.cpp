// Qt's readers behind LoadPicture: every picture kind, transparency over
// white, and pictures refused before their pixels are decoded.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <fstream>
#include <string>

#include "import/ImportMessages.h"
#include "import/PictureFile.h"

namespace pw {
namespace {

// A 6 x 4 picture: black left half, white right half, top-right pixel transparent.
QImage Sample() {
    QImage image(6, 4, QImage::Format_ARGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x) image.setPixel(x, y, qRgb(0, 0, 0));
    image.setPixel(5, 0, qRgba(0, 0, 0, 0));
    return image;
}

std::string Encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes.toStdString();
}

std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// A GIF of 2 x 1 pixels, black then white, written byte for byte.
std::string TinyGif() {
    const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0,
                                 0, 0, 0, 255, 255, 255,               // palette: black, white
                                 ',', 0, 0, 0, 0, 2, 0, 1, 0, 0,       // image descriptor
                                 2, 2, 0x44, 0x01, 0, ';'};            // LZW: codes clear, 0, 1, end
    return std::string(reinterpret_cast<const char*>(gif), sizeof gif);
}

// A BMP header that claims the given size, with no pixels behind it.
std::string BmpHeader(int width, int height) {
    std::string b(54, '\0');
    auto put = [&b](int at, unsigned value, int bytes) {
        for (int k = 0; k < bytes; ++k) b[static_cast<std::size_t>(at + k)] = static_cast<char>((value >> (8 * k)) & 0xFF);
    };
    b[0] = 'B', b[1] = 'M';
    put(2, 54, 4), put(10, 54, 4), put(14, 40, 4);
    put(18, static_cast<unsigned>(width), 4), put(22, static_cast<unsigned>(height), 4);
    put(26, 1, 2), put(28, 24, 2);
    return b;
}

TEST(LoadPicture, ReadsEveryKindIntoLightnessOverWhite) {
    for (const char* format : {"PNG", "BMP"}) {
        GreyImage grey;
        std::string error;
        const std::string bytes = Encode(Sample(), format);
        ASSERT_TRUE(LoadPictureFromMemory(bytes.data(), bytes.size(), grey, error)) << format << ": " << error;
        ASSERT_EQ(grey.width, 6);
        ASSERT_EQ(grey.height, 4);
        EXPECT_EQ(grey.At(0, 0), 0);
        EXPECT_EQ(grey.At(4, 3), 255);
    }
    // PNG keeps transparency: transparent black is white.
    GreyImage png;
    std::string pngError;
    const std::string pngBytes = Encode(Sample(), "PNG");
    ASSERT_TRUE(LoadPictureFromMemory(pngBytes.data(), pngBytes.size(), png, pngError));
    EXPECT_EQ(png.At(5, 0), 255);
    GreyImage grey;
    std::string error;
    const std::string jpeg = Encode(Sample(), "JPEG");
    ASSERT_TRUE(LoadPicture(Write("sample.jpg", jpeg), grey, error)) << error;
    EXPECT_LT(grey.At(0, 1), 60);
    EXPECT_GT(grey.At(4, 3), 200);
    const std::string gif = TinyGif();
    ASSERT_TRUE(LoadPicture(Write("tiny.gif", gif), grey, error)) << error;
    EXPECT_EQ(grey.width, 2);
    EXPECT_EQ(grey.At(0, 0), 0);
    EXPECT_EQ(grey.At(1, 0), 255);
    const std::string svg =
        "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20'>"
        "<rect x='0' y='0' width='20' height='20' fill='black'/><text x='25' y='15'>A</text></svg>";
    ASSERT_TRUE(LoadPicture(Write("sample.svg", svg), grey, error)) << error;
    EXPECT_EQ(grey.width, 1024);
    EXPECT_EQ(grey.height, 512);
    EXPECT_EQ(grey.At(100, 100), 0);
    EXPECT_EQ(grey.At(1000, 10), 255);
}

TEST(LoadPicture, RefusesEmptyHugeAndBrokenPicturesBeforeDecoding) {
    GreyImage grey;
    std::string error;
    const std::string huge = BmpHeader(20000, 10000);
    EXPECT_FALSE(LoadPictureFromMemory(huge.data(), huge.size(), grey, error));
    EXPECT_EQ(error, msg::kPictureTooLarge);
    const std::string png = Encode(Sample(), "PNG");
    const std::string truncated = png.substr(0, png.size() / 2);
    EXPECT_FALSE(LoadPictureFromMemory(truncated.data(), truncated.size(), grey, error));
    EXPECT_EQ(error, msg::kPictureUnreadable);
    const std::string text = "plain text, no picture";
    EXPECT_FALSE(LoadPictureFromMemory(text.data(), text.size(), grey, error));
    EXPECT_EQ(error, msg::kPictureUnreadable);
    const std::string emptySvg = "<svg xmlns='http://www.w3.org/2000/svg' width='0' height='0'></svg>";
    EXPECT_FALSE(LoadPictureFromMemory(emptySvg.data(), emptySvg.size(), grey, error));
    EXPECT_EQ(error, msg::kPictureEmpty);
    EXPECT_FALSE(LoadPicture("/nonexistent/picture.png", grey, error));
    EXPECT_EQ(error, msg::kPictureUnreadable);
    EXPECT_FALSE(LoadPicture(::testing::TempDir(), grey, error));
    EXPECT_FALSE(LoadPicture("/dev/zero", grey, error));
    EXPECT_TRUE(grey.Empty());
}

// A logo drawn through a mask, a clip path or a filter keeps what they leave:
// here each leaves the left half of a black square black, the right half
// white. References to other files are not followed.
TEST(LoadPicture, SvgHonoursMasksClipPathsAndFiltersAndReadsNoOtherFile) {
    const std::string head = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                             "width='20' height='20'><defs>";
    const std::string square = "<rect width='20' height='20' fill='black' ";
    const std::string right = "<rect x='10' width='10' height='20' ";
    const std::string cases[] = {
        head + "<mask id='m'><rect width='20' height='20' fill='white'/>" + right + "fill='black'/></mask></defs>" +
            square + "mask='url(#m)'/></svg>",
        head + "<clipPath id='c'><rect width='10' height='20'/></clipPath></defs>" + square +
            "clip-path='url(#c)'/></svg>",
        head + "<filter id='f' x='0' y='0' width='1' height='1'><feFlood flood-color='white'/></filter></defs>" +
            square + "/>" + right + "fill='black' filter='url(#f)'/></svg>",
    };
    for (const std::string& svg : cases) {
        GreyImage grey;
        std::string error;
        ASSERT_TRUE(LoadPictureFromMemory(svg.data(), svg.size(), grey, error)) << svg << error;
        ASSERT_EQ(grey.width, 1024);
        EXPECT_EQ(grey.At(100, 500), 0) << svg;
        EXPECT_EQ(grey.At(900, 500), 255) << svg;
    }

    QImage dark(4, 4, QImage::Format_RGB32);
    dark.fill(Qt::black);
    const std::string black = Write("black.png", Encode(dark, "PNG"));
    for (const std::string& href : {std::string("black.png"), "file://" + black, black}) {
        const std::string svg =
            head + "</defs><image width='20' height='20' xlink:href='" + href + "'/><rect width='1' height='1'/></svg>";
        GreyImage grey;
        std::string error;
        ASSERT_TRUE(LoadPicture(Write("refers.svg", svg), grey, error)) << href << error;
        EXPECT_EQ(grey.At(500, 500), 255) << href;
        EXPECT_EQ(grey.At(10, 10), 0) << href;
    }
}

}  // namespace
}  // namespace pw

// SVG pictures need a QGuiApplication, as the command line makes one.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    pw::GuiForPictures gui;
    return RUN_ALL_TESTS();
}

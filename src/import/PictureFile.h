#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "import/GreyImage.h"

namespace pw {

// The most pixels a picture may have.
constexpr long long kMaxPicturePixels = 100'000'000;

// Reads a PNG, JPEG, BMP, GIF (its first frame) or SVG picture into
// lightness, transparent parts laid over white. The size is checked before
// any pixel is decoded: no pixels or more than kMaxPicturePixels fail, and
// pictures wider or higher than 8192 pixels are reduced while they are
// decoded, so memory stays within a few hundred MiB. An SVG picture is drawn
// 1024 pixels on its longer side by RenderSvgPicture, which reads no other
// file. On failure returns false with the message in `error`.
bool LoadPicture(const std::string& path, GreyImage& out, std::string& error);

// The same for a picture held in memory.
bool LoadPictureFromMemory(const void* data, std::size_t size, GreyImage& out, std::string& error);

// Makes sure a QGuiApplication exists while the object lives, on Qt's
// "offscreen" platform when it has to create one, for a program without a
// window (the command line) that reads pictures with Qt.
class GuiForPictures {
public:
    GuiForPictures();
    ~GuiForPictures();
    GuiForPictures(const GuiForPictures&) = delete;
    GuiForPictures& operator=(const GuiForPictures&) = delete;

private:
    struct Owned;
    std::unique_ptr<Owned> owned_;
};

}  // namespace pw

#include "document/CardPictureFiles.h"

#include <utility>

#include "document/CardDocument.h"
#include "output/GifAnimation.h"
#include "output/PngFile.h"
#include "view3d/CardPictures.h"

namespace pw {

namespace {

RgbaPicture ToPicture(CardImage&& image) { return {image.width, image.height, std::move(image.rgba)}; }

}  // namespace

bool WriteCardPng(CardDocument& doc, const AppSettings& settings, const std::string& path, int width, int height,
                  double foldAngle) {
    return WritePngFile(path, ToPicture(RenderCardView(doc.Card(), settings, width, height, foldAngle)));
}

bool WriteCardGif(CardDocument& doc, const AppSettings& settings, const std::string& path, int width, int height,
                  const std::vector<FoldFrame>& frames) {
    AnimatedGifWriter gif(width, height);
    CardViewPictures pictures(doc.Card(), settings, width, height);
    for (const FoldFrame& frame : frames)
        if (!gif.AddFrame(ToPicture(pictures.At(frame.angle)), frame.delay)) return false;
    return WriteGifFile(path, gif.Finish());
}

bool WriteCardThumbnail(CardDocument& doc, const AppSettings& settings, const std::string& path, int size) {
    return WritePngFile(path, ToPicture(RenderCardThumbnail(doc.Card(), settings, size)));
}

}  // namespace pw

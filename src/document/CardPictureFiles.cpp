#include "document/CardPictureFiles.h"

#include <utility>
#include <vector>

#include "document/CardDocument.h"
#include "document/SheetPictures.h"
#include "output/GifAnimation.h"
#include "output/PngFile.h"
#include "view3d/CardPictures.h"
#include "view3d/FreeformShown.h"

namespace pw {

namespace {

RgbaPicture ToPicture(CardImage&& image) { return {image.width, image.height, std::move(image.rgba)}; }

// The pieces the free-form checks find at fault, by piece, for the invalid colour.
std::vector<bool> InvalidPieces(CardDocument& doc) {
    const FreeformSheet& built = doc.DeriveFreeform();
    return ShowFreeformSheet(built, CheckFreeformCard(doc.Freeform(), built), 0).invalidPieces;
}

}  // namespace

bool WriteCardPng(CardDocument& doc, const AppSettings& settings, const std::string& path, int width, int height,
                  double foldAngle) {
    if (doc.Kind() == CardKind::Freeform)
        return WritePngFile(path, ToPicture(SheetPictures(doc.Derive(), settings, InvalidPieces(doc)).View(width, height, foldAngle)));
    return WritePngFile(path, ToPicture(RenderCardView(doc.Card(), settings, width, height, foldAngle)));
}

bool WriteCardGif(CardDocument& doc, const AppSettings& settings, const std::string& path, int width, int height,
                  const std::vector<FoldFrame>& frames) {
    AnimatedGifWriter gif(width, height);
    if (doc.Kind() == CardKind::Freeform) {
        const std::vector<bool> invalid = InvalidPieces(doc);
        const SheetPictures pictures(doc.Derive(), settings, invalid);
        for (const FoldFrame& frame : frames)
            if (!gif.AddFrame(ToPicture(pictures.View(width, height, frame.angle)), frame.delay)) return false;
        return WriteGifFile(path, gif.Finish());
    }
    CardViewPictures pictures(doc.Card(), settings, width, height);
    for (const FoldFrame& frame : frames)
        if (!gif.AddFrame(ToPicture(pictures.At(frame.angle)), frame.delay)) return false;
    return WriteGifFile(path, gif.Finish());
}

bool WriteCardThumbnail(CardDocument& doc, const AppSettings& settings, const std::string& path, int size) {
    if (doc.Kind() == CardKind::Freeform)
        return WritePngFile(path, ToPicture(SheetPictures(doc.Derive(), settings, InvalidPieces(doc)).Thumbnail(size)));
    return WritePngFile(path, ToPicture(RenderCardThumbnail(doc.Card(), settings, size)));
}

}  // namespace pw

#pragma once
#include <memory>
#include <vector>

#include "view3d/CardPictures.h"

namespace pw {

struct AppSettings;
struct Sheet;

// Pictures of a card given by its sheet alone (a free-form card's, in
// millimetres), drawn by the software renderer at the home camera: each
// piece filled in its plane's colour at its place in the card, folded to
// the angle, its outline in the outline colour. As in the window's 3D view,
// the pieces marked in `invalidPieces` take the invalid colour and paper
// that sticks out of the closed card the closing colour. The pieces are
// triangulated once; the sheet and the settings must outlive the object.
class SheetPictures {
public:
    SheetPictures(const Sheet& sheet, const AppSettings& settings, const std::vector<bool>& invalidPieces = {});
    ~SheetPictures();
    SheetPictures(const SheetPictures&) = delete;
    SheetPictures& operator=(const SheetPictures&) = delete;

    CardImage View(int width, int height, double foldAngle) const;
    // A three-quarter view of the opened card on a transparent background,
    // framed tightly, its larger side `size` pixels.
    CardImage Thumbnail(int size) const;

private:
    struct Model;
    std::unique_ptr<Model> model_;
    const AppSettings& settings_;
};

}  // namespace pw

#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace pw {

struct AppSettings;
struct EditedCard;

// A picture of the card drawn by the software renderer: four bytes a pixel,
// red, green, blue, alpha, top row first.
struct CardImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// The picture the 3D view shows in a client area of width x height at the
// home camera, with the card at the fold angle, without the edit cursor.
// Runs the rebuild pass first.
CardImage RenderCardView(EditedCard& card, const AppSettings& settings, int width, int height, double foldAngle);

// The same pictures at many angles (an animation): the card's geometry is
// derived once and every picture draws it under its own fold matrix. The
// card and the settings must outlive the object and stay unchanged.
class CardViewPictures {
public:
    CardViewPictures(EditedCard& card, const AppSettings& settings, int width, int height);
    ~CardViewPictures();
    CardViewPictures(const CardViewPictures&) = delete;
    CardViewPictures& operator=(const CardViewPictures&) = delete;
    CardImage At(double foldAngle);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A three-quarter view of the opened card on a transparent background,
// framed tightly, its larger side `size` pixels.
CardImage RenderCardThumbnail(EditedCard& card, const AppSettings& settings, int size);

// The camera turn of the thumbnails, degrees.
inline constexpr double kThumbnailTurn = -35.0;

}  // namespace pw

#include "view3d/CardPictures.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/RebuildPass.h"
#include "view3d/CardRenderer.h"
#include "view3d/FoldMap.h"
#include "view3d/SoftwareRenderSink.h"

namespace pw {

namespace {

// Draws one frame without the cursor; the card's switches are put back.
// `projection` takes model space to clip space; the fold is the renderer's.
CardImage Draw(EditedCard& card, const AppSettings& settings, int width, int height, const Matrix4& projection,
               double foldAngle, bool transparent) {
    const bool cursor = card.edit.cursorVisible;
    card.edit.cursorVisible = false;
    CardRenderer renderer(card, settings);
    renderer.SetFoldAngle(foldAngle);
    SoftwareRenderSink sink(width, height);
    sink.SetTransform(projection);
    sink.SetTransparentBackground(transparent);
    renderer.DrawFrame(sink);
    card.edit.cursorVisible = cursor;
    return {sink.Width(), sink.Height(), sink.Rgba()};
}

// Where the frame's corners land on the screen, in normalised coordinates.
class BoundsSink : public RenderSink {
public:
    explicit BoundsSink(const Matrix4& m) : m_(m) {}
    void State(GlStateOp) override {}
    void ClearColor(const GlColor&) override {}
    void Quad(const GlColor&, const Vertex (&v)[4]) override {
        for (const Vertex& p : v) Add(p);
    }
    void LineLoop(const GlColor&, const Vertex (&v)[4]) override {
        for (const Vertex& p : v) Add(p);
    }
    void Line(const GlColor&, const Vertex& a, const Vertex& b) override {
        Add(a);
        Add(b);
    }
    double x0 = std::numeric_limits<double>::max(), x1 = -std::numeric_limits<double>::max();
    double y0 = std::numeric_limits<double>::max(), y1 = -std::numeric_limits<double>::max();

private:
    void Add(const Vertex& v) {
        const double x = m_[0] * v.x + m_[4] * v.y + m_[8] * v.z + m_[12];
        const double y = m_[1] * v.x + m_[5] * v.y + m_[9] * v.z + m_[13];
        const double w = m_[3] * v.x + m_[7] * v.y + m_[11] * v.z + m_[15];
        if (w <= 0) return;
        x0 = std::min(x0, x / w);
        x1 = std::max(x1, x / w);
        y0 = std::min(y0, y / w);
        y1 = std::max(y1, y / w);
    }
    Matrix4 m_;
};

}  // namespace

struct CardViewPictures::State {
    EditedCard& card;
    CardRenderer renderer;
    int width, height;
    Matrix4 projection;
};

CardViewPictures::CardViewPictures(EditedCard& card, const AppSettings& settings, int width, int height)
    : state_(new State{card, CardRenderer(card, settings), width, height,
                       CameraProjection(width, std::max(1, height / 2), 30.0, 0.0, 0.0, 0.0, card.grid.gridWidth)}) {
    RunRebuildPass(card.grid);
}

CardViewPictures::~CardViewPictures() = default;

CardImage CardViewPictures::At(double foldAngle) {
    State& s = *state_;
    const bool cursor = s.card.edit.cursorVisible;
    s.card.edit.cursorVisible = false;
    s.renderer.SetFoldAngle(foldAngle);
    SoftwareRenderSink sink(s.width, s.height);
    // The renderer hands the fold to the sink with the kept geometry.
    sink.SetTransform(s.projection);
    s.renderer.DrawFrame(sink);
    s.card.edit.cursorVisible = cursor;
    return {sink.Width(), sink.Height(), sink.Rgba()};
}

CardImage RenderCardView(EditedCard& card, const AppSettings& settings, int width, int height, double foldAngle) {
    return CardViewPictures(card, settings, width, height).At(foldAngle);
}

CardImage RenderCardThumbnail(EditedCard& card, const AppSettings& settings, int size) {
    RunRebuildPass(card.grid);
    // A square client area keeps the normalised coordinates square too.
    constexpr int kSquare = 1000;
    const Matrix4 projection =
        CameraProjection(kSquare, kSquare / 2, 30.0, kThumbnailTurn, 0.0, 0.0, card.grid.gridWidth);
    BoundsSink bounds(projection);
    {
        const bool cursor = card.edit.cursorVisible;
        card.edit.cursorVisible = false;
        CardRenderer(card, settings).DrawFrame(bounds);
        card.edit.cursorVisible = cursor;
    }
    const PictureFrame frame = FramePicture(bounds.x0, bounds.x1, bounds.y0, bounds.y1, size);
    return Draw(card, settings, frame.width, frame.height, Multiply(frame.fit, projection), kOpenAngle, true);
}

}  // namespace pw

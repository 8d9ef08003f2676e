#pragma once
#include <utility>
#include <vector>

#include "model/ClosingCheck.h"
#include "model/KeptGridSheet.h"
#include "model/buildable/BuildableCheck.h"
#include "view3d/CardGeometry.h"
#include "view3d/RenderSink.h"

namespace pw {

struct AppSettings;
struct EditedCard;

// Fixed colours of the frame (the invalid-face colour is the geometry's).
inline constexpr GlColor kCursorColor{0.5f, 1.0f, 0.5f};
inline constexpr GlColor kMirrorCursorColor{0.8f, 0.8f, 1.0f};
inline constexpr GlColor kHighlightColor{0.1f, 0.45f, 1.0f};
// The buildability check's findings: a colour no face, line or mark uses.
inline constexpr GlColor kFindingColor{0.95f, 0.1f, 0.75f};

// How far the cursor floats in front of the surface it lies on.
inline constexpr double kCursorLift = 1.02;

// Draws one frame of the opened card: the rebuild pass after a change, the
// card's sheet kept up to date after it (and with it the validity and
// closing checks), the card's geometry (faces slab by slab, their outlines or the grid, the far
// sheet edges), kept between frames and brought up to date with what
// changed, and the edit cursor with its mirror. The camera is the caller's
// business.
class CardRenderer {
public:
    // With `sharedSheet` the frame brings that sheet up to date instead of a
    // sheet of its own: the document's, which its exports read too, so one
    // change is derived once for both.
    CardRenderer(EditedCard& model, const AppSettings& settings, KeptGridSheet* sharedSheet = nullptr)
        : model_(model), settings_(settings), sheet_(sharedSheet ? *sharedSheet : ownSheet_) {}

    void DrawFrame(RenderSink& sink);
    void DrawCard(RenderSink& sink);
    // Applies a pending cursor reset, then draws the cursor (and its mirror).
    void DrawCursor(RenderSink& sink);

    // Draws the card from `shown` instead of the edited grid (a free-form
    // card; nullptr goes back to the grid): its sheet's pieces and outlines,
    // at the fold angle, with the invalid pieces and, while the closing
    // check is on, the paper beyond the closed card's edge marked. No rebuild
    // pass runs and no cursor shows. `shown` must outlive the frames.
    void ShowSheet(const ShownSheet* shown) { shown_ = shown; }
    const ShownSheet* ShownSheetOrNull() const { return shown_; }
    // The width the camera frames, in the units of the view's model space.
    double ViewWidth() const;

    // The once-per-context state is set at the first frame.
    bool GlStateSet() const { return glStateSet_; }
    // For a view whose context was created anew (the state went with the old one).
    void ForgetGlState() { glStateSet_ = false; }

    // The card's geometry as the last frame left it.
    const CardGeometry& Geometry() const { return geometry_; }
    // The card's sheet as the last frame read it (what the view shows, and
    // what a click picks a face on), with the validity marks while the check is on.
    const KeptGridSheet& Sheet() const { return sheet_; }

    // The fold angle the frame shows: the geometry is drawn under its fold
    // matrix, the same arrays at every angle. Editing happens on the opened
    // card only, so the cursor is drawn at 90 degrees alone.
    void SetFoldAngle(double degrees) { foldAngle_ = degrees; }
    double FoldAngle() const { return foldAngle_; }

    // What the closing check found at the last rebuild pass it ran in.
    const ClosingReport& Closing() const { return closing_.Report(); }

    // The piece of the sheet (an index into its pieces) outlined on the
    // opened card, as the pattern pane points at it; -1 for none.
    void SetHighlightedPiece(int piece) { highlightedPiece_ = piece; }
    int HighlightedPiece() const { return highlightedPiece_; }
    // Rings the places of the buildability check's findings on the opened
    // card (sheet units); empty for none. The caller drops them when the
    // card changes.
    void SetMarkedSpots(std::vector<MarkedSpot> spots) { spots_ = std::move(spots); }
    const std::vector<MarkedSpot>& MarkedSpots() const { return spots_; }

private:
    // Draws the cursor square over columns x0 .. x0+s-1, its corners listed
    // from column xFirst to column xSecond.
    void DrawCursorSquare(RenderSink& sink, const GlColor& color, int x0, int xFirst, int xSecond);
    void DrawHighlightedPiece(RenderSink& sink);
    void DrawMarkedSpots(RenderSink& sink, const ::pw::Sheet& sheet);

    EditedCard& model_;
    const AppSettings& settings_;
    KeptGridSheet ownSheet_;
    KeptGridSheet& sheet_;
    CardGeometry geometry_;
    const ShownSheet* shown_ = nullptr;
    bool glStateSet_ = false;
    double foldAngle_ = 90.0;
    int highlightedPiece_ = -1;
    std::vector<MarkedSpot> spots_;
    ClosingCheck closing_;
};

}  // namespace pw

#include "view3d/CardRenderer.h"

#include <algorithm>
#include <cmath>

#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/PieceLines.h"
#include "model/RebuildPass.h"
#include "model/Sheet.h"
#include "view3d/FoldMap.h"
#include "view3d/SheetGeometry.h"

namespace pw {

void CardRenderer::DrawFrame(RenderSink& sink) {
    if (!glStateSet_) {
        sink.State(GlStateOp::DisableCullFace);
        sink.State(GlStateOp::PerspectiveHintNicest);
        glStateSet_ = true;
    }
    // Read every frame, so a changed setting shows at the next redraw.
    sink.ClearColor(ToGlColor(settings_.colors.background));
    sink.State(GlStateOp::DepthFuncLequal);
    sink.State(GlStateOp::EnableDepthTest);
    sink.State(GlStateOp::ClearDepthOne);
    sink.State(GlStateOp::EnableDither);
    sink.State(GlStateOp::DisableCullFace);
    sink.State(GlStateOp::ClearColorAndDepth);
    DrawCard(sink);
    sink.State(GlStateOp::Flush);
}

void CardRenderer::DrawCard(RenderSink& sink) {
    // Filled faces are pushed back so the outlines on their edges win.
    sink.State(GlStateOp::DisableLighting);
    sink.State(GlStateOp::EnablePolygonOffsetFill);
    sink.State(GlStateOp::PolygonOffsetOneOne);

    const bool checkClosing = model_.edit.checkClosing;
    if (shown_) {
        // A card shown from its sheet was derived by its owner; the frame
        // only brings the drawable geometry up to date with it. Its closing
        // is its owner's to measure; the grid's report says nothing of it.
        closing_.Forget();
        geometry_.UpdateFromSheet(*shown_, settings_, checkClosing);
        sink.DrawGeometry(geometry_, FoldMatrix(DrawnFoldAngle(foldAngle_)));
        if (foldAngle_ == kOpenAngle && shown_->sheet) DrawMarkedSpots(sink, *shown_->sheet);
        return;
    }
    CellGrid& g = model_.grid;
    RunRebuildPass(g);
    // The sheet reads the columns the pass redid (or another pass, run for
    // an export between frames); the validity marks follow the sheet.
    sheet_.Update(g, model_.edit.checkInvalidFigure);
    // While the check is off its measurements go stale; switched on, it
    // measures the whole card again.
    if (!checkClosing)
        closing_.Forget();
    else
        closing_.Update(g, sheet_.Current(), sheet_.Cells());
    // Only what the rebuild pass, the validity check, the closing check's
    // switch or the settings changed is derived again; a frame after a turn
    // of the camera or a change of the fold angle derives nothing.
    geometry_.Update(g, sheet_, settings_, checkClosing);
    sink.DrawGeometry(geometry_, FoldMatrix(DrawnFoldAngle(foldAngle_)));
    if (model_.edit.cursorVisible && foldAngle_ == kOpenAngle) DrawCursor(sink);
    if (foldAngle_ == kOpenAngle) DrawHighlightedPiece(sink);
    if (foldAngle_ == kOpenAngle) DrawMarkedSpots(sink, sheet_.Current());
}

void CardRenderer::DrawMarkedSpots(RenderSink& sink, const ::pw::Sheet& sheet) {
    constexpr int kRingPoints = 24;
    constexpr double kTurn = 6.283185307179586;
    // A ring no smaller than a fortieth of the sheet's width, so a fault of
    // a tenth of a millimetre still shows.
    const double least = (sheet.maxX - sheet.minX) / 40;
    for (const MarkedSpot& spot : spots_) {
        const double radius = std::max(spot.radius, least);
        // A fault at a cut lies on no paper: the paper beside it carries the ring.
        int piece = PieceAt(sheet, spot.at);
        for (int k = 0; piece < 0 && k < 8; ++k)
            piece = PieceAt(sheet, {spot.at.x + radius * std::cos(k * kTurn / 8), spot.at.s + radius * std::sin(k * kTurn / 8)});
        if (piece < 0) continue;
        const SheetPiece& on = sheet.pieces[static_cast<std::size_t>(piece)];
        const bool level = on.plane == PiecePlane::Horizontal;
        // Lifted off the paper: a grid card's by as much as the cursor, a
        // shown sheet's into its own view space by a little.
        const double lift = shown_ ? least / 4 : kCursorLift - 1;
        auto place = [&](double angle) {
            const CardPoint c = PlacePoint(on, {spot.at.x + radius * std::cos(angle), spot.at.s + radius * std::sin(angle)});
            const Vertex v = shown_ ? SheetViewPoint(sheet, c) : Vertex{c.x, c.y + 1, c.z + 1};
            return Vertex{v.x, v.y + (level ? 0 : lift), v.z + (level ? lift : 0)};
        };
        for (int k = 0; k < kRingPoints; ++k)
            sink.Line(kFindingColor, place(k * kTurn / kRingPoints), place((k + 1) * kTurn / kRingPoints));
    }
}

void CardRenderer::DrawHighlightedPiece(RenderSink& sink) {
    const ::pw::Sheet& sheet = sheet_.Current();
    if (highlightedPiece_ < 0 || highlightedPiece_ >= static_cast<int>(sheet.pieces.size())) return;
    const SheetPiece& piece = sheet.pieces[static_cast<std::size_t>(highlightedPiece_)];
    // The sheet counts from the crease, the grid's space from the border
    // cell: one cell up and one forward; lifted off the paper as the cursor is.
    const bool level = piece.plane == PiecePlane::Horizontal;
    auto place = [&](SheetPoint p) {
        const CardPoint c = PlacePoint(piece, p);
        return Vertex{c.x, c.y + 1 + (level ? 0 : kCursorLift), c.z + 1 + (level ? kCursorLift : 0)};
    };
    for (const SheetPath& loop : piece.loops) {
        SheetPoint at = loop.start;
        for (const PathSegment& seg : loop.segments) {
            sink.Line(kHighlightColor, place(at), place(seg.end));
            at = seg.end;
        }
        if (loop.closed) sink.Line(kHighlightColor, place(at), place(loop.start));
    }
}

double CardRenderer::ViewWidth() const {
    if (shown_ && shown_->sheet) return SheetViewWidth(*shown_->sheet);
    return model_.grid.gridWidth;
}

void CardRenderer::DrawCursor(RenderSink& sink) {
    CellGrid& g = model_.grid;
    EditState& e = model_.edit;
    if (g.cursorResetPending) {
        e.cursor = EditCursor{};
        g.cursorResetPending = false;
    }
    const int W = g.gridWidth;
    const int cx = e.cursor.column, s = e.cursorSize;
    DrawCursorSquare(sink, kCursorColor, cx, cx, cx + s);
    if (e.mirrorMode) {
        const int m = W - cx - s;
        DrawCursorSquare(sink, kMirrorCursorColor, m, W - cx, m);
    }
}

void CardRenderer::DrawCursorSquare(RenderSink& sink, const GlColor& color, int x0, int xFirst, int xSecond) {
    const CellGrid& g = model_.grid;
    const EditState& e = model_.edit;
    const int H = g.gridHeight;
    const int c2 = e.cursor.row, s = e.cursorSize;
    const double xf = xFirst, xs = xSecond, r0 = c2, r1 = c2 + s;
    if (e.editPlane == 0) {
        const double z = g.MaxHeightUnder(x0, c2, s) + kCursorLift;
        const Vertex v[4] = {{xf, r0, z}, {xs, r0, z}, {xs, r1, z}, {xf, r1, z}};
        sink.Quad(color, v);
        return;
    }
    // Over bare back sheet, the cursor stands in front of the first relief
    // found higher up in the same columns.
    int t = g.MaxDepthUnder(x0, c2, s);
    for (int z = c2 + s; t == 0 && z + s < H - 1; z += s) t = g.MaxDepthUnder(x0, z, s);
    const double y = t + kCursorLift;
    const Vertex v[4] = {{xf, y, r0}, {xs, y, r0}, {xs, y, r1}, {xf, y, r1}};
    sink.Quad(color, v);
}

}  // namespace pw

#include "view3d/CardRenderer.h"

#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/RebuildPass.h"
#include "view3d/InvalidFigureCheck.h"

namespace pw {

void CardRenderer::DrawFrame(RenderSink& sink) {
    if (!glStateSet_) {
        sink.State(GlStateOp::DisableCullFace);
        sink.State(GlStateOp::PerspectiveHintNicest);
        glStateSet_ = true;
    }
    // Read every frame, so a changed setting shows at the next redraw.
    sink.ClearColor(ToGlColor(settings_.colorBack));
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

    CellGrid& g = model_.grid;
    const bool checkClosing = model_.edit.checkClosing;
    if (checkClosing) closing_.NoteDirtyColumns(g);
    bool rebuilt = false;
    if (model_.edit.checkInvalidFigure)
        rebuilt = RunRebuildPass(g, CheckInvalidFigure);
    else
        rebuilt = RunRebuildPass(g);
    // While the check is off its measurements go stale; switching it on
    // sets gridChanged, so it measures the whole card again then.
    if (!checkClosing)
        closing_.Forget();
    else if (rebuilt)
        closing_.Update(g);

    const int W = g.gridWidth, H = g.gridHeight;
    const bool grid = settings_.drawGrid != 0;
    for (int a = 1; a < W;) {
        int b = 1;
        if (!grid)
            while (a + b < W && g.HasFlag(a + b, 0, 0, COLUMN_SAME_AS_LEFT)) ++b;
        DrawSlabFaces(sink, a, b);
        if (!grid) DrawSlabOutlines(sink, a, b);
        a += b;
    }
    if (!grid) {
        const GlColor edge = ToGlColor(settings_.colorEdge);
        sink.Line(edge, {1, 1, double(H)}, {double(W - 1), 1, double(H)});  // top of the back sheet
        sink.Line(edge, {1, double(H), 1}, {double(W - 1), double(H), 1});  // front of the floor sheet
    }
    if (model_.edit.cursorVisible && foldAngle_ == 90.0) DrawCursor(sink);
}

void CardRenderer::DrawSlabFaces(RenderSink& sink, int a, int b) {
    const CellGrid& g = model_.grid;
    const int H = g.gridHeight;
    const bool grid = settings_.drawGrid != 0;
    const GlColor paper0 = ToGlColor(settings_.colorPaper0);
    const GlColor paper1 = ToGlColor(settings_.colorPaper1);
    const GlColor edge = ToGlColor(settings_.colorEdge);
    const double x0 = a, x1 = a + b;
    const bool closing = model_.edit.checkClosing;

    for (int y = 0; y < H; ++y)
        for (int z = 0; z < H; ++z) {
            const std::uint8_t cell = g.GetCell(a, y, z);
            if (!(cell & CELL_VERTICAL_FACE)) continue;
            const bool top = (cell & CELL_ANCHORED_TOP) != 0;
            const bool bottom = (cell & CELL_ANCHORED_BOTTOM) != 0;
            const Vertex v[4] = {{x0, double(y), double(z)}, {x1, double(y), double(z)},
                                 {x1, double(y), double(z + 1)}, {x0, double(y), double(z + 1)}};
            // A face that cannot stand up at all is the worse fault; its red wins.
            const GlColor color = top != bottom                               ? kInvalidFaceColor
                                  : closing && FaceSticksOut(y, z, H) ? kSticksOutColor
                                                                      : paper0;
            sink.Quad(color, v);
            if (grid) sink.LineLoop(edge, v);
        }
    for (int y = 0; y < H; ++y)
        for (int z = 0; z < H; ++z) {
            if (!g.HasFlag(a, y, z, CELL_HORIZONTAL_FACE)) continue;
            const Vertex v[4] = {{x0, double(y), double(z)}, {x1, double(y), double(z)},
                                 {x1, double(y + 1), double(z)}, {x0, double(y + 1), double(z)}};
            sink.Quad(closing && FaceSticksOut(y, z, H) ? kSticksOutColor : paper1, v);
            if (grid) sink.LineLoop(edge, v);
        }
}

void CardRenderer::DrawSlabOutlines(RenderSink& sink, int a, int b) {
    const CellGrid& g = model_.grid;
    const int H = g.gridHeight;
    const int p = a - 1;
    const GlColor edge = ToGlColor(settings_.colorEdge);
    const double xa = a, xb = a + b;
    auto differs = [&](int x1, int y1, int z1, int x2, int y2, int z2, std::uint8_t flag) {
        return g.HasFlag(x1, y1, z1, flag) != g.HasFlag(x2, y2, z2, flag);
    };

    // Left edges, where the slab's faces differ from the column before it.
    for (int y = 0; y < H; ++y)
        for (int z = 0; z < H; ++z)
            if (differs(p, y, z, a, y, z, CELL_VERTICAL_FACE))
                sink.Line(edge, {xa, double(y), double(z)}, {xa, double(y), double(z + 1)});
    for (int y = 0; y < H; ++y)
        for (int z = 0; z < H; ++z)
            if (differs(p, y, z, a, y, z, CELL_HORIZONTAL_FACE))
                sink.Line(edge, {xa, double(y), double(z)}, {xa, double(y + 1), double(z)});
    // Bottom and top edges of vertical faces, back and front edges of horizontal ones.
    for (int y = 0; y < H; ++y)
        for (int z = 1; z < H; ++z)
            if (differs(a, y, z, a, y, z - 1, CELL_VERTICAL_FACE))
                sink.Line(edge, {xa, double(y), double(z)}, {xb, double(y), double(z)});
    for (int y = 1; y <= H - 2; ++y)
        for (int z = 1; z <= H - 2; ++z)
            if (differs(a, y, z, a, y - 1, z, CELL_HORIZONTAL_FACE))
                sink.Line(edge, {xa, double(y), double(z)}, {xb, double(y), double(z)});
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

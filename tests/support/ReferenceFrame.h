#pragma once
// The 3D view's frame as it was drawn before the card's geometry was kept
// between frames: every frame walked all cells of the grid and sent each
// face and outline on its own. Kept as the reference that the geometry
// stage and the batch path must reproduce, call for call and pixel for pixel.
#include "edit/EditedCard.h"
#include "model/CellFlags.h"
#include "model/AppSettings.h"
#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "view3d/CardRenderer.h"
#include "support/ReferenceAnchoring.h"
#include "view3d/RenderSink.h"

namespace pw::test {

// The slabs' faces, their outlines or the grid, and the far sheet edges.
inline void DrawReferenceCard(const CellGrid& g, const AppSettings& settings, RenderSink& sink) {
    const int W = g.gridWidth, H = g.gridHeight;
    const bool grid = settings.view.gridDisplay != 0;
    const GlColor paper0 = ToGlColor(settings.colors.verticalFace);
    const GlColor paper1 = ToGlColor(settings.colors.horizontalFace);
    const GlColor edge = ToGlColor(settings.colors.outline);
    for (int a = 1; a < W;) {
        int b = 1;
        if (!grid)
            while (a + b < W && g.HasFlag(a + b, 0, 0, COLUMN_SAME_AS_LEFT)) ++b;
        const double x0 = a, x1 = a + b;
        for (int y = 0; y < H; ++y)
            for (int z = 0; z < H; ++z) {
                const std::uint8_t cell = g.GetCell(a, y, z);
                if (!(cell & CELL_VERTICAL_FACE)) continue;
                const bool top = (cell & CELL_ANCHORED_TOP) != 0;
                const bool bottom = (cell & CELL_ANCHORED_BOTTOM) != 0;
                const Vertex v[4] = {{x0, double(y), double(z)}, {x1, double(y), double(z)},
                                     {x1, double(y), double(z + 1)}, {x0, double(y), double(z + 1)}};
                sink.Quad(top != bottom ? kInvalidFaceColor : paper0, v);
                if (grid) sink.LineLoop(edge, v);
            }
        for (int y = 0; y < H; ++y)
            for (int z = 0; z < H; ++z) {
                if (!g.HasFlag(a, y, z, CELL_HORIZONTAL_FACE)) continue;
                const Vertex v[4] = {{x0, double(y), double(z)}, {x1, double(y), double(z)},
                                     {x1, double(y + 1), double(z)}, {x0, double(y + 1), double(z)}};
                sink.Quad(paper1, v);
                if (grid) sink.LineLoop(edge, v);
            }
        if (!grid) {
            const int p = a - 1;
            auto differs = [&](int xa, int ya, int za, int xb, int yb, int zb, std::uint8_t flag) {
                return g.HasFlag(xa, ya, za, flag) != g.HasFlag(xb, yb, zb, flag);
            };
            for (int y = 0; y < H; ++y)
                for (int z = 0; z < H; ++z)
                    if (differs(p, y, z, a, y, z, CELL_VERTICAL_FACE))
                        sink.Line(edge, {x0, double(y), double(z)}, {x0, double(y), double(z + 1)});
            for (int y = 0; y < H; ++y)
                for (int z = 0; z < H; ++z)
                    if (differs(p, y, z, a, y, z, CELL_HORIZONTAL_FACE))
                        sink.Line(edge, {x0, double(y), double(z)}, {x0, double(y + 1), double(z)});
            for (int y = 0; y < H; ++y)
                for (int z = 1; z < H; ++z)
                    if (differs(a, y, z, a, y, z - 1, CELL_VERTICAL_FACE))
                        sink.Line(edge, {x0, double(y), double(z)}, {x1, double(y), double(z)});
            for (int y = 1; y <= H - 2; ++y)
                for (int z = 1; z <= H - 2; ++z)
                    if (differs(a, y, z, a, y - 1, z, CELL_HORIZONTAL_FACE))
                        sink.Line(edge, {x0, double(y), double(z)}, {x1, double(y), double(z)});
        }
        a += b;
    }
    if (!grid) {
        sink.Line(edge, {1, 1, double(H)}, {double(W - 1), 1, double(H)});
        sink.Line(edge, {1, double(H), 1}, {double(W - 1), double(H), 1});
    }
}

// A whole frame as a context's first one: GL state, the rebuild pass, the
// card and the cursor (whose drawing is the renderer's own).
inline void DrawReferenceFrame(EditedCard& model, const AppSettings& settings, RenderSink& sink) {
    sink.State(GlStateOp::DisableCullFace);
    sink.State(GlStateOp::PerspectiveHintNicest);
    sink.ClearColor(ToGlColor(settings.colors.background));
    sink.State(GlStateOp::DepthFuncLequal);
    sink.State(GlStateOp::EnableDepthTest);
    sink.State(GlStateOp::ClearDepthOne);
    sink.State(GlStateOp::EnableDither);
    sink.State(GlStateOp::DisableCullFace);
    sink.State(GlStateOp::ClearColorAndDepth);
    sink.State(GlStateOp::DisableLighting);
    sink.State(GlStateOp::EnablePolygonOffsetFill);
    sink.State(GlStateOp::PolygonOffsetOneOne);
    RunRebuildPass(model.grid);
    ReferenceMarks(model.grid, model.edit.checkInvalidFigure);
    DrawReferenceCard(model.grid, settings, sink);
    if (model.edit.cursorVisible) CardRenderer(model, settings).DrawCursor(sink);
    sink.State(GlStateOp::Flush);
}

}  // namespace pw::test

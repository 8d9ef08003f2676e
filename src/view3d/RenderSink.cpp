#include "view3d/RenderSink.h"

#include "view3d/CardGeometry.h"

namespace pw {

namespace {

Vertex Transformed(const Matrix4& m, const Vertex& p) {
    const double w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
    return {(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12]) / w, (m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13]) / w,
            (m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]) / w};
}

}  // namespace

void RenderSink::DrawGeometry(const CardGeometry& geometry, const Matrix4& model) {
    ReplayGeometry(geometry, model, *this);
}

void ReplayGeometry(const CardGeometry& geometry, const Matrix4& model, RenderSink& sink) {
    const bool moved = model != IdentityMatrix();
    auto place = [&](const Vertex& p) { return moved ? Transformed(model, p) : p; };
    const GlColor& edge = geometry.EdgeColor();
    for (const GeometryBlock* block : geometry.Blocks()) {
        for (std::size_t i = 0; i < block->FaceCount(); ++i) {
            const Vertex v[4] = {place(block->FaceCorner(i, 0)), place(block->FaceCorner(i, 1)),
                                 place(block->FaceCorner(i, 2)), place(block->FaceCorner(i, 3))};
            sink.Quad(block->FaceColor(i), v);
            if (block->outlineEachFace) sink.LineLoop(edge, v);
        }
        for (std::size_t i = 0; i < block->LineCount(); ++i)
            sink.Line(edge, place(block->LineEnd(i, 0)), place(block->LineEnd(i, 1)));
    }
}

}  // namespace pw

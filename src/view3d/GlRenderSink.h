#pragma once
#include <vector>

#include "view3d/RenderSink.h"

namespace pw {

// Draws a frame with OpenGL 1.1 into the current context: the card's
// geometry from vertex arrays, everything else (the cursor) in immediate
// mode, where runs of quadrilaterals and of lines share one glBegin/glEnd
// block and a line loop or a state change closes the open block.
class GlRenderSink : public RenderSink {
public:
    ~GlRenderSink() override { Finish(); }

    void State(GlStateOp op) override;
    void ClearColor(const GlColor& color) override;
    void Quad(const GlColor& color, const Vertex (&v)[4]) override;
    void LineLoop(const GlColor& color, const Vertex (&v)[4]) override;
    void Line(const GlColor& color, const Vertex& from, const Vertex& to) override;
    void DrawGeometry(const CardGeometry& geometry, const Matrix4& model) override;

    // Closes an open glBegin block.
    void Finish();

private:
    void Begin(unsigned mode);
    // Element indices that turn n quadrilaterals of a vertex array into the
    // segments of their outline loops: 0 1, 1 2, 2 3, 3 0, then 4 5, ...
    const unsigned* LoopIndices(std::size_t quads);

    unsigned open_ = 0;  // the mode of the open block
    bool isOpen_ = false;
    std::vector<unsigned> loopIndices_;
};

}  // namespace pw

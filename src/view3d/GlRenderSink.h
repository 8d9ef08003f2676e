#pragma once
#include "view3d/RenderSink.h"

namespace pw {

// Draws a frame with OpenGL 1.1 immediate mode into the current context.
// Runs of quadrilaterals and of lines share one glBegin/glEnd block; a line
// loop or a state change closes the open block.
class GlRenderSink : public RenderSink {
public:
    ~GlRenderSink() override { Finish(); }

    void State(GlStateOp op) override;
    void ClearColor(const GlColor& color) override;
    void Quad(const GlColor& color, const Vertex (&v)[4]) override;
    void LineLoop(const GlColor& color, const Vertex (&v)[4]) override;
    void Line(const GlColor& color, const Vertex& from, const Vertex& to) override;

    // Closes an open glBegin block.
    void Finish();

private:
    void Begin(unsigned mode);
    unsigned open_ = 0;  // the mode of the open block
    bool isOpen_ = false;
};

}  // namespace pw

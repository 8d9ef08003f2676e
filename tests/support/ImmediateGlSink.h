#pragma once
// The OpenGL sink as it was before the batch path: every call in OpenGL 1.1
// immediate mode, runs of quadrilaterals and of lines in one glBegin/glEnd
// block, a line loop or a state change closing the open block. With the
// reference frame it draws the picture the batch path must reproduce.
#include <GL/gl.h>

#include "view3d/RenderSink.h"

namespace pw::test {

class ImmediateGlSink : public RenderSink {
public:
    ~ImmediateGlSink() override { Finish(); }

    void State(GlStateOp op) override {
        Finish();
        switch (op) {
            case GlStateOp::DisableCullFace: glDisable(GL_CULL_FACE); break;
            case GlStateOp::PerspectiveHintNicest: glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST); break;
            case GlStateOp::DepthFuncLequal: glDepthFunc(GL_LEQUAL); break;
            case GlStateOp::EnableDepthTest: glEnable(GL_DEPTH_TEST); break;
            case GlStateOp::ClearDepthOne: glClearDepth(1.0); break;
            case GlStateOp::EnableDither: glEnable(GL_DITHER); break;
            case GlStateOp::ClearColorAndDepth: glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); break;
            case GlStateOp::DisableLighting: glDisable(GL_LIGHTING); break;
            case GlStateOp::EnablePolygonOffsetFill: glEnable(GL_POLYGON_OFFSET_FILL); break;
            case GlStateOp::PolygonOffsetOneOne: glPolygonOffset(1.0f, 1.0f); break;
            case GlStateOp::Flush: glFlush(); break;
        }
    }
    void ClearColor(const GlColor& c) override {
        Finish();
        glClearColor(c.r, c.g, c.b, 1.0f);
    }
    void Quad(const GlColor& c, const Vertex (&v)[4]) override {
        Begin(GL_QUADS);
        glColor3f(c.r, c.g, c.b);
        for (const Vertex& p : v) glVertex3d(p.x, p.y, p.z);
    }
    void LineLoop(const GlColor& c, const Vertex (&v)[4]) override {
        Finish();
        glBegin(GL_LINE_LOOP);
        glColor3f(c.r, c.g, c.b);
        for (const Vertex& p : v) glVertex3d(p.x, p.y, p.z);
        glEnd();
    }
    void Line(const GlColor& c, const Vertex& from, const Vertex& to) override {
        Begin(GL_LINES);
        glColor3f(c.r, c.g, c.b);
        glVertex3d(from.x, from.y, from.z);
        glVertex3d(to.x, to.y, to.z);
    }
    void Finish() {
        if (isOpen_) glEnd();
        isOpen_ = false;
    }

private:
    void Begin(unsigned mode) {
        if (isOpen_ && open_ == mode) return;
        Finish();
        glBegin(mode);
        open_ = mode;
        isOpen_ = true;
    }
    unsigned open_ = 0;
    bool isOpen_ = false;
};

}  // namespace pw::test

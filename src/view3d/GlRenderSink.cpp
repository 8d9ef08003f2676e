#include "view3d/GlRenderSink.h"

#include <GL/gl.h>

namespace pw {

void GlRenderSink::Finish() {
    if (isOpen_) glEnd();
    isOpen_ = false;
}

void GlRenderSink::Begin(unsigned mode) {
    if (isOpen_ && open_ == mode) return;
    Finish();
    glBegin(mode);
    open_ = mode;
    isOpen_ = true;
}

void GlRenderSink::State(GlStateOp op) {
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

void GlRenderSink::ClearColor(const GlColor& c) {
    Finish();
    glClearColor(c.r, c.g, c.b, 1.0f);
}

void GlRenderSink::Quad(const GlColor& c, const Vertex (&v)[4]) {
    Begin(GL_QUADS);
    glColor3f(c.r, c.g, c.b);
    for (const Vertex& p : v) glVertex3d(p.x, p.y, p.z);
}

void GlRenderSink::LineLoop(const GlColor& c, const Vertex (&v)[4]) {
    Finish();
    glBegin(GL_LINE_LOOP);
    glColor3f(c.r, c.g, c.b);
    for (const Vertex& p : v) glVertex3d(p.x, p.y, p.z);
    glEnd();
}

void GlRenderSink::Line(const GlColor& c, const Vertex& from, const Vertex& to) {
    Begin(GL_LINES);
    glColor3f(c.r, c.g, c.b);
    glVertex3d(from.x, from.y, from.z);
    glVertex3d(to.x, to.y, to.z);
}

}  // namespace pw

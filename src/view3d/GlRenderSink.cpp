#include "view3d/GlRenderSink.h"

#include <GL/gl.h>

#include "view3d/CardGeometry.h"

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

const unsigned* GlRenderSink::LoopIndices(std::size_t quads) {
    for (std::size_t q = loopIndices_.size() / 8; q < quads; ++q) {
        const unsigned v = static_cast<unsigned>(q * 4);
        for (unsigned k = 0; k < 4; ++k) {
            loopIndices_.push_back(v + k);
            loopIndices_.push_back(v + (k + 1) % 4);
        }
    }
    return loopIndices_.data();
}

// The same primitives as single calls would give, in the same order within
// each block: its faces as one run of quadrilaterals, then its outline
// segments as one run of lines. With the grid display a face's outline loop
// comes after the column's other faces rather than right after its own face.
// The order of a line and a face decides a pixel only where their depths are
// exactly equal, and the faces' polygon offset keeps each face behind the
// lines on its edges; the picture is the same (FramePixelTest compares it).
void GlRenderSink::DrawGeometry(const CardGeometry& geometry, const Matrix4& model) {
    Finish();
    const bool moved = model != IdentityMatrix();
    GLint matrixMode = GL_MODELVIEW;
    if (moved) {
        glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glMultMatrixd(model.data());
    }
    const GlColor& edge = geometry.EdgeColor();
    glEnableClientState(GL_VERTEX_ARRAY);
    for (const GeometryBlock* block : geometry.Blocks()) {
        const std::size_t faces = block->FaceCount();
        if (faces > 0) {
            glEnableClientState(GL_COLOR_ARRAY);
            glVertexPointer(3, GL_FLOAT, 0, block->facePositions.data());
            glColorPointer(3, GL_FLOAT, 0, block->faceColors.data());
            glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(faces * 4));
            glDisableClientState(GL_COLOR_ARRAY);
            if (block->outlineEachFace) {
                glColor3f(edge.r, edge.g, edge.b);
                glDrawElements(GL_LINES, static_cast<GLsizei>(faces * 8), GL_UNSIGNED_INT, LoopIndices(faces));
            }
        }
        if (block->LineCount() > 0) {
            glColor3f(edge.r, edge.g, edge.b);
            glVertexPointer(3, GL_FLOAT, 0, block->linePositions.data());
            glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(block->LineCount() * 2));
        }
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    if (moved) {
        glPopMatrix();
        glMatrixMode(static_cast<GLenum>(matrixMode));
    }
}

}  // namespace pw

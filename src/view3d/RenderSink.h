#pragma once
#include <cstdint>

#include "view3d/Camera.h"

namespace pw {

class CardGeometry;

// A flat colour as OpenGL takes it, each channel 0 .. 1.
struct GlColor {
    float r = 0, g = 0, b = 0;
    bool operator==(const GlColor& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const GlColor& o) const { return !(*this == o); }
};

// A settings colour 0x00BBGGRR as a GL colour: each byte times 1/255.
inline GlColor ToGlColor(std::int32_t value) {
    constexpr float k = 1.0f / 255.0f;
    return {static_cast<float>(value & 0xFF) * k, static_cast<float>((value >> 8) & 0xFF) * k,
            static_cast<float>((value >> 16) & 0xFF) * k};
}

// A point of model space: x along the crease, y depth, z height.
struct Vertex {
    double x = 0, y = 0, z = 0;
    bool operator==(const Vertex& o) const { return x == o.x && y == o.y && z == o.z; }
};

// The pieces of OpenGL state a frame sets, in the words of the GL calls.
enum class GlStateOp {
    DisableCullFace,          // glDisable(GL_CULL_FACE)
    PerspectiveHintNicest,    // glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST)
    DepthFuncLequal,          // glDepthFunc(GL_LEQUAL)
    EnableDepthTest,          // glEnable(GL_DEPTH_TEST)
    ClearDepthOne,            // glClearDepth(1.0)
    EnableDither,             // glEnable(GL_DITHER)
    ClearColorAndDepth,       // glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)
    DisableLighting,          // glDisable(GL_LIGHTING)
    EnablePolygonOffsetFill,  // glEnable(GL_POLYGON_OFFSET_FILL)
    PolygonOffsetOneOne,      // glPolygonOffset(1.0, 1.0)
    Flush,                    // glFlush()
};

// Where the card renderer sends a frame. The card itself comes as geometry
// kept between frames (the batch path); the GL state and the edit cursor
// come as single calls. Tests and benchmarks record the frame.
class RenderSink {
public:
    virtual ~RenderSink() = default;
    virtual void State(GlStateOp op) = 0;
    virtual void ClearColor(const GlColor& color) = 0;  // alpha 1.0
    virtual void Quad(const GlColor& color, const Vertex (&v)[4]) = 0;
    virtual void LineLoop(const GlColor& color, const Vertex (&v)[4]) = 0;
    virtual void Line(const GlColor& color, const Vertex& from, const Vertex& to) = 0;

    // Draws the card's geometry with every point p taken to model · p (the
    // identity shows the card opened at a right angle, as it is stored). The
    // geometry stays the same object from frame to frame, and its blocks'
    // revisions tell what changed, so a sink may keep what it prepared from
    // it. This one replays it as single calls (ReplayGeometry).
    virtual void DrawGeometry(const CardGeometry& geometry, const Matrix4& model);
};

// The geometry as single calls, in the order the frame draws it: block by
// block, each face as a Quad (at once followed by its LineLoop with the grid
// display), then the block's outline segments as Lines.
void ReplayGeometry(const CardGeometry& geometry, const Matrix4& model, RenderSink& sink);

}  // namespace pw

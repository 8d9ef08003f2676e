#pragma once
#include <cstdint>
#include <vector>

#include "view3d/Camera.h"
#include "view3d/RenderSink.h"

namespace pw {

// Draws a frame on the CPU into an RGBA picture with a depth buffer, by the
// rules the OpenGL path follows: a pixel is covered when its centre lies
// inside the face (ties broken by the top-left rule), lines are one pixel
// wide with one fragment per column (or row) they cross, the depth test and
// the polygon offset act as GL's do, and colours are the same bytes. So the
// picture of the 3D view exists without OpenGL, a window or a display.
class SoftwareRenderSink : public RenderSink {
public:
    // A picture of width x height pixels (each at least 1), cleared to
    // transparent black.
    SoftwareRenderSink(int width, int height);

    // Model space to clip space: the projection times the model-view matrix
    // (the fold), as GL multiplies them.
    void SetTransform(const Matrix4& modelToClip) { transform_ = modelToClip; }
    // The cleared background gets alpha 0 instead of 1, for pictures that
    // lie on any background (thumbnails); the card stays opaque.
    void SetTransparentBackground(bool transparent) { transparentBackground_ = transparent; }

    void State(GlStateOp op) override;
    void ClearColor(const GlColor& color) override;
    void Quad(const GlColor& color, const Vertex (&v)[4]) override;
    void LineLoop(const GlColor& color, const Vertex (&v)[4]) override;
    void Line(const GlColor& color, const Vertex& from, const Vertex& to) override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Four bytes per pixel, red, green, blue, alpha, top row first.
    const std::vector<std::uint8_t>& Rgba() const { return rgba_; }
    // 0xAARRGGBB of the pixel in column x, row y counted from the top.
    std::uint32_t Pixel(int x, int y) const;

private:
    struct Clip {
        double x, y, z, w;
    };
    struct Window {
        double x, y, z;  // pixels from the bottom left, depth 0 .. 1
    };
    Clip ToClip(const Vertex& v) const;
    Window ToWindow(const Clip& c) const;
    void FillPolygon(const GlColor& color, std::vector<Clip> polygon);
    void FillTriangle(std::uint32_t rgba, const Window& a, const Window& b, const Window& c);
    void DrawSegment(std::uint32_t rgba, Clip a, Clip b);
    // Writes the fragment when it passes the depth test; y counts from the bottom.
    void Fragment(int x, int y, double depth, std::uint32_t rgba);

    int width_, height_;
    Matrix4 transform_ = IdentityMatrix();
    bool transparentBackground_ = false;
    bool depthTest_ = false;
    bool polygonOffset_ = false;
    double offsetFactor_ = 0, offsetUnits_ = 0;
    double clearDepth_ = 1.0;
    GlColor clearColor_;
    std::vector<std::uint8_t> rgba_;
    std::vector<std::uint32_t> depth_;  // 24-bit depth values, bottom row first
};

}  // namespace pw

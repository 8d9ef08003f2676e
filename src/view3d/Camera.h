#pragma once
#include <array>

namespace pw {

// A 4x4 matrix in OpenGL's column order: element (row, col) at [col * 4 + row].
using Matrix4 = std::array<double, 16>;

Matrix4 IdentityMatrix();
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);  // a * b

// The view's camera. All of it lives in the projection matrix, rebuilt from
// the stored angles and shifts at every change; the model-view matrix stays
// the identity.
class Camera {
public:
    enum class DragMode { None, Rotate, Pan, Zoom };

    static constexpr double kRotateGain = 0.3;  // degrees per pixel
    static constexpr double kZoomGain = 0.1;    // model units per pixel
    static constexpr double kPanGain = 0.01;    // card widths per pixel

    double angleX = 30.0;  // tilt about the horizontal axis, degrees
    double angleY = 0.0;   // turn about the card's vertical axis, degrees
    double zoom = 0.0;     // shift of the card toward the eye
    double panX = 0.0;     // shift along the crease, in card widths

    // The client area in pixels; the half height is height / 2, rounded down.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    int HalfHeight() const { return halfHeight_; }

    // Rebuilds the projection for a grid of gridWidth columns. A client area
    // without width or height (a minimised window) has no frustum: the last
    // matrix stays and false is returned.
    bool Setup(int gridWidth);
    const Matrix4& Projection() const { return projection_; }

    // Shift wins over Ctrl: both held start a zoom.
    void BeginDrag(int x, int y, bool shift, bool ctrl);
    // Applies one drag step; true when the camera moved and must be set up
    // and redrawn, false when no drag is in progress.
    bool DragTo(int x, int y);
    void EndDrag() { mode_ = DragMode::None; }
    DragMode Mode() const { return mode_; }

    // The camera values the view starts with; the client size stays.
    void HomePosition();

private:
    int width_ = 0, height_ = 0, halfHeight_ = 0;
    int lastX_ = 0, lastY_ = 0;
    DragMode mode_ = DragMode::None;
    Matrix4 projection_ = IdentityMatrix();
};

// The projection of the seven factors, outermost first: the frustum, the
// zoom translation, the tilt, the turn, the scale to 16 units of width, the
// pan translation and the y/z swap. halfHeight and clientWidth must be > 0.
Matrix4 CameraProjection(int clientWidth, int halfHeight, double angleX, double angleY, double zoom, double panX,
                         int gridWidth);

}  // namespace pw

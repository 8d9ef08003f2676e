#pragma once
#include <array>

namespace pw {

// A 4x4 matrix in OpenGL's column order: element (row, col) at [col * 4 + row].
using Matrix4 = std::array<double, 16>;

Matrix4 IdentityMatrix();
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);  // a * b
// The inverse of m; false (and `inverse` unchanged) when m is singular.
bool Invert(const Matrix4& m, Matrix4& inverse);

// A picture framing a drawing's extent in clip space (x0..x1, y0..y1)
// tightly: its larger side `size` pixels, the other in proportion, and the
// matrix that maps the extent onto it with a little room around.
struct PictureFrame {
    int width = 1, height = 1;
    Matrix4 fit{};
};
PictureFrame FramePicture(double x0, double x1, double y0, double y1, int size);

struct Point3 {
    double x = 0, y = 0, z = 0;
};

// The line of sight under one pixel, in model space: from its point on the
// near plane to its point on the far plane, so it covers exactly the depths
// the view can show, nearest first.
struct PointerRay {
    Point3 nearPoint;
    Point3 farPoint;
};

// The view's camera. All of it lives in the projection matrix, rebuilt from
// the stored angles and shifts at every change; the model-view matrix stays
// the identity.
class Camera {
public:
    enum class DragMode { None, Rotate, Pan, Zoom };

    static constexpr double kRotateGain = 0.3;  // degrees per pixel
    static constexpr double kZoomGain = 0.1;    // model units per pixel
    static constexpr double kPanGain = 0.01;    // card widths per pixel
    // A press that never moves further than this many pixels from where it
    // began, in either direction, is a click rather than a drag.
    static constexpr int kClickSlop = 3;
    // One notch of a mouse wheel (120 eighths of a degree) zooms as far as a
    // Shift-drag of 20 pixels: 2 model units, a twentieth of the distance to
    // the card at the start.
    static constexpr int kWheelNotch = 120;
    static constexpr int kWheelPixelsPerNotch = 20;
    // The wheel never takes a step that brings the centre of turning nearer
    // to the eye than this, so it cannot pass the card and lose it behind the
    // eye; a Shift-drag still can.
    static constexpr double kWheelNearestZoom = 36.0;

    double angleX = 30.0;  // tilt about the horizontal axis, degrees
    double angleY = 0.0;   // turn about the card's vertical axis, degrees
    double zoom = 0.0;     // shift of the card toward the eye
    double panX = 0.0;     // shift along the crease, in card widths

    // The client area in pixels; the half height is height / 2, rounded down.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    int HalfHeight() const { return halfHeight_; }

    // Rebuilds the projection for a grid of gridWidth columns (or a card
    // drawn from its sheet, as wide: SheetViewWidth). A client area
    // without width or height (a minimised window) has no frustum: the last
    // matrix stays and false is returned.
    bool Setup(double gridWidth);
    const Matrix4& Projection() const { return projection_; }

    // The ray under the client point (x, y), in pixels from the top left
    // corner (a pixel's centre is at +0.5), through the last projection;
    // false when there has been none yet.
    bool RayThrough(double x, double y, PointerRay& ray) const;

    // Shift wins over Ctrl: both held start a zoom.
    void BeginDrag(int x, int y, bool shift, bool ctrl);
    // Applies one drag step; true when the camera moved and must be set up
    // and redrawn, false when no drag is in progress.
    bool DragTo(int x, int y);
    void EndDrag() { mode_ = DragMode::None; }
    // Ends the drag released at (x, y); true when it was a click: the
    // pointer never went further than kClickSlop pixels from the press.
    bool EndDrag(int x, int y);
    DragMode Mode() const { return mode_; }

    // A turn of the wheel by `eighthsOfDegree` (positive away from the user,
    // which brings the card closer). Turns of less than a notch add up until
    // they make whole Shift-drag pixels. True when the zoom changed.
    bool Wheel(int eighthsOfDegree);

    // The camera values the view starts with; the client size stays.
    void HomePosition();

private:
    int width_ = 0, height_ = 0, halfHeight_ = 0;
    int lastX_ = 0, lastY_ = 0;
    int pressX_ = 0, pressY_ = 0;
    bool movedFar_ = false;  // the press went beyond kClickSlop
    int wheelRest_ = 0;      // eighths of a degree not yet turned into pixels
    DragMode mode_ = DragMode::None;
    bool hasProjection_ = false;
    Matrix4 projection_ = IdentityMatrix();
};

// The projection of the seven factors, outermost first: the frustum, the
// zoom translation, the tilt, the turn, the scale to 16 units of width, the
// pan translation and the y/z swap. halfHeight and clientWidth must be > 0.
Matrix4 CameraProjection(int clientWidth, int halfHeight, double angleX, double angleY, double zoom, double panX,
                         double gridWidth);

}  // namespace pw

#include "view3d/Camera.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace pw {

namespace {

constexpr double kPi = 3.14159265358979323846;

Matrix4 Frustum(double l, double r, double b, double t, double n, double f) {
    Matrix4 m{};
    m[0] = 2 * n / (r - l);
    m[5] = 2 * n / (t - b);
    m[8] = (r + l) / (r - l);
    m[9] = (t + b) / (t - b);
    m[10] = -(f + n) / (f - n);
    m[11] = -1;
    m[14] = -2 * f * n / (f - n);
    return m;
}

// The translations are handed to GL in single precision.
Matrix4 TranslateF(double x, double y, double z) {
    Matrix4 m = IdentityMatrix();
    m[12] = static_cast<float>(x);
    m[13] = static_cast<float>(y);
    m[14] = static_cast<float>(z);
    return m;
}

// Rotation about a unit axis (1, 0, 0) or (0, 1, 0), as glRotate builds it.
Matrix4 RotateX(double degrees) {
    const double c = std::cos(degrees * kPi / 180), s = std::sin(degrees * kPi / 180);
    Matrix4 m = IdentityMatrix();
    m[5] = c;
    m[6] = s;
    m[9] = -s;
    m[10] = c;
    return m;
}

Matrix4 RotateY(double degrees) {
    const double c = std::cos(degrees * kPi / 180), s = std::sin(degrees * kPi / 180);
    Matrix4 m = IdentityMatrix();
    m[0] = c;
    m[2] = -s;
    m[8] = s;
    m[10] = c;
    return m;
}

Matrix4 Scale(double k) {
    Matrix4 m = IdentityMatrix();
    m[0] = m[5] = m[10] = k;
    return m;
}

// Model height becomes the screen's up, model depth comes toward the eye.
Matrix4 SwapYZ() { return {1, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1}; }

}  // namespace

Matrix4 IdentityMatrix() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 m{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[col * 4 + k];
            m[col * 4 + row] = sum;
        }
    return m;
}

bool Invert(const Matrix4& m, Matrix4& inverse) {
    // Gauss-Jordan elimination with partial pivoting on [m | I], row-major here.
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = m[c * 4 + r];
            a[r][c + 4] = r == c ? 1 : 0;
        }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        if (a[pivot][c] == 0 || !std::isfinite(a[pivot][c])) return false;
        if (pivot != c)
            for (int k = 0; k < 8; ++k) std::swap(a[c][k], a[pivot][k]);
        const double p = a[c][c];
        for (int k = 0; k < 8; ++k) a[c][k] /= p;
        for (int r = 0; r < 4; ++r) {
            if (r == c || a[r][c] == 0) continue;
            const double f = a[r][c];
            for (int k = 0; k < 8; ++k) a[r][k] -= f * a[c][k];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) inverse[c * 4 + r] = a[r][c + 4];
    return true;
}

Matrix4 CameraProjection(int clientWidth, int halfHeight, double angleX, double angleY, double zoom, double panX,
                         double gridWidth) {
    // The vertical half-extent follows the window's aspect, so pixels stay square.
    const double t = 0.1 * halfHeight / clientWidth;
    Matrix4 m = Frustum(-0.05, 0.05, -t, t, 0.134, 2000.0);
    m = Multiply(m, TranslateF(0, 0, zoom - 40));
    m = Multiply(m, RotateX(angleX));
    m = Multiply(m, RotateY(angleY));
    m = Multiply(m, Scale(16.0 / (gridWidth - 2)));
    m = Multiply(m, TranslateF((panX - 0.5) * gridWidth, -1, -1));
    return Multiply(m, SwapYZ());
}

void Camera::SetClientSize(int width, int height) {
    width_ = width;
    height_ = height;
    halfHeight_ = height / 2;
}

bool Camera::Setup(double gridWidth) {
    if (width_ <= 0 || halfHeight_ <= 0 || gridWidth <= 2) return false;
    projection_ = CameraProjection(width_, halfHeight_, angleX, angleY, zoom, panX, gridWidth);
    hasProjection_ = true;
    return true;
}

bool Camera::RayThrough(double x, double y, PointerRay& ray) const {
    if (!hasProjection_ || width_ <= 0 || height_ <= 0) return false;
    Matrix4 inverse;
    if (!Invert(projection_, inverse)) return false;
    // The viewport covers the whole client area; its y grows upward.
    const double nx = 2.0 * x / width_ - 1.0;
    const double ny = 1.0 - 2.0 * y / height_;
    auto unproject = [&inverse, nx, ny](double nz, Point3& out) {
        double v[4];
        for (int row = 0; row < 4; ++row)
            v[row] = inverse[row] * nx + inverse[4 + row] * ny + inverse[8 + row] * nz + inverse[12 + row];
        if (v[3] == 0) return false;
        out = {v[0] / v[3], v[1] / v[3], v[2] / v[3]};
        return true;
    };
    return unproject(-1.0, ray.nearPoint) && unproject(1.0, ray.farPoint);
}

void Camera::BeginDrag(int x, int y, bool shift, bool ctrl) {
    lastX_ = pressX_ = x;
    lastY_ = pressY_ = y;
    movedFar_ = false;
    mode_ = shift ? DragMode::Zoom : ctrl ? DragMode::Pan : DragMode::Rotate;
}

bool Camera::DragTo(int x, int y) {
    const int dx = x - lastX_, dy = y - lastY_;
    switch (mode_) {
        case DragMode::None:
            return false;
        case DragMode::Rotate:
            angleY += dx * kRotateGain;
            angleX += dy * kRotateGain;
            break;
        case DragMode::Pan:
            panX += dx * kPanGain;
            break;
        case DragMode::Zoom:
            zoom += (dx - dy) * kZoomGain;  // right or up brings the card closer
            break;
    }
    lastX_ = x;
    lastY_ = y;
    if (std::abs(x - pressX_) > kClickSlop || std::abs(y - pressY_) > kClickSlop) movedFar_ = true;
    return true;
}

bool Camera::EndDrag(int x, int y) {
    const bool dragging = mode_ != DragMode::None;
    mode_ = DragMode::None;
    return dragging && !movedFar_ && std::abs(x - pressX_) <= kClickSlop && std::abs(y - pressY_) <= kClickSlop;
}

bool Camera::Wheel(int eighthsOfDegree) {
    // Whole pixels only, so the wheel keeps to the Shift-drag's steps.
    constexpr int kEighthsPerPixel = kWheelNotch / kWheelPixelsPerNotch;
    wheelRest_ += eighthsOfDegree;
    const int pixels = wheelRest_ / kEighthsPerPixel;
    wheelRest_ -= pixels * kEighthsPerPixel;
    if (pixels == 0) return false;
    const double next = zoom + pixels * kZoomGain;
    if (pixels > 0 && next > kWheelNearestZoom + 1e-9) {
        wheelRest_ = 0;  // turning on against the stop must not pile up
        return false;
    }
    zoom = next;
    return true;
}

void Camera::HomePosition() {
    angleX = 30.0;
    angleY = 0.0;
    zoom = 0.0;
    panX = 0.0;
}

PictureFrame FramePicture(double x0, double x1, double y0, double y1, int size) {
    const double ex = std::max(1e-9, x1 - x0), ey = std::max(1e-9, y1 - y0);
    PictureFrame frame;
    frame.width = frame.height = size;
    if (ex >= ey)
        frame.height = std::max(1, static_cast<int>(std::lround(size * ey / ex)));
    else
        frame.width = std::max(1, static_cast<int>(std::lround(size * ex / ey)));
    constexpr double kMargin = 0.03;
    const double sx = (2 - 2 * kMargin) / ex, sy = (2 - 2 * kMargin) / ey;
    frame.fit = IdentityMatrix();
    frame.fit[0] = sx;
    frame.fit[12] = -1 + kMargin - sx * x0;
    frame.fit[5] = sy;
    frame.fit[13] = -1 + kMargin - sy * y0;
    return frame;
}

}  // namespace pw

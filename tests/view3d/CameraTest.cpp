// The camera's projection against matrices composed here from the GL
// formulas, its square pixels, the drag gains and Home position.
#include <gtest/gtest.h>

#include <cmath>

#include "view3d/Camera.h"

namespace pw {
namespace {

// Row-major 4x4 matrices built from the textbook glFrustum, glTranslate,
// glRotate and glScale formulas.
struct M {
    double a[4][4] = {};
};

M Mul(const M& p, const M& q) {
    M r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k) r.a[i][j] += p.a[i][k] * q.a[k][j];
    return r;
}
M Id() {
    M r;
    for (int i = 0; i < 4; ++i) r.a[i][i] = 1;
    return r;
}
M FrustumM(double l, double r, double b, double t, double n, double f) {
    M m;
    m.a[0][0] = 2 * n / (r - l);
    m.a[0][2] = (r + l) / (r - l);
    m.a[1][1] = 2 * n / (t - b);
    m.a[1][2] = (t + b) / (t - b);
    m.a[2][2] = -(f + n) / (f - n);
    m.a[2][3] = -2 * f * n / (f - n);
    m.a[3][2] = -1;
    return m;
}
M TranslateM(float x, float y, float z) {
    M m = Id();
    m.a[0][3] = x;
    m.a[1][3] = y;
    m.a[2][3] = z;
    return m;
}
M RotateM(double deg, double ux, double uy, double uz) {
    const double c = std::cos(deg * M_PI / 180), s = std::sin(deg * M_PI / 180), k = 1 - c;
    M m = Id();
    m.a[0][0] = ux * ux * k + c;
    m.a[0][1] = ux * uy * k - uz * s;
    m.a[0][2] = ux * uz * k + uy * s;
    m.a[1][0] = uy * ux * k + uz * s;
    m.a[1][1] = uy * uy * k + c;
    m.a[1][2] = uy * uz * k - ux * s;
    m.a[2][0] = ux * uz * k - uy * s;
    m.a[2][1] = uy * uz * k + ux * s;
    m.a[2][2] = uz * uz * k + c;
    return m;
}
M ScaleM(double s) {
    M m = Id();
    m.a[0][0] = m.a[1][1] = m.a[2][2] = s;
    return m;
}
M SwapM() {
    M m;
    m.a[0][0] = m.a[1][2] = m.a[2][1] = m.a[3][3] = 1;
    return m;
}

M Expected(int w, int h, double ax, double ay, double zoom, double pan, int W) {
    const double t = 0.1 * (h / 2) / w;
    M m = FrustumM(-0.05, 0.05, -t, t, 0.134, 2000.0);
    m = Mul(m, TranslateM(0, 0, static_cast<float>(zoom - 40)));
    m = Mul(m, RotateM(ax, 1, 0, 0));
    m = Mul(m, RotateM(ay, 0, 1, 0));
    m = Mul(m, ScaleM(16.0 / (W - 2)));
    m = Mul(m, TranslateM(static_cast<float>((pan - 0.5) * W), -1, -1));
    return Mul(m, SwapM());
}

void ExpectMatrix(const Matrix4& got, const M& want) {
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            EXPECT_NEAR(got[col * 4 + row], want.a[row][col], 1e-9 * (1 + std::fabs(want.a[row][col])))
                << "row " << row << " col " << col;
}

// A model point through the projection, in pixels from the window centre
// (y up), as the viewport maps normalised device coordinates.
struct Pixel {
    double x, y;
};
Pixel Project(const Camera& cam, double x, double y, double z) {
    const Matrix4& m = cam.Projection();
    double clip[4];
    for (int row = 0; row < 4; ++row) clip[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    return {clip[0] / clip[3] * cam.ClientWidth() / 2, clip[1] / clip[3] * cam.ClientHeight() / 2};
}

TEST(CameraTest, ProjectionIsTheSevenFactorsInOrder) {
    Camera cam;
    cam.SetClientSize(800, 600);
    ASSERT_TRUE(cam.Setup(18));
    ExpectMatrix(cam.Projection(), Expected(800, 600, 30, 0, 0, 0, 18));

    cam.angleX = -12.5;
    cam.angleY = 47;
    cam.zoom = 7.3;
    cam.panX = 0.21;
    cam.SetClientSize(1021, 333);  // odd height: the half height is rounded down
    ASSERT_TRUE(cam.Setup(82));
    ExpectMatrix(cam.Projection(), Expected(1021, 333, -12.5, 47, 7.3, 0.21, 82));
    EXPECT_EQ(cam.HalfHeight(), 166);
}

TEST(CameraTest, HomeViewLooksDownAtTheMiddleOfTheCrease) {
    Camera cam;
    cam.SetClientSize(640, 480);
    cam.Setup(18);
    const Pixel centre = Project(cam, 9, 1, 1);
    EXPECT_NEAR(centre.x, 0, 1e-9);
    EXPECT_NEAR(centre.y, 0, 1e-9);
    EXPECT_GT(Project(cam, 9, 1, 6).y, 1);   // the back sheet rises
    EXPECT_LT(Project(cam, 9, 6, 1).y, -1);  // the floor sheet comes down toward the eye
    EXPECT_NEAR(Project(cam, 1, 1, 1).x, -Project(cam, 17, 1, 1).x, 1e-9);

    // The card is 16 units wide at 40 units in front of the eye, whatever its columns.
    const double halfWidthPx = 8.0 / 40.0 * (0.134 / 0.05) * 320;
    EXPECT_NEAR(Project(cam, 17, 1, 1).x, halfWidthPx, 1e-6);
    cam.Setup(82);
    EXPECT_NEAR(Project(cam, 81, 1, 1).x, halfWidthPx, 1e-6);
}

TEST(CameraTest, PixelsStaySquareInWideAndTallWindows) {
    for (auto [w, h] : {std::pair{800, 600}, std::pair{300, 900}, std::pair{200, 1000}}) {
        Camera cam;
        cam.angleX = 0;
        cam.SetClientSize(w, h);
        cam.Setup(18);
        const Pixel across = Project(cam, 9 + 2, 1, 1);
        const Pixel up = Project(cam, 9, 1, 1 + 2);
        EXPECT_NEAR(across.x, up.y, 1e-9) << w << "x" << h;
        // The horizontal half-extent stays 0.05 at the near plane.
        EXPECT_NEAR(cam.Projection()[0], 2 * 0.134 / 0.1, 1e-12);
    }
}

TEST(CameraTest, WindowWithoutWidthOrHeightKeepsTheLastProjection) {
    Camera cam;
    cam.SetClientSize(800, 600);
    cam.Setup(18);
    const Matrix4 before = cam.Projection();
    cam.angleY = 90;
    cam.SetClientSize(0, 600);  // minimised
    EXPECT_FALSE(cam.Setup(18));
    EXPECT_EQ(cam.Projection(), before);
    cam.SetClientSize(800, 1);  // half height 0: no frustum either
    EXPECT_FALSE(cam.Setup(18));
    EXPECT_EQ(cam.Projection(), before);
    for (double v : cam.Projection()) EXPECT_TRUE(std::isfinite(v));
    cam.SetClientSize(800, 600);
    EXPECT_TRUE(cam.Setup(18));
    EXPECT_NE(cam.Projection(), before);
}

TEST(CameraTest, DragGainsAndModes) {
    Camera cam;
    cam.BeginDrag(100, 100, false, false);
    EXPECT_EQ(cam.Mode(), Camera::DragMode::Rotate);
    EXPECT_TRUE(cam.DragTo(200, 100));
    EXPECT_DOUBLE_EQ(cam.angleY, 30.0);
    EXPECT_DOUBLE_EQ(cam.angleX, 30.0);
    EXPECT_TRUE(cam.DragTo(200, 150));  // steps are measured from the last position
    EXPECT_DOUBLE_EQ(cam.angleY, 30.0);
    EXPECT_DOUBLE_EQ(cam.angleX, 45.0);
    cam.EndDrag();
    EXPECT_FALSE(cam.DragTo(500, 500));
    EXPECT_DOUBLE_EQ(cam.angleY, 30.0);

    Camera pan;
    pan.BeginDrag(10, 10, false, true);
    EXPECT_EQ(pan.Mode(), Camera::DragMode::Pan);
    pan.DragTo(110, 60);  // vertical motion moves nothing
    EXPECT_DOUBLE_EQ(pan.panX, 1.0);
    EXPECT_DOUBLE_EQ(pan.zoom, 0.0);
    EXPECT_DOUBLE_EQ(pan.angleX, 30.0);
    // The centre of turning moved along the crease by one card width W.
    pan.SetClientSize(640, 480);
    pan.Setup(18);
    EXPECT_NEAR(Project(pan, 9 - 18, 1, 1).x, 0, 1e-9);

    Camera zoom;
    zoom.BeginDrag(0, 0, true, false);
    zoom.DragTo(100, 0);
    EXPECT_DOUBLE_EQ(zoom.zoom, 10.0);
    zoom.DragTo(100, -100);  // moving up also brings the card closer
    EXPECT_DOUBLE_EQ(zoom.zoom, 20.0);

    Camera both;
    both.BeginDrag(0, 0, true, true);  // Shift wins over Ctrl
    EXPECT_EQ(both.Mode(), Camera::DragMode::Zoom);
    both.DragTo(100, 0);
    EXPECT_DOUBLE_EQ(both.zoom, 10.0);
    EXPECT_DOUBLE_EQ(both.panX, 0.0);

    Camera idle;
    EXPECT_FALSE(idle.DragTo(40, 40));
    EXPECT_DOUBLE_EQ(idle.angleY, 0.0);
}

TEST(CameraTest, WheelZoomsInTheShiftDragsStepsAndStopsBeforeTheCard) {
    Camera dragged;
    dragged.BeginDrag(0, 0, true, false);
    dragged.DragTo(Camera::kWheelPixelsPerNotch, 0);

    Camera cam;
    EXPECT_TRUE(cam.Wheel(120));  // one notch away from the user: closer
    EXPECT_EQ(cam.zoom, dragged.zoom);
    EXPECT_NEAR(cam.zoom, 2.0, 1e-12);
    EXPECT_TRUE(cam.Wheel(-240));
    EXPECT_NEAR(cam.zoom, -2.0, 1e-12);

    // Fine wheels send parts of a notch: they add up to whole drag pixels.
    Camera fine;
    EXPECT_FALSE(fine.Wheel(5));  // less than a pixel's worth
    EXPECT_TRUE(fine.Wheel(5));   // 10 eighths: one pixel, 4 left over
    EXPECT_NEAR(fine.zoom, 0.1, 1e-12);
    for (int i = 0; i < 11; ++i) fine.Wheel(10);  // 114 more: 19 pixels in all
    EXPECT_NEAR(fine.zoom, 2.0, 1e-12);

    // The wheel stops short of the card, never passing it; out works always.
    Camera near;
    for (int i = 0; i < 40; ++i) near.Wheel(120);
    EXPECT_NEAR(near.zoom, Camera::kWheelNearestZoom, 1e-9);
    EXPECT_FALSE(near.Wheel(120));
    EXPECT_TRUE(near.Wheel(-120));
    EXPECT_NEAR(near.zoom, Camera::kWheelNearestZoom - 2, 1e-9);
    near.zoom = 50;  // a Shift-drag went past the card: the wheel brings it back
    EXPECT_FALSE(near.Wheel(120));
    EXPECT_TRUE(near.Wheel(-120));
    EXPECT_NEAR(near.zoom, 48, 1e-9);
}

TEST(CameraTest, APressThatStaysWithinTheSlopIsAClick) {
    Camera cam;
    EXPECT_FALSE(cam.EndDrag(10, 10));  // no press
    cam.BeginDrag(10, 10, false, false);
    cam.DragTo(12, 8);
    EXPECT_TRUE(cam.EndDrag(13, 7));
    EXPECT_EQ(cam.Mode(), Camera::DragMode::None);

    // Away and back again is a drag.
    cam.BeginDrag(10, 10, false, false);
    cam.DragTo(10 + Camera::kClickSlop + 1, 10);
    cam.DragTo(10, 10);
    EXPECT_FALSE(cam.EndDrag(10, 10));
    // So is a release far from the press without moves between.
    cam.BeginDrag(10, 10, true, false);
    EXPECT_FALSE(cam.EndDrag(10, 30));
}

TEST(CameraTest, HomePositionRestoresTheStartingCameraAndKeepsTheClientSize) {
    Camera cam;
    cam.SetClientSize(500, 400);
    cam.Setup(18);
    const Matrix4 home = cam.Projection();
    cam.angleX = 5;
    cam.angleY = -80;
    cam.zoom = 12;
    cam.panX = -0.3;
    cam.Setup(18);
    cam.HomePosition();
    EXPECT_DOUBLE_EQ(cam.angleX, 30.0);
    EXPECT_DOUBLE_EQ(cam.angleY, 0.0);
    EXPECT_DOUBLE_EQ(cam.zoom, 0.0);
    EXPECT_DOUBLE_EQ(cam.panX, 0.0);
    EXPECT_EQ(cam.ClientWidth(), 500);
    cam.Setup(18);
    EXPECT_EQ(cam.Projection(), home);
}

}  // namespace
}  // namespace pw

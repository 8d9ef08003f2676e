// The ray cast that finds the face under the pointer: face centres projected
// with the camera matrix come back as their own faces from every camera
// position, the nearest face wins, and rays past the card find nothing.
#include <gtest/gtest.h>

#include <vector>

#include "model/CellFlags.h"
#include "model/CellGrid.h"
#include "model/GridSheet.h"
#include "model/GridSheetCells.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"
#include "view3d/Camera.h"
#include "view3d/FacePicking.h"

namespace pw {
namespace {

// The faces as the view holds them: the sheet of the grid's last rebuild pass.
std::optional<FaceHit> PickFace(const CellGrid& g, const PointerRay& ray) {
    return pw::PickFace(GridSheetCells(DeriveGridSheet(g)), ray);
}

// A model point through the projection, in client pixels from the top left.
struct Pixel {
    double x, y;
};
Pixel Project(const Camera& cam, const Point3& p) {
    const Matrix4& m = cam.Projection();
    double c[4];
    for (int row = 0; row < 4; ++row) c[row] = m[row] * p.x + m[4 + row] * p.y + m[8 + row] * p.z + m[12 + row];
    return {(c[0] / c[3] + 1) / 2 * cam.ClientWidth(), (1 - c[1] / c[3]) / 2 * cam.ClientHeight()};
}

Point3 FaceCentre(bool horizontal, int x, int y, int z) {
    return horizontal ? Point3{x + 0.5, y + 0.5, double(z)} : Point3{x + 0.5, double(y), z + 0.5};
}

std::optional<FaceHit> PickAt(const Camera& cam, const CellGrid& g, Pixel p) {
    PointerRay ray;
    EXPECT_TRUE(cam.RayThrough(p.x, p.y, ray));
    return PickFace(g, ray);
}

// Camera positions a user reaches: the start, turned, tilted, panned,
// zoomed, and in a tall window.
std::vector<Camera> Cameras() {
    std::vector<Camera> cams;
    auto add = [&cams](int w, int h, auto&& move) {
        Camera cam;
        cam.SetClientSize(w, h);
        move(cam);
        cams.push_back(cam);
    };
    add(800, 600, [](Camera&) {});
    add(800, 600, [](Camera& c) {  // turned left and tilted steeper by a drag
        c.BeginDrag(400, 300, false, false);
        c.DragTo(250, 380);
    });
    add(640, 480, [](Camera& c) {  // turned right, nearly level
        c.BeginDrag(0, 0, false, false);
        c.DragTo(180, -80);
    });
    add(800, 600, [](Camera& c) {  // slid along the crease and zoomed in
        c.BeginDrag(0, 0, false, true);
        c.DragTo(20, 0);
        c.BeginDrag(0, 0, true, false);
        c.DragTo(120, 0);
    });
    add(300, 900, [](Camera& c) { c.Wheel(-360); });
    return cams;
}

TEST(FacePicking, EveryFaceOfAFlatCardComesBackFromItsProjectedCentre) {
    CellGrid g;
    g.NewCard(18, 9);
    RunRebuildPass(g);
    int checked = 0;
    for (Camera& cam : Cameras()) {
        ASSERT_TRUE(cam.Setup(g.gridWidth));
        for (int x = 1; x <= 16; x += 3)
            for (int n = 1; n <= 8; ++n) {
                // The floor at depth n and the back sheet at height n.
                const struct {
                    bool horizontal;
                    int y, z;
                } faces[] = {{true, n, 1}, {false, 1, n}};
                for (const auto& f : faces) {
                    ASSERT_TRUE(g.HasFlag(x, f.y, f.z, f.horizontal ? CELL_HORIZONTAL_FACE : CELL_VERTICAL_FACE));
                    const Pixel p = Project(cam, FaceCentre(f.horizontal, x, f.y, f.z));
                    const std::optional<FaceHit> hit = PickAt(cam, g, p);
                    ASSERT_TRUE(hit) << "angles " << cam.angleX << ", " << cam.angleY << " face " << x << " " << f.y
                                     << " " << f.z;
                    EXPECT_EQ(hit->horizontal, f.horizontal);
                    EXPECT_EQ(hit->x, x);
                    EXPECT_EQ(hit->y, f.y);
                    EXPECT_EQ(hit->z, f.z);
                    ++checked;
                }
            }
    }
    EXPECT_EQ(checked, 5 * 6 * 8 * 2);
}

TEST(FacePicking, TheFacesOfARaisedBoxAndTheirCursorPlaces) {
    CellGrid g;
    g.NewCard(18, 9);
    test::AddBox(g, 5, 2, 3);  // column 5, depths 1-2, heights 1-3
    RunRebuildPass(g);
    Camera cam;
    cam.SetClientSize(800, 600);
    ASSERT_TRUE(cam.Setup(g.gridWidth));

    // Its top at height 4: the top surfaces, row = depth.
    std::optional<FaceHit> hit = PickAt(cam, g, Project(cam, FaceCentre(true, 5, 2, 4)));
    ASSERT_TRUE(hit);
    EXPECT_TRUE(hit->horizontal);
    EXPECT_EQ(hit->z, 4);
    CursorTarget target = CursorTargetOf(*hit);
    EXPECT_EQ(target.plane, 0);
    EXPECT_EQ(target.column, 5);
    EXPECT_EQ(target.row, 2);

    // Its front at depth 3: the front surfaces, row = height.
    hit = PickAt(cam, g, Project(cam, FaceCentre(false, 5, 3, 2)));
    ASSERT_TRUE(hit);
    EXPECT_FALSE(hit->horizontal);
    target = CursorTargetOf(*hit);
    EXPECT_EQ(target.plane, 1);
    EXPECT_EQ(target.column, 5);
    EXPECT_EQ(target.row, 2);
}

TEST(FacePicking, TheNearestFaceAlongTheRayWins) {
    // A box over a tunnel: the top at height 4 lies above the tunnel's floor
    // at height 2, both at depth 2.
    CellGrid g;
    g.NewCard(12, 9);
    test::AddBox(g, 4, 2, 3);
    test::AddTunnel(g, 4, 2);
    RunRebuildPass(g);
    ASSERT_TRUE(g.HasFlag(4, 2, 2, CELL_HORIZONTAL_FACE));
    ASSERT_TRUE(g.HasFlag(4, 2, 4, CELL_HORIZONTAL_FACE));

    const PointerRay down{{4.5, 2.5, 8.5}, {4.5, 2.5, -1.0}};
    std::optional<FaceHit> hit = PickFace(g, down);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->z, 4);
    const PointerRay up{{4.5, 2.5, 0.5}, {4.5, 2.5, 8.5}};
    hit = PickFace(g, up);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->z, 2);
    EXPECT_LT(hit->distance, 0.25);
}

TEST(FacePicking, RaysPastTheCardFindNothing) {
    CellGrid g;
    g.NewCard(18, 9);
    RunRebuildPass(g);
    Camera cam;
    cam.SetClientSize(800, 600);
    PointerRay ray;
    EXPECT_FALSE(cam.RayThrough(400, 300, ray));  // no projection yet
    ASSERT_TRUE(cam.Setup(g.gridWidth));
    for (Pixel corner : {Pixel{2, 2}, Pixel{798, 2}, Pixel{2, 598}})
        EXPECT_FALSE(PickAt(cam, g, corner)) << corner.x << ", " << corner.y;
    // Beside the card, over the empty border columns.
    EXPECT_FALSE(PickFace(g, {{0.5, 4.5, 8.0}, {0.5, 4.5, -8.0}}));
    EXPECT_FALSE(PickFace(g, {{17.5, 4.5, 8.0}, {17.5, 4.5, -8.0}}));
    // A card behind the eye is out of sight: zoomed past it, the centre finds nothing.
    cam.zoom = 60;
    ASSERT_TRUE(cam.Setup(g.gridWidth));
    EXPECT_FALSE(PickAt(cam, g, {400, 300}));
}

}  // namespace
}  // namespace pw

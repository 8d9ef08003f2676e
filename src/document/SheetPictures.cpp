#include "document/SheetPictures.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "edit/FoldMotion.h"
#include "model/AppSettings.h"
#include "model/Sheet.h"
#include "model/freeform/SheetTriangulation.h"
#include "view3d/Camera.h"
#include "view3d/CardGeometry.h"
#include "view3d/FoldMap.h"
#include "view3d/SheetGeometry.h"
#include "view3d/SoftwareRenderSink.h"

namespace pw {

namespace {

// Pictures need no finer curves than a tenth of a millimetre.
constexpr double kPictureToleranceMm = 0.1;

struct Triangle {
    FaceColorRole role = FaceColorRole::HorizontalFace;
    Vertex v[3];
};

}  // namespace

// The card in model space as the grid card's renderer has it: one unit a
// millimetre, x moved one unit in from the left, and the crease at depth
// and height 1, where the fold turns about.
struct SheetPictures::Model {
    std::vector<Triangle> triangles;
    std::vector<std::pair<Vertex, Vertex>> lines;
    int gridWidth = 3;

    Vertex Place(const SheetPiece& piece, SheetPoint p, double left) const {
        const CardPoint c = PlacePoint(piece, p);
        return {c.x - left, c.y + 1, c.z + 1};
    }
};

SheetPictures::SheetPictures(const Sheet& sheet, const AppSettings& settings, const std::vector<bool>& invalidPieces)
    : model_(std::make_unique<Model>()), settings_(settings) {
    Model& m = *model_;
    const double left = sheet.minX - 1;
    m.gridWidth = std::max(3, static_cast<int>(std::lround(sheet.maxX - sheet.minX)) + 2);
    for (std::size_t k = 0; k < sheet.pieces.size(); ++k) {
        const SheetPiece& piece = sheet.pieces[k];
        const auto add = [&](FaceColorRole role, SheetBand band) {
            for (const SheetTriangle& t : TriangulatePiece(piece, kPictureToleranceMm, band))
                m.triangles.push_back({role, {m.Place(piece, t.a, left), m.Place(piece, t.b, left), m.Place(piece, t.c, left)}});
        };
        if (k < invalidPieces.size() && invalidPieces[k]) {
            add(FaceColorRole::InvalidFace, {});
        } else {
            // The closed card's edge crosses every piece along one line s = const.
            const ClosedEdgeOnPiece edge = ClosedEdge(piece, sheet.half);
            SheetBand inside, beyond;
            (edge.beyondIsAbove ? inside.hi : inside.lo) = edge.s;
            (edge.beyondIsAbove ? beyond.lo : beyond.hi) = edge.s;
            add(piece.plane == PiecePlane::Vertical ? FaceColorRole::VerticalFace : FaceColorRole::HorizontalFace, inside);
            add(FaceColorRole::SticksOut, beyond);
        }
        for (const SheetPath& loop : piece.loops) {
            const std::vector<SheetPoint> points = FlattenPath(loop, kPictureToleranceMm);
            for (std::size_t k = 0; k < points.size(); ++k)
                m.lines.emplace_back(m.Place(piece, points[k], left),
                                     m.Place(piece, points[(k + 1) % points.size()], left));
        }
    }
}

SheetPictures::~SheetPictures() = default;

namespace {

void DrawModel(RenderSink& sink, const std::vector<Triangle>& triangles,
               const std::vector<std::pair<Vertex, Vertex>>& lines, const AppSettings& settings) {
    sink.ClearColor(ToGlColor(settings.colors.background));
    for (GlStateOp op : {GlStateOp::DisableCullFace, GlStateOp::DepthFuncLequal, GlStateOp::EnableDepthTest,
                         GlStateOp::ClearDepthOne, GlStateOp::ClearColorAndDepth, GlStateOp::EnablePolygonOffsetFill,
                         GlStateOp::PolygonOffsetOneOne})
        sink.State(op);
    const GlColor vertical = ToGlColor(settings.colors.verticalFace);
    const GlColor horizontal = ToGlColor(settings.colors.horizontalFace);
    const GlColor outline = ToGlColor(settings.colors.outline);
    const auto colorOf = [&](FaceColorRole role) {
        switch (role) {
            case FaceColorRole::VerticalFace: return vertical;
            case FaceColorRole::HorizontalFace: return horizontal;
            case FaceColorRole::InvalidFace: return kInvalidFaceColor;
            case FaceColorRole::SticksOut: return kSticksOutColor;
        }
        return horizontal;
    };
    for (const Triangle& t : triangles) {
        const Vertex quad[4] = {t.v[0], t.v[1], t.v[2], t.v[2]};
        sink.Quad(colorOf(t.role), quad);
    }
    for (const auto& [a, b] : lines) sink.Line(outline, a, b);
    sink.State(GlStateOp::Flush);
}

CardImage Draw(const std::vector<Triangle>& triangles,
               const std::vector<std::pair<Vertex, Vertex>>& lines, const AppSettings& settings, int width,
               int height, const Matrix4& projection, double foldAngle, bool transparent) {
    SoftwareRenderSink sink(width, height);
    sink.SetTransform(Multiply(projection, FoldMatrix(DrawnFoldAngle(foldAngle))));
    sink.SetTransparentBackground(transparent);
    DrawModel(sink, triangles, lines, settings);
    return {sink.Width(), sink.Height(), sink.Rgba()};
}

}  // namespace

CardImage SheetPictures::View(int width, int height, double foldAngle) const {
    const Matrix4 projection = CameraProjection(width, std::max(1, height / 2), 30.0, 0.0, 0.0, 0.0, model_->gridWidth);
    return Draw(model_->triangles, model_->lines, settings_, width, height, projection, foldAngle, false);
}

CardImage SheetPictures::Thumbnail(int size) const {
    constexpr int kSquare = 1000;
    const Matrix4 projection =
        CameraProjection(kSquare, kSquare / 2, 30.0, kThumbnailTurn, 0.0, 0.0, model_->gridWidth);
    // Where the card's corners land, in normalised coordinates.
    double x0 = std::numeric_limits<double>::max(), x1 = -x0, y0 = x0, y1 = -x0;
    const auto add = [&](const Vertex& v) {
        const Matrix4& m = projection;
        const double w = m[3] * v.x + m[7] * v.y + m[11] * v.z + m[15];
        if (w <= 0) return;
        const double x = (m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12]) / w;
        const double y = (m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13]) / w;
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    };
    for (const auto& [a, b] : model_->lines) add(a), add(b);
    if (x0 > x1) x0 = -1, x1 = 1, y0 = -1, y1 = 1;
    const PictureFrame frame = FramePicture(x0, x1, y0, y1, size);
    return Draw(model_->triangles, model_->lines, settings_, frame.width, frame.height, Multiply(frame.fit, projection), kOpenAngle, true);
}

}  // namespace pw

#include "view3d/SoftwareRenderSink.h"

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

// A 24-bit depth buffer, as the view's surface asks for.
constexpr double kDepthMax = 16777215.0;
// The smallest depth difference such a buffer resolves: glPolygonOffset's unit.
constexpr double kDepthUnit = 1.0 / kDepthMax;
// Window positions are snapped to this fraction of a pixel before
// rasterising, as GL rasterisers do.
constexpr double kSubpixel = 256.0;

std::uint8_t ToByte(float c) {
    const float clamped = std::min(1.0f, std::max(0.0f, c));
    return static_cast<std::uint8_t>(std::lround(clamped * 255.0f));
}

std::uint32_t Pack(const GlColor& c, std::uint8_t alpha) {
    return static_cast<std::uint32_t>(ToByte(c.r)) | static_cast<std::uint32_t>(ToByte(c.g)) << 8 |
           static_cast<std::uint32_t>(ToByte(c.b)) << 16 | static_cast<std::uint32_t>(alpha) << 24;
}

std::uint32_t ToDepth(double z) { return static_cast<std::uint32_t>(std::min(1.0, std::max(0.0, z)) * kDepthMax + 0.5); }

double Snap(double v) { return std::nearbyint(v * kSubpixel) / kSubpixel; }

// A pixel index for a position that may lie far outside the picture.
int PixelIndex(double v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : static_cast<int>(v);
}

}  // namespace

SoftwareRenderSink::SoftwareRenderSink(int width, int height)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      rgba_(static_cast<std::size_t>(width_) * height_ * 4, 0),
      depth_(static_cast<std::size_t>(width_) * height_, ToDepth(1.0)) {}

void SoftwareRenderSink::State(GlStateOp op) {
    switch (op) {
        case GlStateOp::DepthFuncLequal:  // the only depth function the frame uses
        case GlStateOp::DisableCullFace:  // faces are never culled here
        case GlStateOp::PerspectiveHintNicest:
        case GlStateOp::EnableDither:  // 8 bits a channel: dithering changes nothing
        case GlStateOp::DisableLighting:
        case GlStateOp::Flush:
            break;
        case GlStateOp::EnableDepthTest: depthTest_ = true; break;
        case GlStateOp::ClearDepthOne: clearDepth_ = 1.0; break;
        case GlStateOp::EnablePolygonOffsetFill: polygonOffset_ = true; break;
        case GlStateOp::PolygonOffsetOneOne:
            offsetFactor_ = 1.0;
            offsetUnits_ = 1.0;
            break;
        case GlStateOp::ClearColorAndDepth: {
            const std::uint32_t bg = Pack(clearColor_, transparentBackground_ ? 0 : 255);
            for (std::size_t i = 0; i < rgba_.size(); i += 4) {
                rgba_[i] = static_cast<std::uint8_t>(bg);
                rgba_[i + 1] = static_cast<std::uint8_t>(bg >> 8);
                rgba_[i + 2] = static_cast<std::uint8_t>(bg >> 16);
                rgba_[i + 3] = static_cast<std::uint8_t>(bg >> 24);
            }
            std::fill(depth_.begin(), depth_.end(), ToDepth(clearDepth_));
            break;
        }
    }
}

void SoftwareRenderSink::ClearColor(const GlColor& color) { clearColor_ = color; }

std::uint32_t SoftwareRenderSink::Pixel(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 4;
    return static_cast<std::uint32_t>(rgba_[i]) << 16 | static_cast<std::uint32_t>(rgba_[i + 1]) << 8 |
           static_cast<std::uint32_t>(rgba_[i + 2]) | static_cast<std::uint32_t>(rgba_[i + 3]) << 24;
}

SoftwareRenderSink::Clip SoftwareRenderSink::ToClip(const Vertex& v) const {
    const Matrix4& m = transform_;
    return {m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13],
            m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14], m[3] * v.x + m[7] * v.y + m[11] * v.z + m[15]};
}

SoftwareRenderSink::Window SoftwareRenderSink::ToWindow(const Clip& c) const {
    return {Snap((c.x / c.w + 1) * 0.5 * width_), Snap((c.y / c.w + 1) * 0.5 * height_), (c.z / c.w + 1) * 0.5};
}

void SoftwareRenderSink::Fragment(int x, int y, double depth, std::uint32_t rgba) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const std::size_t k = static_cast<std::size_t>(y) * width_ + x;
    const std::uint32_t d = ToDepth(depth);
    if (depthTest_) {
        if (d > depth_[k]) return;  // GL_LEQUAL
        depth_[k] = d;
    }
    std::uint8_t* p = &rgba_[(static_cast<std::size_t>(height_ - 1 - y) * width_ + x) * 4];
    p[0] = static_cast<std::uint8_t>(rgba);
    p[1] = static_cast<std::uint8_t>(rgba >> 8);
    p[2] = static_cast<std::uint8_t>(rgba >> 16);
    p[3] = static_cast<std::uint8_t>(rgba >> 24);
}

void SoftwareRenderSink::Quad(const GlColor& color, const Vertex (&v)[4]) {
    FillPolygon(color, {ToClip(v[0]), ToClip(v[1]), ToClip(v[2]), ToClip(v[3])});
}

void SoftwareRenderSink::FillPolygon(const GlColor& color, std::vector<Clip> polygon) {
    // Only the near and far planes need cutting: the rest of the frustum is
    // the picture's edge, where the pixel loops stop anyway.
    for (const double side : {1.0, -1.0}) {
        std::vector<Clip> kept;
        const std::size_t n = polygon.size();
        for (std::size_t i = 0; i < n; ++i) {
            const Clip& a = polygon[i];
            const Clip& b = polygon[(i + 1) % n];
            const double da = a.w + side * a.z, db = b.w + side * b.z;  // >= 0 inside
            if (da >= 0) kept.push_back(a);
            if ((da >= 0) != (db >= 0)) {
                const double t = da / (da - db);
                kept.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z), a.w + t * (b.w - a.w)});
            }
        }
        polygon.swap(kept);
        if (polygon.size() < 3) return;
    }
    std::vector<Window> win;
    win.reserve(polygon.size());
    for (const Clip& c : polygon) win.push_back(ToWindow(c));
    const std::uint32_t rgba = Pack(color, 255);
    // A fan from the first corner, as GL splits a quadrilateral.
    for (std::size_t i = 1; i + 1 < win.size(); ++i) FillTriangle(rgba, win[0], win[i], win[i + 1]);
}

void SoftwareRenderSink::FillTriangle(std::uint32_t rgba, const Window& a, const Window& b0, const Window& c0) {
    double area = (b0.x - a.x) * (c0.y - a.y) - (c0.x - a.x) * (b0.y - a.y);
    if (area == 0) return;  // seen edge-on: GL draws nothing either
    // Counter-clockwise from here on, so inside is left of every edge.
    const Window& b = area > 0 ? b0 : c0;
    const Window& c = area > 0 ? c0 : b0;
    area = std::fabs(area);

    const double dzdx = ((b.z - a.z) * (c.y - a.y) - (c.z - a.z) * (b.y - a.y)) / area;
    const double dzdy = ((c.z - a.z) * (b.x - a.x) - (b.z - a.z) * (c.x - a.x)) / area;
    const double offset =
        polygonOffset_ ? offsetFactor_ * std::max(std::fabs(dzdx), std::fabs(dzdy)) + offsetUnits_ * kDepthUnit : 0.0;

    const double left = std::min({a.x, b.x, c.x}), right = std::max({a.x, b.x, c.x});
    const double bottom = std::min({a.y, b.y, c.y}), top = std::max({a.y, b.y, c.y});
    if (right < 0 || top < 0 || left > width_ || bottom > height_) return;
    const int x0 = PixelIndex(std::floor(left), 0, width_ - 1), x1 = PixelIndex(std::ceil(right), 0, width_ - 1);
    const int y0 = PixelIndex(std::floor(bottom), 0, height_ - 1), y1 = PixelIndex(std::ceil(top), 0, height_ - 1);

    struct Edge {
        double ax, ay, dx, dy;
        bool inclusive;  // pixels exactly on a left or top edge belong to this face
        double At(double px, double py) const { return dx * (py - ay) - dy * (px - ax); }
    };
    auto edge = [](const Window& p, const Window& q) {
        const double dx = q.x - p.x, dy = q.y - p.y;
        return Edge{p.x, p.y, dx, dy, dy < 0 || (dy == 0 && dx < 0)};
    };
    const Edge e[3] = {edge(b, c), edge(c, a), edge(a, b)};
    for (int y = y0; y <= y1; ++y) {
        const double py = y + 0.5;
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5;
            double w[3];
            bool inside = true;
            for (int k = 0; k < 3 && inside; ++k) {
                w[k] = e[k].At(px, py);
                inside = w[k] > 0 || (w[k] == 0 && e[k].inclusive);
            }
            if (!inside) continue;
            const double z = (w[0] * a.z + w[1] * b.z + w[2] * c.z) / area + offset;
            Fragment(x, y, z, rgba);
        }
    }
}

void SoftwareRenderSink::LineLoop(const GlColor& color, const Vertex (&v)[4]) {
    const std::uint32_t rgba = Pack(color, 255);
    for (int i = 0; i < 4; ++i) DrawSegment(rgba, ToClip(v[i]), ToClip(v[(i + 1) % 4]));
}

void SoftwareRenderSink::Line(const GlColor& color, const Vertex& from, const Vertex& to) {
    DrawSegment(Pack(color, 255), ToClip(from), ToClip(to));
}

void SoftwareRenderSink::DrawSegment(std::uint32_t rgba, Clip a, Clip b) {
    for (const double side : {1.0, -1.0}) {
        const double da = a.w + side * a.z, db = b.w + side * b.z;
        if (da < 0 && db < 0) return;
        if ((da >= 0) != (db >= 0)) {
            const double t = da / (da - db);
            const Clip cut{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z), a.w + t * (b.w - a.w)};
            (da < 0 ? a : b) = cut;
        }
    }
    Window p = ToWindow(a), q = ToWindow(b);
    const bool xMajor = std::fabs(q.x - p.x) >= std::fabs(q.y - p.y);
    // One fragment per pixel column (row for steep lines) whose centre the
    // line passes, the last end left out, as GL's diamond rule gives.
    const double p0 = xMajor ? p.x : p.y, q0 = xMajor ? q.x : q.y;
    if (p0 == q0) return;
    const int limit = xMajor ? width_ : height_;
    const int otherLimit = xMajor ? height_ : width_;
    // Centres i + 0.5 from the start up to, but not including, the end.
    const double first = p0 < q0 ? std::ceil(p0 - 0.5) : std::floor(q0 - 0.5) + 1;
    const double last = p0 < q0 ? std::ceil(q0 - 0.5) - 1 : std::floor(p0 - 0.5);
    if (last < 0 || first > limit - 1) return;
    for (int i = PixelIndex(first, 0, limit - 1), end = PixelIndex(last, 0, limit - 1); i <= end; ++i) {
        const double t = (i + 0.5 - p0) / (q0 - p0);
        const double other = std::floor(xMajor ? p.y + t * (q.y - p.y) : p.x + t * (q.x - p.x));
        if (other < 0 || other >= otherLimit) continue;
        const double z = p.z + t * (q.z - p.z);
        const int j = static_cast<int>(other);
        if (xMajor)
            Fragment(i, j, z, rgba);
        else
            Fragment(j, i, z, rgba);
    }
}

}  // namespace pw

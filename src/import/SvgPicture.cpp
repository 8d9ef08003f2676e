#include "import/SvgPicture.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "import/ImportMessages.h"

namespace pw {

namespace {

constexpr int kMaxSide = 4096;

struct Unref {
    void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
};
using Handle = std::unique_ptr<RsvgHandle, Unref>;

bool Fail(std::string& error, const char* message) {
    error = message;
    return false;
}

// The picture's width and height in its own units; false when it has none.
bool NaturalSize(RsvgHandle* handle, double& w, double& h) {
    gboolean hasViewBox = FALSE;
    RsvgRectangle viewBox{0, 0, 0, 0};
    rsvg_handle_get_intrinsic_dimensions(handle, nullptr, nullptr, nullptr, nullptr, &hasViewBox, &viewBox);
    if (hasViewBox) {
        w = viewBox.width;
        h = viewBox.height;
    } else if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &w, &h)) {
        return false;
    }
    return std::isfinite(w) && std::isfinite(h) && w > 0 && h > 0;
}

std::uint8_t Lightness(std::uint32_t argb) {
    // Drawn over opaque white, so the pixel is opaque and not premultiplied.
    const unsigned r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return static_cast<std::uint8_t>((r * 299 + g * 587 + b * 114 + 500) / 1000);
}

}  // namespace

bool RenderSvgPicture(const void* data, std::size_t size, int side, GreyImage& out, std::string& error) {
    if (!data || size == 0) return Fail(error, msg::kPictureUnreadable);
    side = std::clamp(side, 1, kMaxSide);
    GInputStream* stream = g_memory_input_stream_new_from_data(data, static_cast<gssize>(size), nullptr);
    GError* gerror = nullptr;
    // No base file: references to other files cannot be resolved and are
    // left out. The XML parser keeps its safety limits (no UNLIMITED flag).
    Handle handle(rsvg_handle_new_from_stream_sync(stream, nullptr, RSVG_HANDLE_FLAGS_NONE, nullptr, &gerror));
    g_object_unref(stream);
    if (gerror) g_error_free(gerror);
    if (!handle) return Fail(error, msg::kPictureUnreadable);

    double w = 0, h = 0;
    if (!NaturalSize(handle.get(), w, h)) return Fail(error, msg::kPictureEmpty);
    const double scale = side / std::max(w, h);
    const int pw = std::clamp(static_cast<int>(std::lround(w * scale)), 1, side);
    const int ph = std::clamp(static_cast<int>(std::lround(h * scale)), 1, side);

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw, ph);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return Fail(error, msg::kPictureUnreadable);
    }
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    const RsvgRectangle viewport{0, 0, static_cast<double>(pw), static_cast<double>(ph)};
    // A part that cannot be drawn (a reference left out) leaves the rest.
    rsvg_handle_render_document(handle.get(), cr, &viewport, &gerror);
    if (gerror) g_error_free(gerror);
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    GreyImage grey(pw, ph);
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < ph; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(pixels + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < pw; ++x) grey.At(x, y) = Lightness(row[x]);
    }
    cairo_surface_destroy(surface);
    out = std::move(grey);
    return true;
}

}  // namespace pw

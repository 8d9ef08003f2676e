#include "import/PotraceSvg.h"

#include <charconv>
#include <cmath>

#include "model/freeform/SvgPathData.h"

namespace pw {

namespace {

// Path data coordinates are whole tenths of a pixel of a picture of at
// most some tens of millions of pixels a side.
constexpr double kMaxCoordinate = 1e10;

// Reads the text of `attribute="..."` inside the tag that starts at `tag`.
bool Attribute(std::string_view svg, std::size_t tag, std::string_view attribute, std::string_view& value) {
    const std::size_t end = svg.find('>', tag);
    if (end == std::string_view::npos) return false;
    const std::string_view inside = svg.substr(tag, end - tag);
    for (std::size_t at = inside.find(attribute); at != std::string_view::npos; at = inside.find(attribute, at + 1)) {
        // The whole name, not the tail of another one.
        const char before = inside[at - 1];
        if (before != ' ' && before != '\n' && before != '\t' && before != '\r') continue;
        std::size_t p = at + attribute.size();
        if (inside.substr(p, 2) != "=\"") continue;
        p += 2;
        const std::size_t close = inside.find('"', p);
        if (close == std::string_view::npos) return false;
        value = inside.substr(p, close - p);
        return true;
    }
    return false;
}

// Reads `word(a,b)` from the front of `text`, spaces allowed around it.
bool Pair(std::string_view& text, std::string_view word, double& a, double& b) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (text.substr(0, word.size()) != word || text.substr(word.size(), 1) != "(") return false;
    text.remove_prefix(word.size() + 1);
    const char* end = text.data() + text.size();
    auto first = std::from_chars(text.data(), end, a);
    if (first.ec != std::errc() || first.ptr == end || *first.ptr != ',') return false;
    auto second = std::from_chars(first.ptr + 1, end, b);
    if (second.ec != std::errc() || second.ptr == end || *second.ptr != ')') return false;
    text.remove_prefix(static_cast<std::size_t>(second.ptr + 1 - text.data()));
    return std::isfinite(a) && std::isfinite(b) && std::abs(a) < kMaxCoordinate && std::abs(b) < kMaxCoordinate;
}

// potrace's drawing unit to the picture's pixels, z up.
struct Placement {
    double tx = 0, ty = 0, sx = 1, sy = 1, height = 0;
    void Apply(SheetPoint& p) const { p = {tx + sx * p.x, height - (ty + sy * p.s)}; }
};

}  // namespace

PotraceShapes ReadPotraceSvg(std::string_view svg, double pictureHeight, std::size_t maxSegments) {
    PotraceShapes out;
    const auto refuse = [&out](const char* why) {
        out.shapes.clear();
        out.error = why;
        return out;
    };
    const std::size_t group = svg.find("<g ");
    if (group == std::string_view::npos) return refuse("no group of paths");
    std::string_view transform;
    Placement place;
    place.height = pictureHeight;
    if (!Attribute(svg, group, "transform", transform) || !Pair(transform, "translate", place.tx, place.ty) ||
        !Pair(transform, "scale", place.sx, place.sy) || transform.find_first_not_of(' ') != std::string_view::npos)
        return refuse("not a translation and a scale");
    const std::size_t groupEnd = svg.find("</g>", group);
    if (groupEnd == std::string_view::npos) return refuse("the group does not end");

    std::size_t segments = 0;
    for (std::size_t at = svg.find("<path", group); at < groupEnd; at = svg.find("<path", at + 1)) {
        std::string_view data;
        if (!Attribute(svg, at, "d", data)) return refuse("a path without data");
        PathDataResult read = ParsePathData(data, maxSegments - segments, kMaxCoordinate);
        if (!read.error.empty()) {
            refuse("path data that cannot be read");
            out.tooManySegments = read.tooManySegments;
            return out;
        }
        if (read.loops.empty()) continue;
        for (FrontLoop& loop : read.loops) {
            segments += loop.segments.size();
            place.Apply(loop.start);
            for (PathSegment& seg : loop.segments) {
                if (seg.shape == SegmentShape::Arc) return refuse("an arc, which potrace never writes");
                place.Apply(seg.end);
                place.Apply(seg.control1);
                place.Apply(seg.control2);
            }
        }
        out.shapes.push_back(std::move(read.loops));
    }
    return out;
}

}  // namespace pw

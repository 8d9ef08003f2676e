#include "document/EngravedText.h"

#include "import/TextFlats.h"

namespace pw {

namespace {

// DejaVu Sans's capital height over its size; the outlines are asked for by
// capital height, the marks give the size.
constexpr double kCapitalsOfSize = 0.73;

// From the glyph's x across and z up to the page's x across and s down.
SheetPoint OnPage(const TextMark& mark, SheetPoint p) { return {mark.x + p.x, mark.y - p.s}; }

}  // namespace

std::vector<SheetPath> EngravedTextOutlines(const TextMark& mark) {
    TextFlatsRequest request;
    request.text = mark.text;
    request.sizeMm = mark.sizeMm * kCapitalsOfSize;
    std::vector<SheetPath> paths;
    TextOutlines outlines = TextGlyphOutlines(request);
    for (const std::vector<FrontLoop>& glyph : outlines.glyphs)
        for (const FrontLoop& loop : glyph) {
            SheetPath path(OnPage(mark, loop.start));
            for (PathSegment seg : loop.segments) {
                seg.end = OnPage(mark, seg.end);
                seg.centre = OnPage(mark, seg.centre);
                seg.control1 = OnPage(mark, seg.control1);
                seg.control2 = OnPage(mark, seg.control2);
                seg.sweep = -seg.sweep;  // turned over with the axis
                path.segments.push_back(seg);
            }
            path.closed = loop.closed;
            paths.push_back(std::move(path));
        }
    return paths;
}

}  // namespace pw

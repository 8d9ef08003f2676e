// Feeds arbitrary bytes to the drawing (SVG) reader. Whatever it makes must
// be usable: either an error and no flats, or flats with finite outlines,
// positive depths, and no more segments than the reader allows.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "import/SvgFlats.h"

namespace {

bool Finite(pw::SheetPoint p) { return std::isfinite(p.x) && std::isfinite(p.s); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const pw::FlatsFromSource made = pw::SvgFlats(bytes, 10);
    if (!made.error.empty()) {
        pw::fuzz::Require(made.flats.empty(), "a refused drawing makes no flats");
        return 0;
    }
    std::size_t segments = 0;
    for (const pw::FreeformFlat& flat : made.flats) {
        pw::fuzz::Require(flat.depth > 0 && !flat.loops.empty(), "a flat has a depth and an outline");
        for (const pw::FrontLoop& loop : flat.loops) {
            pw::fuzz::Require(loop.closed && Finite(loop.start), "a loop is closed and finite");
            for (const pw::PathSegment& seg : loop.segments) {
                const bool finite = Finite(seg.end) && Finite(seg.centre) && Finite(seg.control1) && Finite(seg.control2) &&
                                    std::isfinite(seg.sweep);
                pw::fuzz::Require(finite, "a segment is finite");
            }
            segments += loop.segments.size();
        }
    }
    pw::fuzz::Require(segments <= pw::kSvgMaxSegments, "the segment cap holds");
    return 0;
}

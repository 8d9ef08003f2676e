// The tracer's two parts that read what they are given, fed with the same
// arbitrary bytes. potrace itself runs as a child process, far too slow to
// start once per input, so what is fuzzed is what comes before it and what
// reads its output:
// - the bitmap preparation: the first two bytes give a grey picture's width
//   and height (1 to 64 pixels), the next two the threshold and the speckle
//   size, the bytes after the fifth the pixels (white where they run out);
//   the PBM made of the mask must hold exactly its pixels;
// - the reader of potrace's SVG output, given the bytes after the fifth as
//   the text: it refuses it or gives closed loops of finite points, lines and
//   cubics only, within the bound on curve pieces.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "import/PotraceSvg.h"
#include "import/TraceBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    pw::GreyImage picture(1 + data[0] % 64, 1 + data[1] % 64);
    for (std::size_t i = 5; i < size && i - 5 < picture.pixels.size(); ++i) picture.pixels[i - 5] = data[i];
    pw::PaperMask mask = pw::PaperBelow(picture, data[2]);
    pw::DropSpeckles(mask, data[3] % 16);
    const std::string pbm = pw::PbmOf(mask);
    const std::string header = "P4\n" + std::to_string(mask.width) + " " + std::to_string(mask.height) + "\n";
    const std::size_t rowBytes = (static_cast<std::size_t>(mask.width) + 7) / 8;
    pw::fuzz::Require(pbm.size() == header.size() + rowBytes * static_cast<std::size_t>(mask.height) &&
                          pbm.compare(0, header.size(), header) == 0,
                      "the PBM has its header and one packed row per picture row");
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            const auto byte = static_cast<unsigned char>(pbm[header.size() + rowBytes * static_cast<std::size_t>(y) + static_cast<std::size_t>(x / 8)]);
            pw::fuzz::Require(((byte >> (7 - x % 8)) & 1) == (mask.At(x, y) ? 1 : 0), "the PBM holds the mask's pixels");
        }

    constexpr std::size_t kMaxSegments = 500;
    const std::string_view svg(reinterpret_cast<const char*>(data) + 5, size - 5);
    const pw::PotraceShapes read = pw::ReadPotraceSvg(svg, picture.height, kMaxSegments);
    if (!read.error.empty()) {
        pw::fuzz::Require(read.shapes.empty(), "refused output gives no shapes");
        return 0;
    }
    std::size_t segments = 0;
    for (const auto& shape : read.shapes) {
        pw::fuzz::Require(!shape.empty(), "every shape has an outline");
        for (const pw::FrontLoop& loop : shape) {
            pw::fuzz::Require(loop.closed && !loop.segments.empty(), "loops are closed");
            segments += loop.segments.size();
            for (const pw::PathSegment& seg : loop.segments)
                pw::fuzz::Require(seg.shape != pw::SegmentShape::Arc && std::isfinite(seg.end.x) && std::isfinite(seg.end.s) &&
                                      std::isfinite(seg.control1.x) && std::isfinite(seg.control2.s),
                                  "lines and cubics of finite points");
        }
    }
    pw::fuzz::Require(segments <= kMaxSegments, "no more curve pieces than the bound");
    return 0;
}

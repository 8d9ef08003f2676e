// Feeds the tracer a small grey picture made from arbitrary bytes: the first
// two give its width and height (1 to 64 pixels), the next three the
// threshold, the speckle size and the number of depth levels, the rest the
// pixels (white where the bytes run out). Traced flats must be closed loops
// within the picture's box at the depths asked for; a refusal leaves none.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "import/TracedFlats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    pw::GreyImage picture(1 + data[0] % 64, 1 + data[1] % 64);
    pw::TraceSettings settings;
    settings.threshold = data[2];
    settings.speckPixels = data[3] % 16;
    settings.levels = data[4] % 6 == 1 ? 0 : data[4] % 6;
    settings.depthMm = 40;
    for (std::size_t i = 5; i < size && i - 5 < picture.pixels.size(); ++i) picture.pixels[i - 5] = data[i];

    const pw::FlatsFromSource traced = pw::TraceFlats(picture, settings);
    if (!traced.error.empty()) {
        pw::fuzz::Require(traced.flats.empty(), "a refused trace leaves no flats");
        return 0;
    }
    pw::fuzz::Require(!traced.flats.empty(), "a trace without an error has flats");
    for (const pw::FreeformFlat& flat : traced.flats) {
        pw::fuzz::Require(flat.depth > 0 && flat.depth <= 40, "flats lie at the depths asked for");
        for (const pw::FrontLoop& loop : flat.loops) {
            pw::fuzz::Require(loop.closed && !loop.segments.empty(), "traced loops are closed");
            for (const pw::SheetPoint& p : pw::FlattenPath(loop, 0.05))
                pw::fuzz::Require(std::isfinite(p.x) && std::isfinite(p.s) && p.x >= -1 && p.s >= -1 &&
                                      p.x <= picture.width + 1 && p.s <= picture.height + 1,
                                  "traced outlines stay within the picture");
        }
    }
    return 0;
}

#include "import/TracedFlats.h"

#include <potracelib.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <string>

#include "import/ImportMessages.h"
#include "import/TraceBitmap.h"

namespace pw {

namespace {

std::string WithNumber(const char* text, long long n) {
    std::string out = text;
    out.replace(out.find("%1"), 2, std::to_string(n));
    return out;
}

struct PotraceFree {
    void operator()(potrace_state_t* s) const { potrace_state_free(s); }
    void operator()(potrace_param_t* p) const { potrace_param_free(p); }
};

// The mask as potrace's bitmap: its line 0 is the lowest, so the picture's
// last row goes first and the traced points come out with z up.
struct PotraceBitmap {
    int words = 0;
    std::vector<potrace_word> map;
    potrace_bitmap_t bitmap{};

    explicit PotraceBitmap(const PaperMask& mask) {
        constexpr int kBits = static_cast<int>(sizeof(potrace_word) * CHAR_BIT);
        words = (mask.width + kBits - 1) / kBits;
        map.assign(static_cast<std::size_t>(words) * static_cast<std::size_t>(mask.height), 0);
        for (int y = 0; y < mask.height; ++y) {
            potrace_word* line = map.data() + static_cast<std::size_t>(mask.height - 1 - y) * static_cast<std::size_t>(words);
            for (int x = 0; x < mask.width; ++x)
                if (mask.At(x, y)) line[x / kBits] |= potrace_word{1} << (kBits - 1 - x % kBits);
        }
        bitmap = {mask.width, mask.height, words, map.data()};
    }
};

SheetPoint At(const potrace_dpoint_t& p) { return {p.x, p.y}; }

FrontLoop LoopOf(const potrace_curve_t& curve) {
    FrontLoop loop(At(curve.c[curve.n - 1][2]));
    for (int i = 0; i < curve.n; ++i) {
        const potrace_dpoint_t* c = curve.c[i];
        if (curve.tag[i] == POTRACE_CURVETO) {
            loop.CubicTo(At(c[0]), At(c[1]), At(c[2]));
        } else {
            loop.LineTo(At(c[1]));
            loop.LineTo(At(c[2]));
        }
    }
    return loop.Close();
}

// One flat per shape: a '+' path of potrace's tree with the '-' paths it
// holds as holes (shapes inside those holes come as '+' paths of their own).
bool AddShapes(const potrace_path_t* paths, double depth, const std::string& namePrefix, long long& segments,
               std::vector<FreeformFlat>& flats) {
    const std::size_t first = flats.size();  // shapes count from 1 in each level
    for (const potrace_path_t* p = paths; p; p = p->next) {
        if (p->sign != '+' || p->curve.n <= 0) continue;
        FreeformFlat flat;
        flat.name = namePrefix + std::to_string(flats.size() - first + 1);
        flat.depth = depth;
        flat.loops.push_back(LoopOf(p->curve));
        segments += p->curve.n;
        for (const potrace_path_t* hole = p->childlist; hole; hole = hole->sibling) {
            if (hole->curve.n <= 0) continue;
            flat.loops.push_back(LoopOf(hole->curve));
            segments += hole->curve.n;
        }
        if (segments > kMaxTracedSegments) return false;
        flats.push_back(std::move(flat));
    }
    return true;
}

// Traces the paper of `picture` below `below` into `out`; false when the
// outlines are too many to use.
bool TraceLevel(const GreyImage& picture, int below, long long speckPixels, double depth, const std::string& namePrefix,
                long long& specks, FlatsFromSource& out) {
    PaperMask mask = PaperBelow(picture, below);
    specks += DropSpeckles(mask, speckPixels);
    const PotraceBitmap bitmap(mask);
    std::unique_ptr<potrace_param_t, PotraceFree> param(potrace_param_default());
    if (!param) return false;
    param->turdsize = 0;  // speckles are gone already, and counted
    param->turnpolicy = POTRACE_TURNPOLICY_BLACK;  // as DropSpeckles joins paper
    std::unique_ptr<potrace_state_t, PotraceFree> state(potrace_trace(param.get(), &bitmap.bitmap));
    if (!state || state->status != POTRACE_STATUS_OK) return false;
    long long segments = 0;
    for (const FreeformFlat& f : out.flats)
        for (const FrontLoop& l : f.loops) segments += static_cast<long long>(l.segments.size());
    return AddShapes(state->plist, depth, namePrefix, segments, out.flats);
}

// The picture made smaller until its pixels and the outlines at each of
// the thresholds fit the tracer's bounds; `factor` says by how much.
GreyImage Bounded(const GreyImage& picture, const std::vector<int>& thresholds, int& factor) {
    const long long pixels = static_cast<long long>(picture.width) * picture.height;
    factor = 1;
    while (pixels > kMaxTracedPixels * factor * factor) ++factor;
    GreyImage shrunk = ShrunkBy(picture, factor);
    const auto longest = [&thresholds](const GreyImage& g) {
        long long most = 0;
        for (int below : thresholds) most = std::max(most, OutlineLength(PaperBelow(g, below)));
        return most;
    };
    while (longest(shrunk) > kMaxTracedOutline) {
        factor *= 2;
        shrunk = ShrunkBy(picture, factor);
    }
    return shrunk;
}

}  // namespace

FlatsFromSource TraceFlats(const GreyImage& picture, const TraceSettings& settings) {
    FlatsFromSource out;
    if (picture.Empty()) {
        out.error = msg::kPictureEmpty;
        return out;
    }
    if (settings.levels == 0 && (settings.threshold < 0 || settings.threshold > 256)) {
        out.error = msg::kTraceThresholdOutOfRange;
        return out;
    }
    if (settings.levels != 0 && (settings.levels < 2 || settings.levels > kMaxDepthLevels)) {
        out.error = msg::kTraceLevelsOutOfRange;
        return out;
    }

    // Level k of n holds what is darker than the middle between grey k - 1
    // and grey k of n: for a depth map the lightest threshold bounds the rest.
    const int n = settings.levels;
    auto below = [n, &settings](int k) {
        return n == 0 ? settings.threshold : static_cast<int>(std::lround(256.0 - (k - 0.5) * 256.0 / n));
    };
    std::vector<int> thresholds;
    for (int k = n == 0 ? 0 : 1; k <= n; ++k) thresholds.push_back(below(k));
    int factor = 1;
    const GreyImage traced = Bounded(picture, thresholds, factor);
    long long specks = 0;
    bool fits = true;
    if (n == 0) {
        fits = TraceLevel(traced, below(0), settings.speckPixels, settings.depthMm, "picture ", specks, out);
    } else {
        for (int k = 1; k <= n && fits; ++k)
            fits = TraceLevel(traced, below(k), settings.speckPixels, settings.depthMm * k / n,
                              "level " + std::to_string(k) + " shape ", specks, out);
    }
    if (!fits) {
        out.flats.clear();
        out.error = msg::kTraceTooDetailed;
        return out;
    }
    if (out.flats.empty()) {
        out.error = msg::kTraceNothing;
        return out;
    }
    if (factor > 1) {
        // Back to the picture's own pixels, so a size in millimetres means the same.
        for (FreeformFlat& flat : out.flats)
            for (FrontLoop& loop : flat.loops) {
                auto grow = [factor](SheetPoint& p) { p = {p.x * factor, p.s * factor}; };
                grow(loop.start);
                for (PathSegment& seg : loop.segments) {
                    grow(seg.end);
                    grow(seg.control1);
                    grow(seg.control2);
                }
            }
        out.notes.push_back(WithNumber(msg::kTraceShrunk, factor));
    }
    if (specks > 0) out.notes.push_back(WithNumber(msg::kTraceSpecksDropped, specks));
    return out;
}

}  // namespace pw

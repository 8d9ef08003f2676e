#include "import/TracedFlats.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "import/ChildProgram.h"
#include "import/ImportMessages.h"
#include "import/PotraceSvg.h"
#include "import/TraceBitmap.h"

namespace pw {

namespace {

std::string WithNumber(const char* text, long long n) {
    std::string out = text;
    out.replace(out.find("%1"), 2, std::to_string(n));
    return out;
}

// potrace draws in tenths of a pixel by default, which its SVG keeps as
// whole numbers: enough for a 0.5 pixel fit without larger output.
// Speckles are gone already, and counted (turdsize 0); ambiguous corners
// join paper as DropSpeckles joins it (turnpolicy black); corners and curve
// joining as potrace's library defaults.
std::vector<std::string> PotraceArguments() {
    return {"--svg", "--output", "-", "--turdsize", "0", "--turnpolicy", "black",
            "--alphamax", "1", "--opttolerance", "0.2", "-"};
}

// potrace writes some 40 bytes per curve piece; more than this is past
// kMaxTracedSegments in any case.
constexpr std::size_t kMaxPotraceOutput = 64u << 20;

// Why a run of potrace gave no outlines, or nullptr when it gave them.
const char* ProgramError(ProgramOutcome outcome) {
    switch (outcome) {
        case ProgramOutcome::Finished: return nullptr;
        case ProgramOutcome::Missing: return msg::kTraceProgramMissing;
        case ProgramOutcome::TooSlow: return msg::kTraceProgramTooSlow;
        case ProgramOutcome::TooMuch: return msg::kTraceTooDetailed;
        case ProgramOutcome::Failed: break;
    }
    return msg::kTraceProgramFailed;
}

// Traces the paper of `picture` below `below` into `out`, each shape potrace
// writes one flat numbered from 1 within the level; an error says why not.
const char* TraceLevel(const GreyImage& picture, int below, long long speckPixels, double depth,
                       const std::string& namePrefix, const TraceProgram& program,
                       std::chrono::steady_clock::time_point deadline, long long& specks, FlatsFromSource& out) {
    PaperMask mask = PaperBelow(picture, below);
    specks += DropSpeckles(mask, speckPixels);
    if (std::find(mask.paper.begin(), mask.paper.end(), 1) == mask.paper.end()) return nullptr;
    const auto left = std::chrono::ceil<std::chrono::seconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return msg::kTraceProgramTooSlow;
    const ProgramRun run = RunProgram(program.path, PotraceArguments(), PbmOf(mask), static_cast<int>(left), kMaxPotraceOutput);
    if (const char* error = ProgramError(run.outcome)) return error;
    long long segments = 0;
    for (const FreeformFlat& f : out.flats)
        for (const FrontLoop& l : f.loops) segments += static_cast<long long>(l.segments.size());
    PotraceShapes read = ReadPotraceSvg(run.output, picture.height, static_cast<std::size_t>(kMaxTracedSegments - segments));
    if (read.tooManySegments) return msg::kTraceTooDetailed;
    if (!read.error.empty()) return msg::kTraceProgramFailed;
    int number = 0;
    for (std::vector<FrontLoop>& shape : read.shapes) {
        FreeformFlat flat;
        flat.name = namePrefix + std::to_string(++number);
        flat.depth = depth;
        flat.loops = std::move(shape);
        out.flats.push_back(std::move(flat));
    }
    return nullptr;
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

FlatsFromSource TraceFlats(const GreyImage& picture, const TraceSettings& settings, const TraceProgram& program) {
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
    const char* error = nullptr;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(program.seconds);
    if (n == 0) {
        error = TraceLevel(traced, below(0), settings.speckPixels, settings.depthMm, "picture ", program, deadline,
                           specks, out);
    } else {
        for (int k = 1; k <= n && !error; ++k)
            error = TraceLevel(traced, below(k), settings.speckPixels, settings.depthMm * k / n,
                               "level " + std::to_string(k) + " shape ", program, deadline, specks, out);
    }
    if (error) {
        out.flats.clear();
        out.error = error;
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

#include "cli/FlatsFromImage.h"

#include <cstdlib>

#include "document/ReliefPictures.h"
#include "import/ImportMessages.h"
#include "import/TracedFlats.h"

namespace pw {

namespace {

bool WholeNumber(const std::string& text, long long lo, long long hi, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0' && value >= lo && value <= hi;
}

}  // namespace

bool ReadImageFlatsOption(const std::string& name, const std::string& value, ImageFlatsOptions& options,
                          std::string& error) {
    long long n = 0;
    if (name == "--image") {
        options.image = value;
    } else if (name == "--threshold") {
        if (WholeNumber(value, 0, 255, n)) options.threshold = static_cast<int>(n);
        else error = msg::kTraceThresholdOutOfRange;
    } else if (name == "--levels") {
        if (WholeNumber(value, 2, kMaxDepthLevels, n)) options.levels = static_cast<int>(n);
        else error = msg::kTraceLevelsOutOfRange;
    } else if (name == "--speckle") {
        if (WholeNumber(value, 0, 1'000'000'000, n)) options.speckPixels = n;
        else error = msg::kTraceSpeckleOutOfRange;
    } else {
        return false;
    }
    return true;
}

FlatsFromSource ImageFlatsForCli(const ImageFlatsOptions& options, double depthMm) {
    FlatsFromSource out;
    GreyImage picture;
    if (!ReadReliefPicture(options.image, picture, out.error)) return out;
    TraceSettings settings;
    settings.threshold = options.threshold;
    settings.levels = options.levels;
    settings.speckPixels = options.speckPixels;
    settings.depthMm = depthMm;
    return TraceFlats(picture, settings);
}

}  // namespace pw

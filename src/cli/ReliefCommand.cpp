#include "cli/ReliefCommand.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <ostream>

#include "cli/CardFiles.h"
#include "cli/CliMessages.h"
#include "cli/Cli.h"
#include "cli/CommandWords.h"
#include "document/CardDocument.h"
#include "document/ReliefMaps.h"
#include "document/ReliefPictures.h"
#include "import/ImportMessages.h"
#include "model/ClosingCheck.h"
#include "model/IntegerText.h"

namespace pw {

namespace {

enum class Source { None, Image, Text, Model };

struct ReliefRequest {
    std::string in, out;
    Source source = Source::None;
    std::string input;  // the picture's or the model's file, or the text
    ReliefSettings settings;
};

bool ParseWhole(const std::string& text, long& value) {
    std::int32_t v = 0;
    if (!ParseWholeNumber(text, v)) return false;
    value = v;
    return true;
}

bool ParseArea(const std::string& text, ReliefArea& area) {
    long parts[3] = {0, 0, 0};
    std::size_t start = 0;
    for (int k = 0; k < 3; ++k) {
        const std::size_t comma = text.find(',', start);
        if ((k < 2) != (comma != std::string::npos)) return false;
        if (!ParseWhole(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), parts[k]))
            return false;
        start = comma + 1;
    }
    area = ReliefArea{static_cast<int>(parts[0]), static_cast<int>(parts[1]), static_cast<int>(parts[2])};
    return true;
}

constexpr const char* kReliefUsage =
    "relief needs an input card, an output card and one of --image, --text or --model: relief IN.kpf OUT.kpf "
    "(--image FILE [--depth-map] [--threshold T] | --text TEXT [--font NAME] | --model FILE [--up y|z]) "
    "[--depth D] [--area COL,WIDTH,HEIGHT] [--inside]";

// kExitOk when the words make a request, else the usage status (already reported).
int ParseArguments(const std::vector<std::string>& args, ReliefRequest& r, std::ostream& err) {
    bool depthMap = false, thresholdGiven = false, fontGiven = false, upGiven = false;
    CommandWords words(args);
    while (words.NextOption()) {
        const std::string& a = words.Word();
        if (a == "--depth-map") {
            depthMap = true;
            continue;
        }
        if (a == "--inside") {
            r.settings.keepInside = true;
            continue;
        }
        const std::string name = words.Name();
        const bool known = name == "--image" || name == "--text" || name == "--model" || name == "--threshold" ||
                           name == "--font" || name == "--up" || name == "--depth" || name == "--area";
        if (!known) return UsageError(err, "unknown option \"" + a + "\" for relief");
        std::string value;
        if (!words.TakeValue(value)) return UsageError(err, name + " needs a value");
        if (name == "--image" || name == "--text" || name == "--model") {
            if (r.source != Source::None) return UsageError(err, "relief takes only one of --image, --text and --model");
            r.source = name == "--image" ? Source::Image : name == "--text" ? Source::Text : Source::Model;
            r.input = value;
        } else if (name == "--threshold") {
            char* end = nullptr;
            const double t = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !std::isfinite(t) || t < 0 || t > 100)
                return UsageError(err, std::string("--threshold: ") + msg::kThresholdOutOfRange);
            r.settings.threshold = t / 100.0;
            thresholdGiven = true;
        } else if (name == "--font") {
            r.settings.font = value;
            fontGiven = true;
        } else if (name == "--up") {
            if (value != "y" && value != "z") return UsageError(err, "--up: give y or z");
            r.settings.up = value == "y" ? ModelUp::Y : ModelUp::Z;
            upGiven = true;
        } else if (name == "--depth") {
            long d = 0;
            if (!ParseWhole(value, d)) return UsageError(err, "--depth: Please enter an integer.");
            r.settings.depth = static_cast<int>(d);
            if (d == 0) r.settings.depth = -1;  // refused against the card later, not taken as "default"
        } else if (name == "--area") {
            if (!ParseArea(value, r.settings.area)) return UsageError(err, "--area: give COL,WIDTH,HEIGHT");
        }
    }
    const std::vector<std::string>& files = words.Files();
    if (files.size() != 2 || r.source == Source::None) return UsageError(err, kReliefUsage);
    if ((depthMap || thresholdGiven) && r.source != Source::Image)
        return UsageError(err, "--depth-map and --threshold go with --image");
    if (fontGiven && r.source != Source::Text) return UsageError(err, "--font goes with --text");
    if (upGiven && r.source != Source::Model) return UsageError(err, "--up goes with --model");
    r.settings.pictureMode = depthMap ? PictureMode::DepthMap : PictureMode::Silhouette;
    r.in = files[0];
    r.out = files[1];
    return kExitOk;
}

// Sends what the libraries print on stderr (libpng's and fontconfig's own
// complaints) nowhere while it lives: the command says what went wrong in
// one line of its own.
class QuietStandardError {
public:
    QuietStandardError() : saved_(::dup(2)) {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            ::dup2(null, 2);
            ::close(null);
        }
    }
    ~QuietStandardError() {
        if (saved_ >= 0) {
            ::dup2(saved_, 2);
            ::close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_;
};

// The depth map of the requested source, with the libraries kept quiet.
ReliefMapOutcome MakeDepthMap(const ReliefRequest& r, const CellGrid& card, DepthMap& map) {
    const QuietStandardError quiet;
    switch (r.source) {
    case Source::Image: return MakePictureRelief(r.input, r.settings, card, map);
    case Source::Text: return MakeTextRelief(r.input, r.settings, card, map);
    case Source::Model: return MakeModelRelief(r.input, r.settings, card, map);
    case Source::None: break;
    }
    return {};
}

}  // namespace

int RunReliefCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    ReliefRequest request;
    if (const int status = ParseArguments(args, request, err); status != kExitOk) return status;
    CardDocument doc;
    if (!ReadCardOrReport(request.in, doc, err)) return kExitFileError;
    DepthMap map;
    const ReliefMapOutcome made = MakeDepthMap(request, doc.Card().grid, map);
    if (!made.made) {
        PrintError(err, made.file, made.error);
        return kExitFileError;
    }
    if (!made.warning.empty()) PrintWarning(err, "", made.warning);
    doc.ApplyRelief(map, request.settings.keepInside);
    doc.Derive();
    if (!WriteCardOrReport(request.out, doc, err)) return kExitFileError;
    // As the desktop program's Check Closing words it, with the way out.
    if (const ClosingReport closing = CheckClosing(doc.Card().grid); !closing.ClosesInside())
        PrintWarning(err, request.out,
                     ClosingStatusText(closing) + (request.settings.keepInside ? "" : " --inside cuts the relief back to fit."));
    return kExitOk;
}

}  // namespace pw

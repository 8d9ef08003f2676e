#include "cli/RenderCommand.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <ostream>

#include "cli/CardFiles.h"
#include "cli/CliMessages.h"
#include "cli/Cli.h"
#include "cli/CommandWords.h"
#include "document/CardDocument.h"
#include "document/CardPictureFiles.h"
#include "model/AppSettings.h"
#include "model/Messages.h"
#include "view3d/FoldMap.h"

namespace pw {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMinSide = 16, kMaxSide = 4096;
constexpr int kDefaultWidth = 800, kDefaultHeight = 600;
// The animation: a quarter circle of eased steps open, the same closing.
constexpr int kStepsEachWay = 18;
constexpr int kStepDelay = 5;      // hundredths of a second
constexpr int kOpenPause = 100;    // the opened card stays a second
constexpr int kClosedPause = 50;

// One line on stderr and the usage status: these commands are meant for
// scripts and file managers, which read the first line only.
int BadUsage(std::ostream& err, const std::string& what) {
    PrintError(err, "", what);
    return kExitUsage;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ExtensionOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : Lower(name.substr(dot + 1));
}

// A whole number of pixels within the allowed sides.
bool ParseSide(const std::string& text, int& value) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    value = std::atoi(text.c_str());
    return value >= kMinSide && value <= kMaxSide;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const auto x = Lower(text).find('x');
    return x != std::string::npos && ParseSide(text.substr(0, x), width) && ParseSide(text.substr(x + 1), height);
}

bool ParseAngle(const std::string& text, double& angle) {
    if (text.empty() || text.size() > 32) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '+') return false;
    char* end = nullptr;
    angle = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(angle) && angle >= kClosedAngle && angle <= kFlatAngle;
}

int WriteFailed(std::ostream& err, const std::string& path) {
    PrintError(err, path, msg::kFileSaveFailed);
    return kExitFileError;
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    double angle = kOpenAngle;
    bool angleGiven = false, animate = false, grid = false;
    int width = kDefaultWidth, height = kDefaultHeight;
    CommandWords words(args);
    while (words.NextOption()) {
        const std::string& a = words.Word();
        if (a == "--grid") {
            grid = true;
        } else if (a == "--animate") {
            animate = true;
        } else {
            const std::string name = words.Name();
            if (name != "--angle" && name != "--size") return BadUsage(err, "unknown option \"" + a + "\" for render");
            std::string value;
            if (!words.TakeValue(value)) return BadUsage(err, name + " needs a value");
            if (name == "--angle") {
                if (!ParseAngle(value, angle)) return BadUsage(err, "--angle: please give a number of degrees from 0 to 180");
                angleGiven = true;
            } else if (!ParseSize(value, width, height)) {
                return BadUsage(err, "--size: please give WIDTHxHEIGHT, each from 16 to 4096 pixels");
            }
        }
    }
    const std::vector<std::string>& files = words.Files();
    if (files.size() != 2)
        return BadUsage(err, "render needs an input card and an output picture: render IN.kpf OUT.png|OUT.gif");
    const std::string ext = ExtensionOf(files[1]);
    if (ext != "png" && ext != "gif") return BadUsage(err, "please specify a *.png or *.gif file");
    if (animate && ext != "gif") return BadUsage(err, "--animate writes a *.gif file");
    if (animate && angleGiven) return BadUsage(err, "--angle and --animate do not go together");

    CardDocument doc;
    if (!ReadCardOrReport(files[0], doc, err)) return kExitFileError;
    AppSettings settings;
    settings.view.gridDisplay = grid ? 1 : 0;

    bool written = false;
    if (ext == "png") {
        written = WriteCardPng(doc, settings, files[1], width, height, angle);
    } else {
        std::vector<FoldFrame> frames;
        if (!animate) {
            frames.push_back({angle, 0});
        } else {
            // Eased: slow at both ends, as a hand opens a card.
            for (int k = 0; k < 2 * kStepsEachWay; ++k) {
                const int step = k <= kStepsEachWay ? k : 2 * kStepsEachWay - k;
                const double t = static_cast<double>(step) / kStepsEachWay;
                const double a = step == kStepsEachWay ? kOpenAngle : kOpenAngle * (1 - std::cos(t * kPi)) / 2;
                const int delay = step == kStepsEachWay ? kOpenPause : step == 0 ? kClosedPause : kStepDelay;
                frames.push_back({a, delay});
            }
        }
        written = WriteCardGif(doc, settings, files[1], width, height, frames);
    }
    return written ? kExitOk : WriteFailed(err, files[1]);
}

int RunThumbnailCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() != 3) return BadUsage(err, "thumbnail needs a card, an output picture and a size: thumbnail IN.kpf OUT.png SIZE");
    int size = 0;
    if (!ParseSide(args[2], size)) return BadUsage(err, "thumbnail: please give a SIZE from 16 to 4096 pixels");
    CardDocument doc;
    if (!ReadCardOrReport(args[0], doc, err)) return kExitFileError;
    const AppSettings settings;
    return WriteCardThumbnail(doc, settings, args[1], size) ? kExitOk : WriteFailed(err, args[1]);
}

}  // namespace pw

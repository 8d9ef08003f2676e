#include "cli/FlatsCommand.h"

#include <algorithm>
#include <ostream>

#include "cli/CardFiles.h"
#include "cli/Cli.h"
#include "cli/CliLanguage.h"
#include "cli/CliMessages.h"
#include "cli/CommandWords.h"
#include "cli/FlatsFromImage.h"
#include "cli/FlatsFromModel.h"
#include "cli/FlatsFromSvg.h"
#include "cli/FlatsFromText.h"
#include "cli/FlatsNumbers.h"
#include "document/CardDocument.h"
#include "model/freeform/FreeformFile.h"
#include "output/PatternOptions.h"

namespace pw {

bool ParseMillimetres(const std::string& text, double& value, double least, double most) {
    double v = 0;
    if (!ParseDecimal(text, v) || v < least || v > most) return false;
    value = v;
    return true;
}

namespace {

// A drawing's layers at their own depths, --depth for those that name none.
FlatsFromSource SvgSource(const FlatsOptions& options) { return SvgFlatsForCli(options.source, options.depthMm); }

// A picture traced at --threshold (or, with --levels, a depth map), its
// speckles below --speckle pixels dropped; --size high when given, else a
// pixel a millimetre.
FlatsFromSource ImageSource(const FlatsOptions& options) {
    ImageFlatsOptions image;
    image.image = options.source;
    for (const auto& [name, value] : options.extras) {
        std::string error;
        ReadImageFlatsOption(name, value, image, error);
        if (!error.empty()) {
            FlatsFromSource refused;
            refused.error = error;
            return refused;
        }
    }
    return ImageFlatsForCli(image, options.depthMm);
}

// A model's slices at --depths (or at its own steps), --size high (60 mm
// unless given); the command then moves them to --at.
FlatsFromSource ModelSource(const FlatsOptions& options) {
    const auto depths = options.extras.find("--depths");
    return ModelFlatsForCli(options.source, depths == options.extras.end() ? "" : depths->second,
                            options.sizeMm > 0 ? options.sizeMm : 60, 0, 0);
}

}  // namespace

const std::vector<FlatsSourceEntry>& FlatsSources() {
    // Each source of flats adds its entry here and its function in a file of its own.
    static const std::vector<FlatsSourceEntry> sources = {
        {"--text", {"--font", "--letter-spacing"}, &TextFlatsForCli, true},
        {"--svg", {}, &SvgSource, false},
        {"--image", {"--threshold", "--levels", "--speckle"}, &ImageSource, false},
        {"--model", {"--depths"}, &ModelSource, true},
    };
    return sources;
}

namespace {

// The sheet's sizes a new card may have, in millimetres.
constexpr double kLeastCardMm = 10, kMostCardMm = 2000;

constexpr const char* kFlatsUsage =
    "flats needs an input card or -, an output card and one source: flats IN.pwf|- OUT.pwf --text T [--font PATTERN] "
    "[--letter-spacing MM] | --svg FILE | --image FILE [--threshold N] [--levels N] [--speckle PIXELS] | --model FILE [--depths MM,MM,...] [--depth MM] [--size MM] [--at X,Z] "
    "[--width MM --half MM]";

struct FlatsRequest {
    std::string in, out;
    const FlatsSourceEntry* source = nullptr;
    FlatsOptions options;
    double atX = 10, atZ = 0;
    double width = 0, half = 0;
};

bool ParseAt(const std::string& text, double& x, double& z) {
    const std::size_t comma = text.find(',');
    return comma != std::string::npos && ParseMillimetres(text.substr(0, comma), x, -kMostCardMm, kMostCardMm) &&
           ParseMillimetres(text.substr(comma + 1), z, 0, kMostCardMm);
}

int ParseArguments(const std::vector<std::string>& args, FlatsRequest& r, std::ostream& err) {
    CommandWords words(args);
    while (words.NextOption()) {
        const std::string name = words.Name();
        const FlatsSourceEntry* source = nullptr;
        bool extra = false;
        for (const FlatsSourceEntry& entry : FlatsSources()) {
            if (name == entry.option) source = &entry;
            for (const char* e : entry.extras) extra = extra || name == e;
        }
        const bool known = source || extra || name == "--depth" || name == "--size" || name == "--at" || name == "--width" ||
                           name == "--half";
        if (!known) return UsageError(err, "unknown option \"" + words.Word() + "\" for flats");
        std::string value;
        if (!words.TakeValue(value)) return UsageError(err, name + " needs a value");
        if (source) {
            if (r.source) return UsageError(err, "flats takes one source of flats");
            r.source = source;
            r.options.source = value;
        } else if (extra) {
            r.options.extras[name] = value;
        } else if (name == "--at") {
            if (!ParseAt(value, r.atX, r.atZ)) return UsageError(err, "--at: give X,Z in millimetres, Z not below the floor");
        } else {
            double& target = name == "--depth" ? r.options.depthMm : name == "--size" ? r.options.sizeMm
                             : name == "--width" ? r.width : r.half;
            if (!ParseMillimetres(value, target, 0.1, kMostCardMm)) return UsageError(err, name + ": give millimetres from 0.1 to 2000");
        }
    }
    const std::vector<std::string>& files = words.Files();
    if (files.size() != 2 || !r.source) return UsageError(err, kFlatsUsage);
    for (const auto& given : r.options.extras) {
        const std::string& name = given.first;
        const auto& extras = r.source->extras;
        if (std::find_if(extras.begin(), extras.end(), [&](const char* e) { return name == e; }) == extras.end())
            return UsageError(err, name + " goes with another source than " + r.source->option);
    }
    r.in = files[0];
    r.out = files[1];
    if (r.in == "-" && (r.width < kLeastCardMm || r.half < kLeastCardMm))
        return UsageError(err, "a new card (-) needs --width and --half, each from 10 to 2000 mm");
    if (r.in != "-" && (r.width > 0 || r.half > 0)) return UsageError(err, "--width and --half go with a new card (-)");
    return kExitOk;
}

}  // namespace

int RunFlatsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    FlatsRequest request;
    if (const int status = ParseArguments(args, request, err); status != kExitOk) return status;
    CardDocument doc;
    FreeformCard card{request.width, request.half, {}, {}};
    if (request.in != "-") {
        if (!ReadCardOrReport(request.in, doc, err)) return kExitFileError;
        if (doc.Kind() != CardKind::Freeform) {
            PrintError(err, request.in, "This is not a free-form card: convert makes one of it.");
            return kExitFileError;
        }
        card = doc.Freeform();
    }
    FlatsFromSource made = request.source->make(request.options);
    if (!made.Made()) {
        PrintError(err, "", made.error.empty() ? std::string("The source made no flats.") : made.error);
        return kExitFileError;
    }
    PlaceFlats(made.flats, request.source->sizesItself ? 0 : request.options.sizeMm, request.atX, request.atZ);
    card.flats.insert(card.flats.end(), made.flats.begin(), made.flats.end());
    // Flats that leave the sheet would make a file that no reader takes back.
    if (const std::string wrong = CheckFreeformOutlines(card); !wrong.empty()) {
        PrintError(err, "", wrong);
        return kExitFileError;
    }
    doc.SetFreeform(std::move(card));
    if (!WriteCardOrReport(request.out, doc, err)) return kExitFileError;
    for (const std::string& note : made.notes) out << CliText(out, note) << "\n";
    return kExitOk;
}

std::string FlatsHelp() {
    return "  popwright-cli flats IN.pwf|- OUT.pwf SOURCE [--depth MM] [--size MM] [--at X,Z]\n"
           "      Add flats to the free-form card IN, or to a new one with - and\n"
           "      --width MM --half MM, and write OUT. SOURCE is:\n"
           "        --text T [--font PATTERN] [--letter-spacing MM]   a line in a system font\n"
           "        --svg FILE                     a drawing's layers, at the depths their names give\n"
           "        --image FILE [--threshold N] [--levels N] [--speckle PIXELS]   a picture, traced:\n"
           "          darker than N of 255 is paper; --levels: a depth map in N levels, black nearest\n"
           "        --model FILE [--depths MM,MM,...]   a 3D model sliced at those depths (default: its steps)\n"
           "      --depth: how far in front of the back the flats stand (default 30).\n"
           "      --size: the height of the capitals (default 20), or of the shape's box\n"
           "      (a drawing: its own size; a picture: a pixel a millimetre; a model: 60).\n"
           "      --at: where the lower left corner goes, along the crease and up (default 10,0).\n";
}

}  // namespace pw

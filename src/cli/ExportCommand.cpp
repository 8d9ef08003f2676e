#include "cli/ExportCommand.h"

#include <cctype>
#include <cstdlib>
#include <ostream>

#include "cli/CardFiles.h"
#include "cli/Cli.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/Messages.h"
#include "model/RebuildPass.h"
#include "output/PatternFiles.h"
#include "output/PatternPlacement.h"

namespace pw {

namespace {

// The metafile's reference device, standing in for the desktop's screen.
constexpr int kReferenceDpi = 96;

// The same ranges as the settings dialog.
constexpr int kMinBmpWidth = 10, kMaxBmpWidth = 1600;
constexpr int kMinRatio = 10, kMaxRatio = 90;

std::string Between(int lo, int hi) {
    std::string text = msg::kEnterIntegerBetween;
    text.replace(text.find("%1"), 2, std::to_string(lo));
    text.replace(text.find("%2"), 2, std::to_string(hi));
    return text;
}

// A whole decimal number within [lo, hi]; otherwise the text that says what
// is wrong, as the settings dialog says it.
std::string ParseOption(const std::string& text, int lo, int hi, int& value) {
    std::size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    bool digits = i < text.size() && text.size() - i <= 9;
    for (std::size_t k = i; digits && k < text.size(); ++k)
        digits = std::isdigit(static_cast<unsigned char>(text[k])) != 0;
    if (!digits) return msg::kEnterInteger;
    const long v = std::strtol(text.c_str(), nullptr, 10);
    if (v < lo || v > hi) return Between(lo, hi);
    value = static_cast<int>(v);
    return "";
}

struct ExportRequest {
    std::string in, out;
    AppSettings settings;
};

// kExitOk when the words make a request, else the usage status (already reported).
int ParseArguments(const std::vector<std::string>& args, ExportRequest& request, std::ostream& err) {
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            files.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        if (a == "--invert") {
            request.settings.reverseMode = 1;
            continue;
        }
        const auto eq = a.find('=');
        const std::string name = a.substr(0, eq);
        if (name != "--bmp-width" && name != "--ratio")
            return UsageError(err, "unknown option \"" + a + "\" for export");
        std::string value;
        if (eq != std::string::npos) {
            value = a.substr(eq + 1);
        } else if (k + 1 < args.size()) {
            value = args[++k];
        } else {
            return UsageError(err, name + " needs a number");
        }
        const std::string problem =
            name == "--ratio" ? ParseOption(value, kMinRatio, kMaxRatio, request.settings.rudovozuSizeRatio)
                              : ParseOption(value, kMinBmpWidth, kMaxBmpWidth, request.settings.rudovozuSizeBMP);
        if (!problem.empty()) return UsageError(err, name + ": " + problem);
    }
    if (files.size() != 2)
        return UsageError(err, "export needs an input card and an output file: "
                               "export IN.kpf OUT.EXT [--bmp-width P] [--ratio R] [--invert]");
    request.in = files[0];
    request.out = files[1];
    return kExitOk;
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    ExportRequest request;
    if (const int status = ParseArguments(args, request, err); status != kExitOk) return status;
    const PatternFileType type = PatternFileTypeOf(request.out);
    if (type == PatternFileType::Unknown) return UsageError(err, msg::kSpecifyExportFile);

    EditedCard model;
    if (!ReadCardOrReport(request.in, model, err)) return kExitFileError;
    RunRebuildPass(model.grid);

    const double perCm = kReferenceDpi * kInchesPerCentimetre;
    if (!WritePatternFile(request.out, type, model.grid, request.settings, perCm, perCm)) {
        err << (type == PatternFileType::Dxf ? msg::kFileOpenFailed : msg::kFileSaveFailed) << "\n";
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace pw

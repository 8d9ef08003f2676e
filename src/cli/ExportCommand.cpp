#include "cli/ExportCommand.h"

#include <cctype>
#include <cstdlib>
#include <ostream>
#include <sstream>

#include "app/AppSettings.h"
#include "cli/CardFiles.h"
#include "cli/Cli.h"
#include "model/CardModel.h"
#include "model/Messages.h"
#include "model/RebuildPass.h"
#include "output/BmpFile.h"
#include "output/CutterPattern.h"
#include "output/DxfWriter.h"
#include "output/PatternImages.h"
#include "output/PatternPlacement.h"
#include "output/PdfWriter.h"
#include "output/SafeFileWriter.h"
#include "output/SvgWriter.h"

namespace pw {

namespace {

// The metafile's reference device, standing in for the desktop's screen.
constexpr int kReferenceDpi = 96;

// The same ranges as the settings dialog.
constexpr int kMinBmpWidth = 10, kMaxBmpWidth = 1600;
constexpr int kMinRatio = 10, kMaxRatio = 90;

enum class Format { Bmp, Emf, Svg, Pdf, Dxf, Unknown };

// The text after the last dot of the file name (not of the folders), any case.
Format FormatOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos) return Format::Unknown;
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "bmp") return Format::Bmp;
    if (ext == "emf") return Format::Emf;
    if (ext == "svg") return Format::Svg;
    if (ext == "pdf") return Format::Pdf;
    if (ext == "dxf") return Format::Dxf;
    return Format::Unknown;
}

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

bool WriteText(const std::string& path, const std::ostringstream& text) {
    return WriteFileReplacing(path, text.str());
}

bool WriteOutput(Format format, const std::string& path, const CellGrid& grid, const AppSettings& s) {
    switch (format) {
        case Format::Dxf: {
            std::ostringstream text;
            WriteDxf(text, grid);
            return WriteText(path, text);
        }
        case Format::Bmp: {
            const auto image = RenderPatternBitmap(grid, s.reverseMode, s.rudovozuSizeBMP, BitmapKind::File);
            if (!image) return false;
            const auto info = MakeBitmapInfo(*image);
            return info && WriteBmpFile(path, *info, *image);
        }
        case Format::Emf: {
            const double perCm = kReferenceDpi * kInchesPerCentimetre;
            const auto bytes = RenderPatternMetafile(grid, s.reverseMode, s.rudovozuSizeRatio, perCm, perCm);
            return !bytes.empty() && WriteFileReplacing(path, bytes);
        }
        case Format::Svg:
        case Format::Pdf: {
            const CutterPattern pattern = LayOutCutterPattern(grid, s.reverseMode, s.rudovozuSizeRatio);
            std::ostringstream text;
            if (format == Format::Svg)
                WriteSvg(text, pattern);
            else
                WritePdf(text, pattern);
            return WriteText(path, text);
        }
        case Format::Unknown: break;
    }
    return false;
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    ExportRequest request;
    if (const int status = ParseArguments(args, request, err); status != kExitOk) return status;
    const Format format = FormatOf(request.out);
    if (format == Format::Unknown) return UsageError(err, msg::kSpecifyExportFile);

    CardModel model;
    if (!ReadCardOrReport(request.in, model, err)) return kExitFileError;
    RunRebuildPass(model.grid);

    if (!WriteOutput(format, request.out, model.grid, request.settings)) {
        err << (format == Format::Dxf ? msg::kFileOpenFailed : msg::kFileSaveFailed) << "\n";
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace pw

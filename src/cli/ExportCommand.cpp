#include "cli/ExportCommand.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <ostream>

#include "cli/CardFiles.h"
#include "cli/CliLanguage.h"
#include "cli/CliMessages.h"
#include "cli/Cli.h"
#include "cli/CommandWords.h"
#include "document/CardDocument.h"
#include "model/AppSettings.h"
#include "model/IntegerText.h"
#include "model/Messages.h"
#include "output/CutterPattern.h"
#include "output/CuttingMachine.h"
#include "output/ExportFormat.h"
#include "output/PatternOptions.h"
#include "output/PatternPlacement.h"

namespace pw {

namespace {

// The metafile's reference device, standing in for the desktop's screen.
constexpr int kReferenceDpi = 96;

std::string Filled(const char* message, const std::string& low, const std::string& high) {
    std::string text = message;
    text.replace(text.find("%1"), 2, low);
    text.replace(text.find("%2"), 2, high);
    return text;
}

std::string Between(int lo, int hi) { return Filled(msg::kEnterIntegerBetween, std::to_string(lo), std::to_string(hi)); }

// A whole decimal number within the setting's range; otherwise the text
// that says what is wrong, as the settings dialog says it.
std::string ParseOption(const std::string& text, const WholeSetting& setting, int& value) {
    std::int32_t v = 0;
    if (!ParseWholeNumber(text, v)) return msg::kEnterInteger;
    if (!setting.Allows(v)) return Between(setting.low, setting.high);
    value = v;
    return "";
}

// A length in millimetres, kept to a micrometre.
bool ParseMm(const std::string& text, double& value) {
    double v = 0;
    if (!ParseDecimal(text, v)) return false;
    value = std::round(v * 1000) / 1000;
    return true;
}

std::string ParseLength(const std::string& text, double lo, double hi, double& value) {
    double v = 0;
    if (!ParseMm(text, v) || v < lo || v > hi) return Filled(msg::kEnterLengthBetween, FormatMm(lo), FormatMm(hi));
    value = v;
    return "";
}

std::string ParseCell(const std::string& text, double& value) {
    double v = 0;
    if (!ParseMm(text, v) || !CellSizeAllowed(v))
        return Filled(msg::kEnterCellSize, FormatMm(kMinCellMm), FormatMm(kMaxCellMm));
    value = v;
    return "";
}

// A bad value: one line, no usage text, nothing written.
int ValueError(std::ostream& err, const std::string& what) {
    PrintError(err, "", what);
    return kExitUsage;
}

// The options that only the cutter-ready files take, as given.
struct GivenOptions {
    bool pattern = false, cell = false, hairline = false, perforate = false, dash = false, gap = false;
    bool legend = false, page = false, tile = false, cutOrder = false, kerf = false;
};

struct ExportRequest {
    std::string in, out;
    AppSettings settings;
    PatternOptions options;
    GivenOptions given;
    const CuttingMachine* machine = nullptr;  // --machine: the format is among the machine's
};

constexpr const char* kExportUsage =
    "export IN.kpf OUT.EXT [--bmp-width P] [--ratio R] [--invert] [--pattern] [--cell-mm C] [--hairline] "
    "[--perforate [--dash MM] [--gap MM]] [--legend] [--page NAME] [--tile] [--cut-order inner-first|as-drawn] "
    "[--machine NAME [--kerf MM]]";

// kExitOk when the words make a request, else the usage status (already reported).
int ParseArguments(const std::vector<std::string>& args, ExportRequest& request, std::ostream& err) {
    GivenOptions& given = request.given;
    PatternOptions& options = request.options;
    CommandWords words(args);
    while (words.NextOption()) {
        const std::string& a = words.Word();
        if (a == "--invert") {
            request.settings.print.mirror = 1;
            continue;
        }
        // The other switches without a value.
        bool* flag = a == "--pattern"     ? &given.pattern
                     : a == "--hairline"  ? &given.hairline
                     : a == "--perforate" ? &given.perforate
                     : a == "--legend"    ? &given.legend
                     : a == "--tile"      ? &given.tile
                                          : nullptr;
        if (flag) {
            *flag = true;
            continue;
        }
        const std::string name = words.Name();
        const bool known = name == "--bmp-width" || name == "--ratio" || name == "--cell-mm" || name == "--dash" ||
                           name == "--gap" || name == "--page" || name == "--cut-order" ||
                           name == "--machine" || name == "--kerf";
        if (!known) return UsageError(err, "unknown option \"" + a + "\" for export");
        std::string value;
        if (!words.TakeValue(value)) return UsageError(err, name + " needs a value");
        std::string problem;
        if (name == "--ratio") {
            problem = ParseOption(value, kPrintSizeSetting, request.settings.print.sizePercent);
        } else if (name == "--bmp-width") {
            problem = ParseOption(value, kBitmapWidthSetting, request.settings.bitmap.widthPx);
        } else if (name == "--cell-mm") {
            given.cell = true;
            problem = ParseCell(value, options.cellMm);
        } else if (name == "--dash") {
            given.dash = true;
            problem = ParseLength(value, kMinDashMm, kMaxDashMm, options.dashMm);
        } else if (name == "--gap") {
            given.gap = true;
            problem = ParseLength(value, kMinGapMm, kMaxGapMm, options.gapMm);
        } else if (name == "--machine") {
            request.machine = CuttingMachineNamed(value);
            if (!request.machine) problem = "unknown machine \"" + value + "\" (" + MachineNames() + ")";
        } else if (name == "--kerf") {
            given.kerf = true;
            problem = ParseLength(value, 0, kMaxKerfMm, options.kerfMm);
        } else if (name == "--page") {
            given.page = true;
            if (const auto paper = PaperNamed(value))
                options.paper = *paper;
            else
                problem = "unknown page \"" + value + "\" (a4, a5, a3, letter, legal, postcard, reply-postcard, b5 or b4)";
        } else {
            given.cutOrder = true;
            if (value == "inner-first")
                options.cutOrder = CutOrder::InnerFirst;
            else if (value == "as-drawn")
                options.cutOrder = CutOrder::AsDrawn;
            else
                problem = "unknown cut order \"" + value + "\" (inner-first or as-drawn)";
        }
        if (!problem.empty()) return ValueError(err, name + ": " + problem);
    }
    const std::vector<std::string>& files = words.Files();
    if (files.size() != 2)
        return UsageError(err, std::string("export needs an input card and an output file: ") + kExportUsage);
    options.hairline = given.hairline;
    options.perforate = given.perforate;
    options.legend = given.legend;
    options.tile = given.tile;
    request.in = files[0];
    request.out = files[1];
    return kExitOk;
}

// The first option given that the format cannot take, with the reason;
// empty when all fit.
std::string MisplacedOption(const ExportFormat& format, const GivenOptions& g, const ExportFormatList& formats,
                            const ListWords& words) {
    struct Check {
        bool given;
        const char* name;
        unsigned option;
    };
    const Check cutterOptions[] = {
        {g.cell, "--cell-mm", kTakesCellSize},    {g.hairline, "--hairline", kTakesHairline},
        {g.perforate, "--perforate", kTakesPerforation}, {g.dash, "--dash", kTakesPerforation},
        {g.gap, "--gap", kTakesPerforation},      {g.legend, "--legend", kTakesLegend},
        {g.page, "--page", kTakesPaper},          {g.tile, "--tile", kTakesTiling},
        {g.cutOrder, "--cut-order", kTakesCutOrder}};
    for (const Check& c : cutterOptions)
        if (c.given)
            if (std::string refused = OptionRefused(format, c.option, c.name, formats, words); !refused.empty())
                return refused;
    if ((g.dash || g.gap) && !g.perforate) return std::string(g.dash ? "--dash" : "--gap") + " needs --perforate";
    return "";
}

}  // namespace

ListWords CliListWords(std::ostream& stream) {
    return {CliText(stream, ", "), CliText(stream, " or "), CliText(stream, " and ")};
}

std::string ExportHelp(const ExportFormatList& formats, const ListWords& words) {
    std::string extensions;
    for (const std::string& ext : ExportExtensions(formats)) {
        extensions += " " + ext;
        for (const ExportFormat* f : formats)
            if (*f->helpNote && std::count(f->extensions.begin(), f->extensions.end(), ext))
                extensions += std::string(" (") + f->helpNote + ")";
    }
    const AppSettings defaults;
    const PatternOptions options;
    return "  popwright-cli export IN.kpf OUT.EXT [options]\n"
           "      Write the unfolded pattern or the relief to an image, vector or DXF file.\n"
           "      EXT:" + extensions + "\n"
           "      --bmp-width P      bitmap width in pixels (" + std::to_string(kBitmapWidthSetting.low) + " - " +
           std::to_string(kBitmapWidthSetting.high) + ", default " + std::to_string(defaults.bitmap.widthPx) + ")\n"
           "      --ratio R          print size, percent of the A4 width (" + std::to_string(kPrintSizeSetting.low) + " - " +
           std::to_string(kPrintSizeSetting.high) + ", default " + std::to_string(defaults.print.sizePercent) + ")\n"
           "      --invert           mirror the pattern left to right\n"
           "      " + FormatsTaking(kTakesCellSize | kTakesCutOrder | kTakesPerforation, formats, words) + " only:\n"
           "      --cell-mm C        cell size in mm (" + FormatMm(kMinCellMm) + " - " + FormatMm(kMaxCellMm) +
           "; 0 = from --ratio)\n"
           "      --cut-order O      inner-first (default: folds, inner cuts, outline last) or as-drawn\n"
           "      --perforate        folds as real dashes: --dash MM (default " + FormatMm(options.dashMm) +
           ") --gap MM (default " + FormatMm(options.gapMm) + ")\n"
           "      " + FormatsTaking(kTakesHairline | kTakesLegend | kTakesPaper, formats, words) + " only:\n"
           "      --hairline         strokes of 0.001 in, for laser print drivers\n"
           "      --legend           a key of the line kinds and the card's size\n"
           "      --page NAME        a4 (default), a5, a3, letter, legal, postcard,\n"
           "                         reply-postcard, b5 or b4 (JIS)\n"
           "      --tile             " + FormatsTaking(kTakesTiling, formats, words) +
           ": tile over pages even when the sheet fits one\n"
           "      --machine NAME     the file for a cutting machine (EXT among its own):\n"
           "                         machines: " + MachineNames() + "\n"
           "      --kerf MM          laser only: the beam's width (0 - " + FormatMm(kMaxKerfMm) +
           "); the cut runs half of it outside\n"
           "      --legend           laser too: the key engraved in black, its letters as outlines\n";
}

int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const ExportFormatList& formats) {
    ExportRequest request;
    if (const int status = ParseArguments(args, request, err); status != kExitOk) return status;
    const ExportFormatList& choices = request.machine ? request.machine->formats : formats;
    // A machine that perforates its folds takes their dash and gap as they are.
    if (request.machine && request.machine->fold == FoldTreatment::Perforation) request.given.perforate = true;
    if (request.given.kerf && !(request.machine && request.machine->style.offsetsKerf))
        return ValueError(err, "--kerf applies to --machine laser");
    const ExportFormat* format = request.machine ? MachineFormatOf(*request.machine, request.out)
                                                 : ExportFormatOf(request.out, request.given.pattern, formats);
    if (!format) {
        std::string refusal = msg::kSpecifyFileOf;
        refusal.replace(refusal.find("%1"), 2, ExtensionChoice(ExportExtensions(choices), CliListWords(err)));
        return UsageError(err, refusal);
    }
    if (const std::string misplaced = MisplacedOption(*format, request.given, choices, CliListWords(err)); !misplaced.empty())
        return ValueError(err, misplaced);

    CardDocument doc;
    if (!ReadCardOrReport(request.in, doc, err)) return kExitFileError;

    // The legend in the language the messages are in.
    LegendWording& words = request.options.legendWording;
    for (std::string* text : words.Texts())
        *text = CliText(out, *text);

    const double perCm = kReferenceDpi * kInchesPerCentimetre;
    ExportReport report;
    if (!doc.Export(*format, request.out, request.settings, perCm, perCm, request.options, report)) {
        PrintError(err, request.out, format->relief ? msg::kFileOpenFailed : msg::kFileSaveFailed);
        return kExitFileError;
    }
    // Not an error, but the cutter must be told to score that layer.
    if (report.scoredFolds > 0) out << ScoredFoldsText(report.scoredFolds) << "\n";
    return kExitOk;
}

}  // namespace pw

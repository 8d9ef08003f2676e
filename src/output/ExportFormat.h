#pragma once
#include <string>
#include <vector>

#include "model/TranslatableText.h"
#include "output/CutterPattern.h"
#include "output/PatternOptions.h"

namespace pw {

struct AppSettings;
struct Sheet;

// The pattern options a file can carry, as bits of ExportFormat::options.
// Their ranges live with the options (output/PatternOptions.h).
enum PatternOptionBits : unsigned {
    kTakesCellSize = 1u << 0,
    kTakesCutOrder = 1u << 1,
    kTakesPerforation = 1u << 2,  // and its dash and gap
    kTakesHairline = 1u << 3,
    kTakesLegend = 1u << 4,
    kTakesPaper = 1u << 5,
    kTakesTiling = 1u << 6,
};

// What a writer reads: the card's sheet, the settings (reverse mode, print
// size, bitmap width), the screen's resolution for the metafile and the
// pattern options (only those the format takes are ever set).
struct ExportInput {
    const Sheet& sheet;
    const AppSettings& settings;
    double pxPerCm;
    double pyPerCm;
    const PatternOptions& options;
    // The sheet is drawn in millimetres (a free-form card's), not in cells:
    // the pattern is laid out at its real size and keeps its curves.
    bool millimetres = false;
    // Text drawn as glyph outlines, for the files that engrave a key; empty:
    // such files have none.
    TextOutliner outlineText = nullptr;
};

// What a writer tells of the file it wrote, from the one layout it made:
// the perforated folds too short to perforate, which went to the score
// layer; the finished size and the pages, for the files laid out at their
// real size (no pages: a file that has none).
struct ExportReport {
    int scoredFolds = 0;
    FinishedSize size;
    int pages = 0;
};

// Writes the file whole or not at all; false when the picture cannot be
// made or written.
using ExportWriter = bool (*)(const std::string& path, const ExportInput& input, ExportReport& report);

// Why some options the format does not take are refused: a text with %1 for
// the option's name ("%1 applies to pdf files; ..."), marked for translation,
// or one said after the name.
struct OptionRefusal {
    unsigned options;
    const char* reason;
};

// One kind of file the pattern or the relief is exported to. Everything
// that lists, checks or offers export files reads these: the desktop's save
// dialogs and pattern options, popwright-cli's checks, --help and messages.
struct ExportFormat {
    const char* id;               // unique, for looking a format up
    const char* commandLineName;  // how popwright-cli's texts name it: "svg", "dxf --pattern"
    const char* filterName;       // the save dialog's, marked for the context "FileFilters"
    std::vector<std::string> extensions;  // lower case, without the dot
    bool relief = false;          // the relief's 3D faces rather than the flat pattern
    unsigned options = 0;         // PatternOptionBits
    std::vector<OptionRefusal> refusals;  // others get "applies to <the files that take options> files"
    const char* helpNote = "";    // said after the extension in --help
    ExportWriter write = nullptr;
};

using ExportFormatList = std::vector<const ExportFormat*>;

// Every format, in the order the dialogs and messages list them
// (output/formats/FormatList.h).
const ExportFormatList& ExportFormats();

inline bool Takes(const ExportFormat& format, unsigned options) { return (format.options & options) == options; }

// The text after the last dot of the file name (not of a folder), lower
// case; empty without a dot.
std::string ExtensionOf(const std::string& path);

// The format named `id`, or null.
const ExportFormat* ExportFormatNamed(const std::string& id, const ExportFormatList& formats = ExportFormats());

// The format for the file's extension: when two share it, the flat
// pattern's if `pattern`, otherwise the relief's. Null for no format.
const ExportFormat* ExportFormatOf(const std::string& path, bool pattern,
                                   const ExportFormatList& formats = ExportFormats());

// The flat pattern's format for the file's extension, never the relief's;
// null for none.
const ExportFormat* PatternFormatOf(const std::string& path, const ExportFormatList& formats = ExportFormats());

// Every extension once, in order: {"bmp", "emf", ...}.
std::vector<std::string> ExportExtensions(const ExportFormatList& formats);

// The words that join a list inside a sentence: "a, b or c", "a, b and c".
// The defaults are English; a translated message passes its language's.
struct ListWords {
    std::string comma = ", ";
    std::string orWord = " or ";
    std::string andWord = " and ";
};

// "*.bmp, *.emf, *.svg, *.pdf or *.dxf".
std::string ExtensionChoice(const std::vector<std::string>& extensions, const ListWords& words = ListWords());

// The command-line names of the formats that take all of `options`, as a
// sentence lists them: "svg, pdf and dxf --pattern".
std::string FormatsTaking(unsigned options, const ExportFormatList& formats, const ListWords& words = ListWords());

// Why `optionName` (taking `option`) does not fit `format`; empty when it
// does. A format's own reason is an English text with %1 for the option's
// name, marked for translation (one without %1 follows the name); the
// general one is "%1 applies to %2 files".
std::string OptionRefused(const ExportFormat& format, unsigned option, const std::string& optionName,
                          const ExportFormatList& formats, const ListWords& words = ListWords());

// Writes the file the format makes from the sheet.
bool WriteExportFile(const ExportFormat& format, const std::string& path, const ExportInput& input,
                     ExportReport& report);
bool WriteExportFile(const ExportFormat& format, const std::string& path, const ExportInput& input,
                     int* scoredFolds = nullptr);

}  // namespace pw

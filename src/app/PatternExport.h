#pragma once
#include <QString>

class QWidget;

namespace pw {

class CardDocument;
class UserPrompts;
struct AppSettings;
struct PatternOptions;

// The save dialogs' filters in Qt's form, one per export format of the
// registry (output/ExportFormat.h): the flat pattern's formats, or the
// relief's. Each format's name is translated in the context "FileFilters";
// the patterns in parentheses come from its extensions. Only the extension
// of the chosen name decides what is written, never the chosen filter.
QString ExportFileFilter(bool relief);
// What ExportFileFilter(true) is untranslated, as a constant for the checks
// of the file dialogs' suffix handling; nothing else reads it.
inline constexpr const char* kDxfFileFilter = "DXF File(*.dxf)";

// The File export commands: each asks for a file with the save dialog
// (which asks before overwriting), writes it and reports a failure in a
// message box. Cancelling a dialog ends the command.
class PatternExport {
public:
    // `options` are the choices of the last "Pattern options" in this run;
    // an export that asks for them updates them.
    PatternExport(CardDocument& doc, const AppSettings& settings, UserPrompts& prompts, PatternOptions& options)
        : doc_(doc), settings_(settings), prompts_(prompts), options_(options) {}

    // "Export Unfolded pattern...": any flat pattern format, by the
    // extension (a DXF name means the pattern's DXF). Formats that take
    // pattern options (SVG, PDF, DXF) ask for them first (the cell size
    // starting from the Setting dialog's), and
    // a written file's finished size, and how many folds were too short to
    // perforate, show in the window's status bar.
    void ExportUnfoldedPattern(QWidget* window);
    // "Export 3D Data...": the relief's DXF under whatever name is chosen.
    void ExportDxf(QWidget* window);
    // "Share as Web Page...": the card as one self-contained HTML file that
    // shows it in 3D, named on the page by the file's name.
    void ShareWebPage(QWidget* window);

private:
    CardDocument& doc_;
    const AppSettings& settings_;
    UserPrompts& prompts_;
    PatternOptions& options_;
};

}  // namespace pw

#pragma once
#include <QString>

class QWidget;

namespace pw {

class UserPrompts;
struct AppSettings;
struct EditedCard;
struct PatternOptions;

// The save dialog's filters, in Qt's form. Only the extension of the chosen
// name decides what is written, never the chosen filter.
// Marked for translation in the context "FileFilters"; a translation keeps
// the patterns in parentheses.
inline constexpr const char* kPatternFileFilter = QT_TRANSLATE_NOOP(
    "FileFilters", "BMP File(*.bmp);;EMF File(*.emf);;SVG File(*.svg);;PDF File(*.pdf);;Pattern DXF File(*.dxf)");
inline constexpr const char* kDxfFileFilter = QT_TRANSLATE_NOOP("FileFilters", "DXF File(*.dxf)");

// The two File export commands: each asks for a file with the save dialog
// (which asks before overwriting), writes it and reports a failure in a
// message box. Cancelling a dialog ends the command.
class PatternExport {
public:
    // `options` are the choices of the last "Pattern options" in this run;
    // an export that asks for them updates them.
    PatternExport(EditedCard& model, const AppSettings& settings, UserPrompts& prompts, PatternOptions& options)
        : model_(model), settings_(settings), prompts_(prompts), options_(options) {}

    // "Export Unfolded pattern...": BMP, EMF, SVG, PDF or the pattern as a
    // flat DXF, by the extension. SVG, PDF and DXF ask for the pattern
    // options first (the cell size starting from the Setting dialog's), and
    // a written file's finished size, and how many folds were too short to
    // perforate, show in the window's status bar.
    void ExportUnfoldedPattern(QWidget* window);
    // "Export 3D Data...": the relief's DXF under whatever name is chosen.
    void ExportDxf(QWidget* window);

private:
    EditedCard& model_;
    const AppSettings& settings_;
    UserPrompts& prompts_;
    PatternOptions& options_;
};

}  // namespace pw

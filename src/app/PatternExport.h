#pragma once
#include <QString>

class QWidget;

namespace pw {

class UserPrompts;
struct AppSettings;
struct EditedCard;

// The save dialog's filters, in Qt's form. Only the extension of the chosen
// name decides what is written, never the chosen filter.
inline constexpr const char* kPatternFileFilter =
    "BMP File(*.bmp);;EMF File(*.emf);;SVG File(*.svg);;PDF File(*.pdf)";
inline constexpr const char* kDxfFileFilter = "DXF File(*.dxf)";

// The two File export commands: each asks for a file with the save dialog
// (which asks before overwriting), writes it and reports a failure in a
// message box. Cancelling the dialog ends the command.
class PatternExport {
public:
    PatternExport(EditedCard& model, const AppSettings& settings, UserPrompts& prompts)
        : model_(model), settings_(settings), prompts_(prompts) {}

    // "Export Unfolded pattern...": BMP, EMF, SVG or PDF by the extension.
    void ExportUnfoldedPattern(QWidget* window);
    // "Export 3D Data...": DXF under whatever name is chosen.
    void ExportDxf(QWidget* window);

private:
    EditedCard& model_;
    const AppSettings& settings_;
    UserPrompts& prompts_;
};

}  // namespace pw

#pragma once
#include <QString>

class QWidget;

namespace pw {

class CellGrid;
class UserPrompts;
struct AppSettings;
struct CardModel;
struct ScreenResolution;

// The kinds of pattern file the export writes, chosen by the extension.
enum class PatternFileType { Bmp, Emf, Svg, Pdf, Unknown };

// The save dialog's filters, in Qt's form. Only the extension of the chosen
// name decides what is written, never the chosen filter.
inline constexpr const char* kPatternFileFilter =
    "BMP File(*.bmp);;EMF File(*.emf);;SVG File(*.svg);;PDF File(*.pdf)";
inline constexpr const char* kDxfFileFilter = "DXF File(*.dxf)";

// The type named by the text after the last dot of the file name (not of a
// folder), compared ignoring case; Unknown without a dot.
PatternFileType PatternFileTypeOf(const QString& path);

// Writes the unfolded pattern as the type says: the bitmap file at
// rudovozuSizeBMP pixels, the metafile for the screen as reference device,
// SVG and PDF at the printed size. The file is replaced whole or not at all.
// False when the picture cannot be made or the file cannot be written.
bool WritePatternFile(const QString& path, PatternFileType type, const CellGrid& grid,
                      const AppSettings& settings, const ScreenResolution& screen);

// Writes the relief as 3D faces; false when the file cannot be written.
bool WriteDxfFile(const QString& path, const CellGrid& grid);

// The two File export commands: each asks for a file with the save dialog
// (which asks before overwriting), writes it and reports a failure in a
// message box. Cancelling the dialog ends the command.
class PatternExport {
public:
    PatternExport(CardModel& model, const AppSettings& settings, UserPrompts& prompts)
        : model_(model), settings_(settings), prompts_(prompts) {}

    // "Export Unfolded pattern...": BMP, EMF, SVG or PDF by the extension.
    void ExportUnfoldedPattern(QWidget* window);
    // "Export 3D Data...": DXF under whatever name is chosen.
    void ExportDxf(QWidget* window);

private:
    CardModel& model_;
    const AppSettings& settings_;
    UserPrompts& prompts_;
};

}  // namespace pw

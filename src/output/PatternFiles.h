#pragma once
#include <string>

#include "output/PatternOptions.h"

namespace pw {

class CellGrid;
struct AppSettings;
struct Sheet;

struct ExportFormat;

// Names for the built-in formats of the registry (output/ExportFormat.h),
// which is what the commands and dialogs read; a new format needs no name
// here. A ".dxf" name stands for the relief's 3D faces (Dxf); the pattern's
// own flat DXF (PatternDxf) is asked for by the pattern export commands.
enum class PatternFileType { Bmp, Emf, Svg, Pdf, Dxf, PatternDxf, Unknown };

// The registry's format the name stands for; null for Unknown.
const ExportFormat* ExportFormatOfType(PatternFileType type);

// The type named by the text after the last dot of the file name (not of a
// folder), compared ignoring case; Unknown without a dot.
PatternFileType PatternFileTypeOf(const std::string& path);

// Writes the unfolded pattern (or, for Dxf, the relief as 3D faces): the
// bitmap at rudovozuSizeBMP pixels, the metafile with a reference device of
// pxPerCm x pyPerCm, SVG, PDF and the pattern DXF at their real size with
// the options (which the bitmap, the metafile and the relief ignore). The
// file is replaced whole or not at all. False when the picture cannot be
// made or written. `scoredFolds`, when given, receives how many perforated
// folds were too short to perforate and went to the score layer.
// Everything is read from the card's sheet; a grid card's comes from its
// faces as the last rebuild pass left them.
bool WritePatternFile(const std::string& path, PatternFileType type, const Sheet& sheet,
                      const AppSettings& settings, double pxPerCm, double pyPerCm,
                      const PatternOptions& options = PatternOptions(), int* scoredFolds = nullptr);
bool WritePatternFile(const std::string& path, PatternFileType type, const CellGrid& grid,
                      const AppSettings& settings, double pxPerCm, double pyPerCm,
                      const PatternOptions& options = PatternOptions(), int* scoredFolds = nullptr);

}  // namespace pw

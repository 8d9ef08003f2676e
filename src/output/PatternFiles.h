#pragma once
#include <string>

namespace pw {

class CellGrid;
struct AppSettings;

// The files the pattern and the relief go to, chosen by the extension.
enum class PatternFileType { Bmp, Emf, Svg, Pdf, Dxf, Unknown };

// The type named by the text after the last dot of the file name (not of a
// folder), compared ignoring case; Unknown without a dot.
PatternFileType PatternFileTypeOf(const std::string& path);

// Writes the unfolded pattern (or, for Dxf, the relief as 3D faces): the
// bitmap at rudovozuSizeBMP pixels, the metafile with a reference device of
// pxPerCm x pyPerCm, SVG and PDF at the printed size. The file is replaced
// whole or not at all. False when the picture cannot be made or written.
bool WritePatternFile(const std::string& path, PatternFileType type, const CellGrid& grid,
                      const AppSettings& settings, double pxPerCm, double pyPerCm);

}  // namespace pw

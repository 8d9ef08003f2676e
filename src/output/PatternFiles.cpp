#include "output/PatternFiles.h"

#include "model/GridSheet.h"
#include "output/ExportFormat.h"

namespace pw {

namespace {

// The formats the enumeration names, by their registry ids.
constexpr struct {
    PatternFileType type;
    const char* id;
} kNamedFormats[] = {{PatternFileType::Bmp, "bmp"}, {PatternFileType::Emf, "emf"},
                     {PatternFileType::Svg, "svg"}, {PatternFileType::Pdf, "pdf"},
                     {PatternFileType::Dxf, "dxf"}, {PatternFileType::PatternDxf, "pattern-dxf"}};

}  // namespace

const ExportFormat* ExportFormatOfType(PatternFileType type) {
    for (const auto& named : kNamedFormats)
        if (named.type == type) return ExportFormatNamed(named.id);
    return nullptr;
}

PatternFileType PatternFileTypeOf(const std::string& path) {
    const ExportFormat* format = ExportFormatOf(path, false);
    for (const auto& named : kNamedFormats)
        if (format && format->id == std::string(named.id)) return named.type;
    return PatternFileType::Unknown;
}

bool WritePatternFile(const std::string& path, PatternFileType type, const Sheet& sheet,
                      const AppSettings& settings, double pxPerCm, double pyPerCm, const PatternOptions& options,
                      int* scoredFolds) {
    if (scoredFolds) *scoredFolds = 0;
    const ExportFormat* format = ExportFormatOfType(type);
    return format && WriteExportFile(*format, path, ExportInput{sheet, settings, pxPerCm, pyPerCm, options}, scoredFolds);
}

bool WritePatternFile(const std::string& path, PatternFileType type, const CellGrid& grid,
                      const AppSettings& settings, double pxPerCm, double pyPerCm, const PatternOptions& options,
                      int* scoredFolds) {
    return WritePatternFile(path, type, DeriveGridSheet(grid), settings, pxPerCm, pyPerCm, options, scoredFolds);
}

}  // namespace pw

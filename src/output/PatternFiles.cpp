#include "output/PatternFiles.h"

#include <cctype>
#include <sstream>

#include "model/AppSettings.h"
#include "model/GridSheet.h"
#include "output/BmpFile.h"
#include "output/CutterPattern.h"
#include "output/DxfWriter.h"
#include "output/PatternDxfWriter.h"
#include "output/PatternImages.h"
#include "output/PdfWriter.h"
#include "output/SafeFileWriter.h"
#include "output/SvgWriter.h"

namespace pw {

PatternFileType PatternFileTypeOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos) return PatternFileType::Unknown;
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // The metafile is tried first, as the export command always did.
    if (ext == "emf") return PatternFileType::Emf;
    if (ext == "bmp") return PatternFileType::Bmp;
    if (ext == "svg") return PatternFileType::Svg;
    if (ext == "pdf") return PatternFileType::Pdf;
    if (ext == "dxf") return PatternFileType::Dxf;
    return PatternFileType::Unknown;
}

bool WritePatternFile(const std::string& path, PatternFileType type, const Sheet& sheet,
                      const AppSettings& settings, double pxPerCm, double pyPerCm, const PatternOptions& options,
                      int* scoredFolds) {
    if (scoredFolds) *scoredFolds = 0;
    switch (type) {
        case PatternFileType::Bmp: {
            const auto image = RenderPatternBitmap(sheet, settings.reverseMode, settings.rudovozuSizeBMP, BitmapKind::File);
            if (!image) return false;
            const auto info = MakeBitmapInfo(*image);
            return info && WriteBmpFile(path, *info, *image);
        }
        case PatternFileType::Emf: {
            const auto bytes =
                RenderPatternMetafile(sheet, settings.reverseMode, settings.rudovozuSizeRatio, pxPerCm, pyPerCm);
            return !bytes.empty() && WriteFileReplacing(path, bytes);
        }
        case PatternFileType::Svg:
        case PatternFileType::Pdf:
        case PatternFileType::PatternDxf: {
            const CutterPattern pattern =
                LayOutCutterPattern(sheet, settings.reverseMode, settings.rudovozuSizeRatio, options);
            if (scoredFolds) *scoredFolds = pattern.scoredFolds;
            std::ostringstream text;
            if (type == PatternFileType::Svg)
                WriteSvg(text, pattern);
            else if (type == PatternFileType::Pdf)
                WritePdf(text, pattern);
            else
                WritePatternDxf(text, pattern);
            return WriteFileReplacing(path, text.str());
        }
        case PatternFileType::Dxf: {
            std::ostringstream text;
            WriteDxf(text, sheet);
            return WriteFileReplacing(path, text.str());
        }
        case PatternFileType::Unknown: break;
    }
    return false;
}

bool WritePatternFile(const std::string& path, PatternFileType type, const CellGrid& grid,
                      const AppSettings& settings, double pxPerCm, double pyPerCm, const PatternOptions& options,
                      int* scoredFolds) {
    return WritePatternFile(path, type, DeriveGridSheet(grid), settings, pxPerCm, pyPerCm, options, scoredFolds);
}

}  // namespace pw

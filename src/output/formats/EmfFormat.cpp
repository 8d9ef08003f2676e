#include "model/AppSettings.h"
#include "output/ExportFormat.h"
#include "output/PatternImages.h"
#include "output/UnfoldedPattern.h"
#include "output/SafeFileWriter.h"

namespace pw {

namespace {

bool WriteEmf(const std::string& path, const ExportInput& in, ExportReport&) {
    const auto bytes =
        in.millimetres ? RenderPatternMetafile(FlattenedPattern(in.sheet), in.settings.print.mirror,
                                               in.settings.print.sizePercent, in.pxPerCm, in.pyPerCm)
                       : RenderPatternMetafile(in.sheet, in.settings.print.mirror, in.settings.print.sizePercent,
                                               in.pxPerCm, in.pyPerCm);
    return !bytes.empty() && WriteFileReplacing(path, bytes);
}

}  // namespace

// The pattern as a metafile for the screen's resolution, at the print size.
const ExportFormat& EmfFormat() {
    static const ExportFormat format{"emf", "emf", PW_TRANSLATE_NOOP("FileFilters", "EMF File"), {"emf"}, false, 0, {}, "",
                                     WriteEmf};
    return format;
}

}  // namespace pw

#include "output/ExportFormat.h"
#include "output/PdfWriter.h"
#include "output/formats/CutterFile.h"

namespace pw {

// The cutter-ready pattern, tiled over pages when the sheet needs them.
const ExportFormat& PdfFormat() {
    static const ExportFormat format{
        "pdf",
        "pdf",
        PW_TRANSLATE_NOOP("FileFilters", "PDF File"),
        {"pdf"},
        false,
        kTakesCellSize | kTakesCutOrder | kTakesPerforation | kTakesHairline | kTakesLegend | kTakesPaper | kTakesTiling,
        {},
        "",
        [](const std::string& path, const ExportInput& in, ExportReport& report) {
            return WriteCutterFile(path, in, report, [](std::ostream& out, const CutterPattern& pattern,
                                                        const PatternPages& pages) { WritePdf(out, pattern, pages); });
        }};
    return format;
}

}  // namespace pw

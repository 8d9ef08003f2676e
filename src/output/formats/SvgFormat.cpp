#include "output/ExportFormat.h"
#include "output/SvgWriter.h"
#include "output/formats/CutterFile.h"

namespace pw {

// The cutter-ready pattern on one page of the paper.
const ExportFormat& SvgFormat() {
    static const ExportFormat format{
        "svg",
        "svg",
        PW_TRANSLATE_NOOP("FileFilters", "SVG File"),
        {"svg"},
        false,
        kTakesCellSize | kTakesCutOrder | kTakesPerforation | kTakesHairline | kTakesLegend | kTakesPaper,
        {{kTakesTiling, PW_TRANSLATE_NOOP("CliMessages", "%1 applies to pdf files; the SVG stays one piece")}},
        "",
        [](const std::string& path, const ExportInput& in, ExportReport& report) {
            return WriteCutterFile(path, in, report, [](std::ostream& out, const CutterPattern& pattern,
                                                        const PatternPages&) { WriteSvg(out, pattern); });
        }};
    return format;
}

}  // namespace pw

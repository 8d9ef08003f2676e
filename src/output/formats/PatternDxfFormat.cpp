#include "output/ExportFormat.h"
#include "output/PatternDxfWriter.h"
#include "output/formats/CutterFile.h"

namespace pw {

// The cutter-ready pattern as flat DXF lines, for plotters and lasers.
const ExportFormat& PatternDxfFormat() {
    static const ExportFormat format{
        "pattern-dxf",
        "dxf --pattern",
        PW_TRANSLATE_NOOP("FileFilters", "Pattern DXF File"),
        {"dxf"},
        false,
        kTakesCellSize | kTakesCutOrder | kTakesPerforation,
        {{kTakesHairline | kTakesLegend,
          PW_TRANSLATE_NOOP("CliMessages",
                            "%1 does not apply to the DXF pattern, whose lines have no width and which a cutter "
                            "cuts whole")},
         {kTakesPaper | kTakesTiling,
          PW_TRANSLATE_NOOP("CliMessages", "%1 does not apply to the DXF pattern, which has no pages")}},
        "",
        [](const std::string& path, const ExportInput& in, ExportReport& report) {
            return WriteCutterFile(path, in, report, [](std::ostream& out, const CutterPattern& pattern,
                                                        const PatternPages&) { WritePatternDxf(out, pattern); });
        }};
    return format;
}

}  // namespace pw

#include "output/formats/CutterFile.h"

#include <sstream>

#include "model/AppSettings.h"
#include "output/CutterPattern.h"
#include "output/SafeFileWriter.h"
#include "output/TilePlan.h"

namespace pw {

bool WriteCutterFile(const std::string& path, const ExportInput& input, ExportReport& report,
                     void (*write)(std::ostream&, const CutterPattern&, const PatternPages&)) {
    const CutterPattern pattern =
        input.millimetres ? LayOutMillimetrePattern(input.sheet, input.settings.print.mirror, input.options)
                          : LayOutCutterPattern(input.sheet, input.settings.print.mirror,
                                                input.settings.print.sizePercent, input.options);
    const PatternPages plan = PlanPatternPages(pattern);
    report.scoredFolds = pattern.scoredFolds;
    report.size = pattern.size;
    report.pages = static_cast<int>(plan.pages.size());
    std::ostringstream text;
    write(text, pattern, plan);
    return WriteFileReplacing(path, text.str());
}

}  // namespace pw

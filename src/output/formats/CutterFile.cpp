#include "output/formats/CutterFile.h"

#include <sstream>

#include "model/AppSettings.h"
#include "output/CutterPattern.h"
#include "output/SafeFileWriter.h"

namespace pw {

bool WriteCutterFile(const std::string& path, const ExportInput& input, int& scoredFolds,
                     void (*write)(std::ostream&, const CutterPattern&)) {
    const CutterPattern pattern = LayOutCutterPattern(input.sheet, input.settings.print.mirror,
                                                      input.settings.print.sizePercent, input.options);
    scoredFolds = pattern.scoredFolds;
    std::ostringstream text;
    write(text, pattern);
    return WriteFileReplacing(path, text.str());
}

}  // namespace pw

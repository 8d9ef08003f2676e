#include "cli/FlatsFromText.h"

#include "cli/FlatsNumbers.h"
#include "import/TextFlats.h"

namespace pw {

FlatsFromSource TextFlatsForCli(const FlatsOptions& options) {
    TextFlatsRequest request;
    request.text = options.source;
    if (const auto font = options.extras.find("--font"); font != options.extras.end()) request.font = font->second;
    if (const auto spacing = options.extras.find("--letter-spacing"); spacing != options.extras.end() &&
                                                                     !ParseMillimetres(spacing->second, request.letterSpacingMm, -100, 100)) {
        FlatsFromSource refused;
        refused.error = "--letter-spacing: give millimetres from -100 to 100";
        return refused;
    }
    request.sizeMm = options.sizeMm > 0 ? options.sizeMm : 20;
    request.depthMm = options.depthMm;
    return TextFlats(request);
}

}  // namespace pw

#include "cli/FlatsFromSvg.h"

#include "document/DrawingFlats.h"

namespace pw {

FlatsFromSource SvgFlatsForCli(const std::string& path, double defaultDepthMm) { return ReadDrawingFlats(path, defaultDepthMm); }

}  // namespace pw

#include <sstream>

#include "output/DxfWriter.h"
#include "output/ExportFormat.h"
#include "output/SafeFileWriter.h"

namespace pw {

namespace {

bool WriteRelief(const std::string& path, const ExportInput& in, ExportReport&) {
    std::ostringstream text;
    WriteDxf(text, in.sheet);
    return WriteFileReplacing(path, text.str());
}

}  // namespace

// The relief's faces in 3D, for modelling programs; it takes no pattern
// options, and a ".dxf" name means it unless the pattern is asked for.
const ExportFormat& ReliefDxfFormat() {
    static const ExportFormat format{
        "dxf",
        "dxf",
        PW_TRANSLATE_NOOP("FileFilters", "DXF File"),
        {"dxf"},
        true,
        0,
        {{~0u, PW_TRANSLATE_NOOP("CliMessages", "%1 needs --pattern for a dxf file (without it the relief's 3D faces are written)")}},
        "the relief's 3D faces; with --pattern the flat pattern",
        WriteRelief};
    return format;
}

}  // namespace pw

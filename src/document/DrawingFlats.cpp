#include "document/DrawingFlats.h"

#include <fstream>
#include <iterator>

#include "import/SvgFlats.h"
#include "import/SvgFlatsMessages.h"

namespace pw {

FlatsFromSource ReadDrawingFlats(const std::string& path, double defaultDepthMm) {
    FlatsFromSource result;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = msg::kSvgUnreadable;
        return result;
    }
    // Checked before reading, so that a huge file is never held in memory.
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        result.error = msg::kSvgUnreadable;
        return result;
    }
    if (static_cast<unsigned long long>(size) > kSvgMaxBytes) {
        result.error = msg::kSvgTooLarge;
        return result;
    }
    in.seekg(0);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return SvgFlats(bytes, defaultDepthMm);
}

}  // namespace pw

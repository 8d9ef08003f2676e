#pragma once
#include <string>

namespace pw {

// Built into the program from src/output/web/ by web/embed.py: the shared
// page's template and the minified three.js of Debian's libjs-three.
const std::string& WebPageTemplate();
const std::string& ThreeJs();

}  // namespace pw

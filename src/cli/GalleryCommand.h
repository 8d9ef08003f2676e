#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// popwright-cli gallery [NAME OUT.kpf]: lists the gallery's cards by
// difficulty, or writes a copy of the one named.
int RunGalleryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pw

#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// `popwright-cli edit IN.kpf OUT.kpf KEY...`: args are the words after
// "edit". Applies the keys to the card read from IN as the 3D view's keys
// and commands do, and writes the result to OUT.
int RunEditCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pw

#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// `popwright-cli new OUT.kpf [--width N] [--height N]`: args are the words
// after "new". Writes a flat card of width+2 columns and extent height+1.
int RunNewCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pw

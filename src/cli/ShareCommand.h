#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// `popwright-cli share IN.kpf OUT.html`: args are the words after "share".
// Writes the card as one self-contained web page that shows it in 3D
// (document/CardWebPage.h), whole or not at all. Returns the exit status.
int RunShareCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pw

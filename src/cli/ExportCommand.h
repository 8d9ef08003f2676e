#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// `popwright-cli export IN.kpf OUT.EXT [options]`: args are the words after
// "export". Returns the exit status (0 done, 1 read/write failure, 2 usage).
int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pw

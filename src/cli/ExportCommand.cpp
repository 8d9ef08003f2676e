#include "cli/ExportCommand.h"

#include <ostream>

namespace pw {

int RunExportCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "export: not available in this build\n";
    return 2;
}

}  // namespace pw

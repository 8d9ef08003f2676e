#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

class CellGrid;

// `popwright-cli info IN.kpf`: args are the words after "info".
int RunInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The summary `info` prints for a rebuilt grid, one "name: value" a line.
void PrintCardSummary(std::ostream& out, const CellGrid& grid);

}  // namespace pw

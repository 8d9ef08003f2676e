#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

class CellGrid;
struct FreeformCard;
struct FreeformSheet;

// `popwright-cli info IN.kpf`: args are the words after "info".
int RunInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The summary `info` prints for a rebuilt grid, one "name: value" a line.
void PrintCardSummary(std::ostream& out, const CellGrid& grid);

// `popwright-cli convert IN.kpf OUT.pwf`: a grid card as a free-form card.
int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The summary `info` prints for a free-form card: its size, its flats, then
// "valid: yes" or "valid: no" with one line per problem, and last whether it
// closes inside.
void PrintFreeformSummary(std::ostream& out, const FreeformCard& card, const FreeformSheet& sheet);

}  // namespace pw

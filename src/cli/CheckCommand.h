#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// `popwright-cli check IN.kpf [--machine NAME] [--paper-mm T]`: whether the
// card survives the cutter and the fold, one line per finding (its kind,
// where on the sheet and its size, in millimetres at the printed size), then
// "buildable: yes" or "buildable: no (N findings)"; exit status 0 either way.
// The machine sets the smallest feature (else 1 mm); the paper's thickness
// (else 0.3 mm) the closest folds, and when given, the closed card is
// stacked and its thickness said.
int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string CheckHelp();

}  // namespace pw

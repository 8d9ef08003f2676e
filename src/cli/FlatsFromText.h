#pragma once
#include "cli/FlatsCommand.h"

namespace pw {

// `--text T [--font PATTERN] [--letter-spacing MM]`: the line as one flat,
// its capitals --size high (20 mm unless given).
FlatsFromSource TextFlatsForCli(const FlatsOptions& options);

}  // namespace pw

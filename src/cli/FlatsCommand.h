#pragma once
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "import/FlatSource.h"

namespace pw {

// What `popwright-cli flats` was asked, for the source that makes the flats.
struct FlatsOptions {
    std::string source;  // the value of the source's option: the text, or a file
    // The source's own options as given ("--font" → "DejaVu Serif").
    std::map<std::string, std::string> extras;
    double depthMm = 30;
    double sizeMm = 0;  // 0: the source's own default size
};

// One way in: its option, the options that go with it, and the function
// that makes flats in millimetres. A source that sizes its flats itself (a
// text's capitals) is placed as it comes; the others are scaled so their
// box is --size high when that is given.
struct FlatsSourceEntry {
    const char* option;
    std::vector<const char*> extras;
    FlatsFromSource (*make)(const FlatsOptions&);
    bool sizesItself = false;
};
const std::vector<FlatsSourceEntry>& FlatsSources();

// `popwright-cli flats IN OUT SOURCE [--depth MM] [--size MM] [--at X,Z]
// [--width MM --half MM]`: adds the flats to the free-form card IN, or to a
// new one when IN is "-", and writes OUT. The notes go to `out`; a bad
// option or a source that made nothing is one line on `err`, and nothing is
// written.
int RunFlatsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The command's lines of the help.
std::string FlatsHelp();

}  // namespace pw

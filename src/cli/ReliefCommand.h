#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// `popwright-cli relief IN.kpf OUT.kpf (--image FILE [--depth-map]
// [--threshold T] | --text TEXT [--font NAME] | --model FILE [--up y|z])
// [--depth D] [--area COL,WIDTH,HEIGHT] [--inside]`: args are the words after
// "relief". Reads IN, gives the columns of the area the shape of the picture,
// text or model, and writes OUT. A picture, text, model or area that cannot
// be used is one line on `err` and exit status 1; OUT is then not written.
int RunReliefCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pw

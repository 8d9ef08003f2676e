#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// `popwright-cli export IN.kpf OUT.EXT [--bmp-width P] [--ratio R] [--invert]`:
// args are the words after "export". Reads the card, rebuilds its faces and
// writes OUT by its extension, in any case: .bmp (P pixels wide), .emf (for a
// 96 dpi screen), .svg and .pdf (cutter-ready, at R percent of the A4 width),
// .dxf (the relief's faces). Settings not given keep their defaults. An
// existing OUT is replaced only by a complete file. Returns the exit status
// (0 done, 1 read/write failure, 2 usage).
int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pw

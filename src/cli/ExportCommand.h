#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "output/ExportFormat.h"

namespace pw {

// `popwright-cli export IN.kpf OUT.EXT [--bmp-width P] [--ratio R] [--invert]
// [--pattern] [--cell-mm C] [--hairline] [--perforate [--dash MM] [--gap MM]]
// [--legend] [--page NAME] [--tile] [--cut-order inner-first|as-drawn]`:
// args are the words after "export". Reads the card, rebuilds its faces and
// writes OUT in the format its extension names, in any case (today .bmp,
// P pixels wide; .emf for a 96 dpi screen; .svg and .pdf, cutter-ready at C
// mm per cell or R percent of the A4 width; .dxf, the relief's faces, or
// with --pattern the flat pattern for cutters). The cutter options apply to
// the formats that declare them; any other use, and a value out of range, is a one-line message and
// exit status 2 with nothing written. Settings not given keep their
// defaults. An existing OUT is replaced only by a complete file. Returns the
// exit status (0 done, 1 read/write failure, 2 usage). The extensions, which
// options fit which file and the messages come from `formats`.
int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const ExportFormatList& formats = ExportFormats());

// The export command's part of --help, its extensions and option groups
// read from `formats`, their lists joined with `words`.
std::string ExportHelp(const ExportFormatList& formats = ExportFormats(), const ListWords& words = ListWords());

// The words that join lists in the stream's language.
ListWords CliListWords(std::ostream& stream);

}  // namespace pw

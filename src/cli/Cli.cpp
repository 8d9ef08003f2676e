#include "cli/Cli.h"

#include <ostream>
#include <sstream>

#include "cli/CliLanguage.h"
#include "cli/CheckCommand.h"
#include "cli/CliMessages.h"
#include "cli/EditCommand.h"
#include "cli/ExportCommand.h"
#include "cli/FlatsCommand.h"
#include "cli/GalleryCommand.h"
#include "cli/InfoCommand.h"
#include "cli/NewCommand.h"
#include "cli/ReliefCommand.h"
#include "cli/RenderCommand.h"
#include "cli/ShareCommand.h"

namespace pw {

void PrintUsage(std::ostream& to) {
    std::ostringstream english;
    english << "Usage:\n"
          "  popwright-cli new OUT.kpf [--width N] [--height N] [--paper P]\n"
          "      Write a flat card, N card columns wide (default 16) and N cells high (default 8).\n"
          "      --paper postcard|reply-postcard: instead, the size whose sheet is that paper\n"
          "      folded across its long side (100 × 148 mm at 74 mm; 148 × 200 mm at 100 mm).\n"
          "  popwright-cli edit IN.kpf OUT.kpf KEY...\n"
          "      Read IN, apply the keys in order as the 3D view does, write OUT.\n"
          "      KEY: left right up down space z ctrl+space undo redo larger smaller\n"
          "           mirror horizontal vertical\n"
          "  popwright-cli info IN.kpf\n"
          "      Print the card's size, its faces, a summary of its shape and whether it\n"
          "      closes inside its cover.\n"
          "      A free-form card (.pwf): its flats, whether it is paper, whether it closes inside.\n"
          "  popwright-cli convert IN.kpf OUT.pwf\n"
          "      Write the grid card as a free-form card with the same pattern and faces.\n"
       << ExportHelp(ExportFormats(), CliListWords(to))
       << CheckHelp()
       << FlatsHelp()
       << "  popwright-cli relief IN.kpf OUT.kpf SOURCE [--depth D] [--area COL,WIDTH,HEIGHT] [--inside]\n"
          "      Read IN, give the columns of the area the shape of a picture, a line of text\n"
          "      or a 3D model, write OUT. SOURCE is one of:\n"
          "        --image FILE [--depth-map] [--threshold T]   PNG, JPEG, BMP, GIF or SVG\n"
          "        --text TEXT [--font NAME]                    a line in a system font\n"
          "        --model FILE [--up y|z]                      OBJ, STL, PLY, glTF or 3MF\n"
          "      --depth-map: grey levels are depths (white flat, black D); otherwise pixels\n"
          "      darker than T percent lightness (default 50) stand out D cells. D defaults\n"
          "      to half the card's depth; a model keeps its proportions and D caps it.\n"
          "      --area: first column, width and height in cells (default the whole card).\n"
          "      --inside: cut back what would stick out of the closed card.\n"
          "  popwright-cli render IN.kpf OUT.png [--angle DEG] [--size WxH] [--grid]\n"
          "      Draw the card as the 3D view shows it at the home camera, folded to DEG\n"
          "      degrees (0 closed, 90 opened, 180 flat; default 90), WxH pixels\n"
          "      (default 800x600, each side 16 to 4096); --grid rules the faces in cells.\n"
          "  popwright-cli render IN.kpf OUT.gif --animate [--size WxH] [--grid]\n"
          "      Write a looping animation of the card opening from 0 to 90 degrees and closing.\n"
          "  popwright-cli thumbnail IN.kpf OUT.png SIZE\n"
          "      Write a three-quarter view of the opened card on a transparent background,\n"
          "      its larger side SIZE pixels (16 to 4096), as file managers show cards.\n"
          "      OUT is a PNG file whatever its name.\n"
          "  popwright-cli share IN.kpf OUT.html\n"
          "      Write the card as one web page that shows it in 3D in any browser, with\n"
          "      nothing loaded from elsewhere: turn it, fold it, play the opening, see and\n"
          "      download the flat pattern.\n"
          "  popwright-cli gallery [NAME OUT.kpf]\n"
          "      List the gallery's cards by difficulty, or write a copy of the card NAME to OUT.\n"
          "  popwright-cli --help\n"
          "  popwright-cli --version\n"
          "Messages: one line each on standard error, \"popwright-cli: [FILE: ]Message\" for an\n"
          "error and \"popwright-cli: [FILE: ]warning: Message\" when the command still did its work.\n"
          "Exit status: 0 done (also after a warning), 1 a card, picture, text or model could not\n"
          "be read, used or written, 2 usage error.\n";
    to << CliLines(to, english.str());
}

int UsageError(std::ostream& err, const std::string& what) {
    PrintError(err, "", what);
    PrintUsage(err);
    return kExitUsage;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return UsageError(err, "no command given");
    const std::string& command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        PrintUsage(out);
        return kExitOk;
    }
    if (command == "--version") {
        out << "popwright-cli " POPWRIGHT_VERSION "\n";
        return kExitOk;
    }
    if (command == "new") return RunNewCommand(rest, out, err);
    if (command == "edit") return RunEditCommand(rest, out, err);
    if (command == "info") return RunInfoCommand(rest, out, err);
    if (command == "convert") return RunConvertCommand(rest, out, err);
    if (command == "check") return RunCheckCommand(rest, out, err);
    if (command == "export") return RunExportCommand(rest, out, err);
    if (command == "relief") return RunReliefCommand(rest, out, err);
    if (command == "render") return RunRenderCommand(rest, out, err);
    if (command == "share") return RunShareCommand(rest, out, err);
    if (command == "gallery") return RunGalleryCommand(rest, out, err);
    if (command == "flats") return RunFlatsCommand(rest, out, err);
    if (command == "thumbnail") return RunThumbnailCommand(rest, out, err);
    return UsageError(err, "unknown command \"" + command + "\"");
}

}  // namespace pw

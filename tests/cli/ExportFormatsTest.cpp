// The command line knows export formats only through the registry: a
// format declared here, and added to the list the command reads, is
// accepted, checked, listed in messages and in --help like the built-in ones.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/Cli.h"
#include "cli/ExportCommand.h"
#include "model/CardFile.h"
#include "model/CellGrid.h"
#include "output/CutterPattern.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

// Writes the options it was handed, so the test sees what reached it.
bool WriteOptions(const std::string& path, const ExportInput& in, ExportReport& report) {
    std::ofstream(path) << FormatMm(in.options.cellMm) << (in.options.perforate ? " perforated" : "");
    report.scoredFolds = 0;
    return true;
}

const ExportFormat kGcode{"gcode",
                          "gcode",
                          "G-code File",
                          {"gcode", "nc"},
                          false,
                          kTakesCellSize | kTakesCutOrder | kTakesPerforation,
                          {{kTakesPaper, "has no paper"}},
                          "",
                          WriteOptions};

struct Outcome {
    int status;
    std::string err;
};

TEST(ExportFormatsTest, AFormatAddedToTheListIsAcceptedCheckedAndDescribed) {
    test::ScratchFolder scratch;
    CellGrid card;
    card.NewCard(12, 6);
    std::ofstream(scratch.Path("card.kpf")) << [&] {
        std::ostringstream text;
        WriteCard(text, card);
        return text.str();
    }();
    ExportFormatList formats = ExportFormats();
    formats.push_back(&kGcode);
    auto run = [&](const std::string& out, std::vector<std::string> options, const ExportFormatList& list) {
        std::vector<std::string> args = {scratch.Path("card.kpf"), scratch.Path(out)};
        args.insert(args.end(), options.begin(), options.end());
        std::ostringstream o, e;
        const int status = RunExportCommand(args, o, e, list);
        return Outcome{status, e.str()};
    };

    // Either extension, in any case, reaches the format's writer with the options.
    for (const char* name : {"a.gcode", "b.NC"}) {
        EXPECT_EQ(run(name, {"--cell-mm", "4", "--perforate"}, formats).status, 0);
        EXPECT_EQ(test::ReadWholeFile(scratch.Path(name)), "4 perforated");
    }
    // Its own refusal, and the generic one naming it among the files that take options.
    EXPECT_EQ(run("c.nc", {"--page", "a3"}, formats).err, "popwright-cli: --page has no paper\n");
    EXPECT_EQ(run("c.nc", {"--legend"}, formats).err,
              "popwright-cli: --legend applies to svg, pdf, dxf --pattern and gcode files\n");
    EXPECT_EQ(run("c.bmp", {"--cell-mm", "3"}, formats).err,
              "popwright-cli: --cell-mm applies to svg, pdf, dxf --pattern and gcode files\n");
    // The accepted extensions, in the refusal of another name and in --help.
    EXPECT_NE(run("c.txt", {}, formats).err.find("Please specify a *.bmp, *.emf, *.svg, *.pdf, *.fold, *.dxf, *.gcode or *.nc file."),
              std::string::npos);
    const std::string help = ExportHelp(formats);
    EXPECT_NE(help.find("EXT: bmp emf svg pdf fold dxf (the relief's 3D faces; with --pattern the flat pattern) gcode nc\n"),
              std::string::npos) << help;
    EXPECT_NE(help.find("      svg, pdf, dxf --pattern and gcode only:\n"), std::string::npos) << help;
    EXPECT_NE(help.find("      svg and pdf only:\n"), std::string::npos) << help;

    // Without it in the list, nothing knows it.
    EXPECT_EQ(run("d.nc", {}, ExportFormats()).status, kExitUsage);
    EXPECT_EQ(ExportHelp().find("gcode"), std::string::npos);
}

}  // namespace
}  // namespace pw

// popwright-cli check and export --machine as a user meets them: a finding
// per line and the verdict last with exit status 0, and bad input refused in
// one line with nothing written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli/Cli.h"
#include "model/CardFile.h"
#include "model/CellGrid.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

class CheckCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        CellGrid card;
        card.NewCard(18, 9);
        test::AddBox(card, 5, 1, 1);
        std::ofstream(card_) << [&] {
            std::ostringstream text;
            WriteCard(text, card);
            return text.str();
        }();
    }
    int Cli(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunCli(args, out_, err_);
    }

    test::ScratchFolder scratch_;
    std::string card_ = scratch_.Path("card.kpf");
    std::ostringstream out_, err_;
};

TEST_F(CheckCommandTest, SaysEachFindingAndTheVerdictLast) {
    // 0.05 mm paper closes the one-cell step flat; four layers of 2 mm are
    // thicker than the step's paper between its folds can wrap.
    EXPECT_EQ(Cli({"check", card_, "--machine", "laser", "--paper-mm", "0.05"}), kExitOk);
    EXPECT_TRUE(std::regex_search(out_.str(), std::regex("closed: 4 layers, 0.2 mm\nbuildable: yes\n$"))) << out_.str();
    EXPECT_EQ(Cli({"check", card_, "--paper-mm", "2"}), kExitOk);
    const std::string text = out_.str();
    const std::regex finding(R"((folds too close|does not close flat): x -?[0-9.]+ mm, s -?[0-9.]+ mm, [0-9.]+ mm\n)");
    const auto count = std::distance(std::sregex_iterator(text.begin(), text.end(), finding), std::sregex_iterator());
    EXPECT_GT(count, 0) << text;
    EXPECT_TRUE(std::regex_search(text, std::regex("\nbuildable: no \\(" + std::to_string(count) + " findings\\)\n$")))
        << text;
    EXPECT_EQ(err_.str(), "");
}

TEST_F(CheckCommandTest, RefusesBadInputInOneLineAndWritesNothing) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{"check", card_, "--machine", "plotter9"}, kExitUsage, "unknown machine \"plotter9\""},
        {{"check", card_, "--paper-mm", "3"}, kExitUsage, "--paper-mm: "},
        {{"check", scratch_.Path("none.kpf")}, kExitFileError, "none.kpf"},
        {{"export", card_, scratch_.Path("a.svg"), "--machine", "laser", "--kerf", "0.51"}, kExitUsage, "--kerf: "},
        {{"export", card_, scratch_.Path("a.svg"), "--machine", "cricut", "--kerf", "0.1"}, kExitUsage, "--kerf"},
        {{"export", card_, scratch_.Path("a.dxf"), "--machine", "cricut"}, kExitUsage, "*.svg file"},
        {{"export", card_, scratch_.Path("a.svg"), "--machine", "knife"}, kExitUsage, "laser and plotter)"},
        {{"export", card_, scratch_.Path("a.svg"), "--machine", "cricut", "--legend"}, kExitUsage,
         "--legend applies to --machine laser"},
        {{"export", card_, scratch_.Path("a.svg"), "--machine", "laser", "--page", "a3"}, kExitUsage,
         "--page does not apply to a cutting machine's files"},
        {{"export", card_, scratch_.Path("a.svg"), "--machine", "plotter"}, kExitUsage, "*.plt or *.hpgl file"},
        {{"export", card_, scratch_.Path("none/a.plt"), "--machine", "plotter"}, kExitFileError, "a.plt: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(Cli(c.args), c.status);
        const std::string err = err_.str();
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
        EXPECT_EQ(err.rfind("popwright-cli: ", 0), 0u) << err;
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_FALSE(fs::exists(scratch_.Path("a.svg")));
    EXPECT_FALSE(fs::exists(scratch_.Path("a.dxf")));
    EXPECT_FALSE(fs::exists(scratch_.Path("none")));
}

}  // namespace
}  // namespace pw

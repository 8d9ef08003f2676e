// popwright-cli flats as a user meets it: text added to a new card and to an
// existing one, and bad requests refused in one line with nothing written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Cli.h"
#include "model/freeform/FreeformFile.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

class FlatsCommandTest : public ::testing::Test {
protected:
    int Cli(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunCli(args, out_, err_);
    }
    FreeformCard Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return ReadFreeformCard(bytes.str()).card;
    }

    test::ScratchFolder scratch_;
    std::ostringstream out_, err_;
};

TEST_F(FlatsCommandTest, TextBecomesFlatsOfANewCardAndOfAnExistingOne) {
    const std::string first = scratch_.Path("first.pwf"), second = scratch_.Path("second.pwf");
    ASSERT_EQ(Cli({"flats", "-", first, "--width", "150", "--half", "100", "--text", "Happy Birthday", "--size", "10"}), kExitOk) << err_.str();
    EXPECT_NE(out_.str().find("baseline run 1.0 mm"), std::string::npos) << out_.str();
    ASSERT_EQ(Cli({"flats", first, second, "--text=Hi", "--font", "DejaVu Serif:bold", "--depth", "20", "--at", "12.5,40"}), kExitOk)
        << err_.str();
    const FreeformCard card = Read(second);
    EXPECT_EQ(card.width, 150);
    ASSERT_EQ(card.flats.size(), 2u);
    EXPECT_EQ(card.flats[0].name, "Happy Birthday");
    EXPECT_EQ(card.flats[1].depth, 20);
    EXPECT_GE(card.flats[1].loops.front().start.s, 40);
}

// Every other way in goes through the same command: a drawing's layers keep
// their depths, a model's slices stand at the depths asked for, and both are
// moved to --at.
TEST_F(FlatsCommandTest, DrawingsAndModelsBecomeFlatsPlacedAtTheGivenCorner) {
    const std::string drawn = scratch_.Path("drawn.pwf"), sliced = scratch_.Path("sliced.pwf");
    ASSERT_EQ(Cli({"flats", "-", drawn, "--width", "150", "--half", "100", "--svg",
                   POPWRIGHT_EXAMPLES_DIR "/drawing-layers.svg", "--size", "40", "--at", "20,0"}),
              kExitOk)
        << err_.str();
    const FreeformCard drawing = Read(drawn);
    ASSERT_EQ(drawing.flats.size(), 2u);
    EXPECT_NE(drawing.flats[0].depth, drawing.flats[1].depth);
    ASSERT_EQ(Cli({"flats", "-", sliced, "--width", "150", "--half", "100", "--model",
                   POPWRIGHT_EXAMPLES_DIR "/stepped-house.obj", "--depths", "40,20", "--at", "30,0"}),
              kExitOk)
        << err_.str();
    const FreeformCard model = Read(sliced);
    ASSERT_EQ(model.flats.size(), 2u);
    EXPECT_DOUBLE_EQ(model.flats[0].depth, 40);
    EXPECT_DOUBLE_EQ(model.flats[1].depth, 20);
    for (const FreeformCard* card : {&drawing, &model}) {
        double least = 1e9;
        for (const FreeformFlat& flat : card->flats)
            for (const FrontLoop& loop : flat.loops) least = std::min(least, loop.start.x);
        EXPECT_GE(least, card == &drawing ? 20 - 1e-6 : 30 - 1e-6);
    }
}

TEST_F(FlatsCommandTest, RefusesBadRequestsInOneLineAndWritesNothing) {
    const std::string out = scratch_.Path("out.pwf");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{"flats", "-", out, "--width", "150", "--half", "100", "--text", "Hi", "--at", "3"}, kExitUsage, "--at: "},
        {{"flats", "-", out, "--width", "150", "--text", "Hi"}, kExitUsage, "needs --width and --half"},
        {{"flats", "-", out, "--width", "150", "--half", "100", "--text", " "}, kExitFileError, "no text"},
        {{"flats", "-", out, "--width", "150", "--half", "100", "--font", "x"}, kExitUsage, "one source"},
        {{"flats", "-", out, "--width", "150", "--half", "100", "--text", "Happy Birthday", "--size", "30"}, kExitFileError,
         "outside the sheet"},
        {{"flats", scratch_.Path("none.pwf"), out, "--text", "Hi"}, kExitFileError, "none.pwf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        EXPECT_EQ(Cli(c.args), c.status);
        EXPECT_NE(err_.str().find(c.says), std::string::npos) << err_.str();
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    // A font nobody has: fontconfig's fallback draws the text, and the note says in which font.
    EXPECT_EQ(Cli({"flats", "-", out, "--width", "150", "--half", "100", "--text", "Hi", "--font", "No Such Font"}), kExitOk);
    EXPECT_NE(out_.str().find("No font \"No Such Font\" was found"), std::string::npos) << out_.str();
}

}  // namespace
}  // namespace pw

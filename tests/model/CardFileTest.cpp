#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <streambuf>
#include <utility>
#include <vector>

#include "model/CardFile.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

class CardFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) { return scratch_.Write(name, text); }

    test::ScratchFolder scratch_;
    fs::path dir_ = scratch_.Dir();
};

std::string ToText(const CellGrid& g) {
    std::ostringstream out;
    WriteCard(out, g);
    return out.str();
}

TEST_F(CardFileTest, FlatCardIsWrittenByteForByte) {
    CellGrid g;
    g.NewCard(18, 9);
    std::string expected = "kiriko\nv 1.0\n\nw 16\nh 7\n\n";
    for (int i = 0; i < 16; ++i) expected += "0 7 e\n";
    expected += "\n";
    EXPECT_EQ(ToText(g), expected);
}

TEST_F(CardFileTest, ExampleCardWithBoxesAndATunnel) {
    CellGrid g;
    g.NewCard(5, 6);  // w = 3, h = 4
    test::AddBox(g, 2, 2, 2);
    test::AddBox(g, 3, 1, 3);
    test::AddTunnel(g, 3, 2);
    EXPECT_EQ(ToText(g), "kiriko\nv 1.0\n\nw 3\nh 4\n\n0 4 e\n2 2 0 2 e\n3 1 0 3 e\n\n2 1\n");

    CellGrid m;
    ASSERT_TRUE(ReadCard(Write("example.kpf", ToText(g)), m));
    EXPECT_TRUE(m.SameShape(g));
}

TEST_F(CardFileTest, RandomCardsSurviveARoundTrip) {
    std::mt19937 rng(99);
    for (int round = 0; round < 100; ++round) {
        CellGrid g;
        test::RandomCard(g, rng, std::uniform_int_distribution<int>(3, 20)(rng),
                         std::uniform_int_distribution<int>(3, 20)(rng));
        CellGrid m;
        ASSERT_TRUE(ReadCard(Write("r.kpf", ToText(g)), m)) << ToText(g);
        ASSERT_TRUE(m.SameShape(g)) << ToText(g);
        EXPECT_EQ(ToText(m), ToText(g));
        EXPECT_EQ(CheckGridInvariants(m), "");
    }
}

TEST_F(CardFileTest, ReaderIsLenientAboutLayoutAndTag) {
    CellGrid m;
    // No tag, extra words, CR LF line ends and odd spacing.
    ASSERT_TRUE(ReadCard(Write("a.kpf", "hello there v 0.9\r\n\r\nw   3\r\n\th 4\r\n3 2 0 2 e 0 4 e\r\n"), m));
    EXPECT_EQ(m.gridWidth, 5);
    EXPECT_EQ(m.gridHeight, 6);
    EXPECT_EQ(m.HeightAt(1, 1), 3);
    EXPECT_EQ(m.HeightAt(1, 2), 3);
    EXPECT_EQ(m.HeightAt(1, 3), 0);
    EXPECT_EQ(m.HeightAt(3, 1), 0);  // column 3 never mentioned: flat

    // A file that ends after its sizes is a flat card.
    ASSERT_TRUE(ReadCard(Write("b.kpf", "kiriko\nv 1.0\n\nw 16\nh 7\n"), m));
    EXPECT_EQ(m.gridWidth, 18);
    EXPECT_EQ(m.gridHeight, 9);
    // A short column line raises only its own depths.
    ASSERT_TRUE(ReadCard(Write("c.kpf", "v 1.0 w 16 h 7 3 2 e"), m));
    EXPECT_EQ(m.HeightAt(1, 2), 3);
    EXPECT_EQ(m.HeightAt(1, 3), 0);
    EXPECT_TRUE(m.IsColumnDirty(16));
}

TEST_F(CardFileTest, VersionCheck) {
    CellGrid m;
    CardReadError why{};
    EXPECT_TRUE(ReadCard(Write("v1.kpf", "v 1.0 w 3 h 4"), m, &why));
    EXPECT_TRUE(ReadCard(Write("v09.kpf", "v 0.9 w 3 h 4"), m, &why));
    EXPECT_FALSE(ReadCard(Write("v101.kpf", "v 1.01 w 3 h 4"), m, &why));
    EXPECT_EQ(why, CardReadError::VersionTooNew);
    EXPECT_FALSE(ReadCard(Write("v2.kpf", "v 2 w 3 h 4"), m, &why));
    EXPECT_EQ(why, CardReadError::VersionTooNew);
}

// Every failed read leaves the grid as it was.
TEST_F(CardFileTest, FailedReadsLeaveTheShownCardUntouched) {
    const struct {
        const char* text;
        CardReadError why;
    } cases[] = {
        {"v", CardReadError::Truncated},
        {"v 1.0 w", CardReadError::Truncated},
        {"w 3 h", CardReadError::Truncated},
        {"w 3 h 4 2", CardReadError::Truncated},        // height without count
        {"w 3 h 4 e e e\n\n1", CardReadError::Truncated},  // tunnel line with one number
        {"v 7 w 3 h 4", CardReadError::VersionTooNew},
        {"v x w 3 h 4", CardReadError::BadNumber},
        {"w three h 4", CardReadError::BadNumber},
        {"w 3 h 4 2x 1 e", CardReadError::BadNumber},
        {"w 3 h 4 e e e 1 q", CardReadError::BadNumber},
        {"h 4", CardReadError::BadSize},  // no width
        {"w 0 h 4", CardReadError::BadSize},
        {"w 3 h 0", CardReadError::BadSize},
        {"w -2 h 4", CardReadError::BadSize},
        {"w 5000 h 4000", CardReadError::BadSize},
        {"w 100000 h 100", CardReadError::BadSize},
        {"w 3 h 4 5 1 e", CardReadError::OutOfCard},      // height above h
        {"w 3 h 4 2 3 1 2 e", CardReadError::OutOfCard},  // counts past h
        {"w 3 h 4 2 -1 e", CardReadError::OutOfCard},
        {"w 3 h 4 e e e 3 0", CardReadError::OutOfCard},  // tunnel column outside
        {"w 3 h 4 e e e 0 4", CardReadError::OutOfCard},  // tunnel height outside
        {"w 3 h 4 e e e -1 0", CardReadError::OutOfCard},
        {"w 3 h 4 1 1 3 1 e", CardReadError::OutOfCard},  // steps up toward the front
    };
    for (const auto& c : cases) {
        CellGrid g;
        g.NewCard(14, 9);
        test::AddBox(g, 2, 2, 3);
        const CellGrid before = g;

        CardReadError why{};
        EXPECT_FALSE(ReadCard(Write("bad.kpf", c.text), g, &why)) << c.text;
        EXPECT_EQ(why, c.why) << c.text;
        EXPECT_TRUE(g.SameShape(before)) << c.text;
        EXPECT_EQ(g.gridWidth, 14);
    }
    CellGrid m;
    CardReadError why{};
    EXPECT_FALSE(ReadCard((dir_ / "missing.kpf").string(), m, &why));
    EXPECT_EQ(why, CardReadError::CannotOpen);
    EXPECT_FALSE(ReadCard(dir_.string(), m, &why));  // a folder, whose reads fail
    EXPECT_EQ(why, CardReadError::CannotOpen);
}

// A file may stop after any column: it reads as a card whose later columns
// are flat, and the reader says how many columns the file held, counted as
// the cursor counts them (a cut inside a column's line counts that column).
TEST_F(CardFileTest, AFileCutShortSaysHowManyColumnsItHeld) {
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        CellGrid g;
        test::RandomCard(g, rng, std::uniform_int_distribution<int>(3, 20)(rng),
                         std::uniform_int_distribution<int>(3, 12)(rng));
        const std::string text = ToText(g);
        const int w = g.gridWidth - 2;
        // The end of the sizes' blank line, then of each column's line.
        std::vector<std::size_t> ends{text.find("\n\n", text.find("h ")) + 2};
        for (int c = 0; c < w; ++c) ends.push_back(text.find('\n', ends.back()) + 1);
        const int kept = std::uniform_int_distribution<int>(0, w)(rng);
        // Cut at a line's end, or inside the next column's line after a run.
        std::string cut = text.substr(0, ends[static_cast<std::size_t>(kept)]);
        int held = kept;
        const bool inside = kept < w && round % 2 == 1;
        if (inside) {
            const std::size_t from = ends[static_cast<std::size_t>(kept)];
            const std::size_t space = text.find(' ', text.find(' ', from) + 1);
            cut = text.substr(0, space);
            held = kept + 1;
        }
        std::istringstream in(cut);
        CellGrid m;
        int columnsHeld = -1;
        CardReadError why{};
        ASSERT_TRUE(ParseCard(in, m, &why, &columnsHeld)) << cut;
        EXPECT_EQ(columnsHeld, held) << cut;
        for (int x = 1; x <= w; ++x) {
            const int expected = x > held ? 0 : x <= kept ? g.HeightAt(x, 1) : m.HeightAt(x, 1);
            EXPECT_EQ(m.HeightAt(x, 1), expected) << cut;
        }
    }
    CellGrid m;
    int columnsHeld = -1;
    ASSERT_TRUE(ReadCard(Write("whole.kpf", "w 3 h 4 e e 2 1 e"), m, nullptr, &columnsHeld));
    EXPECT_EQ(columnsHeld, 3);
}

// Words, then text that never ends: one word without a space, or spaces.
class EndlessText : public std::streambuf {
public:
    EndlessText(std::string head, char fill) : head_(std::move(head)), block_(1 << 16, fill) {}

protected:
    int_type underflow() override {
        std::string& next = headGiven_ || head_.empty() ? block_ : head_;
        headGiven_ = true;
        setg(next.data(), next.data(), next.data() + next.size());
        return traits_type::to_int_type(next[0]);
    }

private:
    std::string head_, block_;
    bool headGiven_ = false;
};

// No file can take more memory or time than the largest card's file: what
// the writer makes of any card fits the size limit, a larger regular file is
// refused without reading it, and a text without end is read no further.
TEST_F(CardFileTest, FilesLongerThanTheLargestCardAreRefused) {
    std::mt19937 rng(3);
    for (int round = 0; round < 30; ++round) {
        CellGrid g;
        const int W = std::uniform_int_distribution<int>(3, 30)(rng), H = std::uniform_int_distribution<int>(3, 30)(rng);
        test::RandomCard(g, rng, W, H);
        // A staircase with a run at every depth and tunnels everywhere under
        // its top makes the longest lines a column can have.
        for (int y = 1; y <= H - 2; ++y) test::AddBox(g, 1, y, H - 1 - y);
        for (int z = 1; z < H - 2; ++z) test::AddTunnel(g, 1, z);
        EXPECT_LE(static_cast<long long>(ToText(g).size()), LargestWrittenCard(W - 2, H - 2));
    }
    EXPECT_GT(kMaxCardFileBytes, 2 * LargestWrittenCard(kMaxCardCells / 9 - 2, 1));

    const auto started = std::chrono::steady_clock::now();
    const std::string big = Write("big.kpf", "kiriko\nv 1.0\n\nw 3\nh 4\n\n");
    ASSERT_EQ(::truncate(big.c_str(), kMaxCardFileBytes + 1), 0);  // sparse: no disk used
    CellGrid g;
    g.NewCard(14, 9);
    CardReadError why{};
    EXPECT_FALSE(ReadCard(big, g, &why));
    EXPECT_EQ(why, CardReadError::TooLarge);
    EXPECT_EQ(g.gridWidth, 14);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));

    const std::pair<const char*, char> endless[] = {{"", '\0'}, {"w 3 h 4 ", ' '}, {"w 3 h 4 ", '7'}};
    for (const auto& [head, fill] : endless) {
        EndlessText text(head, fill);
        std::istream in(&text);
        CellGrid m;
        why = CardReadError::None;
        EXPECT_FALSE(ParseCard(in, m, &why)) << head << static_cast<int>(fill);
        EXPECT_EQ(why, CardReadError::TooLarge) << head << static_cast<int>(fill);
    }
}

}  // namespace
}  // namespace pw

// Drives the popwright-cli program as a user would: in a scratch folder,
// checking its files, its messages and its exit status.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "import/ImportMessages.h"
#include "model/Messages.h"
#include "support/ScratchFolder.h"

extern char** environ;

namespace pw {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out, err;
};

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

// The file text of a card whose column lines are given, in card order.
std::string Card(int w, int h, const std::vector<std::string>& columns, const std::string& tunnels = "") {
    std::string text = "kiriko\nv 1.0\n\nw " + std::to_string(w) + "\nh " + std::to_string(h) + "\n\n";
    for (const std::string& c : columns) text += c + "\n";
    return text + "\n" + tunnels;
}

std::string FlatCard(int w, int h) {
    return Card(w, h, std::vector<std::string>(static_cast<std::size_t>(w), "0 " + std::to_string(h) + " e"));
}

class CliTest : public ::testing::Test {
protected:
    fs::path Path(const std::string& name) const { return dir / name; }

    // Runs the program in the scratch folder with stdout and stderr caught,
    // in the locale given (the English of the C locale unless told), whatever
    // the locale the tests run in.
    CliRun Cli(const std::vector<std::string>& args, const std::string& lang = "C") {
        const fs::path outFile = dir / ".stdout", errFile = dir / ".stderr";
        std::vector<std::string> words{POPWRIGHT_CLI};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string cwd = fs::current_path().string();
        fs::current_path(dir);
        pid_t pid = 0;
        std::vector<std::string> variables{"LANG=" + lang};
        for (char** e = environ; *e; ++e) {
            const std::string v = *e;
            if (v.rfind("LANG", 0) != 0 && v.rfind("LC_", 0) != 0) variables.push_back(v);
        }
        std::vector<char*> envp;
        for (std::string& v : variables) envp.push_back(v.data());
        envp.push_back(nullptr);
        const int spawned = posix_spawn(&pid, POPWRIGHT_CLI, &actions, nullptr, argv.data(), envp.data());
        fs::current_path(cwd);
        posix_spawn_file_actions_destroy(&actions);
        CliRun run;
        if (spawned != 0) return run;
        int wstatus = 0;
        waitpid(pid, &wstatus, 0);
        run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
        run.out = ReadText(outFile);
        run.err = ReadText(errFile);
        fs::remove(outFile);
        fs::remove(errFile);
        return run;
    }

    // The files in the scratch folder, to see that nothing else was left.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Writes a flat card of w by h through `new` and edits it with the keys.
    CliRun NewAndEdit(int w, int h, const std::vector<std::string>& keys) {
        const CliRun made = Cli({"new", "in.kpf", "--width", std::to_string(w), "--height", std::to_string(h)});
        EXPECT_EQ(made.status, 0) << made.err;
        std::vector<std::string> args{"edit", "in.kpf", "out.kpf"};
        args.insert(args.end(), keys.begin(), keys.end());
        return Cli(args);
    }

    test::ScratchFolder scratch_;
    fs::path dir = scratch_.Dir();
};

TEST_F(CliTest, NewWritesAFlatCard) {
    CliRun r = Cli({"new", "card.kpf"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadText(Path("card.kpf")), FlatCard(16, 7));  // 16 by 8: h = 8 - 1
    EXPECT_EQ(Files(), std::vector<std::string>{"card.kpf"});

    r = Cli({"new", "--height", "12", "big.kpf", "--width", "80"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(Path("big.kpf")), FlatCard(80, 11));

    // An existing file is replaced.
    r = Cli({"new", "card.kpf", "--width", "10", "--height", "5"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(Path("card.kpf")), FlatCard(10, 4));
}

// A reply-postcard card, exported at the cell the command names, is one
// page of exactly the paper (pdfinfo), not tiled for want of margins.
TEST_F(CliTest, NewReplyPostcardExportsToOnePageOfThatPaper) {
    const CliRun made = Cli({"new", "card.kpf", "--paper", "reply-postcard"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.out.find("148 × 200 mm, folded at 100 mm; export with --cell-mm 4."), std::string::npos)
        << made.out;
    const CliRun exported =
        Cli({"export", "card.kpf", "card.pdf", "--pattern", "--page", "reply-postcard", "--cell-mm", "4"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    ASSERT_EQ(std::system(("pdfinfo '" + Path("card.pdf").string() + "' >'" + Path("info").string() + "'").c_str()), 0);
    const std::string info = ReadText(Path("info"));
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    double wPt = 0, hPt = 0;
    ASSERT_EQ(std::sscanf(info.c_str() + info.find("Page size:"), "Page size: %lf x %lf", &wPt, &hPt), 2) << info;
    EXPECT_NEAR(wPt * 25.4 / 72, 148, 0.05);
    EXPECT_NEAR(hPt * 25.4 / 72, 200, 0.05);
}

TEST_F(CliTest, BadArgumentsAreUsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"new"},
        {"new", "a.kpf", "b.kpf"},
        {"new", "a.kpf", "--width"},
        {"new", "a.kpf", "--width", "abc"},
        {"new", "a.kpf", "--width", "0"},
        {"new", "a.kpf", "--width", "-5"},
        {"new", "a.kpf", "--height", "1"},
        {"new", "a.kpf", "--height", "8x"},
        {"new", "a.kpf", "--width", "4000", "--height", "4000"},
        {"new", "a.kpf", "--depth", "3"},
        {"new", "a.kpf", "--paper", "a4"},
        {"new", "a.kpf", "--paper", "postcard", "--width", "20"},
        {"edit"},
        {"edit", "a.kpf"},
        {"info"},
        {"info", "a.kpf", "b.kpf"},
    };
    for (const auto& args : bad) {
        const CliRun r = Cli(args);
        std::string shown;
        for (const auto& a : args) shown += a + " ";
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_NE(r.err.find("Usage:"), std::string::npos) << shown;
        EXPECT_EQ(r.out, "") << shown;
    }
    EXPECT_TRUE(Files().empty());

    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("popwright-cli edit IN.kpf OUT.kpf KEY..."), std::string::npos);
    EXPECT_NE(help.out.find("export"), std::string::npos);
    for (const char* option : {"--pattern", "--cell-mm", "--cut-order", "--perforate", "--dash", "--gap", "--hairline",
                               "--legend", "--page", "--tile"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_EQ(help.err, "");
}

TEST_F(CliTest, VersionNamesTheToolAndTheProjectVersion) {
    // Package checks and bug reports read this line; it goes to stdout alone.
    const CliRun r = Cli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "popwright-cli " POPWRIGHT_VERSION "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(Files().empty());
}

TEST_F(CliTest, EditAppliesKeysAsTheView) {
    // 10 by 5: W = 12, H = 6, h = 4. Raise column 3 twice at depth 1, lower
    // at depth 2 (nothing there), then push back height 2 in the vertical
    // plane, leaving a step of height 1.
    CliRun r = NewAndEdit(10, 5, {"right", "right", "space", "space", "down", "z", "vertical", "space"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    std::vector<std::string> cols(10, "0 4 e");
    cols[2] = "1 1 0 3 e";
    EXPECT_EQ(ReadText(Path("out.kpf")), Card(10, 4, cols));
    EXPECT_EQ(ReadText(Path("in.kpf")), FlatCard(10, 4));  // IN is only read
    EXPECT_EQ(Files(), (std::vector<std::string>{"in.kpf", "out.kpf"}));
}

TEST_F(CliTest, EditWithMirrorLargerAndUndo) {
    CliRun r = NewAndEdit(10, 5, {"mirror", "space", "space", "down", "space"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> cols(10, "0 4 e");
    cols[0] = cols[9] = "2 1 1 1 0 2 e";
    EXPECT_EQ(ReadText(Path("out.kpf")), Card(10, 4, cols));

    // Size 2, raise columns 1-2, move, raise columns 3-4, undo that.
    r = NewAndEdit(10, 5, {"larger", "space", "right", "space", "undo"});
    EXPECT_EQ(r.status, 0) << r.err;
    cols.assign(10, "0 4 e");
    cols[0] = cols[1] = "2 2 0 2 e";
    EXPECT_EQ(ReadText(Path("out.kpf")), Card(10, 4, cols));

    // 8 does not fit a card with H = 6, so the third "larger" is ignored:
    // a size-4 raise reaches the top bound 4 exactly.
    r = NewAndEdit(10, 5, {"larger", "larger", "larger", "space", "space"});
    EXPECT_EQ(r.status, 0) << r.err;
    cols.assign(10, "0 4 e");
    for (int i = 0; i < 4; ++i) cols[static_cast<std::size_t>(i)] = "4 4 e";
    EXPECT_EQ(ReadText(Path("out.kpf")), Card(10, 4, cols));

    // "smaller" at size 1 and "undo" or "redo" with nothing to take do nothing.
    r = NewAndEdit(10, 5, {"undo", "redo", "smaller", "space"});
    EXPECT_EQ(r.status, 0) << r.err;
    cols.assign(10, "0 4 e");
    cols[0] = "1 1 0 3 e";
    EXPECT_EQ(ReadText(Path("out.kpf")), Card(10, 4, cols));

    // Redo puts back what the undo took; a new edit drops what is left to redo.
    r = NewAndEdit(10, 5, {"larger", "space", "right", "space", "undo", "undo", "redo"});
    EXPECT_EQ(r.status, 0) << r.err;
    cols.assign(10, "0 4 e");
    cols[0] = cols[1] = "2 2 0 2 e";
    EXPECT_EQ(ReadText(Path("out.kpf")), Card(10, 4, cols));
    r = NewAndEdit(10, 5, {"space", "undo", "right", "space", "redo"});
    EXPECT_EQ(r.status, 0) << r.err;
    cols.assign(10, "0 4 e");
    cols[1] = "1 1 0 3 e";
    EXPECT_EQ(ReadText(Path("out.kpf")), Card(10, 4, cols));
}

TEST_F(CliTest, CtrlSpaceSwitchesPlaneThenPushBackAndPullOut) {
    // Height 2 at depth 1, then in the vertical plane push back height 1:
    // a tunnel under the top cell.
    CliRun r = NewAndEdit(10, 5, {"space", "space", "ctrl+space", "space"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> cols(10, "0 4 e");
    cols[0] = "2 1 0 3 e";
    EXPECT_EQ(ReadText(Path("out.kpf")), Card(10, 4, cols, "0 0\n"));

    // Reading it back starts in the horizontal plane again; pull-out closes it.
    r = Cli({"edit", "out.kpf", "closed.kpf", "ctrl+space", "space"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(Path("closed.kpf")), Card(10, 4, cols));

    // In the vertical plane "z" does nothing; "horizontal" comes back.
    r = Cli({"edit", "closed.kpf", "same.kpf", "vertical", "z", "horizontal", "z"});
    EXPECT_EQ(r.status, 0) << r.err;
    cols[0] = "1 1 0 3 e";
    EXPECT_EQ(ReadText(Path("same.kpf")), Card(10, 4, cols));
}

TEST_F(CliTest, EditOverwritesItsInput) {
    Cli({"new", "card.kpf", "--width", "10", "--height", "5"});
    const CliRun r = Cli({"edit", "card.kpf", "card.kpf", "right", "space"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> cols(10, "0 4 e");
    cols[1] = "1 1 0 3 e";
    EXPECT_EQ(ReadText(Path("card.kpf")), Card(10, 4, cols));
    EXPECT_EQ(Files(), std::vector<std::string>{"card.kpf"});
}

TEST_F(CliTest, UnknownKeyWritesNothing) {
    Cli({"new", "in.kpf"});
    WriteText(Path("old.kpf"), "keep me");
    for (const char* key : {"jump", "Space", "ctrl", ""}) {
        const CliRun r = Cli({"edit", "in.kpf", "old.kpf", "space", key});
        EXPECT_EQ(r.status, 2) << key;
        EXPECT_NE(r.err.find("Usage:"), std::string::npos);
        EXPECT_EQ(ReadText(Path("old.kpf")), "keep me");
        const CliRun fresh = Cli({"edit", "in.kpf", "new.kpf", key});
        EXPECT_EQ(fresh.status, 2) << key;
        EXPECT_FALSE(fs::exists(Path("new.kpf")));
    }
    // A usage error wins over an unreadable input.
    EXPECT_EQ(Cli({"edit", "missing.kpf", "new.kpf", "jump"}).status, 2);
}

TEST_F(CliTest, UnreadableAndTooNewFilesFailWithTheMessage) {
    const auto cannotRead = [](const std::string& file) {
        return "popwright-cli: " + file + ": " + msg::kFileCouldNotBeRead + "\n";
    };
    WriteText(Path("garbage.kpf"), "kiriko\nv 1.0\nw sixteen\nh 7\n");
    WriteText(Path("outside.kpf"), "w 2\nh 2\n9 1 e\n");
    WriteText(Path("newer.kpf"), "kiriko\nv 1.01\n\nw 2\nh 2\n\n0 2 e\n0 2 e\n\n");
    WriteText(Path("old.kpf"), "keep me");
    // Larger than any card's file (sparse): refused before it is read.
    WriteText(Path("huge.kpf"), FlatCard(2, 2));
    fs::resize_file(Path("huge.kpf"), 2ULL << 30);
    for (const char* in : {"missing.kpf", "garbage.kpf", "outside.kpf", "huge.kpf"}) {
        CliRun r = Cli({"edit", in, "out.kpf", "space"});
        EXPECT_EQ(r.status, 1) << in;
        EXPECT_EQ(r.err, cannotRead(in)) << in;
        EXPECT_FALSE(fs::exists(Path("out.kpf"))) << in;
        r = Cli({"edit", in, "old.kpf"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(ReadText(Path("old.kpf")), "keep me");
        r = Cli({"info", in});
        EXPECT_EQ(r.status, 1) << in;
        EXPECT_EQ(r.err, cannotRead(in)) << in;
        EXPECT_EQ(r.out, "");
    }
    // The two lines of the desktop program's message joined into one.
    const std::string tooNew =
        "popwright-cli: newer.kpf: The version of this data is heigher than this application. Please get the latest "
        "version of Popwright.\n";
    CliRun r = Cli({"edit", "newer.kpf", "out.kpf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, tooNew);
    EXPECT_FALSE(fs::exists(Path("out.kpf")));
    r = Cli({"info", "newer.kpf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, tooNew);
}

// A file that stops after a column is read, and every command that reads a
// card says where it stopped.
TEST_F(CliTest, ACardFileCutShortIsReadAndSaysWhereItEnds) {
    WriteText(Path("cut.kpf"), Card(5, 3, {"2 3 e", "1 1 e"}));
    const std::string note = "The file ends after column 2 of 5; the columns after it are flat.";
    CliRun r = Cli({"info", "cut.kpf"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "popwright-cli: cut.kpf: warning: " + note + "\n");
    EXPECT_NE(r.out.find("raised columns: 2\n"), std::string::npos) << r.out;
    r = Cli({"thumbnail", "cut.kpf", "t.png", "32"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "popwright-cli: cut.kpf: warning: " + note + "\n");
    EXPECT_TRUE(fs::exists(Path("t.png")));
}

TEST_F(CliTest, FailedWritesKeepWhatWasThere) {
    const auto openFailed = [](const std::string& file) {
        return "popwright-cli: " + file + ": " + msg::kFileOpenFailed + "\n";
    };
    CliRun r = Cli({"new", "no/such/folder/card.kpf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, openFailed("no/such/folder/card.kpf"));

    // A folder in the way is left alone, and no temporary file stays behind.
    fs::create_directory(Path("taken"));
    WriteText(Path("taken") / "inside", "x");
    r = Cli({"new", "taken"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, openFailed("taken"));
    EXPECT_EQ(ReadText(Path("taken") / "inside"), "x");
    Cli({"new", "in.kpf"});
    r = Cli({"edit", "in.kpf", "taken", "space"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, openFailed("taken"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"in.kpf", "taken"}));
}

TEST_F(CliTest, InfoSummarisesTheCard) {
    Cli({"new", "flat.kpf"});
    CliRun r = Cli({"info", "flat.kpf"});
    EXPECT_EQ(r.status, 0) << r.err;
    // Every column of a 16 by 8 card carries 2 * (9 - 1) faces.
    EXPECT_EQ(r.out,
              "width: 16\nheight: 8\ngrid: 18 x 9 x 9\nfaces: 256\nraised columns: 0\n"
              "highest: 0\ntunnels: 0\nshape: ok\ncloses inside: yes\n");
    EXPECT_EQ(r.err, "");

    NewAndEdit(10, 5, {"space", "space", "space", "ctrl+space", "space", "right", "right", "mirror", "space"});
    r = Cli({"info", "out.kpf"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("width: 10\nheight: 5\ngrid: 12 x 6 x 6\nfaces: 100\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("raised columns: 1\nhighest: 3\ntunnels: 1\nshape: ok\n"), std::string::npos) << r.out;
}

TEST_F(CliTest, ExportIsDispatched) {
    const CliRun r = Cli({"export"});
    EXPECT_EQ(r.err.find("unknown command"), std::string::npos);
}

}  // namespace
}  // namespace pw

namespace pw {
namespace {

// A 24-bit BMP of w x h pixels, black where `dark` says (row 0 at the top).
std::string Bmp(int w, int h, const std::vector<std::string>& dark) {
    const int stride = (w * 3 + 3) / 4 * 4;
    std::string b(54 + static_cast<std::size_t>(stride * h), '\0');
    auto put = [&b](std::size_t at, unsigned value, int bytes) {
        for (int k = 0; k < bytes; ++k) b[at + static_cast<std::size_t>(k)] = static_cast<char>((value >> (8 * k)) & 0xFF);
    };
    b[0] = 'B', b[1] = 'M';
    put(2, static_cast<unsigned>(b.size()), 4), put(10, 54, 4), put(14, 40, 4);
    put(18, static_cast<unsigned>(w), 4), put(22, static_cast<unsigned>(h), 4), put(26, 1, 2), put(28, 24, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>((h - 1 - y) * stride + x * 3);
            const char v = dark[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#' ? 0 : '\xff';
            b[at] = b[at + 1] = b[at + 2] = v;
        }
    return b;
}

const char* const kCuboidObj =
    "v 0 0 0\nv 2 0 0\nv 0 1 0\nv 2 1 0\nv 0 0 3\nv 2 0 3\nv 0 1 3\nv 2 1 3\n"
    "f 1 2 4 3\nf 5 6 8 7\nf 1 2 6 5\nf 3 4 8 7\nf 1 3 7 5\nf 2 4 8 6\n";

TEST_F(CliTest, ReliefFromAPictureOfTheCardsSizeMapsPixelsToCells) {
    ASSERT_EQ(Cli({"new", "in.kpf", "--width", "4", "--height", "4"}).status, 0);
    WriteText(Path("shape.bmp"), Bmp(4, 3, {"...#", ".#..", "##.."}));
    const CliRun r = Cli({"relief", "in.kpf", "out.kpf", "--image", "shape.bmp", "--depth", "2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "popwright-cli: out.kpf: warning: Sticks out of the closed card by 1 cell in column 4. --inside cuts "
              "the relief back to fit.\n");
    // The top-right pixel stands over a tunnel two heights high.
    EXPECT_EQ(ReadText(Path("out.kpf")), Card(4, 3, {"1 2 0 1 e", "2 2 0 1 e", "0 3 e", "3 2 0 1 e"}, "3 1\n3 0\n"));

    // As a depth map (black is the full depth) in the right half only.
    const CliRun d = Cli({"relief", "in.kpf", "map.kpf", "--image", "shape.bmp", "--depth-map", "--depth", "3",
                          "--area", "3,2,3"});
    EXPECT_EQ(d.status, 0) << d.err;
    // The 4 x 3 picture is fitted into 2 x 2 cells (1.5 rounded): the cell at
    // the bottom left is three quarters dark (depth 2), the top right half
    // dark (depth 1.5, rounded to 2) over a tunnel.
    EXPECT_EQ(ReadText(Path("map.kpf")), Card(4, 3, {"0 3 e", "0 3 e", "1 2 0 1 e", "2 2 0 1 e"}, "3 0\n"));
}

TEST_F(CliTest, ReliefFromTextAndFromAModel) {
    ASSERT_EQ(Cli({"new", "in.kpf", "--width", "40", "--height", "16"}).status, 0);
    CliRun r = Cli({"relief", "in.kpf", "text.kpf", "--text", "Hi", "--font", "DejaVu Sans", "--depth", "3",
                    "--area", "5,30,10", "--inside"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = Cli({"info", "text.kpf"});
    EXPECT_NE(r.out.find("shape: ok"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("highest: 10"), std::string::npos) << r.out;

    WriteText(Path("box.obj"), kCuboidObj);
    r = Cli({"relief", "in.kpf", "model.kpf", "--model", "box.obj"});
    EXPECT_EQ(r.status, 0) << r.err;
    // 2 x 1 x 3 on a card 40 wide and 15 high: a box 10 wide, 5 deep, 15 high.
    const std::string box = "15 5 0 10 e";
    std::vector<std::string> columns(40, "0 15 e");
    for (int x = 15; x < 25; ++x) columns[static_cast<std::size_t>(x)] = box;
    EXPECT_EQ(ReadText(Path("model.kpf")), Card(40, 15, columns));
}

// Every command words its errors and warnings in one form, the file first
// when there is one: "popwright-cli: [FILE: ][warning: ]Message".
TEST_F(CliTest, EveryMessageHasOneForm) {
    ASSERT_EQ(Cli({"new", "in.kpf", "--width", "10", "--height", "8"}).status, 0);
    WriteText(Path("bad.kpf"), "kiriko\n");
    WriteText(Path("bad.png"), "\x89PNG\r\n\x1a\n broken");
    WriteText(Path("bad.obj"), "# nothing\n");
    const std::string ghost = "no/such.kpf";
    struct Case {
        std::vector<std::string> args;
        std::string file;  // the file the message names; empty for none
        int status;
    };
    const std::vector<Case> cases = {
        {{"new", ghost}, ghost, 1},
        {{"new", "x.kpf", "--width", "200"}, "x.kpf", 0},
        {{"edit", "bad.kpf", "x.kpf"}, "bad.kpf", 1},
        {{"edit", "in.kpf", ghost}, ghost, 1},
        {{"info", "bad.kpf"}, "bad.kpf", 1},
        {{"export", "bad.kpf", "x.svg"}, "bad.kpf", 1},
        {{"export", "in.kpf", "no/x.svg"}, "no/x.svg", 1},
        {{"relief", "bad.kpf", "x.kpf", "--text", "A"}, "bad.kpf", 1},
        {{"relief", "in.kpf", ghost, "--text", "A"}, ghost, 1},
        {{"relief", "in.kpf", "x.kpf", "--image", "bad.png"}, "bad.png", 1},
        {{"relief", "in.kpf", "x.kpf", "--model", "bad.obj"}, "bad.obj", 1},
        {{"relief", "in.kpf", "x.kpf", "--text", std::string(60, 'W')}, "", 1},
        {{"relief", "in.kpf", "x.kpf", "--text", "I", "--font", "No Such Font Family", "--inside"}, "", 0},
        {{"render", "bad.kpf", "x.png"}, "bad.kpf", 1},
        {{"render", "in.kpf", "no/x.png"}, "no/x.png", 1},
        {{"thumbnail", "bad.kpf", "x.png", "64"}, "bad.kpf", 1},
        {{"thumbnail", "in.kpf", "no/x.png", "64"}, "no/x.png", 1},
        {{"frobnicate"}, "", 2},
        {{"render", "in.kpf"}, "", 2},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args);
        std::string shown;
        for (const std::string& w : c.args) shown += w + " ";
        EXPECT_EQ(r.status, c.status) << shown << ": " << r.err;
        const std::string first = r.err.substr(0, r.err.find('\n'));
        const std::string head = "popwright-cli: " + (c.file.empty() ? "" : c.file + ": ");
        EXPECT_EQ(first.rfind(head, 0), 0u) << shown << ": " << r.err;
        // The file is named once, and a warning says so; the rest is a sentence.
        std::string rest = first.substr(std::min(first.size(), head.size()));
        if (c.status == 0) {
            EXPECT_EQ(rest.rfind("warning: ", 0), 0u) << shown << ": " << r.err;
            rest = rest.substr(std::min(rest.size(), std::string("warning: ").size()));
        }
        EXPECT_TRUE(!rest.empty() && rest.find(": ") != 0 && (c.status == 2 || std::isupper(rest[0])))
            << shown << ": " << r.err;
        if (c.status != 2) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << ": " << r.err;
        }
    }
}

// What sticks out of the closed card is said, how far and where, with the
// way out; what would leave the card flat is refused and not written.
TEST_F(CliTest, ReliefSaysWhatSticksOutAndRefusesAFlatResult) {
    ASSERT_EQ(Cli({"new", "in.kpf", "--width", "4", "--height", "4"}).status, 0);
    WriteText(Path("tall.bmp"), Bmp(1, 3, {"#", "#", "#"}));
    CliRun r = Cli({"relief", "in.kpf", "out.kpf", "--image", "tall.bmp", "--depth", "2", "--area", "2,1,3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "popwright-cli: out.kpf: warning: Sticks out of the closed card by 1 cell in column 2. --inside cuts "
              "the relief back to fit.\n");
    r = Cli({"relief", "in.kpf", "out.kpf", "--image", "tall.bmp", "--depth", "2", "--area", "2,1,3", "--inside"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(Cli({"info", "out.kpf"}).out.find("closes inside: yes"), std::string::npos);

    WriteText(Path("white.bmp"), Bmp(2, 2, {"..", ".."}));
    WriteText(Path("white.svg"), "<svg xmlns='http://www.w3.org/2000/svg' width='4' height='4'/>");
    WriteText(Path("speck.bmp"), Bmp(8, 8, {"#.......", "........", "........", "........", "........", "........",
                                            "........", "........"}));
    const std::vector<std::pair<std::vector<std::string>, std::string>> flat = {
        {{"--image", "white.bmp"}, msg::kPictureAllWhite},
        {{"--image", "white.svg"}, msg::kPictureAllWhite},
        {{"--image", "speck.bmp", "--area", "1,2,2"}, msg::kPictureTooLight},
        {{"--text", "Happy Birthday"}, msg::kTextTooSmall},
    };
    for (const auto& [words, why] : flat) {
        std::vector<std::string> args{"relief", "in.kpf", "flat.kpf"};
        args.insert(args.end(), words.begin(), words.end());
        r = Cli(args);
        EXPECT_EQ(r.status, 1) << words[1];
        EXPECT_EQ(r.err, "popwright-cli: " + why + "\n") << words[1];
        EXPECT_FALSE(fs::exists(Path("flat.kpf"))) << words[1];
    }
}

// A font that is not there is replaced, and the replacement named; a size
// the settings would refuse still makes a card, with a word about it.
TEST_F(CliTest, WarningsGoToStandardErrorAndTheWorkIsDone) {
    CliRun r = Cli({"new", "in.kpf", "--width", "200", "--height", "4"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err,
              "popwright-cli: in.kpf: warning: The width 200 is outside the settings' range of 10 to 80.\n"
              "popwright-cli: in.kpf: warning: The height 4 is outside the settings' range of 5 to 40.\n");
    EXPECT_EQ(ReadText(Path("in.kpf")), FlatCard(200, 3));
    EXPECT_EQ(Cli({"new", "ok.kpf", "--width", "10", "--height", "40"}).err, "");

    r = Cli({"relief", "ok.kpf", "out.kpf", "--text", "I", "--font", "No Such Font Family", "--inside"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.rfind("popwright-cli: warning: No font \"No Such Font Family\" was found; the text is drawn in ", 0),
              0u)
        << r.err;
    EXPECT_TRUE(fs::exists(Path("out.kpf")));
    EXPECT_EQ(Cli({"relief", "ok.kpf", "out.kpf", "--text", "I", "--font", "DejaVu Sans", "--inside"}).err, "");
}

TEST_F(CliTest, ReliefRefusesBadInputInOneLineAndWritesNothing) {
    ASSERT_EQ(Cli({"new", "in.kpf", "--width", "10", "--height", "8"}).status, 0);
    WriteText(Path("broken.png"), "\x89PNG\r\n\x1a\n broken");
    WriteText(Path("empty.obj"), "# nothing\n");
    WriteText(Path("nan.obj"), "v 0 0 0\nv nan 0 0\nv 0 0 1\nf 1 2 3\n");
    WriteText(Path("box.obj"), kCuboidObj);
    WriteText(Path("huge.bmp"), Bmp(1, 1, {"#"}).replace(18, 8, std::string("\x20\x4e\0\0\x20\x4e\0\0", 8)));
    const std::vector<std::vector<std::string>> bad = {
        {"--image", "missing.png"},
        {"--image", "broken.png"},
        {"--image", "huge.bmp"},
        {"--image", "in.kpf"},
        {"--text", " "},
        {"--model", "empty.obj"},
        {"--model", "nan.obj"},
        {"--model", "in.kpf"},
        {"--model", "box.obj", "--area", "8,4,4"},
        {"--text", "A", "--area", "1,10,8"},
        {"--text", "A", "--depth", "8"},
    };
    for (const auto& words : bad) {
        std::vector<std::string> args{"relief", "in.kpf", "out.kpf"};
        args.insert(args.end(), words.begin(), words.end());
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 1) << words[1];
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << words[1] << ": " << r.err;
        EXPECT_FALSE(fs::exists(Path("out.kpf"))) << words[1];
    }
    const std::vector<std::vector<std::string>> usage = {
        {"relief", "in.kpf", "out.kpf"},
        {"relief", "in.kpf", "--text", "A"},
        {"relief", "in.kpf", "out.kpf", "--text", "A", "--image", "x.png"},
        {"relief", "in.kpf", "out.kpf", "--text", "A", "--depth-map"},
        {"relief", "in.kpf", "out.kpf", "--model", "box.obj", "--up", "x"},
        {"relief", "in.kpf", "out.kpf", "--image", "x.png", "--threshold", "101"},
        {"relief", "in.kpf", "out.kpf", "--text", "A", "--area", "1,2"},
        {"relief", "in.kpf", "out.kpf", "--text", "A", "--depth", "deep"},
        {"relief", "in.kpf", "out.kpf", "--text"},
        {"relief", "in.kpf", "out.kpf", "--text", "A", "--frobnicate"},
    };
    for (const auto& args : usage) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 2) << args.back() << ": " << r.err;
        EXPECT_FALSE(fs::exists(Path("out.kpf")));
    }
}

}  // namespace
}  // namespace pw

namespace pw {
namespace {

bool HasJapanese(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Under a Japanese locale every line of the help but the commands' own
// words, and every message after its file name, is Japanese; the form of
// the messages stays the one scripts read.
TEST_F(CliTest, AJapaneseLocaleGetsJapaneseHelpAndMessages) {
    const CliRun en = Cli({"--help"}), ja = Cli({"--help"}, "ja_JP.UTF-8");
    std::istringstream enLines(en.out), jaLines(ja.out);
    std::string e, j;
    int lines = 0;
    while (std::getline(enLines, e) && std::getline(jaLines, j)) {
        ++lines;
        const std::string words = e.substr(e.find_first_not_of(' '));
        const bool commandWords = words.rfind("popwright-cli ", 0) == 0 || words.rfind("KEY:", 0) == 0 ||
                                  words.rfind("mirror ", 0) == 0;
        EXPECT_EQ(HasJapanese(j), !commandWords) << e << "\n" << j;
        EXPECT_EQ(e.find_first_not_of(' '), j.find_first_not_of(' ')) << j;
    }
    EXPECT_GT(lines, 40);
    EXPECT_FALSE(std::getline(enLines, e) || std::getline(jaLines, j));

    ASSERT_EQ(Cli({"new", "in.kpf"}).status, 0);
    WriteText(Path("bad.kpf"), "kiriko\n");
    const std::vector<std::vector<std::string>> cases = {
        {"frobnicate"},
        {"info", "bad.kpf"},
        {"export", "in.kpf", "x.pdf", "--page", "b6"},
        {"export", "in.kpf", "x.bmp", "--legend"},
        {"new", "x.kpf", "--width", "200"},
        {"relief", "in.kpf", "x.kpf", "--text", "WWWW", "--depth", "99"},
        {"render", "in.kpf", "x.png", "--angle", "200"},
        // Lists the core joins, and the formats' own reasons.
        {"export", "in.kpf", "x.xyz"},
        {"export", "in.kpf", "x.bmp", "--hairline"},
        {"export", "in.kpf", "x.svg", "--tile"},
        {"export", "in.kpf", "x.dxf", "--pattern", "--page", "a4"},
    };
    for (const auto& args : cases) {
        const CliRun r = Cli(args, "ja_JP.UTF-8");
        const std::string first = r.err.substr(0, r.err.find('\n'));
        EXPECT_EQ(first.rfind("popwright-cli: ", 0), 0u) << first;
        EXPECT_TRUE(HasJapanese(first)) << first;
        for (const char* english : {" or ", " and ", "apply", "files"}) EXPECT_EQ(first.find(english), std::string::npos) << first;
        EXPECT_EQ(r.status, Cli(args).status) << first;
    }

    // The shared page's controls speak the language too.
    ASSERT_EQ(Cli({"share", "in.kpf", "ja.html"}, "ja_JP.UTF-8").status, 0);
    const std::string page = ReadText(Path("ja.html"));
    EXPECT_NE(page.find("<html lang=\"ja\">"), std::string::npos);
    EXPECT_NE(page.find(">展開図</button>"), std::string::npos);
    EXPECT_EQ(page.find("Fold angle"), std::string::npos);
}

}  // namespace
}  // namespace pw

namespace pw {
namespace {

std::string FreeformCard(const std::string& flats) {
    return R"({"format": "popwright-freeform", "version": 1, "width": 160, "half": 100, "flats": [)" + flats + "]}";
}

// info ends with whether the card is paper, one line a problem naming its
// flats, and whether it closes inside with the flats that stick out.
TEST_F(CliTest, FreeformInfoSaysWhetherTheCardIsPaperAndClosesInside) {
    WriteText(Path("box.pwf"), FreeformCard(R"({"name": "Box", "depth": 40, "outline": "M 20 0 H 70 V 50 H 20 Z"})"));
    WriteText(Path("tall.pwf"), FreeformCard(R"({"name": "Tall", "depth": 60, "outline": "M 20 0 H 70 V 50 H 20 Z"},
                                                {"depth": 20, "outline": "M 90 0 H 100 V 10 H 90 Z"})"));
    WriteText(Path("bad.pwf"), FreeformCard(R"({"name": "Sign", "depth": 30, "outline": "M 50 20 H 110 V 40 H 50 Z"})"));
    CliRun r = Cli({"info", "box.pwf"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("flat 1: Box, depth 40 mm, x 20 to 70 mm, height 0 to 50 mm\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(r.out.find("valid:")), "valid: yes\ncloses inside: yes\n");
    r = Cli({"info", "tall.pwf"});
    EXPECT_EQ(r.out.substr(r.out.find("valid:")), "valid: yes\ncloses inside: no, sticks out by 10.00 mm (flat Tall)\n");
    r = Cli({"info", "bad.pwf"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(r.out.find("valid:")), "valid: no\nSign floats with nothing to stand on\ncloses inside: yes\n");
}

// The examples say what they were made to: valid, or refused for their reason, and closed inside.
TEST_F(CliTest, FreeformExamplesAreValidOrRefusedForTheirReason) {
    const std::pair<const char*, const char*> examples[] = {
        {"house.pwf", "valid: yes\n"},
        {"tower.pwf", "valid: yes\n"},
        {"tree.pwf", "valid: yes\n"},
        {"steps.pwf", "valid: yes\n"},
        {"heart.pwf", "valid: yes\n"},
        {"floating-sign.pwf", "valid: no\nSign floats with nothing to stand on\n"}};
    for (const auto& [name, validity] : examples) {
        const CliRun r = Cli({"info", std::string(POPWRIGHT_EXAMPLES_DIR) + "/" + name});
        EXPECT_EQ(r.status, 0) << name << r.err;
        EXPECT_EQ(r.out.substr(r.out.find("valid:")), std::string(validity) + "closes inside: yes\n") << name;
    }
}

// A refused free-form file: one line in the message form, status 1, no output.
TEST_F(CliTest, RefusedFreeformFilesSayWhyAndWriteNothing) {
    WriteText(Path("bow.pwf"), FreeformCard(R"({"name": "Bow", "depth": 40, "outline": "M 20 0 L 70 50 L 70 0 L 20 50 Z"})"));
    WriteText(Path("nan.pwf"), FreeformCard(R"({"depth": 1e400, "outline": "M 20 0 H 70 V 50 H 20 Z"})"));
    for (const char* name : {"bow.pwf", "nan.pwf"}) {
        const CliRun r = Cli({"export", name, "out.svg"});
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_EQ(r.err.rfind(std::string("popwright-cli: ") + name + ": ", 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(fs::exists(Path("out.svg")));
    }
    EXPECT_NE(Cli({"info", "bow.pwf"}).err.find("Bow"), std::string::npos);
}

// convert: the free-form card of a grid card; tunnels are said to be plain holes.
TEST_F(CliTest, ConvertWritesAFreeformCardAndSaysWhatBecameOfTunnels) {
    NewAndEdit(10, 5, {"space", "space", "space", "ctrl+space", "space"});
    CliRun r = Cli({"convert", "out.kpf", "out.pwf"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("warning: "), std::string::npos) << r.err;
    r = Cli({"info", "out.pwf"});
    EXPECT_NE(r.out.find("kind: free-form\n"), std::string::npos) << r.out;
    Cli({"new", "flat.kpf"});
    r = Cli({"convert", "flat.kpf", "flat.pwf"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace pw

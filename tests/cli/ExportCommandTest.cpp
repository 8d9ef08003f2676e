#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/ExportCommand.h"
#include "model/CardFile.h"
#include "model/CellGrid.h"
#include "model/Messages.h"
#include "model/RebuildPass.h"
#include "output/DxfWriter.h"
#include "output/PatternImages.h"
#include "output/PatternPlacement.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

std::uint32_t U32(const std::string& b, std::size_t at) {
    auto c = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + k])); };
    return c(0) | (c(1) << 8) | (c(2) << 16) | (c(3) << 24);
}

class ExportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/popwright-export-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir_ = name;
        card_.NewCard(18, 9);
        for (int x = 5; x <= 7; ++x) test::AddBox(card_, x, 2, 3);
        std::ofstream out(Path("card.kpf"));
        WriteCard(out, card_);
        RunRebuildPass(card_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string Content(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    int Export(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunExportCommand(args, out_, err_);
    }
    std::size_t Entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    fs::path dir_;
    CellGrid card_;
    std::ostringstream out_, err_;
};

TEST_F(ExportCommandTest, EveryFormatByItsExtensionInAnyCase) {
    const std::string in = Path("card.kpf");
    ASSERT_EQ(Export({in, Path("a.BMP")}), 0) << err_.str();
    ASSERT_EQ(Export({in, Path("a.Emf")}), 0) << err_.str();
    ASSERT_EQ(Export({in, Path("a.svg")}), 0) << err_.str();
    ASSERT_EQ(Export({in, Path("a.PDF")}), 0) << err_.str();
    ASSERT_EQ(Export({in, Path("a.dXf")}), 0) << err_.str();
    EXPECT_TRUE(err_.str().empty());

    const std::string bmp = Content(Path("a.BMP"));
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(U32(bmp, 18), 400u);  // the default bitmap width
    EXPECT_EQ(U32(bmp, 22), 440u);

    // The metafile is the one the in-memory writer makes for a 96 dpi screen.
    const double perCm = 96 * kInchesPerCentimetre;
    const auto emf = RenderPatternMetafile(card_, 0, 50, perCm, perCm);
    EXPECT_EQ(Content(Path("a.Emf")), std::string(emf.begin(), emf.end()));
    EXPECT_EQ(U32(Content(Path("a.Emf")), 32), 10500u);  // frame right, default ratio

    EXPECT_EQ(Content(Path("a.svg")).substr(0, 5), "<?xml");
    EXPECT_EQ(Content(Path("a.PDF")).substr(0, 5), "%PDF-");
    std::ostringstream dxf;
    WriteDxf(dxf, card_);
    EXPECT_EQ(Content(Path("a.dXf")), dxf.str());
}

TEST_F(ExportCommandTest, OptionsReachTheOutputs) {
    const std::string in = Path("card.kpf");
    ASSERT_EQ(Export({in, Path("w.bmp"), "--bmp-width", "401"}), 0) << err_.str();
    EXPECT_EQ(U32(Content(Path("w.bmp")), 18), 401u);
    ASSERT_EQ(Export({"--ratio=30", in, Path("r.emf")}), 0) << err_.str();
    EXPECT_EQ(U32(Content(Path("r.emf")), 32), 6300u);

    ASSERT_EQ(Export({in, Path("plain.bmp")}), 0);
    ASSERT_EQ(Export({in, Path("mirror.bmp"), "--invert"}), 0);
    EXPECT_NE(Content(Path("plain.bmp")), Content(Path("mirror.bmp")));
    const auto mirrored = RenderPatternBitmap(card_, 1, 400);
    const std::string m = Content(Path("mirror.bmp"));
    // Bottom-up rows: the row of the mountain fold (y = 220) is stored at 440 - 1 - 220.
    const std::size_t row = 54 + static_cast<std::size_t>(440 - 1 - 220) * 1200;
    for (int x = 0; x < 400; ++x)
        ASSERT_EQ(static_cast<std::uint32_t>(static_cast<unsigned char>(m[row + 3 * x + 2]) << 16 |
                                             static_cast<unsigned char>(m[row + 3 * x + 1]) << 8 |
                                             static_cast<unsigned char>(m[row + 3 * x])),
                  mirrored->Pixel(x, 220))
            << x;

    // The DXF ignores the inversion.
    ASSERT_EQ(Export({in, Path("a.dxf"), "--invert"}), 0);
    ASSERT_EQ(Export({in, Path("b.dxf")}), 0);
    EXPECT_EQ(Content(Path("a.dxf")), Content(Path("b.dxf")));
}

TEST_F(ExportCommandTest, UsageErrorsExitTwoAndWriteNothing) {
    const std::string in = Path("card.kpf");
    const std::size_t before = Entries();
    for (const std::string& out : {Path("a.png"), Path("noextension"), Path("dir.bmp/name"), Path("a.")}) {
        EXPECT_EQ(Export({in, out}), 2) << out;
        EXPECT_NE(err_.str().find(msg::kSpecifyExportFile), std::string::npos) << err_.str();
    }
    EXPECT_NE(std::string(msg::kSpecifyExportFile).find("*.svg"), std::string::npos);
    EXPECT_EQ(Export({in}), 2);
    EXPECT_EQ(Export({in, Path("a.bmp"), Path("b.bmp")}), 2);
    EXPECT_EQ(Export({in, Path("a.bmp"), "--frobnicate"}), 2);
    EXPECT_EQ(Export({in, Path("a.bmp"), "--ratio"}), 2);
    EXPECT_EQ(Export({in, Path("a.bmp"), "--ratio", "95"}), 2);
    EXPECT_NE(err_.str().find("Please enter an integer between 10 and 90."), std::string::npos) << err_.str();
    EXPECT_EQ(Export({in, Path("a.bmp"), "--bmp-width", "9"}), 2);
    EXPECT_NE(err_.str().find("between 10 and 1600"), std::string::npos);
    EXPECT_EQ(Export({in, Path("a.bmp"), "--bmp-width", "4x"}), 2);
    EXPECT_NE(err_.str().find(msg::kEnterInteger), std::string::npos);
    EXPECT_EQ(Entries(), before);
}

TEST_F(ExportCommandTest, ReadAndWriteFailuresExitOneAndKeepExistingFiles) {
    const std::string in = Path("card.kpf");
    EXPECT_EQ(Export({Path("missing.kpf"), Path("a.bmp")}), 1);
    EXPECT_NE(err_.str().find(msg::kFileCouldNotBeRead), std::string::npos);
    std::ofstream(Path("newer.kpf")) << "kiriko\nv 2.0\nw 3\nh 3\n";
    EXPECT_EQ(Export({Path("newer.kpf"), Path("a.bmp")}), 1);
    EXPECT_NE(err_.str().find(msg::kVersionTooNew), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("a.bmp")));

    for (const char* ext : {"bmp", "emf", "svg", "pdf"}) {
        EXPECT_EQ(Export({in, Path("nowhere/out.") + ext}), 1) << ext;
        EXPECT_EQ(err_.str(), std::string(msg::kFileSaveFailed) + "\n");
    }
    EXPECT_EQ(Export({in, Path("nowhere/out.dxf")}), 1);
    EXPECT_EQ(err_.str(), std::string(msg::kFileOpenFailed) + "\n");

    // A folder in the way of the output stays as it was.
    fs::create_directory(Path("taken.svg"));
    std::ofstream(Path("taken.svg/inside")) << "kept";
    EXPECT_EQ(Export({in, Path("taken.svg")}), 1);
    EXPECT_EQ(Content(Path("taken.svg/inside")), "kept");

    // Replacing an existing file works and leaves no temporary file.
    std::ofstream(Path("old.pdf")) << "old";
    const std::size_t before = Entries();
    EXPECT_EQ(Export({in, Path("old.pdf")}), 0);
    EXPECT_EQ(Content(Path("old.pdf")).substr(0, 5), "%PDF-");
    EXPECT_EQ(Entries(), before);
}

// The same command through the program, as a user runs it.
TEST_F(ExportCommandTest, ThroughThePopwrightCliProgram) {
    auto run = [&](const std::string& words) {
        const std::string command = std::string("'") + POPWRIGHT_CLI + "' export " + words + " 2>'" + Path("err") + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const std::string in = "'" + Path("card.kpf") + "'";
    EXPECT_EQ(run(in + " '" + Path("p.EMF") + "' --ratio 30"), 0) << Content(Path("err"));
    EXPECT_EQ(U32(Content(Path("p.EMF")), 32), 6300u);
    EXPECT_EQ(run(in + " '" + Path("p.svg") + "' --invert"), 0);
    EXPECT_EQ(Content(Path("p.svg")).substr(0, 5), "<?xml");
    EXPECT_EQ(run(in + " '" + Path("p.png") + "'"), 2);
    EXPECT_NE(Content(Path("err")).find(msg::kSpecifyExportFile), std::string::npos);
    EXPECT_EQ(run(in + " '" + Path("no/p.bmp") + "'"), 1);
    EXPECT_EQ(Content(Path("err")), std::string(msg::kFileSaveFailed) + "\n");
    EXPECT_EQ(run("'" + Path("nothing.kpf") + "' '" + Path("p.dxf") + "'"), 1);
    EXPECT_EQ(Content(Path("err")), std::string(msg::kFileCouldNotBeRead) + "\n");
}

}  // namespace
}  // namespace pw

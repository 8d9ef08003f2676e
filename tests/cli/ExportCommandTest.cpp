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
#include "output/CutterPattern.h"
#include "output/DxfWriter.h"
#include "output/PatternDxfWriter.h"
#include "output/PatternFiles.h"
#include "output/PdfWriter.h"
#include "output/SvgWriter.h"
#include "output/PatternImages.h"
#include "output/PatternPlacement.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

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
        card_.NewCard(18, 9);
        for (int x = 5; x <= 7; ++x) test::AddBox(card_, x, 2, 3);
        std::ofstream out(Path("card.kpf"));
        WriteCard(out, card_);
        RunRebuildPass(card_);
    }
    std::string Path(const std::string& name) const { return scratch_.Path(name); }
    static std::string Content(const std::string& path) { return test::ReadWholeFile(path); }
    int Export(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunExportCommand(args, out_, err_);
    }
    std::size_t Entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    test::ScratchFolder scratch_;
    fs::path dir_ = scratch_.Dir();
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
    EXPECT_EQ(err_.str().rfind("popwright-cli: " + Path("newer.kpf") + ": The version of this data is heigher", 0), 0u);
    EXPECT_FALSE(fs::exists(Path("a.bmp")));

    for (const char* ext : {"bmp", "emf", "svg", "pdf"}) {
        EXPECT_EQ(Export({in, Path("nowhere/out.") + ext}), 1) << ext;
        EXPECT_EQ(err_.str(), "popwright-cli: " + Path("nowhere/out.") + ext + ": " + msg::kFileSaveFailed + "\n");
    }
    EXPECT_EQ(Export({in, Path("nowhere/out.dxf")}), 1);
    EXPECT_EQ(err_.str(), "popwright-cli: " + Path("nowhere/out.dxf") + ": " + msg::kFileOpenFailed + "\n");

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

TEST_F(ExportCommandTest, PatternOptionsReachTheCutterFiles) {
    const std::string in = Path("card.kpf");
    auto same = [&](const std::string& file, PatternFileType type, const PatternOptions& o) {
        const CutterPattern p = LayOutCutterPattern(card_, 0, 50, o);
        std::ostringstream text;
        if (type == PatternFileType::Svg)
            WriteSvg(text, p);
        else if (type == PatternFileType::Pdf)
            WritePdf(text, p);
        else
            WritePatternDxf(text, p);
        return Content(Path(file)) == text.str();
    };

    ASSERT_EQ(Export({in, Path("flat.dxf"), "--pattern", "--cell-mm", "5"}), 0) << err_.str();
    PatternOptions dxf;
    dxf.cellMm = 5;
    EXPECT_TRUE(same("flat.dxf", PatternFileType::PatternDxf, dxf));
    EXPECT_EQ(Content(Path("flat.dxf")).find("3DFACE"), std::string::npos);

    ASSERT_EQ(Export({in, Path("laser.svg"), "--hairline", "--legend", "--perforate", "--dash", "1.5", "--gap=0.5",
                      "--page", "Letter", "--cut-order", "as-drawn", "--cell-mm=4.25"}),
              0)
        << err_.str();
    PatternOptions svg;
    svg.hairline = svg.legend = svg.perforate = true;
    svg.dashMm = 1.5;
    svg.gapMm = 0.5;
    svg.paper = *PaperNamed("letter");
    svg.cutOrder = CutOrder::AsDrawn;
    svg.cellMm = 4.25;
    EXPECT_TRUE(same("laser.svg", PatternFileType::Svg, svg));

    ASSERT_EQ(Export({in, Path("tiles.pdf"), "--tile", "--page", "a5", "--pattern"}), 0) << err_.str();
    PatternOptions pdf;
    pdf.tile = true;
    pdf.paper = *PaperNamed("a5");
    EXPECT_TRUE(same("tiles.pdf", PatternFileType::Pdf, pdf));
    // The default cut order: folds first, the outline last.
    ASSERT_EQ(Export({in, Path("default.svg")}), 0);
    EXPECT_TRUE(same("default.svg", PatternFileType::Svg, PatternOptions()));
    EXPECT_LT(Content(Path("default.svg")).find("id=\"mountain\""), Content(Path("default.svg")).find("id=\"cut\""));
    EXPECT_TRUE(err_.str().empty());
    // Folds too short to perforate at 1 mm cells are scored, and stdout says
    // how many; the ones perforated at 5 mm leave it silent.
    EXPECT_TRUE(out_.str().empty());
    ASSERT_EQ(Export({in, Path("small.dxf"), "--pattern", "--perforate", "--cell-mm", "1", "--gap", "1.5"}), 0) << err_.str();
    PatternOptions small;
    small.cellMm = 1;
    small.perforate = true;
    small.gapMm = 1.5;
    const int scored = LayOutCutterPattern(card_, 0, 50, small).scoredFolds;
    ASSERT_GT(scored, 1);
    EXPECT_TRUE(same("small.dxf", PatternFileType::PatternDxf, small));
    EXPECT_EQ(out_.str(), std::to_string(scored) + " folds too short to perforate were written as score lines.\n");
}

TEST_F(ExportCommandTest, BadPatternValuesAreOneLineExitTwoAndWriteNothing) {
    const std::string in = Path("card.kpf");
    std::ofstream(Path("kept.svg")) << "kept";
    std::ofstream(Path("kept.dxf")) << "kept";
    std::ofstream(Path("kept.pdf")) << "kept";
    std::ofstream(Path("kept.bmp")) << "kept";
    const std::size_t before = Entries();
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"kept.svg", "--cell-mm", "0.4"}, "--cell-mm: Please enter 0 or a number between 0.5 and 50."},
        {{"kept.svg", "--cell-mm", "51"}, "--cell-mm: Please enter 0 or a number between 0.5 and 50."},
        {{"kept.svg", "--cell-mm=-2"}, "--cell-mm: Please enter 0 or a number between 0.5 and 50."},
        {{"kept.svg", "--cell-mm", "5mm"}, "--cell-mm: Please enter 0 or a number between 0.5 and 50."},
        {{"kept.svg", "--perforate", "--dash", "0.1"}, "--dash: Please enter a number between 0.5 and 50."},
        {{"kept.svg", "--perforate", "--gap", "60"}, "--gap: Please enter a number between 0.2 and 50."},
        {{"kept.pdf", "--page", "b6"}, "--page: unknown page \"b6\" (a4, a5, a3, letter, legal, postcard, reply-postcard, b5 or b4)"},
        {{"kept.pdf", "--cut-order", "outer-first"}, "--cut-order: unknown cut order \"outer-first\" (inner-first or as-drawn)"},
        {{"kept.bmp", "--cell-mm", "5"}, "--cell-mm applies to svg, pdf and dxf --pattern files"},
        {{"kept.dxf", "--perforate"}, "--perforate needs --pattern for a dxf file (without it the relief's 3D faces are written)"},
        {{"kept.dxf", "--pattern", "--hairline"}, "--hairline does not apply to the DXF pattern, whose lines have no width and which a cutter cuts whole"},
        {{"kept.dxf", "--pattern", "--legend"}, "--legend does not apply to the DXF pattern, whose lines have no width and which a cutter cuts whole"},
        {{"kept.dxf", "--pattern", "--page", "a3"}, "--page does not apply to the DXF pattern, which has no pages"},
        {{"kept.svg", "--tile"}, "--tile applies to pdf files; the SVG stays one piece"},
        {{"kept.svg", "--dash", "3"}, "--dash needs --perforate"},
    };
    for (const auto& [words, message] : bad) {
        std::vector<std::string> args = {in, Path(words[0])};
        args.insert(args.end(), words.begin() + 1, words.end());
        EXPECT_EQ(Export(args), 2) << message;
        EXPECT_EQ(err_.str(), "popwright-cli: " + message + "\n");
        EXPECT_EQ(Content(Path(words[0])), "kept") << message;
    }
    EXPECT_EQ(Entries(), before);
    // A value error comes before reading the card.
    EXPECT_EQ(Export({Path("missing.kpf"), Path("new.svg"), "--cell-mm", "99"}), 2);
    EXPECT_FALSE(fs::exists(Path("new.svg")));
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
    EXPECT_EQ(run(in + " '" + Path("p.dxf") + "' --pattern --cell-mm 4 --perforate"), 0) << Content(Path("err"));
    EXPECT_EQ(Content(Path("p.dxf")).find("3DFACE"), std::string::npos);
    EXPECT_EQ(run(in + " '" + Path("q.pdf") + "' --page legal --cell-mm 0.1"), 2);
    EXPECT_EQ(Content(Path("err")), "popwright-cli: --cell-mm: Please enter 0 or a number between 0.5 and 50.\n");
    EXPECT_FALSE(fs::exists(Path("q.pdf")));
    EXPECT_EQ(Content(Path("p.svg")).substr(0, 5), "<?xml");
    EXPECT_EQ(run(in + " '" + Path("p.png") + "'"), 2);
    EXPECT_NE(Content(Path("err")).find(msg::kSpecifyExportFile), std::string::npos);
    EXPECT_EQ(run(in + " '" + Path("no/p.bmp") + "'"), 1);
    EXPECT_EQ(Content(Path("err")), "popwright-cli: " + Path("no/p.bmp") + ": " + msg::kFileSaveFailed + "\n");
    EXPECT_EQ(run("'" + Path("nothing.kpf") + "' '" + Path("p.dxf") + "'"), 1);
    EXPECT_EQ(Content(Path("err")), "popwright-cli: " + Path("nothing.kpf") + ": " + msg::kFileCouldNotBeRead + "\n");
}

}  // namespace
}  // namespace pw

// The metafile read back by libemf2svg: its own parse of the records
// (verbose listing) and the SVG it draws from them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <emf2svg.h>
#include <regex>
#include <string>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/EmfSurface.h"
#include "output/PatternImages.h"
#include "output/PatternPlacement.h"
#include "output/UnfoldedPattern.h"
#include "support/CardBuilder.h"
#include "support/RecordingSurface.h"

namespace pw {
namespace {

struct Converted {
    bool ok = false;
    std::string svg;
    std::string listing;  // the reader's record listing, colour codes removed
};

// libemf2svg prints its verbose listing on standard output; catch it in a file.
Converted Convert(std::vector<std::uint8_t> bytes) {
    Converted c;
    std::fflush(stdout);
    char name[] = "/tmp/emf-listing-XXXXXX";
    const int fd = mkstemp(name);
    const int saved = dup(1);
    dup2(fd, 1);
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("");
    options.verbose = true;
    options.svgDelimiter = true;
    char* out = nullptr;
    std::size_t outLength = 0;
    c.ok = emf2svg(reinterpret_cast<char*>(bytes.data()), bytes.size(), &out, &outLength, &options) == 1;
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    if (out) {
        c.svg.assign(out, outLength);
        std::free(out);
    }
    std::FILE* f = fdopen(fd, "r");
    std::rewind(f);
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) c.listing.append(buf, n);
    std::fclose(f);
    std::remove(name);
    c.listing = std::regex_replace(c.listing, std::regex("\x1b\\[[0-9;]*m"), "");
    return c;
}

std::string Field(const std::string& listing, const std::string& name) {
    std::smatch m;
    if (!std::regex_search(listing, m, std::regex(name + ":\\s*([^\\n]*)"))) return "";
    std::string v = m[1];
    while (!v.empty() && v.back() == ' ') v.pop_back();
    return v;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

const double kPx = 96 * kInchesPerCentimetre;

TEST(EmfReadBack, HeaderFrameAndReferenceDevice) {
    CellGrid g;
    g.NewCard(18, 9);
    RunRebuildPass(g);
    const auto bytes = RenderPatternMetafile(g, 0, 50, kPx, kPx);
    const Converted c = Convert(bytes);
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(Field(c.listing, "rclFrame"), "{0,0,10500,11550}");
    EXPECT_EQ(Field(c.listing, "dSignature"), "0x464D4520");
    EXPECT_EQ(Field(c.listing, "nBytes"), std::to_string(bytes.size()));
    EXPECT_EQ(Field(c.listing, "nHandles"), "4");  // three pens and the reserved slot 0
    // 1920 by 960 pixels on 508 by 254 mm: 96 pixels per inch both ways.
    EXPECT_EQ(Field(c.listing, "szlDevice"), "{1920,960}");
    EXPECT_EQ(Field(c.listing, "szlMillimeters"), "{508,254}");
    // Flat card: crease twice, 16 unit cuts of the left edge, the outline.
    EXPECT_EQ(Count(c.listing, "U_EMR_LINETO "), 22);
    EXPECT_EQ(Count(c.listing, "U_EMR_MOVETOEX "), 22);
    EXPECT_EQ(Count(c.listing, "U_EMR_CREATEPEN "), 3);
    EXPECT_EQ(Count(c.listing, "U_EMR_DELETEOBJECT "), 3);
    EXPECT_EQ(Count(c.listing, "U_EMR_EOF "), 1);
    EXPECT_EQ(Count(c.svg, "<path"), 22);
    const std::string records = Field(c.listing, "nRecords");
    EXPECT_EQ(records, std::to_string(Count(c.listing, "record:")));
}

TEST(EmfReadBack, PenStylesAndLinesFollowTheDrawingCalls) {
    CellGrid g;
    g.NewCard(14, 8);
    test::AddBox(g, 4, 2, 3);
    test::AddBox(g, 5, 2, 3);
    test::AddBox(g, 9, 3, 2);
    RunRebuildPass(g);
    const auto bytes = RenderPatternMetafile(g, 1, 40, kPx, kPx);
    const Converted c = Convert(bytes);
    ASSERT_TRUE(c.ok);

    const std::string pens = std::regex_replace(c.listing, std::regex("\\s+"), " ");
    EXPECT_NE(pens.find("lopnStyle:0x00000000 lopnWidth:{2,0} lopnColor:{0,0,0}"), std::string::npos);
    EXPECT_NE(pens.find("lopnStyle:0x00000001 lopnWidth:{1,0} lopnColor:{1,0,0}"), std::string::npos);
    EXPECT_NE(pens.find("lopnStyle:0x00000002 lopnWidth:{1,0} lopnColor:{0,0,1}"), std::string::npos);

    // Every drawn line comes out as one SVG path with its pen's colour, the
    // fold pens dashed in two different patterns.
    const MetafilePicture pic = ComputeMetafilePicture(kPx, kPx, 40, g.gridWidth, g.gridHeight);
    test::RecordingSurface rec;
    DrawUnfoldedPattern(rec, g, 1, pic.placement.ox, pic.placement.oy, pic.placement.cw, pic.placement.ch);

    const std::regex path(
        "<path d=\"M ([-0-9.]+),([-0-9.]+) L ([-0-9.]+),([-0-9.]+) \" stroke=\"#([0-9A-Fa-f]{6})\"([^>]*)/>");
    const std::regex dashArray("stroke-dasharray=\"([^\"]*)\"");
    std::vector<test::RecordedLine> read;
    std::string dash[3];
    for (auto it = std::sregex_iterator(c.svg.begin(), c.svg.end(), path); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        const std::string colour = m[5];
        const PenSpec pen = colour == "000000" ? kCutPen : colour == "010000" ? kMountainPen : kValleyPen;
        if (colour != "000000" && colour != "010000") {
            EXPECT_EQ(colour, "000001");
        }
        const int kind = static_cast<int>(pen.style);
        const std::string rest = m[6];
        std::smatch d;
        if (dash[kind].empty()) dash[kind] = (std::regex_search(rest, d, dashArray) ? d[1].str() : "") + "|";
        read.push_back({pen, std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4])});
    }
    ASSERT_EQ(read.size(), rec.lines.size());
    EXPECT_EQ(read, rec.lines);
    EXPECT_EQ(dash[0], "|");
    EXPECT_NE(dash[1], "|");
    EXPECT_NE(dash[2], "|");
    EXPECT_NE(dash[1], dash[2]);
}

TEST(EmfSurface, SelectingTheStockPenRecordsTheStockBlackPen) {
    EmfSurface s(EmfFrame{0, 0, 100, 100}, kPx, kPx);
    const PenHandle a = s.CreatePen(kCutPen);
    const PenHandle b = s.CreatePen(kValleyPen);
    EXPECT_EQ(s.SelectPen(a), kStockPen);
    EXPECT_EQ(s.SelectPen(kStockPen), a);
    s.DeletePen(a);
    EXPECT_EQ(s.CreatePen(kMountainPen), a);  // the freed object slot is taken again
    EXPECT_EQ(s.SelectPen(99), kNoPen);
    (void)b;
    const Converted c = Convert(s.Finish());
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(Field(c.listing, "StockObject"), "BLACK_PEN");
    EXPECT_EQ(Field(c.listing, "rclBounds"), "{0,0,-1,-1}");  // nothing drawn
}

}  // namespace
}  // namespace pw

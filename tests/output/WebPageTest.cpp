// The shared web page: the card's data in it is the sheet, piece by piece
// and line by line at the stated size, and the page needs nothing from
// elsewhere, within 2 MB for the largest grid card.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <random>

#include "model/CellGrid.h"
#include "model/GridSheet.h"
#include "model/RebuildPass.h"
#include "output/SheetJson.h"
#include "output/WebPage.h"
#include "output/WebPageParts.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

using Json = nlohmann::json;

// The card's JSON as the page's script reads it.
Json CardOfPage(const std::string& page) {
    const std::string mark = "var card = ";
    const auto from = page.find(mark) + mark.size();
    return Json::parse(page.substr(from, page.find(";\n", from) - from));
}

void ExpectPoints(const Json& flat, const SheetPath& path) {
    const std::vector<SheetPoint> points = FlattenPath(path, 0.05);
    ASSERT_EQ(flat.size(), points.size() * 2);
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(flat[2 * i].get<double>(), points[i].x, 1e-3);
        EXPECT_NEAR(flat[2 * i + 1].get<double>(), points[i].s, 1e-3);
    }
}

TEST(WebPage, TheCardsDataIsTheSheet) {
    std::mt19937 rng(2701);
    for (int round = 0; round < 20; ++round) {
        CellGrid g;
        test::RandomCard(g, rng, std::uniform_int_distribution<int>(3, 24)(rng),
                         std::uniform_int_distribution<int>(2, 14)(rng));
        RunRebuildPass(g);
        const Sheet sheet = DeriveGridSheet(g);
        const double mm = std::uniform_real_distribution<double>(1, 9)(rng);
        const Json card = CardOfPage(WebPageText(sheet, mm, "<card & co>"));

        EXPECT_DOUBLE_EQ(card["mmPerUnit"].get<double>(), mm);
        EXPECT_EQ(card["half"].get<double>(), sheet.half);
        ASSERT_EQ(card["pieces"].size(), sheet.pieces.size());
        for (std::size_t p = 0; p < sheet.pieces.size(); ++p) {
            const Json& piece = card["pieces"][p];
            EXPECT_EQ(piece["plane"], sheet.pieces[p].plane == PiecePlane::Horizontal ? "h" : "v");
            EXPECT_EQ(piece["level"].get<double>(), sheet.pieces[p].level);
            ASSERT_EQ(piece["loops"].size(), sheet.pieces[p].loops.size());
            for (std::size_t l = 0; l < sheet.pieces[p].loops.size(); ++l)
                ExpectPoints(piece["loops"][l], sheet.pieces[p].loops[l]);
        }
        ASSERT_EQ(card["edges"].size(), sheet.edges.size());
        for (std::size_t e = 0; e < sheet.edges.size(); ++e) {
            EXPECT_EQ(card["edges"][e]["kind"], SheetEdgeKindName(static_cast<int>(sheet.edges[e].kind)));
            EXPECT_EQ(card["edges"][e]["closed"], sheet.edges[e].path.closed);
            ExpectPoints(card["edges"][e]["points"], sheet.edges[e].path);
        }
    }
}

TEST(WebPage, NeedsNothingFromElsewhereAndStaysSmall) {
    std::mt19937 rng(2702);
    CellGrid g;
    test::RandomCard(g, rng, 80, 40);
    RunRebuildPass(g);
    const std::string page = WebPageText(DeriveGridSheet(g), 3, "</script><script src=x>");
    EXPECT_LT(page.size(), 2u * 1000 * 1000);
    // Two script elements, both inline; no style sheet, frame or picture
    // from another address, and no request from the page's own script
    // (three.js has its loaders, which the page never calls).
    std::string own = page;
    own.erase(own.find(ThreeJs()), ThreeJs().size());
    std::size_t scripts = 0;
    for (auto at = page.find("<script"); at != std::string::npos; at = page.find("<script", at + 1)) ++scripts;
    EXPECT_EQ(scripts, 2u);
    for (const char* fetching : {"<script src", "<link", "<iframe", "<img", "url(", "fetch(", "XMLHttpRequest"})
        EXPECT_EQ(own.find(fetching), std::string::npos) << fetching;
}

// The controls' words come from translations: whatever they hold stays text
// of its attribute, element or script string, and marks no template place.
TEST(WebPage, ControlWordsStayInsideTheirPlaces) {
    CellGrid g;
    RunRebuildPass(g);
    WebPageWords words;
    words.language = "ja";
    words.play = "\" onclick=\"x()";
    words.pattern = "\"; alert(1); \"</script>@CARD_JSON@";
    const std::string page = WebPageText(DeriveGridSheet(g), 3, "t", words);
    EXPECT_NE(page.find("<html lang=\"ja\">"), std::string::npos);
    EXPECT_NE(page.find("title=\"&quot; onclick=&quot;x()\""), std::string::npos);
    EXPECT_EQ(page.find("onclick=\""), std::string::npos);
    EXPECT_EQ(page.find("alert(1); \""), std::string::npos);
    EXPECT_EQ(page.find("@CARD_JSON@"), std::string::npos);
    std::size_t scripts = 0;
    for (auto at = page.find("</script>"); at != std::string::npos; at = page.find("</script>", at + 1)) ++scripts;
    EXPECT_EQ(scripts, 2u);
}

}  // namespace
}  // namespace pw

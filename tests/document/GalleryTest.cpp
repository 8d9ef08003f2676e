// The gallery as installed: every card of its index opens whole and passes
// every check the program makes of a card, and an index that is not the
// program's is refused whole.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>

#include "document/CardDocument.h"
#include "document/Gallery.h"
#include "document/SheetUnit.h"
#include "model/ClosingCheck.h"
#include "model/FaceAnchoring.h"
#include "model/GridSheet.h"
#include "model/GridSheetCells.h"
#include "model/RebuildPass.h"
#include "model/AppSettings.h"
#include "model/buildable/BuildableCheck.h"
#include "model/freeform/FreeformChecks.h"

namespace pw {
namespace {

// A check of an opened card: an empty string when it passes, else what failed.
using CardCheck = std::function<std::string(const CellGrid&, const Sheet&)>;

// The grid card's checks; a new one goes on this list.
const std::vector<std::pair<const char*, CardCheck>>& GridChecks() {
    static const std::vector<std::pair<const char*, CardCheck>> checks = {
        {"validity",
         [](const CellGrid& g, const Sheet& sheet) -> std::string {
             const FaceAnchoring anchoring{GridSheetCells(sheet)};
             for (int x = 1; x <= g.gridWidth - 2; ++x)
                 for (int y = 1; y < g.gridHeight; ++y)
                     for (int z = 1; z < g.gridHeight - 1; ++z)
                         if (anchoring.AnchoredAtOneEnd(x, y, z))
                             return "a face anchored at one end at " + std::to_string(x) + "," + std::to_string(y) +
                                    "," + std::to_string(z);
             return {};
         }},
        {"closing",
         [](const CellGrid&, const Sheet& sheet) -> std::string {
             const ClosingReport report = CheckClosing(sheet);
             return report.ClosesInside() ? std::string() : ClosingInfoLine(report);
         }},
    };
    return checks;
}

// What the free-form checks find wrong with the opened card, one line each.
std::vector<std::string> FreeformFaults(CardDocument& doc) {
    const FreeformSheet& sheet = doc.DeriveFreeform();
    std::vector<std::string> faults;
    for (const FlatProblem& p : CheckFreeformCard(doc.Freeform(), sheet))
        faults.push_back(FlatProblemText(doc.Freeform(), p));
    const FreeformClosing closing = CheckFreeformClosing(doc.Freeform(), sheet);
    if (!closing.ClosesInside()) faults.push_back(FreeformClosingInfoLine(doc.Freeform(), closing));
    return faults;
}

// The buildability faults of either kind of card, its sheet measured in its own unit.
std::string BuildFaults(CardDocument& doc) {
    const double unitMm = SheetUnitMm(doc, 0, AppSettings().print.sizePercent);
    std::string faults;
    for (const BuildFinding& f : CheckBuildable(doc.Derive(), unitMm, {}).findings)
        faults += std::string(BuildFaultName(f.fault)) + " at " + std::to_string(f.xMm) + "," + std::to_string(f.sMm) + "; ";
    return faults;
}

TEST(Gallery, EveryCardOpensWholeHasItsPictureAndPassesEveryCheck) {
    Gallery gallery;
    ASSERT_TRUE(ReadGallery(POPWRIGHT_GALLERY_DIR, gallery));
    EXPECT_GE(gallery.cards.size(), 30u);
    for (const std::string& difficulty : GalleryDifficulties())
        EXPECT_TRUE(std::any_of(gallery.cards.begin(), gallery.cards.end(),
                                [&](const GalleryCard& c) { return c.difficulty == difficulty; }))
            << difficulty;
    int freeformCards = 0;
    for (const GalleryCard& card : gallery.cards) {
        CardDocument doc;
        const CardOpenResult opened = doc.Open(card.path);
        ASSERT_TRUE(opened.Opened() && !opened.EndsEarly()) << card.name;
        if (doc.Kind() == CardKind::Freeform) {
            ++freeformCards;
            EXPECT_EQ(FreeformFaults(doc), std::vector<std::string>()) << card.name;
        } else {
            const Sheet& sheet = doc.Derive();
            for (const auto& [name, check] : GridChecks())
                EXPECT_EQ(check(doc.Card().grid, sheet), "") << card.name << ": " << name;
        }
        EXPECT_EQ(BuildFaults(doc), "") << card.name << ": buildable";
        std::ifstream picture(card.picture, std::ios::binary);
        char signature[8] = {};
        picture.read(signature, 8);
        EXPECT_EQ(std::string(signature + 1, 3), "PNG") << card.picture;
    }
    EXPECT_GE(freeformCards, 5);
}

TEST(Gallery, AnIndexThatIsNotTheProgramsIsRefusedWhole) {
    const std::string folder = ::testing::TempDir() + "gallery_index";
    std::remove((folder + "/index.txt").c_str());
    std::string command = "mkdir -p " + folder;
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* bad : {"easy box ../box.kpf\n", "easy box /etc/box.kpf\n", "simple box box.kpf\n",
                            "easy box box.kpf extra\n", "easy box\n", "easy box a.kpf\nhard box b.kpf\n",
                            "easy Box box.kpf\n"}) {
        std::ofstream(folder + "/index.txt", std::ios::binary) << "# a comment\n" << bad;
        Gallery gallery;
        gallery.folder = "untouched";
        EXPECT_FALSE(ReadGallery(folder, gallery)) << bad;
        EXPECT_EQ(gallery.folder, "untouched");
    }
    std::ofstream(folder + "/index.txt", std::ios::binary) << std::string(100000, '#');
    Gallery gallery;
    EXPECT_FALSE(ReadGallery(folder, gallery));
}

}  // namespace
}  // namespace pw

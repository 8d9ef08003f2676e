// A model file sliced into flats through the document core, and the list
// of depths the command line and the dialog take.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "document/ModelFlatsFile.h"
#include "import/ImportMessages.h"
#include "model/freeform/FreeformChecks.h"

namespace pw {
namespace {

TEST(ModelFlatsFile, TheExampleHouseGivesItsStepsNearestFirst) {
    ModelSlicing how;
    how.heightMm = 70;
    const ModelFlatsOutcome outcome = MakeModelFlats(POPWRIGHT_EXAMPLES_DIR "/stepped-house.obj", how);
    ASSERT_TRUE(outcome.made.Made()) << outcome.made.error;
    std::vector<double> depths;
    for (const FreeformFlat& flat : outcome.made.flats) depths.push_back(flat.depth);
    EXPECT_EQ(depths, (std::vector<double>{45, 35, 10}));
    // The house's back wall and its roof's far slope lie hidden behind its
    // front; the tower rises above it: a card, sliced at the steps or between.
    for (const std::vector<double>& at : {std::vector<double>{}, std::vector<double>{45, 30, 20, 10}}) {
        how.depthsMm = at;
        FreeformCard card{120, 100, MakeModelFlats(POPWRIGHT_EXAMPLES_DIR "/stepped-house.obj", how).made.flats, {}};
        PlaceFlats(card.flats, 70, 30, 0);
        EXPECT_TRUE(CheckFreeformCard(card, BuildFreeformSheet(card)).empty());
    }

    const ModelFlatsOutcome missing = MakeModelFlats("/nonexistent/house.obj", how);
    EXPECT_FALSE(missing.made.Made());
    EXPECT_EQ(missing.file, "/nonexistent/house.obj");
}

TEST(ModelFlatsFile, DepthListsReadBackAndBadOnesAreRefused) {
    std::mt19937 random(3);
    for (int round = 0; round < 50; ++round) {
        std::vector<double> written(1 + random() % 6), read;
        std::ostringstream text;
        text.precision(17);
        for (std::size_t k = 0; k < written.size(); ++k) text << (k ? ", " : "") << (written[k] = random() / 1e6);
        ASSERT_TRUE(ParseDepthList(text.str(), read) && read == written) << text.str();
    }
    std::vector<double> kept{7};
    for (const char* bad : {"", ",", "40,", "40,,10", "40 mm", "x", "1e999", "nan"})
        EXPECT_FALSE(ParseDepthList(bad, kept) || kept != std::vector<double>{7}) << bad;
}

}  // namespace
}  // namespace pw

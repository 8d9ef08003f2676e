#include <gtest/gtest.h>

#include <fstream>

#include "cli/FlatsFromImage.h"

namespace pw {
namespace {

TEST(FlatsFromImage, OptionsAreCheckedAndThePictureIsTracedOrRefused) {
    ImageFlatsOptions options;
    std::string error;
    EXPECT_FALSE(ReadImageFlatsOption("--depth", "3", options, error));
    for (const auto& [name, value] : {std::pair{"--threshold", "256"}, {"--levels", "1"}, {"--speckle", "x"}}) {
        error.clear();
        EXPECT_TRUE(ReadImageFlatsOption(name, value, options, error));
        EXPECT_FALSE(error.empty()) << name << " " << value;
    }
    error.clear();
    ASSERT_TRUE(ReadImageFlatsOption("--image", ::testing::TempDir() + "/ring.svg", options, error) && error.empty());
    std::ofstream(options.image) << "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='100'>"
                                    "<circle cx='50' cy='50' r='30' fill='none' stroke='black' stroke-width='20'/></svg>";
    const FlatsFromSource traced = ImageFlatsForCli(options, 25);
    ASSERT_TRUE(traced.Made()) << traced.error;
    ASSERT_EQ(traced.flats.size(), 1u);
    EXPECT_EQ(traced.flats[0].loops.size(), 2u);
    EXPECT_EQ(traced.flats[0].depth, 25);

    options.image += ".missing";
    const FlatsFromSource missing = ImageFlatsForCli(options, 25);
    EXPECT_FALSE(missing.error.empty());
    EXPECT_TRUE(missing.flats.empty());
}

}  // namespace
}  // namespace pw

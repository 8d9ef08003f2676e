// A drawing file is refused whole, without being read into memory, when it is
// too large; one that cannot be opened says so.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "document/DrawingFlats.h"
#include "import/SvgFlats.h"
#include "import/SvgFlatsMessages.h"

namespace pw {
namespace {

TEST(DrawingFlats, FilesTooLargeOrMissingAreRefusedWithAMessage) {
    const std::string huge = testing::TempDir() + "drawing-flats-huge.svg";
    std::ofstream(huge) << "<svg xmlns='http://www.w3.org/2000/svg'><rect width='5' height='5'/></svg>";
    EXPECT_TRUE(ReadDrawingFlats(huge, 10).Made());
    std::filesystem::resize_file(huge, kSvgMaxBytes + 1);  // sparse: no disk taken
    EXPECT_EQ(ReadDrawingFlats(huge, 10).error, msg::kSvgTooLarge);
    std::filesystem::remove(huge);
    EXPECT_EQ(ReadDrawingFlats(huge, 10).error, msg::kSvgUnreadable);
}

}  // namespace
}  // namespace pw

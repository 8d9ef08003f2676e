#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "output/SafeFileWriter.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

class SafeFileWriterTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return scratch_.Path(name); }
    static std::string Content(const std::string& path) { return test::ReadWholeFile(path); }
    std::size_t Entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator())); }

    test::ScratchFolder scratch_;
    fs::path dir_ = scratch_.Dir();
};

TEST_F(SafeFileWriterTest, WritesAndReplacesKeepingPermissions) {
    const std::string p = Path("out.bin");
    ASSERT_TRUE(WriteFileReplacing(p, std::string_view("first")));
    EXPECT_EQ(Content(p), "first");
    ASSERT_EQ(chmod(p.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileReplacing(p, std::string_view("second, longer")));
    EXPECT_EQ(Content(p), "second, longer");
    struct stat st {};
    ASSERT_EQ(stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(), 1u);  // no temporary file left
}

TEST_F(SafeFileWriterTest, WritesThroughASymbolicLink) {
    const std::string target = Path("real.txt"), link = Path("link.txt");
    ASSERT_TRUE(WriteFileReplacing(target, std::string_view("old")));
    fs::create_symlink(target, link);
    ASSERT_TRUE(WriteFileReplacing(link, std::string_view("new")));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Content(target), "new");
}

TEST_F(SafeFileWriterTest, FailuresLeaveEverythingAsItWas) {
    EXPECT_FALSE(WriteFileReplacing(Path("missing/out.bin"), std::string_view("x")));
    EXPECT_FALSE(WriteFileReplacing(Path(""), std::string_view("x")));  // the folder itself
    fs::create_directory(Path("sub"));
    std::ofstream(Path("sub/keep")) << "kept";
    EXPECT_FALSE(WriteFileReplacing(Path("sub"), std::string_view("x")));
    EXPECT_EQ(Content(Path("sub/keep")), "kept");
    EXPECT_EQ(Entries(), 1u);
    // A file where a folder should be.
    std::ofstream(Path("plain")) << "plain";
    EXPECT_FALSE(WriteFileReplacing(Path("plain/out.bin"), std::string_view("x")));
    EXPECT_EQ(Content(Path("plain")), "plain");
}

}  // namespace
}  // namespace pw

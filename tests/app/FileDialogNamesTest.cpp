// The extension the save dialogs add to a name typed without one.
#include <gtest/gtest.h>

#include "app/KirikoDoc.h"
#include "app/PatternExport.h"
#include "app/QtUserPrompts.h"

namespace pw {
namespace {

TEST(FileDialogNames, TheFiltersExtensionIsAddedToANameWithoutOne) {
    EXPECT_EQ(DefaultSuffixOf(CKirikoDoc::FileFilter()), "kpf");
    EXPECT_EQ(DefaultSuffixOf(QString::fromLatin1(kDxfFileFilter)), "dxf");
    EXPECT_EQ(DefaultSuffixOf("SVG File(*.svg)"), "svg");
    EXPECT_EQ(DefaultSuffixOf("All Files (*)"), "");
    EXPECT_EQ(DefaultSuffixOf("Pictures (*.png *.jpg)"), "");

    EXPECT_EQ(WithDefaultSuffix("/home/u/tree", "kpf"), "/home/u/tree.kpf");
    EXPECT_EQ(WithDefaultSuffix("/home/u/tree.", "kpf"), "/home/u/tree.kpf");
    EXPECT_EQ(WithDefaultSuffix("/home/u/tree.kpf", "kpf"), "/home/u/tree.kpf");
    EXPECT_EQ(WithDefaultSuffix("/home/u/my.card", "kpf"), "/home/u/my.card");  // has an extension of its own
    EXPECT_EQ(WithDefaultSuffix("/home/u.d/tree", "kpf"), "/home/u.d/tree.kpf");
    EXPECT_EQ(WithDefaultSuffix("/home/u/tree", ""), "/home/u/tree");
    EXPECT_EQ(WithDefaultSuffix("", "kpf"), "");
}

}  // namespace
}  // namespace pw

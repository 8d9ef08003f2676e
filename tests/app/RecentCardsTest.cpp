// The recent-card list in its store: newest first, each card once, at most
// four, and hand-edited or damaged entries read without surprises.
#include <gtest/gtest.h>

#include "app/RecentCards.h"
#include "app/SettingsStore.h"

namespace pw {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentCards, NewestFirstEachOnceAtMostFour) {
    RecentCards recent;
    for (const char* p : {"/c/a.kpf", "/c/b.kpf", "/c/a.kpf", "/c/c.kpf", "/c/d.kpf", "/c/e.kpf", ""}) recent.Add(p);
    EXPECT_EQ(recent.Paths(), (Paths{"/c/e.kpf", "/c/d.kpf", "/c/c.kpf", "/c/a.kpf"}));
    EXPECT_TRUE(recent.Remove("/c/c.kpf"));
    EXPECT_FALSE(recent.Remove("/c/b.kpf"));

    MemorySettingsStore store;
    recent.Save(store);
    EXPECT_EQ(store.GetText("Recent File List", "File1"), "/c/e.kpf");
    EXPECT_EQ(store.GetText("Recent File List", "File3"), "/c/a.kpf");
    EXPECT_TRUE(store.Has("Recent File List", "File4"));  // emptied, not left stale
    EXPECT_EQ(store.GetText("Recent File List", "File4"), "");
    RecentCards again;
    again.Load(store);
    EXPECT_EQ(again.Paths(), recent.Paths());
}

TEST(RecentCards, GapsAndRepeatsInTheStoreAreSkipped) {
    MemorySettingsStore store;
    store.SetText("Recent File List", "File1", "/x/one.kpf");
    store.SetText("Recent File List", "File3", "/x/one.kpf");
    store.SetText("Recent File List", "File4", "/x/four.kpf");
    store.SetText("Recent File List", "File5", "/x/five.kpf");  // beyond the list
    RecentCards recent;
    recent.Load(store);
    EXPECT_EQ(recent.Paths(), (Paths{"/x/one.kpf", "/x/four.kpf"}));
}

}  // namespace
}  // namespace pw

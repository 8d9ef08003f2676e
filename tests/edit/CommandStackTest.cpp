// Redo against undo: random sessions replayed without what was undone, exact
// bytes after Undo and Redo, what drops the redo steps, the step limit and
// the listeners.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "edit/CommandStack.h"
#include "edit/EditKeys.h"
#include "edit/EditOperations.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"

namespace pw {
namespace {

// One edit key with the cursor it was pressed at, so it can be replayed.
struct Edit {
    EditState state;
    int key;
};

struct Session {
    explicit Session(int W, int H) { card.NewCard(W, H); RunRebuildPass(card.grid); }
    void Apply(const Edit& e) {
        card.edit = e.state;
        keys.OnKeyDown(e.key);
        RunRebuildPass(card.grid);
    }
    EditedCard card;
    AppSettings settings;
    EditOperations ops{card, settings, nullptr};
    EditKeyHandler keys{card, ops};
};

bool SameBytes(const CellGrid& a, const CellGrid& b) {
    if (a.CellCount() != b.CellCount()) return false;
    for (std::size_t i = 0; i < a.CellCount(); ++i)
        if (a.Data()[i] != b.Data()[i]) return false;
    return true;
}

// Every mix of edits, undos and redos ends with the card that replaying only
// the edits that were not undone gives, byte for byte after the rebuild.
TEST(CommandStack, RandomSessionsEndAsTheEditsThatStayed) {
    std::mt19937 rng(2026);
    for (int round = 0; round < 40; ++round) {
        const int W = std::uniform_int_distribution<int>(8, 20)(rng);
        const int H = std::uniform_int_distribution<int>(6, 14)(rng);
        Session live(W, H);
        bool edited = false;
        live.card.history.AddListener([&](CardChange c) { edited = edited || c == CardChange::Edited; });
        std::vector<Edit> kept, undone;
        for (int i = 0; i < 300; ++i) {
            const int what = std::uniform_int_distribution<int>(0, 15)(rng);
            EditState& e = live.card.edit;
            if (what < 5) {
                const int moves[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN};
                live.keys.OnKeyDown(moves[what % 4]);
            } else if (what == 5) {
                e.editPlane = 1 - e.editPlane;
            } else if (what == 6) {
                e.mirrorMode = !e.mirrorMode;
            } else if (what == 7) {
                if (std::uniform_int_distribution<int>(0, 1)(rng)) live.keys.OnCursorLarger();
                else live.keys.OnCursorSmaller();
            } else if (what < 11) {
                const Edit edit{e, what == 10 ? KEY_Z : KEY_SPACE};
                edited = false;
                live.Apply(edit);
                // Only an edit that changed something is a step, and it drops the redo steps.
                if (edited) {
                    kept.push_back(edit);
                    undone.clear();
                }
                ASSERT_EQ(live.card.history.HasRedoSteps(), !undone.empty());
            } else if (what < 14) {
                if (!live.keys.CanEditUndo()) continue;
                live.keys.OnEditUndo();
                RunRebuildPass(live.card.grid);
                undone.push_back(kept.back());
                kept.pop_back();
            } else {
                ASSERT_EQ(live.keys.CanEditRedo(), !undone.empty());
                if (!live.keys.CanEditRedo()) continue;
                live.keys.OnEditRedo();
                RunRebuildPass(live.card.grid);
                kept.push_back(undone.back());
                undone.pop_back();
            }
        }
        ASSERT_EQ(live.card.history.RedoSize(), undone.size());
        ASSERT_EQ(CheckGridInvariants(live.card.grid), "");

        Session replay(W, H);
        for (const Edit& edit : kept) replay.Apply(edit);
        ASSERT_TRUE(SameBytes(live.card.grid, replay.card.grid)) << "round " << round;
    }
}

// Redo brings back every byte that Undo overwrote, also when a mirrored edit
// saved a line twice, and returns the step to the history.
TEST(CommandStack, RedoRestoresTheCardExactly) {
    Session s(12, 9);
    s.card.edit.mirrorMode = true;
    s.card.edit.cursorSize = 2;
    s.card.edit.cursor = {5, 1};  // columns 5 and 6 reflect onto 5 and 6 of W = 12: its own mirror
    s.Apply({s.card.edit, KEY_SPACE});
    s.card.edit.cursor = {4, 3};  // columns 4, 5 and their mirror 6, 7 overlap nothing; then a partial overlap
    s.card.edit.cursorSize = 2;
    s.Apply({s.card.edit, KEY_SPACE});
    s.card.edit.cursorSize = 4;
    s.card.edit.cursor = {3, 1};  // columns 3..6, mirror 5..8: lines of 5 and 6 saved twice
    s.Apply({s.card.edit, KEY_Z});
    ASSERT_EQ(s.card.history.Size(), 3u);

    const CellGrid afterEdits = s.card.grid;
    s.keys.OnEditUndo();
    RunRebuildPass(s.card.grid);
    const CellGrid afterUndo = s.card.grid;
    s.keys.OnEditRedo();
    EXPECT_TRUE(s.card.grid.gridChanged);
    RunRebuildPass(s.card.grid);
    EXPECT_TRUE(SameBytes(s.card.grid, afterEdits));
    EXPECT_EQ(s.card.history.Size(), 3u);
    EXPECT_FALSE(s.card.history.HasRedoSteps());
    // The step came back whole: undoing it again gives the same card.
    s.keys.OnEditUndo();
    RunRebuildPass(s.card.grid);
    EXPECT_TRUE(SameBytes(s.card.grid, afterUndo));
}

TEST(CommandStack, NewEditsAndReplacedCardsDropTheRedoSteps) {
    Session s(12, 9);
    s.Apply({s.card.edit, KEY_SPACE});
    s.Apply({s.card.edit, KEY_SPACE});
    s.keys.OnEditUndo();
    ASSERT_TRUE(s.keys.CanEditRedo());
    s.Apply({s.card.edit, KEY_RIGHT});  // a move is no edit
    EXPECT_TRUE(s.keys.CanEditRedo());
    s.Apply({s.card.edit, KEY_SPACE});
    EXPECT_FALSE(s.keys.CanEditRedo());

    s.keys.OnEditUndo();
    s.card.NewCard(12, 9);
    EXPECT_FALSE(s.keys.CanEditRedo());
    EXPECT_FALSE(s.keys.CanEditUndo());

    s.Apply({s.card.edit, KEY_SPACE});
    s.keys.OnEditUndo();
    CellGrid read;
    read.NewCard(10, 6);
    s.card.AdoptReadCard(std::move(read));
    EXPECT_FALSE(s.keys.CanEditRedo());
}

// Undo and Redo move steps between the two sides; the history never holds
// more than 100, and the oldest step stays lost.
TEST(CommandStack, TheStepLimitHolds) {
    Session s(14, 40);
    for (int i = 0; i < 104; ++i) {
        s.card.edit.cursor = {1 + i % 12, 1 + i / 12};
        s.Apply({s.card.edit, KEY_SPACE});
    }
    ASSERT_EQ(s.card.history.Size(), 100u);
    for (int i = 0; i < 30; ++i) s.keys.OnEditUndo();
    for (int i = 0; i < 30; ++i) s.keys.OnEditRedo();
    EXPECT_EQ(s.card.history.Size(), 100u);
    EXPECT_FALSE(s.keys.CanEditRedo());
    for (int i = 0; i < 100; ++i) s.keys.OnEditUndo();
    EXPECT_EQ(s.card.history.RedoSize(), 100u);
    EXPECT_FALSE(s.keys.CanEditUndo());
    RunRebuildPass(s.card.grid);
    // The first four edits were trimmed away, so they are still there.
    for (int i = 0; i < 4; ++i) EXPECT_GT(s.card.grid.HeightAt(1 + i, 1), 0) << i;
    EXPECT_EQ(s.card.grid.HeightAt(5, 1), 0);
}

TEST(CommandStack, ListenersHearEveryChange) {
    Session s(12, 9);
    std::vector<CardChange> heard;
    const int id = s.card.history.AddListener([&](CardChange c) { heard.push_back(c); });
    s.Apply({s.card.edit, KEY_SPACE});
    s.Apply({s.card.edit, KEY_UP});  // a move: nothing heard
    s.keys.OnEditUndo();
    s.keys.OnEditRedo();
    s.keys.OnEditRedo();  // nothing left to redo
    s.card.NewCard(12, 9);
    EXPECT_EQ(heard, (std::vector<CardChange>{CardChange::Edited, CardChange::Undone, CardChange::Redone,
                                             CardChange::Replaced}));
    s.card.history.RemoveListener(id);
    s.Apply({s.card.edit, KEY_SPACE});
    EXPECT_EQ(heard.size(), 4u);
}

}  // namespace
}  // namespace pw

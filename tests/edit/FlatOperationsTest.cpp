// The free-form card's flat list edits and their undo steps: random
// sessions undone and redone to the same file bytes, and each edit's rule
// on random cards.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "edit/CommandStack.h"
#include "edit/FlatOperations.h"
#include "model/freeform/FreeformFile.h"
#include "model/freeform/PathBounds.h"
#include "model/freeform/FreeformTestCards.h"

namespace pw {
namespace {

FreeformCard RandomCard(std::mt19937& rng) {
    std::vector<FreeformFlat> flats;
    for (int n = std::uniform_int_distribution<int>(1, 5)(rng); n > 0; --n) {
        const int x = std::uniform_int_distribution<int>(0, 140)(rng), w = std::uniform_int_distribution<int>(1, 20)(rng);
        flats.push_back(test::Flat(std::uniform_int_distribution<int>(5, 95)(rng),
                                   "M " + std::to_string(x) + " 0 h " + std::to_string(w) + " v 30 h -" + std::to_string(w) + " Z",
                                   n % 2 ? "F" + std::to_string(n) : ""));
    }
    return test::Card(flats);
}

// One random edit of the list, with indexes that may miss it; whether it changed the card.
bool RandomEdit(FreeformCard& card, std::mt19937& rng) {
    const int n = static_cast<int>(card.flats.size());
    auto index = [&] { return std::uniform_int_distribution<int>(-1, n)(rng); };
    auto coin = [&] { return std::bernoulli_distribution(0.5)(rng); };
    switch (std::uniform_int_distribution<int>(0, 7)(rng)) {
        case 0: return AddFlat(card, test::Flat(30, "M 10 0 H 20 V 10 H 10 Z")) >= 0;
        case 1: return DeleteFlat(card, index());
        case 2: return DuplicateFlat(card, index());
        case 3: return RenameFlat(card, index(), coin() ? "" : "Tower");
        case 4: return SetFlatDepth(card, index(), std::uniform_real_distribution<double>(-10, 120)(rng));
        case 5: return MoveFlatInOrder(card, index(), index());
        case 6: return SetFlatHidden(card, index(), coin());
        default: return SetFlatLocked(card, index(), coin());
    }
}

// Undo all the way back and Redo all the way forward pass through the file
// bytes every edit made, in order; an edit that changed nothing is no step.
TEST(FreeformUndo, RandomSessionsUndoAndRedoThroughTheSameFileBytes) {
    std::mt19937 rng(24);
    for (int round = 0; round < 30; ++round) {
        CommandStack stack;
        FreeformCard card = RandomCard(rng);
        std::vector<std::string> seen{WriteFreeformCard(card)};
        for (int k = 0; k < 60; ++k) {
            FreeformCard before = card;
            // As the document does: no step where the bytes stayed (two equal flats swapped).
            const bool changed = RandomEdit(card, rng);
            if (!changed) {
                EXPECT_EQ(WriteFreeformCard(card), seen.back());
            }
            if (WriteFreeformCard(card) == seen.back()) continue;
            stack.PushFreeformStep(std::move(before));
            seen.push_back(WriteFreeformCard(card));
        }
        ASSERT_EQ(stack.Size(), seen.size() - 1);
        for (std::size_t k = seen.size() - 1; k > 0; --k) {
            ASSERT_TRUE(stack.UndoFreeformStep(card));
            ASSERT_EQ(WriteFreeformCard(card), seen[k - 1]) << "round " << round << ", undo to " << k - 1;
        }
        EXPECT_FALSE(stack.UndoFreeformStep(card));
        for (std::size_t k = 1; k < seen.size(); ++k) {
            ASSERT_TRUE(stack.RedoFreeformStep(card));
            ASSERT_EQ(WriteFreeformCard(card), seen[k]) << "round " << round << ", redo to " << k;
        }
        EXPECT_FALSE(stack.RedoFreeformStep(card));
        // A new edit after an undo drops what could have been redone.
        if (stack.UndoFreeformStep(card)) {
            stack.PushFreeformStep(card);
            EXPECT_FALSE(stack.HasRedoSteps());
        }
    }
}

TEST(FlatOperations, EachEditKeepsItsRuleOnRandomCards) {
    std::mt19937 rng(2412);
    for (int round = 0; round < 200; ++round) {
        const FreeformCard card = RandomCard(rng);
        const int n = static_cast<int>(card.flats.size());
        const int from = std::uniform_int_distribution<int>(0, n - 1)(rng), to = std::uniform_int_distribution<int>(0, n - 1)(rng);

        // Reordering moves one flat and keeps the others' order.
        FreeformCard moved = card;
        EXPECT_EQ(MoveFlatInOrder(moved, from, to), from != to);
        EXPECT_EQ(WriteFreeformCard({0, 0, {moved.flats[static_cast<std::size_t>(to)]}, {}}),
                  WriteFreeformCard({0, 0, {card.flats[static_cast<std::size_t>(from)]}, {}}));
        FreeformCard rest = card, movedRest = moved;
        DeleteFlat(rest, from);
        DeleteFlat(movedRest, to);
        EXPECT_EQ(WriteFreeformCard(rest), WriteFreeformCard(movedRest));

        // A copy follows its flat, seen beside it on the sheet, and named after it.
        FreeformCard doubled = card;
        ASSERT_TRUE(DuplicateFlat(doubled, from));
        const FreeformFlat &flat = card.flats[static_cast<std::size_t>(from)], &copy = doubled.flats[static_cast<std::size_t>(from) + 1];
        EXPECT_EQ(copy.name, FlatLabel(card, from) + " copy");
        EXPECT_EQ(copy.depth, flat.depth);
        const PathBox a = BoundsOf(flat.loops[0]), b = BoundsOf(copy.loops[0]);
        EXPECT_DOUBLE_EQ(std::fabs(b.x0 - a.x0), kDuplicateOffsetMm);
        EXPECT_TRUE(b.x0 >= 0 && b.x1 <= card.width && b.s0 == a.s0 && b.s1 == a.s1);
        EXPECT_EQ(CheckFreeformOutlines(doubled).find("lies outside"), std::string::npos);

        // A depth stays on the sheet, whatever is asked.
        FreeformCard deep = card;
        SetFlatDepth(deep, from, std::uniform_real_distribution<double>(-50, 250)(rng));
        const double d = deep.flats[static_cast<std::size_t>(from)].depth;
        EXPECT_TRUE(d >= kLeastFlatDepthMm && d <= card.half) << d;

        // An index off the list changes nothing.
        FreeformCard same = card;
        EXPECT_FALSE(DeleteFlat(same, n) || DuplicateFlat(same, -1) || RenameFlat(same, n, "x") || SetFlatDepth(same, -1, 5) ||
                     MoveFlatInOrder(same, 0, n) || SetFlatHidden(same, n, true) || SetFlatLocked(same, -1, true));
        EXPECT_EQ(WriteFreeformCard(same), WriteFreeformCard(card));
    }
}

}  // namespace
}  // namespace pw

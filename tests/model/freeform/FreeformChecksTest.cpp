// Each reason a free-form card cannot be paper, on a small card made for it,
// and the closing check in millimetres.
#include <gtest/gtest.h>

#include "FreeformTestCards.h"
#include "model/freeform/FoldMap.h"
#include "model/freeform/FreeformChecks.h"

namespace pw::test {
namespace {

std::vector<std::string> Problems(const FreeformCard& card) {
    std::vector<std::string> texts;
    for (const FlatProblem& p : CheckFreeformCard(card, BuildFreeformSheet(card))) texts.push_back(FlatProblemText(card, p));
    return texts;
}

const char* kBox = "M 20 0 H 70 V 50 H 20 Z";

TEST(FreeformChecks, EachRefusalNamesTheFlatAndItsReason) {
    using V = std::vector<std::string>;
    // Hangs from its roof with nothing below: it flops.
    EXPECT_EQ(Problems(Card({Flat(30, "M 20 20 H 70 V 40 H 20 Z", "Sign")})), V{"Sign floats with nothing to stand on"});
    // A gable has no run to hang a roof from; nor has a box whose roof is switched off.
    EXPECT_EQ(Problems(Card({Flat(40, "M 20 0 H 70 L 45 40 Z")})), V{"flat 1 has no horizontal run along its top to hang a roof from"});
    FreeformFlat roofless = Flat(40, kBox, "Shed");
    roofless.roofless.push_back({45, 50});
    EXPECT_EQ(Problems(Card({roofless})), V{"Shed has no horizontal run along its top to hang a roof from"});
    // Higher and in front, standing on the top of the flat behind.
    const V overhang = Problems(Card({Flat(30, "M 20 0 H 70 V 20 H 20 Z", "Low"), Flat(60, "M 20 20 H 70 V 40 H 20 Z", "High")}));
    EXPECT_NE(std::find(overhang.begin(), overhang.end(), "High overhangs Low below it"), overhang.end());
    EXPECT_EQ(std::find(overhang.begin(), overhang.end(), "High floats with nothing to stand on"), overhang.end());
    // A flat as tall as the one in front of it, whose roof passes over it: their paper is the same.
    EXPECT_EQ(Problems(Card({Flat(40, kBox, "Front"), Flat(30, kBox, "Rear")})), V{"the paper of Front and Rear overlaps on the sheet"});
}

TEST(FreeformChecks, PiecesPassingThroughEachOtherCross) {
    // An upright piece at depth 40 from the floor to 50 high, and a level one
    // at height 20 from the back to 50 deep: they meet along y = 40, z = 20.
    FreeformSheet built;
    SheetPiece upright{PiecePlane::Vertical, 40, {SheetPath({20, -10}).LineTo({70, -10}).LineTo({70, 40}).LineTo({20, 40}).Close()}};
    SheetPiece level{PiecePlane::Horizontal, 20, {SheetPath({20, -20}).LineTo({70, -20}).LineTo({70, 30}).LineTo({20, 30}).Close()}};
    built.sheet.pieces = {upright, level};
    built.pieces = {{FreeformPieceRole::Face, 0, true, true}, {FreeformPieceRole::Roof, 1, false, false}};
    const FreeformCard card = Card({Flat(40, kBox, "Wall"), Flat(50, kBox, "Shelf")});
    const std::vector<FlatProblem> problems = CheckFreeformCard(card, built);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(FlatProblemText(card, problems[0]), "Wall and Shelf cross in the opened card");
    EXPECT_EQ(problems[0].pieces, (std::vector<int>{0, 1}));
}

TEST(FreeformChecks, ClosingSaysHowFarWhichFlatsStickOut) {
    auto line = [](const FreeformCard& card) { return FreeformClosingInfoLine(card, CheckFreeformClosing(card, BuildFreeformSheet(card))); };
    EXPECT_EQ(line(Card({Flat(40, kBox)})), "closes inside: yes");
    // The roof's front corner of a 50 mm flat at depth 60: y + z = 110.
    EXPECT_EQ(line(Card({Flat(60, kBox, "Tall")})), "closes inside: no, sticks out by 10.00 mm (flat Tall)");
    // A dome's highest point, not its chords: 55 + 45 + 5.2 reaches 105.2.
    EXPECT_EQ(line(Card({Flat(30, "M 20 0 H 70 V 10 H 20 Z"), Flat(55, "M 40 0 H 50.4 V 45 A 5.2 5.2 0 0 1 40 45 Z"),
                         Flat(20, "M 100 0 H 120 V 83 H 100 Z")})),
              "closes inside: no, sticks out by 5.20 mm (flats 2, 3)");
}

TEST(FreeformChecks, FoldMapIsThePatternLaidFlatAndTheCoverClosed) {
    const CardPoint p{7, 30, 20};
    const CardPoint flat = FoldPoint(p, M_PI), closed = FoldPoint(p, 0), open = FoldPoint(p, M_PI / 2);
    EXPECT_NEAR(flat.y, 10, 1e-12);  // s = y - z
    EXPECT_NEAR(flat.z, 0, 1e-12);
    EXPECT_NEAR(closed.y, 50, 1e-12);  // y + z
    EXPECT_NEAR(open.y, 30, 1e-12);
    EXPECT_NEAR(open.z, 20, 1e-12);
}

}  // namespace
}  // namespace pw::test

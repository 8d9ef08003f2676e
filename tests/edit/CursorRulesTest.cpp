#include <gtest/gtest.h>

#include "edit/CursorRules.h"

namespace pw {
namespace {

// A card of 16 by 8: W = 18, H = 9, columns 1..16, rows 1..7.
constexpr int W = 18, H = 9;

EditState At(int column, int row, int size = 1) {
    EditState e;
    e.cursor = {column, row};
    e.cursorSize = size;
    return e;
}

TEST(CursorRules, MovesStopAtTheCardEdges) {
    EditState e = At(16, 1);
    MoveColumnForward(e, W);
    EXPECT_EQ(e.cursor.column, 16);
    e = At(1, 1);
    MoveColumnBack(e);
    EXPECT_EQ(e.cursor.column, 1);
    MoveRowBack(e);
    EXPECT_EQ(e.cursor.row, 1);
    e = At(1, 6);
    MoveRowForward(e, H);
    EXPECT_EQ(e.cursor.row, 7);
    MoveRowForward(e, H);
    EXPECT_EQ(e.cursor.row, 7);
    // Moves go by a whole cursor size.
    e = At(5, 1, 4);
    MoveColumnForward(e, W);
    EXPECT_EQ(e.cursor.column, 9);
    MoveColumnForward(e, W);
    MoveColumnForward(e, W);
    EXPECT_EQ(e.cursor.column, 13);  // 13 + 4 = 17 is the last allowed end
    MoveRowForward(e, H);
    EXPECT_EQ(e.cursor.row, 1);  // 5 + 4 > 8
}

TEST(CursorRules, DoublingSnapsTheCornerInsideTheCard) {
    EditState e = At(16, 4);
    ASSERT_TRUE(CanDoubleCursor(e, W, H));
    DoubleCursor(e, W, H);
    EXPECT_EQ(e.cursorSize, 2);
    EXPECT_EQ(e.cursor.column, 15);
    EXPECT_EQ(e.cursor.row, 5);

    e = At(3, 3, 2);
    DoubleCursor(e, W, H);
    EXPECT_EQ(e.cursorSize, 4);
    EXPECT_EQ(e.cursor.column, 1);
    EXPECT_EQ(e.cursor.row, 1);

    e = At(2, 1);
    DoubleCursor(e, W, H);
    EXPECT_EQ(e.cursor.column, 3);  // an even column moves right by one
}

TEST(CursorRules, EnablingOfSmallerAndLarger) {
    EXPECT_FALSE(CanHalveCursor(At(1, 1, 1)));
    EXPECT_TRUE(CanHalveCursor(At(1, 1, 2)));
    EXPECT_TRUE(CanDoubleCursor(At(1, 1, 1), W, H));
    EXPECT_TRUE(CanDoubleCursor(At(1, 1, 2), W, H));
    EXPECT_FALSE(CanDoubleCursor(At(1, 1, 4), W, H));  // 8 > H - 2 = 7
    EXPECT_FALSE(CanDoubleCursor(At(1, 1, 8), 82, 41));
    EXPECT_TRUE(CanDoubleCursor(At(1, 1, 4), 82, 41));
    // A narrow card from a file: the width limits doubling too.
    EXPECT_FALSE(CanDoubleCursor(At(1, 1, 2), 5, 41));
    EditState e = At(1, 1, 2);
    DoubleCursor(e, 5, 41);
    EXPECT_EQ(e.cursorSize, 2);
    HalveCursor(e);
    HalveCursor(e);
    EXPECT_EQ(e.cursorSize, 1);
}

TEST(CursorRules, EverySequenceKeepsTheSquareInsideTheCard) {
    const int sizes[][2] = {{18, 9}, {12, 41}, {82, 41}, {5, 6}, {3, 3}};
    unsigned seed = 7;
    for (auto [w, h] : sizes) {
        EditState e;
        for (int step = 0; step < 2000; ++step) {
            seed = seed * 1103515245u + 12345u;
            switch ((seed >> 16) % 6) {
                case 0: MoveColumnBack(e); break;
                case 1: MoveColumnForward(e, w); break;
                case 2: MoveRowBack(e); break;
                case 3: MoveRowForward(e, h); break;
                case 4: DoubleCursor(e, w, h); break;
                case 5: HalveCursor(e); break;
            }
            const int s = e.cursorSize;
            ASSERT_GE(e.cursor.column, 1);
            ASSERT_LE(e.cursor.column + s, w - 1);
            ASSERT_GE(e.cursor.row, 1);
            ASSERT_LE(e.cursor.row + s, h - 1);
            ASSERT_EQ((e.cursor.column - 1) % s, 0);
            ASSERT_EQ((e.cursor.row - 1) % s, 0);
        }
    }
}

TEST(CursorRules, PlacingSnapsToTheSizeAndStaysInsideTheCard) {
    // W = 18, H = 9: card columns 1 .. 16, rows 1 .. 7.
    const struct {
        int size, x, r, column, row;
    } cases[] = {
        {1, 7, 3, 7, 3},    {2, 7, 3, 7, 3},  {2, 8, 4, 7, 3},    {4, 8, 4, 5, 1},
        {2, 16, 7, 15, 5},  // the last cells: the last squares that fit
        {1, 17, 8, 16, 7},  // beyond the card: its last square
        {4, 16, 2, 13, 1},  {4, 0, 0, 1, 1},
    };
    for (const auto& c : cases) {
        EditState e = At(3, 3, c.size);
        PlaceCursor(e, 18, 9, c.x, c.r);
        EXPECT_EQ(e.cursor.column, c.column) << c.size << " " << c.x;
        EXPECT_EQ(e.cursor.row, c.row) << c.size << " " << c.r;
        EXPECT_EQ(e.cursorSize, c.size);
    }
}

TEST(CursorRules, FitToASmallerCard) {
    EditState e = At(9, 1, 8);
    FitCursorToCard(e, 18, 6);  // H - 2 = 4
    EXPECT_EQ(e.cursorSize, 4);
    EXPECT_EQ(e.cursor.column, 1);
    e = At(9, 1, 8);
    FitCursorToCard(e, 82, 41);
    EXPECT_EQ(e.cursorSize, 8);
    EXPECT_EQ(e.cursor.column, 9);
}

}  // namespace
}  // namespace pw

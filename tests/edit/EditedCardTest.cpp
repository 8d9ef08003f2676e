#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "edit/EditedCard.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

class EditedCardTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) { return scratch_.Write(name, text); }

    test::ScratchFolder scratch_;
    fs::path dir_ = scratch_.Dir();
};

TEST_F(EditedCardTest, NewCardClearsHistoryAndBringsTheCursorInside) {
    EditedCard m;
    m.NewCard(42, 41);
    m.edit.cursorSize = 8;
    m.edit.cursor = {9, 17};
    UndoStep step;
    step.lines.push_back(SaveLine(m.grid, 1, 1));
    m.history.PushStep(step);
    m.NewCard(18, 6);  // card height 5: a cursor of 8 no longer fits
    EXPECT_FALSE(m.history.HasUndoSteps());
    EXPECT_EQ(m.edit.cursorSize, 4);
    EXPECT_EQ(m.edit.cursor.column, 1);
    EXPECT_EQ(m.edit.cursor.row, 1);
    // A size that still fits is kept, and so is the position.
    m.edit.cursor = {5, 1};
    m.NewCard(18, 9);
    EXPECT_EQ(m.edit.cursorSize, 4);
    EXPECT_EQ(m.edit.cursor.column, 5);
}

TEST_F(EditedCardTest, SuccessfulReadResetsHistoryAndCursor) {
    EditedCard m;
    m.NewCard(42, 20);
    m.edit.cursorSize = 4;
    m.edit.cursor = {29, 9};
    UndoStep step;
    step.lines.push_back(SaveLine(m.grid, 1, 1));
    m.history.PushStep(step);
    RunRebuildPass(m.grid);
    ASSERT_TRUE(ReadCard(Write("d.kpf", "w 10 h 4"), m));
    EXPECT_FALSE(m.history.HasUndoSteps());
    EXPECT_EQ(m.edit.cursorSize, 1);
    EXPECT_EQ(m.edit.cursor.column, 1);
    EXPECT_EQ(m.edit.cursor.row, 1);
    EXPECT_TRUE(m.grid.gridChanged);
    EXPECT_TRUE(m.grid.cursorResetPending);
}

// A failed read keeps the card, its history and the cursor as they were.
TEST_F(EditedCardTest, FailedReadKeepsHistoryAndCursor) {
    for (const char* text : {"w 3 h", "v 7 w 3 h 4", "w 3 h 4 5 1 e", "w 3 h 4 e e e 3 0"}) {
        EditedCard m;
        m.NewCard(14, 9);
        test::AddBox(m.grid, 2, 2, 3);
        m.edit.cursorSize = 2;
        m.edit.cursor = {5, 3};
        UndoStep step;
        step.lines.push_back(SaveLine(m.grid, 2, 1));
        m.history.PushStep(step);
        const CellGrid before = m.grid;

        EXPECT_FALSE(ReadCard(Write("bad.kpf", text), m)) << text;
        EXPECT_TRUE(m.grid.SameShape(before)) << text;
        EXPECT_EQ(m.history.Size(), 1u) << text;
        EXPECT_EQ(m.edit.cursorSize, 2);
        EXPECT_EQ(m.edit.cursor.column, 5);
    }
}

}  // namespace
}  // namespace pw

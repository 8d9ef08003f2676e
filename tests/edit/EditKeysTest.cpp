#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "edit/EditKeys.h"
#include "edit/EditOperations.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"
#include "support/RecordingSound.h"

namespace pw {
namespace {

constexpr int KEY_SHIFT = 16;
constexpr int KEY_F5 = 116;

// A 16 by 8 card: W = 18, H = 9.
class EditKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.NewCard(18, 9);
        RunRebuildPass(model.grid);
    }

    // Presses a key as the view does: down, then the repaint's rebuild pass.
    bool Press(int key) {
        const bool repaint = keys.OnKeyDown(key);
        if (repaint) RunRebuildPass(model.grid);
        return repaint;
    }

    const EditCursor& Cursor() const { return model.edit.cursor; }

    EditedCard model;
    AppSettings settings;
    test::RecordingSound sound;
    EditOperations ops{model, settings, &sound};
    EditKeyHandler keys{model, ops};
};

TEST_F(EditKeysTest, UpAndDownSwapRolesWithThePlane) {
    EXPECT_TRUE(Press(KEY_UP));  // toward the back sheet: already there
    EXPECT_EQ(Cursor().row, 1);
    for (int i = 0; i < 5; ++i) Press(KEY_DOWN);
    EXPECT_EQ(Cursor().row, 6);
    Press(KEY_DOWN);
    EXPECT_EQ(Cursor().row, 7);
    Press(KEY_DOWN);
    EXPECT_EQ(Cursor().row, 7);

    keys.OnEditVertical();
    Press(KEY_UP);  // the row is kept and is now a height; 7 is the top
    EXPECT_EQ(Cursor().row, 7);
    Press(KEY_DOWN);
    EXPECT_EQ(Cursor().row, 6);
    for (int i = 0; i < 8; ++i) Press(KEY_DOWN);
    EXPECT_EQ(Cursor().row, 1);
    Press(KEY_UP);
    EXPECT_EQ(Cursor().row, 2);

    Press(KEY_LEFT);
    EXPECT_EQ(Cursor().column, 1);
    for (int i = 0; i < 20; ++i) Press(KEY_RIGHT);
    EXPECT_EQ(Cursor().column, 16);
    EXPECT_FALSE(model.history.HasUndoSteps());
}

TEST_F(EditKeysTest, CtrlSpaceTogglesThePlaneWithoutEditing) {
    EXPECT_FALSE(keys.OnKeyDown(KEY_CTRL));  // Ctrl alone does not repaint
    EXPECT_TRUE(keys.ctrlHeld);
    Press(KEY_SPACE);
    EXPECT_EQ(model.edit.editPlane, 1);
    Press(KEY_SPACE);
    EXPECT_EQ(model.edit.editPlane, 0);
    Press(KEY_SPACE);
    EXPECT_EQ(model.edit.editPlane, 1);
    EXPECT_FALSE(model.history.HasUndoSteps());
    EXPECT_TRUE(sound.played.empty());

    keys.OnKeyUp(KEY_CTRL);
    EXPECT_FALSE(keys.ctrlHeld);
    keys.OnEditHorizontal();
    Press(KEY_SPACE);
    EXPECT_EQ(model.edit.editPlane, 0);
    EXPECT_EQ(model.history.Size(), 1u);
    EXPECT_EQ(model.grid.HeightAt(1, 1), 1);
}

TEST_F(EditKeysTest, SpaceAndZFollowThePlane) {
    Press(KEY_DOWN);
    Press(KEY_SPACE);
    Press(KEY_SPACE);
    EXPECT_EQ(model.grid.HeightAt(1, 2), 2);
    // Shift reaches the handler first, then Z: it lowers all the same.
    EXPECT_TRUE(Press(KEY_SHIFT));
    Press(KEY_Z);
    EXPECT_EQ(model.grid.HeightAt(1, 2), 1);
    EXPECT_EQ(sound.played.back(), EditSound::Lower);
    EXPECT_EQ(model.history.Size(), 3u);

    EXPECT_EQ(keys.LastRefusal(), EditRefusal::None);

    keys.OnEditVertical();
    EXPECT_TRUE(Press(KEY_Z));  // repaints, changes nothing, and says why
    EXPECT_EQ(keys.LastRefusal(), EditRefusal::LowerNeedsTopSurfaces);
    EXPECT_EQ(model.history.Size(), 3u);
    EXPECT_EQ(model.grid.HeightAt(1, 2), 1);
    Press(KEY_LEFT);  // a key that edits nothing clears the reason
    EXPECT_EQ(keys.LastRefusal(), EditRefusal::None);

    // Row 2 is now a height: the step at depth 1 protrudes there and is
    // pushed back, then height 1, then nothing is left to push or pull.
    Press(KEY_SPACE);
    EXPECT_EQ(model.history.Size(), 4u);
    EXPECT_EQ(sound.played.back(), EditSound::PushBack);
    Press(KEY_DOWN);
    Press(KEY_SPACE);
    EXPECT_EQ(model.history.Size(), 5u);
    Press(KEY_SPACE);
    EXPECT_EQ(model.history.Size(), 5u);
    EXPECT_EQ(keys.LastRefusal(), EditRefusal::NothingToPullOut);
    EXPECT_EQ(sound.played.size(), 5u);
    EXPECT_EQ(CheckGridInvariants(model.grid), "");
}

TEST_F(EditKeysTest, APlacedCursorTakesThePlaneAndKeepsItsPlace) {
    model.edit.cursorSize = 2;
    model.grid.cursorResetPending = true;  // as after reading a card with the cursor hidden
    keys.OnPlaceCursor(1, 8, 4);
    EXPECT_EQ(model.edit.editPlane, 1);
    EXPECT_EQ(Cursor().column, 7);
    EXPECT_EQ(Cursor().row, 3);
    EXPECT_FALSE(model.grid.cursorResetPending);
    Press(KEY_UP);  // the front surfaces: up is higher
    EXPECT_EQ(Cursor().row, 5);
    keys.OnPlaceCursor(0, 1, 1);
    EXPECT_EQ(model.edit.editPlane, 0);
}

TEST_F(EditKeysTest, UnhandledKeysStillRepaint) {
    const CellGrid before = model.grid;
    EXPECT_TRUE(keys.OnKeyDown(KEY_F5));
    EXPECT_TRUE(keys.OnKeyDown('A'));
    EXPECT_TRUE(model.grid.SameShape(before));
    EXPECT_EQ(Cursor().column, 1);
    EXPECT_EQ(Cursor().row, 1);
    EXPECT_FALSE(model.history.HasUndoSteps());
}

TEST_F(EditKeysTest, HeldKeyRepeatsOneStepPerRepeat) {
    for (int i = 0; i < 4; ++i) Press(KEY_SPACE);
    EXPECT_EQ(model.history.Size(), 4u);
    EXPECT_EQ(model.grid.HeightAt(1, 1), 4);
    EXPECT_EQ(sound.played.size(), 4u);
    for (int i = 0; i < 3; ++i) Press(KEY_Z);
    EXPECT_EQ(model.history.Size(), 7u);
    EXPECT_EQ(model.grid.HeightAt(1, 1), 1);
    EXPECT_EQ(CheckGridInvariants(model.grid), "");
    EXPECT_EQ(CheckFacesFresh(model.grid), "");
}

TEST_F(EditKeysTest, CursorSizeCommandsFollowTheirEnabling) {
    EXPECT_FALSE(keys.CanCursorSmaller());
    keys.OnCursorSmaller();
    EXPECT_EQ(model.edit.cursorSize, 1);
    ASSERT_TRUE(keys.CanCursorLarger());
    keys.OnCursorLarger();
    keys.OnCursorLarger();
    EXPECT_EQ(model.edit.cursorSize, 4);
    // 8 does not fit under H - 2 = 7.
    EXPECT_FALSE(keys.CanCursorLarger());
    keys.OnCursorLarger();
    EXPECT_EQ(model.edit.cursorSize, 4);
    EXPECT_TRUE(keys.CanCursorSmaller());
    keys.OnCursorSmaller();
    EXPECT_EQ(model.edit.cursorSize, 2);

    // Larger snaps the corner (the cursor rules' own example).
    keys.OnCursorSmaller();
    for (int i = 0; i < 15; ++i) Press(KEY_RIGHT);
    for (int i = 0; i < 3; ++i) Press(KEY_DOWN);
    keys.OnCursorLarger();
    EXPECT_EQ(Cursor().column, 15);
    EXPECT_EQ(Cursor().row, 5);
}

TEST_F(EditKeysTest, UndoIsEnabledOnlyWithHistory) {
    const CellGrid flat = model.grid;
    EXPECT_FALSE(keys.CanEditUndo());
    keys.OnEditUndo();
    EXPECT_TRUE(model.grid.SameShape(flat));

    Press(KEY_SPACE);
    EXPECT_TRUE(keys.CanEditUndo());
    keys.OnEditUndo();
    RunRebuildPass(model.grid);
    EXPECT_TRUE(model.grid.SameShape(flat));
    EXPECT_FALSE(keys.CanEditUndo());
    EXPECT_EQ(sound.played.size(), 1u);  // Undo plays nothing
}

TEST_F(EditKeysTest, SwitchCommandsToggle) {
    keys.OnMirrorMode();
    EXPECT_TRUE(model.edit.mirrorMode);
    Press(KEY_SPACE);
    EXPECT_EQ(model.grid.HeightAt(16, 1), 1);
    keys.OnMirrorMode();
    EXPECT_FALSE(model.edit.mirrorMode);

    keys.OnHideCursor();
    EXPECT_FALSE(model.edit.cursorVisible);
    keys.OnHideCursor();
    EXPECT_TRUE(model.edit.cursorVisible);

    model.grid.gridChanged = false;
    keys.OnCheckInvalidFigure();
    EXPECT_TRUE(model.edit.checkInvalidFigure);
    EXPECT_TRUE(model.grid.gridChanged);
    keys.OnCheckInvalidFigure();
    EXPECT_FALSE(model.edit.checkInvalidFigure);

    keys.OnEditVertical();
    EXPECT_EQ(model.edit.editPlane, 1);
    keys.OnEditVertical();
    EXPECT_EQ(model.edit.editPlane, 1);
    keys.OnEditHorizontal();
    EXPECT_EQ(model.edit.editPlane, 0);
}

}  // namespace
}  // namespace pw

namespace pw {
namespace {

// Random sessions on several card sizes: every key keeps the card's shape
// and fresh faces after the rebuild, and undoing every step gives back the
// flat card.
TEST(EditKeysSession, RandomKeysKeepTheShapeAndUndoToFlat) {
    const int keysOf[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_SPACE, KEY_SPACE, KEY_Z, KEY_Z};
    std::mt19937 rng(3);
    for (const auto& [W, H] : {std::pair{12, 9}, std::pair{13, 6}, std::pair{18, 9}, std::pair{22, 21}}) {
        EditedCard model;
        model.NewCard(W, H);
        RunRebuildPass(model.grid);
        const CellGrid flat = model.grid;
        AppSettings settings;
        EditOperations ops(model, settings, nullptr);
        EditKeyHandler keys(model, ops);
        for (int i = 0; i < 400 && model.history.Size() < UndoHistory::kMaxSteps; ++i) {
            const int r = std::uniform_int_distribution<int>(0, 99)(rng);
            if (r < 4) keys.OnCursorLarger();
            else if (r < 8) keys.OnCursorSmaller();
            else if (r < 12) keys.OnMirrorMode();
            else if (r < 20) {
                keys.OnKeyDown(KEY_CTRL);
                keys.OnKeyDown(KEY_SPACE);
                keys.OnKeyUp(KEY_CTRL);
            } else {
                keys.OnKeyDown(keysOf[std::uniform_int_distribution<int>(0, 7)(rng)]);
            }
            RunRebuildPass(model.grid);
            const EditState& e = model.edit;
            ASSERT_LE(e.cursor.column + e.cursorSize, W - 1);
            ASSERT_LE(e.cursor.row + e.cursorSize, H - 1);
            ASSERT_EQ(CheckGridInvariants(model.grid), "") << W << "x" << H << " key " << i;
            ASSERT_EQ(CheckFacesFresh(model.grid), "") << W << "x" << H << " key " << i;
        }
        EXPECT_GT(model.history.Size(), 10u);
        while (keys.CanEditUndo()) keys.OnEditUndo();
        RunRebuildPass(model.grid);
        EXPECT_TRUE(model.grid.SameShape(flat)) << W << "x" << H;
    }
}

}  // namespace
}  // namespace pw

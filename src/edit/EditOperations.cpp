#include "edit/EditOperations.h"

#include <utility>

#include "edit/EditedCard.h"
#include "edit/UndoHistory.h"
#include "model/AppSettings.h"
#include "model/CellGrid.h"
#include "model/Messages.h"

namespace pw {

const char* RefusalMessage(EditRefusal refusal) {
    switch (refusal) {
        case EditRefusal::None: return nullptr;
        case EditRefusal::AtHeightLimit: return msg::kRaiseAtHeightLimit;
        case EditRefusal::NothingToLower: return msg::kNothingToLower;
        case EditRefusal::NothingToPullOut: return msg::kNothingToPullOut;
        case EditRefusal::LowerNeedsTopSurfaces: return msg::kLowerNeedsTopSurfaces;
    }
    return nullptr;
}

int EditOperations::MirrorColumn(int a) const {
    if (!model_.edit.mirrorMode) return -1;
    const int m = model_.grid.gridWidth - a - model_.edit.cursorSize;
    // A centred square reflects onto itself: editing it twice would raise
    // it by two sizes, or push it back and pull it out again at once.
    return m == a ? -1 : m;
}

// Raises column x of a square with highest cell t to t+s, from the back
// sheet out to the square's front row. Tunnel heights stay open.
void EditOperations::RaiseColumn(UndoStep& step, int x, int b, int t) {
    CellGrid& g = model_.grid;
    const int s = model_.edit.cursorSize;
    const int front = b + s - 1;
    for (int z = t + 1; z <= t + s; ++z) {
        step.lines.push_back(SaveLine(g, x, z));
        for (int y = 0; y <= front; ++y) g.SetSolid(x, y, z, true);
    }
    for (int z = 0; z <= t; ++z) {
        if (!g.IsSolid(x, 1, z)) continue;
        step.lines.push_back(SaveLine(g, x, z));
        for (int y = 0; y <= front; ++y) g.SetSolid(x, y, z, true);
    }
}

// Clears the s layers t, t-1, ... of column x from depth b to the front
// edge, whole bytes; height 0 is never touched.
void EditOperations::LowerColumn(UndoStep& step, int x, int b, int t) {
    CellGrid& g = model_.grid;
    const int s = model_.edit.cursorSize;
    for (int k = 0; k < s; ++k) {
        const int z = t - k;
        if (z <= 0) continue;
        step.lines.push_back(SaveLine(g, x, z));
        for (int y = b; y < g.gridHeight; ++y) g.PutCell(x, y, z, 0);
    }
}

bool EditOperations::PushPullSquare(UndoStep& step, int c, int b) {
    CellGrid& g = model_.grid;
    const int s = model_.edit.cursorSize;
    const int H = g.gridHeight;
    if (g.MaxDepthUnder(c, b, s) > 0) {
        for (int x = c; x < c + s; ++x)
            for (int z = b; z < b + s; ++z) {
                step.lines.push_back(SaveLine(g, x, z));
                for (int y = 1; y <= H - 2; ++y) g.SetSolid(x, y, z, false);
            }
        g.MarkColumnsDirty(c, s);
        return true;
    }
    // Fill out to the depth of the nearest protruding square above.
    int e = 0;
    for (int d = b + s; d + s <= H - 2; d += s) {
        e = g.MaxDepthUnder(c, d, s);
        if (e != 0) break;
    }
    if (e == 0) return false;
    for (int x = c; x < c + s; ++x)
        for (int z = b; z < b + s; ++z) {
            step.lines.push_back(SaveLine(g, x, z));
            for (int y = 1; y <= e; ++y) g.SetSolid(x, y, z, true);
        }
    g.MarkColumnsDirty(c, s);
    return false;
}

bool EditOperations::Finish(UndoStep& step, EditSound sound) {
    const bool changed = !step.lines.empty();
    if (changed) {
        if (settings_.sound.on != 0 && sound_) sound_->PlaySound(sound);
        model_.history.PushStep(std::move(step));
    }
    model_.grid.gridChanged = true;
    return changed;
}

EditRefusal EditOperations::RaiseArea(int a, int b) {
    CellGrid& g = model_.grid;
    const int s = model_.edit.cursorSize;
    const int H = g.gridHeight;
    UndoStep step;
    const int t = g.MaxHeightUnder(a, b, s);
    if (t + s <= H - 2) {
        for (int x = a; x < a + s; ++x) RaiseColumn(step, x, b, t);
        g.MarkColumnsDirty(a, s);
    }
    const int m = MirrorColumn(a);
    if (m >= 0) {
        const int tm = g.MaxHeightUnder(m, b, s);
        if (tm + s <= H - 2) {
            for (int x = m + s - 1; x >= m; --x) RaiseColumn(step, x, b, tm);
            g.MarkColumnsDirty(m, s);
        }
    }
    return Finish(step, EditSound::Raise) ? EditRefusal::None : EditRefusal::AtHeightLimit;
}

EditRefusal EditOperations::LowerArea(int a, int b) {
    CellGrid& g = model_.grid;
    const int s = model_.edit.cursorSize;
    UndoStep step;
    const int t = g.MaxHeightUnder(a, b, s);
    for (int x = a; x < a + s; ++x) LowerColumn(step, x, b, t);
    g.MarkColumnsDirty(a, s);
    const int m = MirrorColumn(a);
    if (m >= 0) {
        const int tm = g.MaxHeightUnder(m, b, s);
        for (int x = m + s - 1; x >= m; --x) LowerColumn(step, x, b, tm);
        g.MarkColumnsDirty(m, s);
    }
    return Finish(step, EditSound::Lower) ? EditRefusal::None : EditRefusal::NothingToLower;
}

EditRefusal EditOperations::PushPullArea(int a, int b) {
    UndoStep step;
    // The sound tells only what happened to the cursor square.
    const bool pushedBack = PushPullSquare(step, a, b);
    const int m = MirrorColumn(a);
    if (m >= 0) PushPullSquare(step, m, b);
    // Push-back always changes the square, so a refusal is a pull-out that found nothing.
    return Finish(step, pushedBack ? EditSound::PushBack : EditSound::PullOut) ? EditRefusal::None
                                                                                : EditRefusal::NothingToPullOut;
}

}  // namespace pw

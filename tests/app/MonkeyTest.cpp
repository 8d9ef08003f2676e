// A monkey at the desktop program: bursts of random key presses, commands,
// undos and redos, mouse drags, wheel turns and clicks on the 3D view of the
// real main window, with File New of a
// random size (set in the settings dialog) between bursts. After each burst
// the card keeps the invariants that editing keeps, the last frame's rebuild
// pass left every column with fresh faces, the newest recovery copy reads
// back as the card on screen, and undoing every step of the burst gives back
// the card it started from.
//
// Seeded and bounded: POPWRIGHT_MONKEY_SEED replays a run and
// POPWRIGHT_MONKEY_SECONDS bounds its time (no new burst starts after it).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/CardRecovery.h"
#include "app/CommandTable.h"
#include "app/KirikoDoc.h"
#include "app/MainFrame.h"
#include "app/QtSettingsStore.h"
#include "edit/EditedCard.h"
#include "model/CardFile.h"
#include "model/GridInvariants.h"
#include "support/RecordingPrompts.h"
#include "view3d/KirikoView.h"

namespace pw {
namespace {

constexpr int kBursts = 100;
// Fewer events than the history's 100 steps, so the whole burst can be undone.
constexpr int kMaxEventsPerBurst = 90;

long EnvNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

class MonkeyTest : public ::testing::Test {
protected:
    MonkeyTest() : store(dir.filePath("settings.ini")) {}

    void SetUp() override {
        frame = std::make_unique<CMainFrame>(store, prompts);
        frame->resize(800, 600);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        FocusView();
        // Sound off, through the dialog, so that no edit waits for audio.
        prompts.onDialog = [](QDialog& dialog) {
            auto* sound = dialog.findChild<QCheckBox*>("sound");
            if (sound->isChecked()) QTest::mouseClick(sound, Qt::LeftButton);
            QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
            return dialog.result();
        };
        frame->Action(ID_SETTING)->trigger();
        ASSERT_EQ(frame->Settings().sound.on, 0);
        FocusView();
    }

    // Accelerators work in the active window only, edit keys in the view.
    void FocusView() {
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        frame->View()->setFocus();
    }

    CKirikoView* View() { return frame->View(); }
    EditedCard& Model() { return frame->Model(); }

    // Lets the queued paints happen; the frame runs the rebuild pass.
    void Settle() {
        for (int i = 0; i < 50 && Model().grid.gridChanged; ++i) {
            QCoreApplication::processEvents();
            if (Model().grid.gridChanged) QTest::qWait(2);
        }
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(View(), key, mods); }

    void CtrlSpace() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
        QCoreApplication::sendEvent(View(), &press);
        Key(Qt::Key_Space, Qt::ControlModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
        QCoreApplication::sendEvent(View(), &release);
    }

    // A click on the command's toolbar button, or the menu entry's action
    // when the toolbar has no button for it.
    void Command(int id) {
        QAction* action = frame->Action(id);
        QWidget* button = frame->ToolBar()->widgetForAction(action);
        if (button && button->isVisible())
            QTest::mouseClick(button, Qt::LeftButton);
        else
            action->trigger();
        View()->setFocus();
    }

    void Drag(std::mt19937& rng) {
        static const Qt::KeyboardModifiers kMods[] = {Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier,
                                                      Qt::ControlModifier | Qt::ShiftModifier};
        const Qt::KeyboardModifiers mods = kMods[std::uniform_int_distribution<int>(0, 3)(rng)];
        auto point = [&] {
            return QPoint(std::uniform_int_distribution<int>(0, View()->width() - 1)(rng),
                          std::uniform_int_distribution<int>(0, View()->height() - 1)(rng));
        };
        QPoint p = point();
        QTest::mousePress(View(), Qt::LeftButton, mods, p);
        const int steps = std::uniform_int_distribution<int>(1, 4)(rng);
        for (int i = 0; i < steps; ++i) {
            p = point();
            QTest::mouseMove(View(), p);
        }
        QTest::mouseRelease(View(), Qt::LeftButton, mods, p);
    }

    // A turn of the wheel: whole notches or the parts of one a fine wheel sends.
    void Wheel(std::mt19937& rng) {
        static const int kDeltas[] = {120, -120, 240, -240, 15, -15, 40};
        const int delta = kDeltas[std::uniform_int_distribution<int>(0, 6)(rng)];
        const QPointF at(View()->width() / 2, View()->height() / 2);
        QWheelEvent e(at, View()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(View(), &e);
    }

    // A click without a drag: mostly aimed at a point of the relief's top or
    // of the back sheet as the camera shows it, else anywhere (a click on
    // the background changes nothing).
    void Click(std::mt19937& rng) {
        const int w = View()->width(), h = View()->height();
        QPoint p(std::uniform_int_distribution<int>(0, w - 1)(rng), std::uniform_int_distribution<int>(0, h - 1)(rng));
        const CellGrid& g = Model().grid;
        if (std::uniform_int_distribution<int>(0, 3)(rng) != 0) {
            const int x = std::uniform_int_distribution<int>(1, g.gridWidth - 2)(rng);
            const int n = std::uniform_int_distribution<int>(1, g.gridHeight - 2)(rng);
            const bool top = std::uniform_int_distribution<int>(0, 1)(rng) == 0;
            const double mx = x + 0.5, my = top ? n + 0.5 : 1, mz = top ? g.HeightAt(x, n) + 1 : n + 0.5;
            const Matrix4& m = View()->ViewCamera().Projection();
            double c[4];
            for (int row = 0; row < 4; ++row) c[row] = m[row] * mx + m[4 + row] * my + m[8 + row] * mz + m[12 + row];
            const QPoint aimed(static_cast<int>((c[0] / c[3] + 1) / 2 * w), static_cast<int>((1 - c[1] / c[3]) / 2 * h));
            if (c[3] > 0 && View()->rect().contains(aimed)) p = aimed;
        }
        QTest::mouseClick(View(), Qt::LeftButton, Qt::NoModifier, p);
    }

    // The settings dialog sets the size of new cards, then Ctrl+N makes one.
    void FileNew(int width, int height) {
        prompts.onDialog = [width, height](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("gridWidth")->setText(QString::number(width));
            dialog.findChild<QLineEdit*>("gridHeight")->setText(QString::number(height));
            QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
            return dialog.result();
        };
        frame->Action(ID_SETTING)->trigger();
        FocusView();
        if (frame->Doc().IsModified()) prompts.answers.push_back(SaveChangesAnswer::Discard);
        Key(Qt::Key_N, Qt::ControlModifier);
    }

    // One random event; its name goes to the log for replaying by eye.
    void RandomEvent(std::mt19937& rng, std::vector<std::string>& log) {
        switch (std::uniform_int_distribution<int>(0, 30)(rng)) {
            case 0: case 1: Key(Qt::Key_Left); log.push_back("Left"); break;
            case 2: case 3: Key(Qt::Key_Right); log.push_back("Right"); break;
            case 4: case 5: Key(Qt::Key_Up); log.push_back("Up"); break;
            case 6: case 7: Key(Qt::Key_Down); log.push_back("Down"); break;
            case 8: case 9: case 10: case 11: case 12: Key(Qt::Key_Space); log.push_back("Space"); break;
            case 13: case 14: Key(Qt::Key_Z); log.push_back("Z"); break;
            case 15: CtrlSpace(); log.push_back("Ctrl+Space"); break;
            case 16: case 26: Key(Qt::Key_Z, Qt::ControlModifier); log.push_back("Undo"); break;
            case 17: Key(Qt::Key_L, Qt::ControlModifier); log.push_back("Larger"); break;
            case 18: Key(Qt::Key_K, Qt::ControlModifier); log.push_back("Smaller"); break;
            case 19: Command(ID_MIRROR_MODE); log.push_back("Mirror"); break;
            case 20: Command(ID_HIDE_CURSOR); log.push_back("Hide"); break;
            case 21: Key(Qt::Key_Y, Qt::ControlModifier); log.push_back("Redo"); break;
            case 27: Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); log.push_back("Redo2"); break;
            case 22: Command(ID_EDIT_REDO); log.push_back("RedoButton"); break;
            case 23: Wheel(rng); log.push_back("Wheel"); break;
            case 24: case 25: Click(rng); log.push_back("Click"); break;
            case 28: Command(ID_HOME_POSITION); log.push_back("Home"); break;
            default: Drag(rng); log.push_back("Drag"); break;
        }
    }

    static std::string Joined(const std::vector<std::string>& log) {
        std::string out;
        for (const auto& e : log) out += e + " ";
        return out;
    }

    QTemporaryDir dir;
    QtSettingsStore store;
    test::RecordingPrompts prompts;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(MonkeyTest, RandomBurstsKeepTheCardSoundAndUndoToTheirStart) {
    const unsigned seed = static_cast<unsigned>(EnvNumber("POPWRIGHT_MONKEY_SEED", 20261208));
    const long seconds = EnvNumber("POPWRIGHT_MONKEY_SECONDS", 240);
    std::mt19937 rng(seed);
    QElapsedTimer clock;
    clock.start();
    long events = 0, edits = 0, redos = 0, placed = 0;
    int bursts = 0, newCards = 0;

    for (; bursts < kBursts && clock.elapsed() < seconds * 1000; ++bursts) {
        if (bursts > 0 && std::uniform_int_distribution<int>(0, 2)(rng) == 0) {
            const int width = std::uniform_int_distribution<int>(10, 80)(rng);
            const int height = std::uniform_int_distribution<int>(5, 40)(rng);
            FileNew(width, height);
            ++events;
            ++newCards;
            ASSERT_EQ(Model().grid.gridWidth, width + 2) << "seed " << seed << ", burst " << bursts;
            ASSERT_EQ(Model().grid.gridHeight, height + 1) << "seed " << seed << ", burst " << bursts;
        }
        Settle();
        ASSERT_FALSE(Model().history.HasUndoSteps());
        const CellGrid start = Model().grid;

        std::vector<std::string> log;
        const int count = std::uniform_int_distribution<int>(kMaxEventsPerBurst / 2, kMaxEventsPerBurst)(rng);
        for (int i = 0; i < count; ++i) {
            const std::size_t steps = Model().history.Size(), redoable = Model().history.RedoSize();
            const EditState before = Model().edit;
            RandomEvent(rng, log);
            if (Model().history.RedoSize() < redoable && Model().history.Size() > steps)
                ++redos;
            else if (Model().history.Size() > steps)
                ++edits;
            const EditState& after = Model().edit;
            if (log.back() == "Click" && (after.cursor.column != before.cursor.column ||
                                          after.cursor.row != before.cursor.row || after.editPlane != before.editPlane))
                ++placed;
            // Frames come between some of the events, as they would at a user's pace.
            if (std::uniform_int_distribution<int>(0, 7)(rng) == 0) QCoreApplication::processEvents();
        }
        events += count;

        const std::string where = "seed " + std::to_string(seed) + ", burst " + std::to_string(bursts) +
                                  ", events: " + Joined(log);
        Settle();
        const CellGrid& g = Model().grid;
        ASSERT_FALSE(g.gridChanged) << where;
        ASSERT_EQ(CheckGridInvariants(g), "") << where;
        ASSERT_EQ(CheckFacesFresh(g), "") << where;
        const EditState& e = Model().edit;
        ASSERT_TRUE(e.cursor.column >= 1 && e.cursor.column + e.cursorSize <= g.gridWidth - 1 && e.cursor.row >= 1 &&
                    e.cursor.row + e.cursorSize <= g.gridHeight - 1)
            << where;
        // Recovery copies are on: the pending one is written now, not waited for.
        frame->Recovery().WritePendingNow();
        const QString copyPath = frame->Recovery().CopyPath();
        if (frame->Doc().IsModified()) {
            CellGrid copy;
            ASSERT_TRUE(ReadCard(QFile::encodeName(copyPath).toStdString(), copy)) << where;
            ASSERT_TRUE(copy.SameShape(g)) << where;
        } else {
            ASSERT_FALSE(QFile::exists(copyPath)) << where;
        }

        for (int undos = 0; Model().history.HasUndoSteps(); ++undos) {
            ASSERT_LT(undos, kMaxEventsPerBurst) << "Undo does not empty the history; " << where;
            Key(Qt::Key_Z, Qt::ControlModifier);
            ++events;
        }
        Settle();
        ASSERT_TRUE(Model().grid.SameShape(start)) << where;
        ASSERT_EQ(CheckFacesFresh(Model().grid), "") << where;
    }
    ASSERT_TRUE(prompts.answers.empty());
    std::printf(
        "monkey: seed %u, %d bursts, %d new cards, %ld events, %ld of them edits, %ld redos, %ld clicks that moved "
        "the cursor, %.1f s\n",
        seed, bursts, newCards, events, edits, redos, placed, clock.elapsed() / 1000.0);
    RecordProperty("events", static_cast<int>(events));
    EXPECT_GE(bursts, 1);
    EXPECT_GT(edits, events / 20);  // the bursts did shape the card
    EXPECT_GT(redos, 0);   // and redid undone edits
    EXPECT_GT(placed, 0);  // and clicked the cursor onto the card
}

}  // namespace
}  // namespace pw

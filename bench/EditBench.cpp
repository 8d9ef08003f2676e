// Cost of a long editing session on the largest card the settings allow
// (80 by 40): 10,000 mixed edits through the key handler and the edit
// operations, each followed by the rebuild pass that the repaint runs.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "edit/EditKeys.h"
#include "edit/EditOperations.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/RebuildPass.h"

namespace {

constexpr int kEdits = 10'000;

enum class Action { Raise, Lower, PushPull, Undo };

struct Step {
    std::vector<int> moves;  // arrow keys before the edit
    int sizeChange = 0;      // -1 smaller, +1 larger
    bool toggleMirror = false;
    Action action = Action::Raise;
};

// A fixed mix: mostly raises and lowers, some push/pulls, a few undos,
// with cursor moves, size changes and mirror toggles between them.
std::vector<Step> MakeSession(unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> percent(0, 99), arrow(0, 3), moveCount(0, 3);
    const int arrows[] = {pw::KEY_LEFT, pw::KEY_RIGHT, pw::KEY_UP, pw::KEY_DOWN};
    std::vector<Step> session(kEdits);
    for (Step& s : session) {
        for (int n = moveCount(rng); n > 0; --n) s.moves.push_back(arrows[arrow(rng)]);
        const int p = percent(rng);
        s.action = p < 45 ? Action::Raise : p < 75 ? Action::Lower : p < 95 ? Action::PushPull : Action::Undo;
        const int q = percent(rng);
        s.sizeChange = q < 5 ? -1 : q < 10 ? 1 : 0;
        s.toggleMirror = percent(rng) < 3;
    }
    return session;
}

void RunSession(const std::vector<Step>& session, bool rebuild, benchmark::State& state) {
    pw::AppSettings settings;
    settings.sound.on = 0;
    for (auto _ : state) {
        pw::EditedCard model;
        model.NewCard(82, 41);
        pw::RunRebuildPass(model.grid);
        pw::EditOperations ops(model, settings, nullptr);
        pw::EditKeyHandler keys(model, ops);
        for (const Step& s : session) {
            for (int key : s.moves) keys.OnKeyDown(key);
            if (s.sizeChange < 0) keys.OnCursorSmaller();
            if (s.sizeChange > 0) keys.OnCursorLarger();
            if (s.toggleMirror) keys.OnMirrorMode();
            switch (s.action) {
            case Action::Raise:
                keys.OnEditHorizontal();
                keys.OnKeyDown(pw::KEY_SPACE);
                break;
            case Action::Lower:
                keys.OnEditHorizontal();
                keys.OnKeyDown(pw::KEY_Z);
                break;
            case Action::PushPull:
                keys.OnEditVertical();
                keys.OnKeyDown(pw::KEY_SPACE);
                break;
            case Action::Undo:
                keys.OnEditUndo();
                break;
            }
            if (rebuild) pw::RunRebuildPass(model.grid);
        }
        benchmark::DoNotOptimize(model.grid.Data());
    }
    // Time per edit: the iteration's time divided by kEdits.
    state.counters["per_edit"] = benchmark::Counter(
        kEdits, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(state.iterations() * kEdits);
    state.SetLabel("80x40, 10000 edits");
}

void BM_EditSessionWithRebuild(benchmark::State& state) {
    static const std::vector<Step> session = MakeSession(11);
    RunSession(session, true, state);
}
BENCHMARK(BM_EditSessionWithRebuild)->Unit(benchmark::kMillisecond);

// The same session without the rebuild pass: the edit operations' share.
void BM_EditSessionOperationsOnly(benchmark::State& state) {
    static const std::vector<Step> session = MakeSession(11);
    RunSession(session, false, state);
}
BENCHMARK(BM_EditSessionOperationsOnly)->Unit(benchmark::kMillisecond);

}  // namespace

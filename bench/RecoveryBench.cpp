// The cost of a recovery copy, on the largest card the settings allow (80 by
// 40) and on a card of 320 by 160. The window's thread only makes the text of
// the copy (RecoveryCopyText): that is what typing and turning the view can
// ever wait for, and for 80 by 40 it must stay far below one frame at 60 Hz
// (16.7 ms). The writer thread then puts it on the disk (RecoveryCopyWrite:
// the copy and its info, each through a temporary file that is synced and
// renamed), in a folder in the current directory, so on the disk the
// benchmark runs from.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "app/RecoveryFiles.h"
#include "app/RecoveryWriter.h"
#include "model/CardFile.h"
#include "model/CellGrid.h"
#include "../tests/support/CardBuilder.h"

namespace {

void CardSizes(benchmark::internal::Benchmark* b) { b->Args({80, 40})->Args({320, 160}); }

void MakeCard(pw::CellGrid& g, const benchmark::State& state) {
    std::mt19937 rng(11);
    pw::test::RandomCard(g, rng, static_cast<int>(state.range(0)) + 2, static_cast<int>(state.range(1)) + 1);
}

// What the window's thread does when a copy is due.
std::string CopyText(const pw::CellGrid& g, std::string* info) {
    std::ostringstream text;
    pw::WriteCard(text, g);
    *info = pw::FormatRecoveryInfo({"/home/someone/cards/tree.kpf", "tree", 1733650000123});
    return text.str();
}

void Describe(benchmark::State& state, std::size_t bytes) {
    state.SetLabel(std::to_string(state.range(0)) + "x" + std::to_string(state.range(1)));
    state.counters["copy_bytes"] = static_cast<double>(bytes);
}

void BM_RecoveryCopyText(benchmark::State& state) {
    pw::CellGrid g;
    MakeCard(g, state);
    std::string info, text;
    for (auto _ : state) {
        text = CopyText(g, &info);
        benchmark::DoNotOptimize(text.data());
    }
    Describe(state, text.size());
}
BENCHMARK(BM_RecoveryCopyText)->Apply(CardSizes)->Unit(benchmark::kMicrosecond);

void BM_RecoveryCopyWrite(benchmark::State& state) {
    pw::CellGrid g;
    MakeCard(g, state);
    std::string info;
    const std::string text = CopyText(g, &info);
    char pattern[] = "popwright-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        state.SkipWithError("no folder for the copies");
        return;
    }
    const std::string folder = std::string(pattern) + "/recovery";
    const std::string stem = pw::MakeRecoveryStem(1, 2);
    {
        pw::RecoveryWriter writer(
            {folder, folder + "/" + pw::RecoveryCopyName(stem), folder + "/" + pw::RecoveryInfoName(stem),
             folder + "/" + pw::RecoveryLockName(stem)},
            pw::FormatRecoveryLock({1, 2, "bench"}));
        std::uint64_t serial = 0;
        for (auto _ : state) {
            writer.WriteCopy(++serial, text, info);
            writer.Wait();
        }
        writer.RemoveAll();
    }
    (void)!std::system(("rm -rf '" + std::string(pattern) + "'").c_str());
    Describe(state, text.size());
}
BENCHMARK(BM_RecoveryCopyWrite)->Apply(CardSizes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

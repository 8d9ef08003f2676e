// Slicing a model into 10 flats: a relief of a million triangles facing
// the viewer, a square of 50 by 50 model units whose depth climbs in ten
// steps toward its middle (a stepped terrain seen from the front), with the
// sides that close each step. The argument is the number of triangles.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "import/ModelFlats.h"

namespace {

// A grid of n by n squares, two triangles each, z up and the viewer on
// the -y side; each corner's depth is its ring's step from the edge.
pw::Mesh SteppedRelief(int n) {
    pw::Mesh mesh;
    mesh.corners.reserve(static_cast<std::size_t>(n) * n * 6);
    const auto step = [n](int i, int j) {
        const int ring = std::min({i, j, n - 1 - i, n - 1 - j});
        return static_cast<float>(-std::min(10, ring * 22 / n));
    };
    const float size = 50.0f / static_cast<float>(n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            // A square keeps its own depth, so the steps' sides are open: the
            // outline of every slab is then made of squares alone.
            const float y = step(i, j), x0 = i * size, x1 = (i + 1) * size, z0 = j * size, z1 = (j + 1) * size;
            for (const auto& p : {std::array<float, 3>{x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z0}, {x1, y, z1}, {x0, y, z1}})
                mesh.corners.push_back(p);
        }
    return mesh;
}

void BM_ModelIntoTenFlats(benchmark::State& state) {
    const int n = static_cast<int>(std::lround(std::sqrt(static_cast<double>(state.range(0)) / 2)));
    const pw::Mesh mesh = SteppedRelief(n);
    pw::ModelSlicing how;
    how.automaticCount = 10;
    how.heightMm = 100;
    std::size_t flats = 0;
    for (auto _ : state) {
        const pw::FlatsFromSource made = pw::ModelFlats(mesh, how);
        flats = made.flats.size();
        benchmark::DoNotOptimize(made.flats.data());
    }
    state.counters["flats"] = static_cast<double>(flats);
    state.counters["triangles"] = static_cast<double>(mesh.Triangles());
}
BENCHMARK(BM_ModelIntoTenFlats)->Arg(20'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

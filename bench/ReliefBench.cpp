// Cost of bringing shapes into the largest card the settings allow (80 by
// 40): a 1,000,000-triangle model and a 4000 x 3000 picture made into depth
// maps, from memory and from their files, and a depth map applied as one edit.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "edit/EditedCard.h"
#include "edit/ReliefEdit.h"
#include "import/ModelFile.h"
#include "import/PictureFile.h"
#include "import/ReliefSource.h"
#include "model/RebuildPass.h"

namespace {

constexpr int kW = 82, kH = 41;  // 80 columns, 40 cells high

// A closed UV sphere of 1,000,000 triangles (500 rings of 1000 segments),
// squashed into a dome so that its front varies across the card.
pw::Mesh Sphere() {
    constexpr int rings = 500, segments = 1000;
    auto at = [](int ring, int segment) {
        const double theta = M_PI * ring / rings, phi = 2 * M_PI * segment / segments;
        return std::array<float, 3>{static_cast<float>(std::sin(theta) * std::cos(phi)),
                                    static_cast<float>(0.5 * std::sin(theta) * std::sin(phi)),
                                    static_cast<float>(std::cos(theta))};
    };
    pw::Mesh mesh;
    mesh.corners.reserve(static_cast<std::size_t>(rings) * segments * 6);
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            const auto a = at(r, s), b = at(r + 1, s), c = at(r + 1, s + 1), d = at(r, s + 1);
            mesh.corners.insert(mesh.corners.end(), {a, b, c, a, c, d});
        }
    return mesh;
}

std::string TempPath(const char* name) { return "/tmp/popwright-bench-" + std::to_string(::getpid()) + "-" + name; }

void BM_ModelOntoCard(benchmark::State& state) {
    const pw::Mesh mesh = Sphere();
    pw::DepthMap map;
    std::string error;
    for (auto _ : state) {
        if (!pw::ModelReliefMap(mesh, pw::ReliefSettings{}, kW, kH, map, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(map.depth.data());
    }
    state.SetLabel("80x40, 1000000 triangles");
}
BENCHMARK(BM_ModelOntoCard)->Unit(benchmark::kMillisecond);

// Assimp reading a binary STL file of the same million triangles, then the map.
void BM_ModelFileOntoCard(benchmark::State& state) {
    const pw::Mesh mesh = Sphere();
    const std::string path = TempPath("sphere.stl");
    {
        std::ofstream out(path, std::ios::binary);
        const std::string header(80, '\0');
        out.write(header.data(), 80);
        const std::uint32_t count = static_cast<std::uint32_t>(mesh.Triangles());
        out.write(reinterpret_cast<const char*>(&count), 4);
        const float normal[3] = {0, 0, 0};
        const std::uint16_t attributes = 0;
        for (std::size_t t = 0; t < mesh.Triangles(); ++t) {
            out.write(reinterpret_cast<const char*>(normal), 12);
            for (int c = 0; c < 3; ++c) out.write(reinterpret_cast<const char*>(mesh.corners[t * 3 + c].data()), 12);
            out.write(reinterpret_cast<const char*>(&attributes), 2);
        }
    }
    pw::DepthMap map;
    std::string error;
    for (auto _ : state) {
        pw::Mesh read;
        if (!pw::LoadModelFile(path, read, error) || !pw::ModelReliefMap(read, pw::ReliefSettings{}, kW, kH, map, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(map.depth.data());
    }
    std::remove(path.c_str());
    state.SetLabel("80x40, 1000000 triangles, binary STL");
}
BENCHMARK(BM_ModelFileOntoCard)->Unit(benchmark::kMillisecond);

// A 4000 x 3000 picture: left half black, a grey ramp on the right.
pw::GreyImage Picture() {
    pw::GreyImage picture(4000, 3000);
    for (int y = 0; y < 3000; ++y)
        for (int x = 0; x < 4000; ++x) picture.At(x, y) = x < 2000 ? 0 : static_cast<std::uint8_t>((x + y) % 256);
    return picture;
}

void BM_PictureOntoCard(benchmark::State& state) {
    const pw::GreyImage picture = Picture();
    pw::ReliefSettings settings;
    settings.pictureMode = state.range(0) ? pw::PictureMode::DepthMap : pw::PictureMode::Silhouette;
    pw::DepthMap map;
    std::string error;
    for (auto _ : state) {
        pw::PictureReliefMap(picture, settings, kW, kH, map, error);
        benchmark::DoNotOptimize(map.depth.data());
    }
    state.SetLabel(state.range(0) ? "80x40, 4000 by 3000 pixels, depth map" : "80x40, 4000 by 3000 pixels, silhouette");
}
BENCHMARK(BM_PictureOntoCard)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Qt decoding a 4000 x 3000 PNG and JPEG, then the map.
void BM_PictureFileOntoCard(benchmark::State& state) {
    const pw::GreyImage grey = Picture();
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < 3000; ++y)
        for (int x = 0; x < 4000; ++x) image.setPixel(x, y, qRgb(grey.At(x, y), grey.At(x, y) / 2, 255 - grey.At(x, y)));
    const char* format = state.range(0) ? "JPEG" : "PNG";
    const std::string path = TempPath(state.range(0) ? "picture.jpg" : "picture.png");
    image.save(QString::fromStdString(path), format);
    pw::DepthMap map;
    std::string error;
    for (auto _ : state) {
        pw::GreyImage picture;
        if (!pw::LoadPicture(path, picture, error) || !pw::PictureReliefMap(picture, pw::ReliefSettings{}, kW, kH, map, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(map.depth.data());
    }
    std::remove(path.c_str());
    state.SetLabel(std::string("80x40, 4000 by 3000 pixels, ") + format);
}
BENCHMARK(BM_PictureFileOntoCard)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole card replaced by a dome as one edit, then the rebuild pass.
void BM_ApplyDepthMapAndRebuild(benchmark::State& state) {
    pw::DepthMap map;
    std::string error;
    pw::ModelReliefMap(Sphere(), pw::ReliefSettings{}, kW, kH, map, error);
    for (auto _ : state) {
        pw::EditedCard card;
        card.NewCard(kW, kH);
        pw::ApplyDepthMap(card, map, false);
        pw::RunRebuildPass(card.grid);
        benchmark::DoNotOptimize(card.grid.Data());
    }
    state.SetLabel("80x40");
}
BENCHMARK(BM_ApplyDepthMapAndRebuild)->Unit(benchmark::kMicrosecond);

}  // namespace

// What showing the game's picture in a larger (or smaller) window costs the
// window thread: the 1000 x 700 picture scaled whole into the window's
// pixels (after a new layout, an expose, or a screen of a new picture), and
// a rabbit-sized change scaled alone (what most frames of play are). The
// game thread never scales: it only hands over its changed rectangles.
#include <benchmark/benchmark.h>

#include <vector>

#include "gfx/Scaler.h"

namespace {

constexpr int32_t W = 1000, H = 700;

std::vector<uint32_t> Picture() {
    std::vector<uint32_t> p(size_t(W) * H);
    for (size_t i = 0; i < p.size(); ++i) p[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    return p;
}

// Arguments: the window's width and height, and the changed square's side
// (0: the whole picture).
void Scale(benchmark::State& state) {
    const int32_t ww = int32_t(state.range(0)), wh = int32_t(state.range(1)), side = int32_t(state.range(2));
    const std::vector<uint32_t> picture = Picture();
    std::vector<uint32_t> window(size_t(ww) * size_t(wh));
    Scaler::Scaler s;
    s.Layout(W, H, Scaler::Fit(W, H, ww, wh));
    const Scaler::Box changed = side ? Scaler::Box{480, 300, side, side} : Scaler::Box{0, 0, W, H};
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.Draw(picture.data(), changed, window.data(), ww));
        benchmark::ClobberMemory();
    }
    state.SetLabel(s.Sharp() ? "sharp" : "blended");
}
BENCHMARK(Scale)
    ->ArgNames({"w", "h", "changed"})
    ->Args({1000, 700, 0})
    ->Args({2000, 1400, 0})
    ->Args({1366, 768, 0})
    ->Args({1920, 1080, 0})
    ->Args({2560, 1440, 0})
    ->Args({3840, 2160, 0})
    ->Args({2560, 1440, 40})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

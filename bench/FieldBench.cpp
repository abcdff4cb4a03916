// What one frame of the game costs, headless (the same buffer and rules as
// the real window), next to a plain copy of one 1000 x 700 frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "game/Level.h"
#include "game/Zanderfell.h"
#include "game/weapons/Damage.h"
#include "gfx/Headless.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"

using namespace Zanderfell;

namespace {

void OpenGame(uint32_t level) {
    static bool ready = false;
    if (!ready) {
        if (chdir(ZF_RUN_DIR) != 0) std::abort();
        MaakSchermAan();
        ready = true;
    }
    Menu = MENU{level, 2, false};
    MaakLevelAan(level, Level);
    ResetInslagen();
    Konijntjes[1] = KonijnRecord{{300, 400}, 100, 1};
    Konijntjes[2] = KonijnRecord{{600, 400}, 100, 2};
}

void FrameCopy(benchmark::State& state) {
    std::vector<uint32_t> a(1000 * 700, 1), b(1000 * 700);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size() * 4);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FrameCopy);

void FieldRedrawNoImpact(benchmark::State& state) {
    OpenGame(1);
    for (auto _ : state) HermaakLevel();
}
BENCHMARK(FieldRedrawNoImpact);

// A step of an animation: a rabbit drawn over the field, then the field
// redrawn under it.
void FieldRedrawAfterASprite(benchmark::State& state) {
    OpenGame(1);
    for (auto _ : state) {
        TekenBitmaps::TekenKonijntjeWandelRechts(500, 400, 1, 1);
        HermaakLevel();
    }
}
BENCHMARK(FieldRedrawAfterASprite);

// 500 impacts near the water, cut into the ground: every one needs the
// pixel pass. Arg 1: the redraw as the game does it (a sprite drawn between
// redraws); arg 0: every redraw drawn in full, as right after an impact.
void FieldRedraw500WaterImpacts(benchmark::State& state) {
    OpenGame(1);
    for (int i = 1; i <= 500; ++i) Schade(COORDINATEN{20 + (i * 37) % 960, 540 + (i * 13) % 40}, 30);
    HermaakLevelOpnemen(state.range(0) == 1);
    for (auto _ : state) {
        TekenBitmaps::TekenKonijntjeWandelRechts(500, 400, 1, 1);
        HermaakLevel();
    }
    HermaakLevelOpnemen(true);
    MaakLevelAan(1, Level);
    ResetInslagen();
}
BENCHMARK(FieldRedraw500WaterImpacts)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The first redraw after an impact, the 500th: the field recorded with 499
// impacts near the water, then one more. Each round takes the last impact
// off the list again and records the field afresh, outside the timing.
void FirstRedrawAfterThe500thImpact(benchmark::State& state) {
    OpenGame(1);
    for (int i = 1; i <= 500; ++i) Schade(COORDINATEN{20 + (i * 37) % 960, 540 + (i * 13) % 40}, 30);
    for (auto _ : state) {
        state.PauseTiming();
        AANTALINSLAGEN = 499;
        HermaakLevel();
        Schade(COORDINATEN{500, 560}, 30);
        state.ResumeTiming();
        HermaakLevel();
    }
    MaakLevelAan(1, Level);
    ResetInslagen();
}
BENCHMARK(FirstRedrawAfterThe500thImpact)->Iterations(20)->Unit(benchmark::kMillisecond);

void DrawLevelBitmap(benchmark::State& state) {
    OpenGame(1);
    Wimdows::SetBuffering(true);
    for (auto _ : state) Wimdows::DrawBitmap(TekenBitmaps::Level1Bitmap, 1, 1);
}
BENCHMARK(DrawLevelBitmap);

void DiscRadius30(benchmark::State& state) {
    OpenGame(1);
    Wimdows::SetBuffering(true);
    for (auto _ : state) Wimdows::Disc(500, 300, 30, _ACHTERGRONDKLEUR);
}
BENCHMARK(DiscRadius30);

void UpdateWindowHeadless(benchmark::State& state) {
    OpenGame(1);
    for (auto _ : state) Wimdows::UpdateWindow();
}
BENCHMARK(UpdateWindowHeadless);

// An explosion of size 60 (its waits are virtual here): the flash, the
// impact, the lives and the crater cut.
void ExplosionSize60(benchmark::State& state) {
    OpenGame(1);
    for (auto _ : state) {
        state.PauseTiming();
        MaakLevelAan(1, Level);
        ResetInslagen();
        state.ResumeTiming();
        Schade(COORDINATEN{500, 300}, 60);
    }
}
BENCHMARK(ExplosionSize60)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

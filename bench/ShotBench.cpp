// What the shot simulator costs: one flight of each kind on level 1, and
// every shot a rabbit can make in a turn (each weapon, every angle step at
// every step of the power meter), the question a computer player asks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "game/Level.h"
#include "game/Placement.h"
#include "game/Zanderfell.h"
#include "game/weapons/ShotSimulator.h"

using namespace Zanderfell;

namespace {

// Level 1 with four rabbits standing on the ground below spawn spots 1..4.
Stand Opstelling() {
    static bool ready = false;
    if (!ready) {
        if (chdir(ZF_RUN_DIR) != 0) std::abort();
        for (int32_t deel = 1; deel <= 3; ++deel)
            LeesLevelDeel("Files/Level1Part" + std::to_string(deel) + ".txt", Level, 200 * (deel - 1) + 1);
        Menu = MENU{1, 4, true};
        for (uint32_t k = 1; k <= 4; ++k) {
            COORDINATEN p = SpawnPlek(1, k);
            while (p.y < 595 && !Level[p.x][p.y + 1].Grond) ++p.y;
            Konijntjes[k] = KonijnRecord{p, 100, 2 - k % 2};
            PlaatsKonijntje(k, true);
        }
        ready = true;
    }
    return Stand{Level, Konijntjes, 4, 6};
}

void OneBazookaFlight(benchmark::State& state) {
    const Stand stand = Opstelling();
    for (auto _ : state) benchmark::DoNotOptimize(Simuleer(stand, 1, {Wapen::Bazooka, -0.7f, 280, -1}));
}
BENCHMARK(OneBazookaFlight);

void OneGrenadeFlight(benchmark::State& state) {
    const Stand stand = Opstelling();
    for (auto _ : state) benchmark::DoNotOptimize(Simuleer(stand, 1, {Wapen::Granaat, -0.7f, 280, -1}));
}
BENCHMARK(OneGrenadeFlight);

void OnePistolShot(benchmark::State& state) {
    const Stand stand = Opstelling();
    for (auto _ : state) benchmark::DoNotOptimize(Simuleer(stand, 1, {Wapen::Pistool, -0.1f, 0, -1}));
}
BENCHMARK(OnePistolShot);

void AllShotsOfATurn(benchmark::State& state) {
    const Stand stand = Opstelling();
    uint64_t shots = 0;
    for (auto _ : state) {
        shots = 0;
        float hoek = -3.15f;
        for (int32_t a = -63; a <= 62; ++a, hoek += 0.05f) {
            for (uint32_t k = 0; k <= 58; ++k) {
                const float kracht = float(7 * k);
                benchmark::DoNotOptimize(Simuleer(stand, 1, {Wapen::Bazooka, hoek, kracht, -1}));
                benchmark::DoNotOptimize(Simuleer(stand, 1, {Wapen::Granaat, hoek, kracht, -1}));
                shots += 2;
            }
            benchmark::DoNotOptimize(Simuleer(stand, 1, {Wapen::Pistool, hoek, 0, -1}));
            ++shots;
        }
    }
    state.counters["shots"] = double(shots);
}
BENCHMARK(AllShotsOfATurn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

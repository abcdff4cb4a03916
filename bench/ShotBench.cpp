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
    for (auto _ : state) benchmark::DoNotOptimize(Simuleer(stand, 1, Schot{Wapen::Bazooka, -0.7f, 280, -1}));
}
BENCHMARK(OneBazookaFlight);

void OneGrenadeFlight(benchmark::State& state) {
    const Stand stand = Opstelling();
    for (auto _ : state) benchmark::DoNotOptimize(Simuleer(stand, 1, Schot{Wapen::Granaat, -0.7f, 280, -1}));
}
BENCHMARK(OneGrenadeFlight);

void OnePistolShot(benchmark::State& state) {
    const Stand stand = Opstelling();
    for (auto _ : state) benchmark::DoNotOptimize(Simuleer(stand, 1, Schot{Wapen::Pistool, -0.1f, 0, -1}));
}
BENCHMARK(OnePistolShot);

// Up to 63 presses of Up or of Down (a full turn of the sight) and every
// step of the power meter: the angle worked out once per number of presses,
// as a computer player would.
void AllShotsOfATurn(benchmark::State& state) {
    const Stand stand = Opstelling();
    const COORDINATEN voeten = stand.konijnen[1].Positie;
    uint64_t shots = 0;
    for (auto _ : state) {
        shots = 0;
        const std::vector<float> hoeken = HoekenNaToetsen(voeten, 63);
        for (int32_t omhoog = -63; omhoog <= 63; ++omhoog) {
            const float hoek = hoeken[size_t(omhoog + 63)];
            for (uint32_t stappen = 0; stappen <= 58; ++stappen) {
                const float kracht = KrachtNaStappen(stappen);
                benchmark::DoNotOptimize(Simuleer(stand, 1, Schot{Wapen::Bazooka, hoek, kracht, -1}));
                benchmark::DoNotOptimize(Simuleer(stand, 1, Schot{Wapen::Granaat, hoek, kracht, -1}));
                shots += 2;
            }
            benchmark::DoNotOptimize(Simuleer(stand, 1, Schot{Wapen::Pistool, hoek, 0, -1}));
            ++shots;
        }
        for (int32_t kant : {-1, 1}) benchmark::DoNotOptimize(Simuleer(stand, 1, Schot{Wapen::Bijl, 0, 0, kant}));
        benchmark::DoNotOptimize(Simuleer(stand, 1, Schot{Wapen::Dynamiet, 0, 0, -1}));
        shots += 3;
    }
    state.counters["shots"] = double(shots);
}
BENCHMARK(AllShotsOfATurn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

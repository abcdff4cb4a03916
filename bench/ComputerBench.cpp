// What a computer player's decision costs: the whole search of one turn at
// each strength, on each landscape with four rabbits a team, wind on. The
// limit is 300 ms of this machine's time per decision.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "game/Level.h"
#include "game/Placement.h"
#include "game/Random.h"
#include "game/Zanderfell.h"
#include "game/computer/Planner.h"

using namespace Zanderfell;

namespace {

// The landscape with eight rabbits set up as a game would from a fixed state.
Stand Opstelling(uint32_t levelNr) {
    if (chdir(ZF_RUN_DIR) != 0) std::abort();
    MaakLevelAan(levelNr, Level);
    RANDOMTOESTAND toestand{42, 0.35f};
    Konijntjes = KONIJN{};
    StelKonijntjesOp(levelNr, 8, KiesOpstelling(toestand, 8), Konijntjes, Level);
    return Stand{Level, Konijntjes, levelNr == 3 ? 2u : 8u, 50};
}

void Decision(benchmark::State& state) {
    const Stand stand = Opstelling(uint32_t(state.range(0)));
    Computer::Kans kans{7};
    for (auto _ : state)
        benchmark::DoNotOptimize(Computer::Kies(stand, 1, Computer::Speler(state.range(1)), kans));
}
BENCHMARK(Decision)->ArgsProduct({{1, 2, 3}, {1, 2, 3}})->ArgNames({"level", "strength"})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

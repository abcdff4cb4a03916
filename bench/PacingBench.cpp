// The game's pacing in a real window (run under Xvfb by bench/run.sh): for
// each animation, the wall time divided by the sum of the waits the rules
// ask for; the cost of UpdateWindow while the game calls it every 3 ms; and
// the time to load the catalogue. Sound is on as in the game (bench/run.sh
// gives SDL a sound driver that needs no sound card), so the mixing on its
// own thread is part of what is measured.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "audio/Sound.h"
#include "game/Level.h"
#include "game/Zanderfell.h"
#include "game/movement/Falling.h"
#include "game/movement/Movement.h"
#include "game/weapons/Flight.h"
#include "gfx/Platform.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "gfx/WimdowsInternal.h"
#include "runtime/Runtime.h"

using namespace Zanderfell;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void FlatField() {
    Menu = MENU{1, 2, false};
    MaakLevelAan(1, Level);
    for (int x = 1; x <= 1000; ++x)
        for (int y = 1; y <= 600; ++y) Level[x][y] = CEL{y > 400, false};
    ResetInslagen();
    for (int k = 1; k <= 8; ++k) Konijntjes[k] = KonijnRecord{};
    Konijntjes[2] = KonijnRecord{{700, 400}, 100, 2};
    HermaakLevel();
}

void Pacing(const char* name, const std::function<void()>& run) {
    FlatField();
    const uint64_t waited0 = Runtime::WaitedMs();
    const auto t0 = Clock::now();
    run();
    const double wall = Ms(Clock::now() - t0);
    const double waits = double(Runtime::WaitedMs() - waited0);
    std::printf("%-28s waits %8.0f ms  wall %8.1f ms  ratio %.3f\n", name, waits, wall, wall / waits);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && chdir(argv[1]) != 0) return 2;

    // Start-up: two openings of the window, each with its load of the catalogue.
    double loading = 0;
    for (int i = 0; i < 2; ++i) {
        Wimdows::Window("Zanderfell", 1000, 700);
        if (Wimdows::State() != Wimdows::STATE_ACTIVE) {
            std::fprintf(stderr, "no window (is DISPLAY set?)\n");
            return 1;
        }
        const auto t0 = Clock::now();
        Wimdows::DrawBitmap(Wimdows::LoadBitmap("Images/Loading.bmp", 1000, 700), 1, 1);
        TekenBitmaps::LaadBitmaps();
        loading += Ms(Clock::now() - t0);
    }
    _ACHTERGRONDKLEUR = Wimdows::RgbColor(166, 202, 240);
    _WATER = Wimdows::RgbColor(17, 94, 170);
    std::printf("loading the catalogue twice: %.1f ms\n", loading);
    Sound::Open(false);

    // UpdateWindow while the game calls it every 3 ms.
    FlatField();
    std::vector<double> calls;
    for (int i = 0; i < 1000; ++i) {
        const auto t0 = Clock::now();
        Wimdows::UpdateWindow();
        calls.push_back(Ms(Clock::now() - t0));
        Runtime::Delay(3);
    }
    std::sort(calls.begin(), calls.end());
    std::printf("UpdateWindow every 3 ms: median %.3f ms, worst %.3f ms\n", calls[calls.size() / 2], calls.back());

    Pacing("jump (87 steps of 3 ms)", [] {
        Konijntjes[1] = KonijnRecord{{500, 400}, 0, 1};
        int32_t levens = 100;
        Wimdows::Internal::KeyPressed('N');
        Konijntjes[1].Positie = Bewegen(1, 0.05f, levens, false);
        Wimdows::Internal::KeyReleased('N');
    });
    Pacing("idle ticks (51 of 120 ms)", [] {
        Konijntjes[1] = KonijnRecord{{500, 400}, 0, 1};
        int32_t levens = 100;
        Bewegen(1, 5.0f, levens, false);
    });
    Pacing("fall after a turn (5 ms)", [] {
        Konijntjes[1] = KonijnRecord{{500, 250}, 100, 1};
        VallenNaBeurt(Menu);
    });
    Pacing("grenade (528 steps, 10 ms)", [] {
        Konijntjes[1] = KonijnRecord{{500, 400}, 0, 1};
        BaanGranaat(COORDINATEN{500, 370}, 0.0f, 0.0f, 5.0f, 1);
    });
    Pacing("bazooka flight (50-100 ms)", [] {
        Konijntjes[1] = KonijnRecord{{200, 400}, 0, 1};
        BaanBazooka(COORDINATEN{200, 370}, 150.0f, -0.8f, 0);
    });
    Wimdows::KillWindow();
    return 0;
}

// The game's pacing in a real window (run under Xvfb by bench/run.sh): for
// each animation, the wall time divided by the sum of the waits the rules
// ask for; the cost of UpdateWindow while the game calls it every 3 ms; and
// the time to load the catalogue. Sound is on as in the game (bench/run.sh
// gives SDL a sound driver that needs no sound card), so the mixing on its
// own thread is part of what is measured.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>
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

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Keys are delivered by another thread, as the window thread delivers them,
// at moments of no relation to the game's waits; the game sees them only at
// its looks. (1) A key read that sits blocked: from delivery to GetKey's
// return. (2) The movement phase's loop (a wait of 120 ms, drawing, then a
// look at the held keys): from delivery to the first look at the keys that
// sees the key, against the first look at the keys after delivery, which is
// when a key visible at once would have been seen: the difference is the
// delay the looks add.
void InputDelay() {
    using namespace std::chrono;
    std::vector<double> wake;
    for (int i = 0; i < 40; ++i) {
        Clock::time_point delivered;
        std::thread t([&] {
            std::this_thread::sleep_for(milliseconds(20 + 7 * (i % 5)));
            delivered = Clock::now();
            Wimdows::Internal::KeyPressed('B');
            Wimdows::Internal::KeyReleased('B');
        });
        Wimdows::GetKey();
        wake.push_back(Ms(Clock::now() - delivered));
        t.join();
    }
    FlatField();
    std::vector<Clock::time_point> looks;  // the loop's looks at the held keys
    std::vector<std::pair<Clock::time_point, Clock::time_point>> seen;  // delivery, first seen
    std::atomic<bool> done{false};
    std::atomic<int64_t> deliveredNs{-1};
    std::thread keys([&] {
        for (int i = 0; i < 60; ++i) {
            std::this_thread::sleep_for(milliseconds(173 + 41 * (i % 7)));  // 0.7 to 1.5 looks apart
            deliveredNs = duration_cast<nanoseconds>(Clock::now().time_since_epoch()).count();
            Wimdows::Internal::KeyPressed('V');
            std::this_thread::sleep_for(milliseconds(40));  // a quick tap
            Wimdows::Internal::KeyReleased('V');
            for (int w = 0; w < 200 && deliveredNs >= 0; ++w) std::this_thread::sleep_for(milliseconds(5));
            deliveredNs = -1;  // not seen within a second: a lost tap
        }
        done = true;
    });
    while (!done) {
        Runtime::Delay(120);
        HermaakLevel();
        Wimdows::UpdateWindow();
        looks.push_back(Clock::now());
        const int64_t d = deliveredNs;
        if (Wimdows::KeyDown('V') && d >= 0) {
            seen.push_back({Clock::time_point(nanoseconds(d)), looks.back()});
            deliveredNs = -1;
        }
    }
    keys.join();
    std::vector<double> total, added;
    for (const auto& [d, s] : seen) {
        total.push_back(Ms(s - d));
        const auto first = *std::lower_bound(looks.begin(), looks.end(), d);
        added.push_back(Ms(s - first));
    }
    std::printf("a key read woken by a key: median %.3f ms, worst %.3f ms (%zu keys)\n", Median(wake),
                *std::max_element(wake.begin(), wake.end()), wake.size());
    std::printf("movement loop, delivery to seen: median %.1f ms, worst %.1f ms; added by the looks: median %.3f ms, "
                "worst %.1f ms, %zu of %zu taps seen\n",
                Median(total), total.empty() ? 0 : *std::max_element(total.begin(), total.end()), Median(added),
                added.empty() ? 0 : *std::max_element(added.begin(), added.end()), seen.size(), size_t(60));
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
    InputDelay();
    Wimdows::KillWindow();
    return 0;
}

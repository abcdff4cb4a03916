// Opens and closes the real window many times while a second thread draws
// and calls UpdateWindow as fast as it can, so that wake-ups of the window thread keep
// meeting the end of its window. Half of the windows end by KillWindow, half
// by opening the next one over them (as the game does after a victory).
// Exit code 0 when every window opened; an X error shows on stderr.
//   zanderfell_windowstress [ROUNDS]
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "gfx/Wimdows.h"

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 300;
    std::atomic<bool> done{false};
    std::thread drawer([&done] {
        for (uint32_t i = 0; !done; ++i) {
            if (Wimdows::State() != Wimdows::STATE_ACTIVE) {
                std::this_thread::yield();
                continue;
            }
            // Unbuffered drawing presents at once (as on the title screen);
            // buffered drawing is shown by UpdateWindow (as in play).
            const int32_t x = int32_t(i % 1000);
            Wimdows::SetBuffering(i % 64 < 32);
            Wimdows::Rectangle(x, 0, x + 20, 40, Wimdows::RgbColor(i % 256, 90, 200), true);
            Wimdows::UpdateWindow();
        }
    });
    int failed = 0;
    for (int round = 0; round < rounds; ++round) {
        Wimdows::Window("Zanderfell Stress", 1000, 700);
        if (Wimdows::State() != Wimdows::STATE_ACTIVE) ++failed;
        if (round % 2 == 1) Wimdows::KillWindow();
    }
    Wimdows::KillWindow();
    done = true;
    drawer.join();
    std::printf("%d windows, %d failed to open\n", rounds, failed);
    return failed == 0 ? 0 : 1;
}

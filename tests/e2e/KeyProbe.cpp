// Opens a real window through the graphics layer and prints the key codes
// that arrive, one per line, until Escape. The end-to-end test types keys
// with xdotool and compares.
#include <cstdio>

#include "gfx/Wimdows.h"

int main() {
    Wimdows::Window("Zanderfell Keys", 1000, 700);
    if (Wimdows::State() != Wimdows::STATE_ACTIVE) return 1;
    std::printf("client %ux%u\n", Wimdows::ClientWidth(), Wimdows::ClientHeight());
    std::fflush(stdout);
    try {
        for (;;) {
            uint32_t k = Wimdows::GetKey();
            std::printf("key %u\n", k);
            std::fflush(stdout);
            if (k == Wimdows::VK_ESCAPE) break;
        }
    } catch (const Wimdows::QuitGame&) {
        std::printf("closed\n");
    }
    Wimdows::KillWindow();
    return 0;
}

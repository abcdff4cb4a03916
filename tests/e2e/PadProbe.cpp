// Opens the real window through the graphics layer, plugs in a virtual
// gamepad (SDL's virtual joystick, mapped like a real pad) and presses its
// buttons and stick one after the other, then unplugs it while it holds A;
// the key codes the game receives are printed one per line until R, and
// then whether the unplugged pad let go of Space. The end-to-end test
// focuses the window (pads play only the window that has the focus) and
// compares the keys with the keyboard's.
//   zanderfell_padprobe
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace {

std::atomic<bool> held{false}, unplugged{false};

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(150)); }

// The window thread sleeps until something wakes it: a frame does.
void Wake() {
    Wimdows::SetBuffering(false);
    Wimdows::Rectangle(0, 0, 10, 10, Wimdows::RgbColor(0, 0, 0), true);
}

void PlayPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = "Zanderfell test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    SDL_Joystick* pad = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
    if (!pad) {
        std::fprintf(stderr, "no virtual pad: %s\n", SDL_GetError());
        unplugged = true;
        return;
    }
    Wake();
    // Long enough for the window thread to open the pad (it then looks at
    // it every 10 ms).
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const auto press = [pad](int button) {
        SDL_JoystickSetVirtualButton(pad, button, 1);
        Pause();
        SDL_JoystickSetVirtualButton(pad, button, 0);
        Pause();
    };
    press(SDL_CONTROLLER_BUTTON_A);
    press(SDL_CONTROLLER_BUTTON_DPAD_UP);
    press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    press(SDL_CONTROLLER_BUTTON_X);
    // The stick pushed half-way left and back, then only a little: one Left.
    for (int16_t v : {-20000, 0, -9000, 0}) {
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, v);
        Pause();
    }
    press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
    press(SDL_CONTROLLER_BUTTON_BACK);
    held = Wimdows::KeyDown(Wimdows::VK_SPACE);  // the look that took R took A's press too
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(index);
    unplugged = true;
}

}  // namespace

int main() {
    Wimdows::Window("Zanderfell Pad", 1000, 700);
    if (Wimdows::State() != Wimdows::STATE_ACTIVE) return 1;
    std::thread presser(PlayPad);
    try {
        for (;;) {
            const uint32_t k = Wimdows::GetKey();
            std::printf("key %u\n", k);
            std::fflush(stdout);
            if (k == 'R') break;
        }
        // The game sees a key let go only at a look: wait through a few.
        while (!unplugged) Runtime::Delay(10);
        Runtime::Delay(300);
    } catch (const Wimdows::QuitGame&) {
        std::printf("closed\n");
    }
    const bool letGo = held && !Wimdows::KeyDown(Wimdows::VK_SPACE);
    presser.join();
    std::printf("unplugged: %s\n", letGo ? "Space let go" : "Space not let go");
    Wimdows::KillWindow();
    return 0;
}

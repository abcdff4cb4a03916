// How the player likes the window: fullscreen or not, and the size of the
// window when it is not. Kept in Window.txt in the player's directory (next
// to Sound.txt), read when the first window opens and written when the
// player changes it. --fullscreen and --windowed choose for one run only,
// as --mute does for sound. No SDL here: the window thread does the rest.
#pragma once

#include <cstdint>
#include <string>

namespace WindowChoice {

struct Choice {
    bool fullscreen = false;
    // The window's client size when not fullscreen; 0 x 0: the game's own.
    int32_t width = 0, height = 0;
    bool operator==(const Choice&) const = default;
};
// Sizes outside these are not a window anyone chose.
constexpr int32_t MinSize = 100, MaxSize = 16384;

// Three lines "fullscreen <0|1>", "width <n>", "height <n>". Missing or
// damaged in any way (an unknown line, a number out of range): the default.
Choice Load(const std::string& path = "Window.txt");
// Written to a temporary file renamed over the old one; false on failure.
bool Save(const Choice& c, const std::string& path = "Window.txt");

// The command line's choice for this run.
enum class Mode : uint8_t { Remembered, Fullscreen, Windowed };
void SetForThisRun(Mode m);
Mode ForThisRun();

}  // namespace WindowChoice

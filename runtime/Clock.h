// The one clock of the game, a seam of its own: every millisecond wait goes
// through here. The platform the program links implements it (the real clock
// beside the real window, a virtual one in the headless platform of the
// tests), so the runtime needs nothing of the graphics layer.
#pragma once

#include <cstdint>

namespace Runtime {

// Waits `ms` milliseconds (ends early, by throwing the graphics layer's
// QuitGame, when the player closes the window).
void Delay(uint32_t ms);
// Milliseconds since the clock started (virtual or real).
uint64_t NowMs();
// The sum of every wait asked for so far, in ms (the game's own pacing).
uint64_t WaitedMs();
// The game clock: the waits, plus the time the game sat blocked reading a
// key. Key events are stamped with it (gfx/Input.h).
uint64_t GameMs();
// Watching a recorded game: the real waits pass `speed` times as fast (the
// game clock still counts them whole). Virtual time has no pace.
void SetPace(uint32_t speed);

}  // namespace Runtime

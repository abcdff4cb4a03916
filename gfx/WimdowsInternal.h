// What the platforms call back into the graphics layer. Not for game code.
#pragma once

#include <cstdint>
#include <vector>

namespace Wimdows::Internal {

// The window exists and its client area is width x height.
void WindowOpened(uint32_t width, uint32_t height);
// The window could not be set up.
void WindowFailed();
// The window is gone: releases buffer, keys, queue and bitmap store and marks
// the window dead. `byPlayer` is true for the close box and for signals; the
// game thread then ends at its next wait.
void WindowClosed(bool byPlayer);

// Key events with virtual-key codes 0..255 (already mapped by the platform).
// A press with Alt held is dropped by the platform before it gets here.
void KeyPressed(uint32_t vk);   // down, also for auto-repeats: queues again
void KeyReleased(uint32_t vk);
void AllKeysUp();               // focus lost

// A rectangle of the window: x, y, width, height.
struct Rect {
    int32_t x, y, w, h;
};
// Copies what changed in the window's picture since the last call (all of it
// when `all` is set) into dst, which holds rows of `pitch` bytes in the
// layout 0x00RRGGBB, and lists the rectangles copied. False without a
// window of that size.
bool CopyScreen(void* dst, int32_t pitch, uint32_t width, uint32_t height, bool all, std::vector<Rect>& copied);

// Runs the pause handler when a pause was asked (the game thread's waits
// call it); PauseAsked tells the waits to stop for it.
void TakePause();
bool PauseAsked();

// True once the player has closed the window; the game thread ends then.
bool QuitRequested();
// Forgets an earlier close by the player (the headless tests start afresh).
void ResetQuit();

}  // namespace Wimdows::Internal

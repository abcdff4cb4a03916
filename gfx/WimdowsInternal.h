// What the platforms call back into the graphics layer. Not for game code.
#pragma once

#include <cstdint>

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

// Copies what the window shows (0x00RRGGBB rows of width pixels) into dst,
// which holds width*height pixels; returns false without a window.
bool CopyScreen(uint32_t* dst, uint32_t width, uint32_t height);

// True once the player has closed the window; the game thread ends then.
bool QuitRequested();
// Forgets an earlier close by the player (the headless tests start afresh).
void ResetQuit();

}  // namespace Wimdows::Internal

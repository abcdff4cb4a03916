// The seam between the graphics layer and the machine, chosen at link time:
// gfx/platform/SdlPlatform.cpp (a real window) or
// gfx/platform/HeadlessPlatform.cpp (tests: no display, virtual time, keys
// fed by the test). Only those two files know how windows and time work.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace Platform {

// Opens the window and its thread. The platform reports the outcome through
// Wimdows::Internal::WindowOpened or WindowFailed (from any thread); returns
// false if no thread could be started at all.
bool OpenWindow(const std::string& title, uint32_t width, uint32_t height);
// Asks the window to close and returns once the platform has reported
// Wimdows::Internal::WindowClosed.
void CloseWindow();
// The window's picture changed (Wimdows::Internal::CopyScreen gives it).
void Present();
// A key read waits for input: `lock` holds the input's mutex and `changed`
// is notified whenever a key is delivered, a source wakes the game or the
// window closes. Returns then, or once the game clock (Runtime::GameMs)
// reaches `untilMs` (UINT64_MAX: no such moment). The time blocked counts
// on the game clock, except for the pause menu's waits (`paused`): a pause
// is no part of the game.
void WaitForInput(std::unique_lock<std::mutex>& lock, std::condition_variable& changed, uint64_t untilMs,
                  bool paused = false);
// When a key event is delivered, in microseconds of the platform's clock:
// a key that goes down and up some time apart between two looks is a tap.
uint64_t KeyTimeUs();

// The clock is the platform's too: it implements runtime/Clock.h.

// Shows an error box (where the platform has one) and writes it to stderr.
void ErrorBox(const std::string& text, const std::string& caption);

}  // namespace Platform

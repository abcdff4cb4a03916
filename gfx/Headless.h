// Control of the headless platform, for tests: virtual time, scripted keys and
// closing the "window" as the player would. Only linked into the tests.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace Headless {

// FocusLost: the player switches to another window (the keys held are let go).
enum class Action : uint8_t { Press, Release, Close, FocusLost };

struct ScriptedEvent {
    uint64_t atMs;    // virtual time at which the event happens
    Action action;
    uint32_t vk;      // virtual-key code (ignored for Close and FocusLost)
};

// Starts afresh: virtual time 0, no scripted events, all keys up, and no
// window. Call at the start of every test.
void Reset();
// Adds events; they happen, in time order, as virtual time reaches them.
void Schedule(const std::vector<ScriptedEvent>& events);
// Convenience: a press at `atMs` released `holdMs` later (holdMs 0: released
// at the same instant, after the press).
void Tap(uint64_t atMs, uint32_t vk, uint64_t holdMs = 0);

// Happens now: the key goes down (queued) or up, and the game looks at once
// (scripted events wait for the game's next look, as the window's keys do).
void Press(uint32_t vk);
void Release(uint32_t vk);

// Virtual time in ms since Reset.
uint64_t Now();
// The sum of all waits so far (equals Now() unless GetKey skipped ahead to
// the next scripted key).
uint64_t WaitedMs();
// When the player closed the window (virtual time), or UINT64_MAX.
uint64_t ClosedByPlayerAt();
// How many times the window was opened since Reset.
uint32_t WindowsOpened();

// The headless window keeps the picture a real window would show, filled
// only by the changed rectangles the graphics layer hands out. CheckWindow
// compares it with what the window should show, the buffer as last brought
// to the window (also done when the window closes); WindowMismatches counts the differences found since the program
// started (Reset leaves it, so that a test playing several games sees all).
void CheckWindow();
uint64_t WindowMismatches();

// When the key queue is empty and the script has nothing left, GetKey would
// wait for ever; the headless platform then closes the window as the player
// would, and the game ends. Tests can instead make that a failure.
void SetFailOnStarvation(bool fail);

// Calls `look` as every wait begins, when the window shows what the player
// sees for the length of the wait (until Reset).
void AtEveryWait(std::function<void()> look);

}  // namespace Headless

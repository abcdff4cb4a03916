// The headless platform: no display and no real waiting. The "window" is
// only state, time is virtual (a wait moves the clock at once), and keys come
// from a script of events at virtual times, so a whole game runs in a blink
// and always the same way.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

#include "gfx/Headless.h"
#include "gfx/Platform.h"
#include "gfx/Wimdows.h"
#include "gfx/WimdowsInternal.h"

namespace {

uint64_t now = 0;
uint64_t waited = 0;
uint32_t opened = 0;
uint64_t closedAt = UINT64_MAX;
std::function<void()> atWait;  // a test's look at the window as each wait begins

void PlayerCloses() {
    closedAt = now;
    Wimdows::Internal::WindowClosed(true);
}
bool failOnStarvation = false;
std::vector<Headless::ScriptedEvent> script;  // sorted by time, stable
size_t nextEvent = 0;

void Apply(const Headless::ScriptedEvent& e) {
    switch (e.action) {
        case Headless::Action::Press: Wimdows::Internal::KeyPressed(e.vk); break;
        case Headless::Action::Release: Wimdows::Internal::KeyReleased(e.vk); break;
        case Headless::Action::Close:
            if (Wimdows::State() == Wimdows::STATE_ACTIVE) PlayerCloses();
            break;
    }
}

void ApplyDue() {
    while (nextEvent < script.size() && script[nextEvent].atMs <= now) Apply(script[nextEvent++]);
}

}  // namespace

namespace Platform {

bool OpenWindow(const std::string&, uint32_t width, uint32_t height) {
    ++opened;
    Wimdows::Internal::WindowOpened(width, height);
    return true;
}

void CloseWindow() { Wimdows::Internal::WindowClosed(false); }

void Present() {}

void WaitForKey(std::unique_lock<std::mutex>& lock, std::condition_variable&) {
    lock.unlock();
    if (nextEvent < script.size()) {
        // Nobody presses a key while the game waits for one: skip ahead to
        // the next scripted event.
        now = std::max(now, script[nextEvent].atMs);
        ApplyDue();
    } else if (failOnStarvation) {
        lock.lock();
        throw std::runtime_error("the game waits for a key but the script has none left");
    } else {
        // The player walks away and closes the window.
        PlayerCloses();
    }
    lock.lock();
}

void Delay(uint32_t ms) {
    if (Wimdows::Internal::QuitRequested()) throw Wimdows::QuitGame{};
    if (atWait) atWait();
    now += ms;
    waited += ms;
    ApplyDue();
    if (Wimdows::Internal::QuitRequested()) throw Wimdows::QuitGame{};
}

uint64_t NowMs() { return now; }
uint64_t WaitedMs() { return waited; }

void ErrorBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace Platform

namespace Headless {

void Reset() {
    Wimdows::KillWindow();
    Wimdows::Internal::AllKeysUp();
    Wimdows::FlushKeys();
    Wimdows::Internal::ResetQuit();
    now = 0;
    waited = 0;
    opened = 0;
    closedAt = UINT64_MAX;
    failOnStarvation = false;
    atWait = nullptr;
    script.clear();
    nextEvent = 0;
}

void Schedule(const std::vector<ScriptedEvent>& events) {
    // Keep what already happened; merge the rest in time order (events at
    // the same time keep the order they were given in).
    std::vector<ScriptedEvent> rest(script.begin() + long(nextEvent), script.end());
    rest.insert(rest.end(), events.begin(), events.end());
    std::stable_sort(rest.begin(), rest.end(),
                     [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.atMs < b.atMs; });
    script.erase(script.begin() + long(nextEvent), script.end());
    script.insert(script.end(), rest.begin(), rest.end());
}

void Tap(uint64_t atMs, uint32_t vk, uint64_t holdMs) {
    Schedule({{atMs, Action::Press, vk}, {atMs + holdMs, Action::Release, vk}});
}


void Press(uint32_t vk) { Wimdows::Internal::KeyPressed(vk); }
void Release(uint32_t vk) { Wimdows::Internal::KeyReleased(vk); }

uint64_t Now() { return now; }
uint64_t WaitedMs() { return waited; }
uint32_t WindowsOpened() { return opened; }
uint64_t ClosedByPlayerAt() { return closedAt; }
void SetFailOnStarvation(bool fail) { failOnStarvation = fail; }
void AtEveryWait(std::function<void()> look) { atWait = std::move(look); }

}  // namespace Headless

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
#include "gfx/Input.h"
#include "gfx/Platform.h"
#include "runtime/Clock.h"
#include "gfx/Wimdows.h"
#include "gfx/WimdowsInternal.h"

namespace {

uint64_t now = 0;
uint64_t waited = 0;
uint64_t pausedMs = 0;  // virtual time spent in the pause menu
uint32_t opened = 0;
uint64_t closedAt = UINT64_MAX;
std::function<void()> atWait;  // a test's look at the window as each wait begins

// The real window's picture, kept as the SDL window thread keeps its
// surface: filled only through CopyScreen, all of it when the window shows
// itself, then what changed at each Present (the real window may take several
// Presents in one go; here each is copied on its own). Checked against the
// window's picture as the game drew it, a missed or short rectangle shows.
std::vector<uint32_t> shadow, wanted;
uint32_t shadowWidth = 0, shadowHeight = 0;
std::vector<Wimdows::Internal::Rect> copied;
uint64_t mismatches = 0;
bool checked = true;  // nothing presented since the last check

bool CopyToShadow(std::vector<uint32_t>& into, bool all) {
    return Wimdows::Internal::CopyScreen(into.data(), int32_t(shadowWidth * 4), shadowWidth, shadowHeight, all, copied);
}

// Every change of the picture is presented at once, so between two drawing
// calls nothing is left to copy and the whole picture can be fetched without
// disturbing the bookkeeping.
void CheckShadow() {
    if (checked || Wimdows::State() != Wimdows::STATE_ACTIVE || shadow.empty()) return;
    checked = true;
    wanted.resize(shadow.size());
    if (!CopyToShadow(wanted, true) || wanted == shadow) return;
    ++mismatches;
    const size_t at = size_t(std::mismatch(shadow.begin(), shadow.end(), wanted.begin()).first - shadow.begin());
    std::fprintf(stderr, "headless: at %llu ms the window shows %06x at (%zu, %zu) instead of %06x\n",
                 static_cast<unsigned long long>(now), shadow[at], at % shadowWidth, at / shadowWidth, wanted[at]);
    shadow.swap(wanted);  // one fault is counted once
}

void PlayerCloses() {
    CheckShadow();
    closedAt = now;
    Wimdows::Internal::WindowClosed(true);
}
bool failOnStarvation = false;
std::vector<Headless::ScriptedEvent> script;  // sorted by time, stable
size_t nextEvent = 0;

uint64_t eventAt = UINT64_MAX;  // the scripted time of the event being applied

void Apply(const Headless::ScriptedEvent& e) {
    eventAt = e.atMs;
    struct Done {
        ~Done() { eventAt = UINT64_MAX; }
    } done;
    switch (e.action) {
        case Headless::Action::Press: Wimdows::Internal::KeyPressed(e.vk); break;
        case Headless::Action::Release: Wimdows::Internal::KeyReleased(e.vk); break;
        case Headless::Action::Close:
            if (Wimdows::State() == Wimdows::STATE_ACTIVE) PlayerCloses();
            break;
        case Headless::Action::FocusLost: Wimdows::Internal::AllKeysUp(); break;
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
    // No picture of the game has the top byte set: what the first frame
    // misses stands out.
    shadow.assign(size_t(width) * height, 0xFF000000u);
    shadowWidth = width;
    shadowHeight = height;
    CopyToShadow(shadow, true);  // the window shows itself
    checked = false;
    return true;
}

void CloseWindow() {
    CheckShadow();
    Wimdows::Internal::WindowClosed(false);
}

void Present() {
    CopyToShadow(shadow, false);
    checked = false;
}

// The time the pause menu waits for its keys moves virtual time on, but not
// the game clock: a pause is no part of the game.
void WaitForInput(std::unique_lock<std::mutex>& lock, std::condition_variable& changed, uint64_t untilMs,
                  bool paused) {
    // A source fed from outside the program (a network peer) is waited for
    // in real time: nothing in virtual time brings what it waits for.
    if (untilMs == UINT64_MAX && !paused && Input::SourceOf(Input::Turn())->Outside()) {
        changed.wait(lock);
        return;
    }
    lock.unlock();
    const uint64_t before = now;
    struct Pause {
        bool paused;
        uint64_t before;
        ~Pause() {
            if (paused) pausedMs += now - before;
        }
    } pause{paused, before};
    if (untilMs != UINT64_MAX) untilMs += pausedMs;  // on the clock of `now`
    if (nextEvent < script.size() && script[nextEvent].atMs <= untilMs) {
        // Nobody presses a key while the game waits for one: skip ahead to
        // the next scripted event.
        now = std::max(now, script[nextEvent].atMs);
        ApplyDue();
    } else if (untilMs != UINT64_MAX) {
        now = std::max(now, untilMs);  // a source has something then
    } else if (failOnStarvation) {
        lock.lock();
        throw std::runtime_error("the game waits for a key but the script has none left");
    } else {
        // The player walks away and closes the window.
        PlayerCloses();
    }
    lock.lock();
}

// A scripted key happens at its own time, however late the game looks.
uint64_t KeyTimeUs() { return (eventAt != UINT64_MAX ? eventAt : now) * 1000; }

void ErrorBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace Platform

// The virtual clock: a wait moves it at once.
namespace Runtime {

void Delay(uint32_t ms) {
    if (Wimdows::Internal::QuitRequested()) throw Wimdows::QuitGame{};
    Wimdows::Internal::TakePause();
    if (atWait) atWait();
    now += ms;
    waited += ms;
    ApplyDue();
    // An Esc during the wait pauses at its end: no virtual time is left.
    Wimdows::Internal::TakePause();
    if (Wimdows::Internal::QuitRequested()) throw Wimdows::QuitGame{};
    Input::Internal::Look();
}

uint64_t NowMs() { return now; }
// Virtual time is the game clock (a blocked key read skips ahead), without
// the pauses.
uint64_t GameMs() { return now - pausedMs; }
void SetPace(uint32_t) {}
uint64_t WaitedMs() { return waited; }

}  // namespace Runtime

namespace Headless {

void Reset() {
    Wimdows::KillWindow();
    Wimdows::SetPauseHandler(nullptr);
    Wimdows::Internal::ResetQuit();
    now = 0;
    waited = 0;
    pausedMs = 0;
    Input::Reset();
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


// A look of its own: the game sees it at once.
void Press(uint32_t vk) {
    Wimdows::Internal::KeyPressed(vk);
    Input::Internal::Look();
}
void Release(uint32_t vk) {
    Wimdows::Internal::KeyReleased(vk);
    Input::Internal::Look();
}

uint64_t Now() { return now; }
uint64_t WaitedMs() { return waited; }
uint32_t WindowsOpened() { return opened; }
void CheckWindow() { CheckShadow(); }
uint64_t WindowMismatches() { return mismatches; }
uint64_t ClosedByPlayerAt() { return closedAt; }
void SetFailOnStarvation(bool fail) { failOnStarvation = fail; }
void AtEveryWait(std::function<void()> look) { atWait = std::move(look); }

}  // namespace Headless

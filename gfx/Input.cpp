// The keyboard as the game sees it: the window's keys and the other sources
// are delivered here from any thread and taken in only at the game's looks
// (see gfx/Input.h); the held keys, the key queue and the pause's own queue
// of the graphics layer live here too.
#include "gfx/Input.h"

#include <array>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

#include "gfx/Platform.h"
#include "gfx/Wimdows.h"
#include "gfx/WimdowsInternal.h"
#include "runtime/Clock.h"

namespace Input {

namespace {

// Never destroyed: see Wimdows.cpp.
std::mutex& mutex = *new std::mutex;
std::condition_variable& changed = *new std::condition_variable;

// --- what the game sees (under `mutex`; the game thread changes it, the
// window thread clears it when the window goes) ------------------------------
std::array<bool, 256> held{}, tapped{};
std::deque<uint32_t> queue;
// Counts what may end a wait for input (a key delivered, a source's wake,
// the window gone): a wait is skipped when the count moved while a source
// was asked without the lock.
uint64_t wakes = 0;
std::array<bool, 256> rawDown{};  // as the window last told: the keys under the player's fingers

// --- the pause: the handler is the game thread's; the flags are read by the
// window thread too ----------------------------------------------------------
std::function<void()> pauseHandler;
bool pauseOn = false;     // a handler is set
bool pauseAsked = false;  // Esc came; until the pause is over
bool inPause = false;
std::deque<uint32_t> pausebuf;  // keys since the Esc

// --- sources, turns and stamps (game thread, except `hook`) ----------------
uint32_t turn = 0;
std::array<std::shared_ptr<Source>, 3> sources;
std::shared_ptr<Source> current;  // the source the previous look asked
uint64_t looks = 0, origin = 0;
std::vector<std::pair<int, Observer>> observers;
int nextObserver = 1;
std::function<void(uint32_t, bool)> hook;  // under `mutex`
std::function<void(uint64_t, uint64_t, bool)> lookHook;  // game thread
bool inKeyRead = false;  // the look is a GetKey's: it goes on while the queue is empty

// Runs the look hook without the lock (it may throw).
void AfterTakeIn(std::unique_lock<std::mutex>& lk) {
    if (!lookHook) return;
    const bool final = !inKeyRead || !queue.empty();
    lk.unlock();
    lookHook(looks, ClockMs(), final);
    lk.lock();
}

bool WindowGone() { return Wimdows::State() != Wimdows::STATE_ACTIVE || Wimdows::Internal::QuitRequested(); }

// The person at the window. Raw key changes wait here (under `mutex`) for
// the next look; a key that went down and up again in between, some time
// apart, becomes a tap.
class WindowKeys : public Source {
public:
    struct Raw {
        bool down;
        uint8_t vk;
        uint64_t atUs;
    };
    std::vector<Raw> raw;
    std::array<bool, 256> given{};  // held as far as the game was told

    void Take(uint64_t, uint64_t, std::vector<Event>& out) override {
        std::array<uint64_t, 256> downAt;
        downAt.fill(UINT64_MAX);  // not gone down since the previous look
        for (const Raw& r : raw) {
            if (r.down) {
                if (!given[r.vk]) downAt[r.vk] = r.atUs;
                given[r.vk] = true;
                out.push_back({Kind::Press, r.vk});
            } else if (given[r.vk]) {
                given[r.vk] = false;
                // Down and up at one instant (only a script does that) was
                // never held: a typed key, not a tap.
                const bool tap = downAt[r.vk] != UINT64_MAX && r.atUs > downAt[r.vk];
                out.push_back({tap ? Kind::Tap : Kind::Release, r.vk});
            }
        }
        raw.clear();
    }
    // Another source's turn: what the person did meanwhile counts for nothing.
    void Discard() {
        raw.clear();
        given.fill(false);
    }
};
WindowKeys& windowKeys = *new WindowKeys;
const std::shared_ptr<Source> windowSource(&windowKeys, [](Source*) {});

// A team's source: its own, or the window's.
const std::shared_ptr<Source>& SourceAt(uint32_t team) {
    const auto& s = sources.at(team);
    return s ? s : windowSource;
}
const std::shared_ptr<Source>& SourceOnTurn() { return SourceAt(turn); }

// Takes the due events of this look in; calls the observers after.
void TakeIn(std::unique_lock<std::mutex>& lk, bool newLook) {
    const std::shared_ptr<Source> source = SourceOnTurn();
    std::vector<Event> events;
    if (newLook) {
        tapped.fill(false);
        if (source != current && current) {
            // Whatever the previous source held, it lets go of.
            for (uint32_t vk = 0; vk < 256; ++vk)
                if (held[vk]) events.push_back({Kind::Release, uint8_t(vk)});
        }
        current = source;
    }
    const uint64_t clock = ClockMs();
    if (source == windowSource) {
        windowKeys.Take(looks, clock, events);
    } else {
        windowKeys.Discard();
        lk.unlock();
        source->Take(looks, clock, events);
        lk.lock();
    }
    for (const Event& e : events) {
        switch (e.kind) {
            case Kind::Press:
                held[e.vk] = true;
                queue.push_back(e.vk);
                break;
            case Kind::Release: held[e.vk] = false; break;
            case Kind::Tap:
                held[e.vk] = false;
                tapped[e.vk] = true;
                break;
        }
    }
    if (events.empty() || observers.empty()) return;
    const auto watching = observers;  // an observer may unobserve itself
    lk.unlock();
    for (const Event& e : events)
        for (const auto& [id, o] : watching) o({looks, clock, turn, e});
    lk.lock();
}

}  // namespace

std::shared_ptr<Source> Window() { return windowSource; }

void SetSource(uint32_t team, std::shared_ptr<Source> source) { sources.at(team) = std::move(source); }

std::shared_ptr<Source> SourceOf(uint32_t team) { return SourceAt(team); }

void SetTurn(uint32_t team) {
    if (team > 2) team = 0;
    turn = team;
}
uint32_t Turn() { return turn; }

void StartCount() {
    looks = 0;
    origin = Runtime::GameMs();
}
uint64_t Looks() { return looks; }
uint64_t ClockMs() { return Runtime::GameMs() - origin; }

int Observe(Observer observer) {
    std::lock_guard lk(mutex);
    observers.emplace_back(nextObserver, std::move(observer));
    return nextObserver++;
}

void Unobserve(int id) {
    std::lock_guard lk(mutex);
    std::erase_if(observers, [id](const auto& o) { return o.first == id; });
}

void SetLookHook(std::function<void(uint64_t, uint64_t, bool)> h) { lookHook = std::move(h); }

void Wake() {
    {
        std::lock_guard lk(mutex);
        ++wakes;
    }
    changed.notify_all();
}

namespace {
// Nothing held, tapped or queued, nothing of the window's on its way (under the mutex).
void ForgetKeys() {
    held.fill(false);
    tapped.fill(false);
    rawDown.fill(false);
    queue.clear();
    windowKeys.Discard();
}
}  // namespace

void SetWindowHook(std::function<void(uint32_t, bool)> h) {
    std::lock_guard lk(mutex);
    hook = std::move(h);
}

void Reset() {
    {
        std::lock_guard lk(mutex);
        ForgetKeys();
        observers.clear();
        hook = nullptr;
    }
    lookHook = nullptr;
    sources = {};
    current = nullptr;
    turn = 0;
    StartCount();
}

namespace Internal {

void Look() {
    std::unique_lock lk(mutex);
    ++looks;
    for (;;) {
        const std::shared_ptr<Source> source = SourceOnTurn();
        const uint64_t seen = wakes;
        lk.unlock();
        const bool ready = source->Ready(looks, ClockMs());
        const uint64_t next = ready ? 0 : source->NextAt(looks);
        lk.lock();
        if (ready) break;
        if (WindowGone()) {
            lk.unlock();
            throw Wimdows::QuitGame{};
        }
        if (wakes == seen) Platform::WaitForInput(lk, changed, next == UINT64_MAX ? UINT64_MAX : origin + next);
    }
    TakeIn(lk, true);
    AfterTakeIn(lk);
}

// The window is gone: nothing is held or queued any more.
void Forget() {
    {
        std::lock_guard lk(mutex);
        ForgetKeys();
        ++wakes;
    }
    changed.notify_all();
}

}  // namespace Internal

}  // namespace Input

namespace Wimdows {

using namespace Input;

// --- keyboard -----------------------------------------------------------------

bool KeyDown(uint32_t k) {
    if (k > 255) return false;
    std::lock_guard lk(mutex);
    return held[k] || tapped[k];
}

uint32_t GetKey() {
    Internal::TakePause();
    struct KeyRead {
        KeyRead() { inKeyRead = true; }
        ~KeyRead() { inKeyRead = false; }
    } keyRead;
    Input::Internal::Look();
    std::unique_lock lk(mutex);
    while (queue.empty()) {
        // No key can come without a window: the game ends here instead of
        // waiting for ever.
        if (WindowGone()) {
            lk.unlock();
            throw QuitGame{};
        }
        if (pauseAsked && !inPause) {
            lk.unlock();
            Internal::TakePause();
            lk.lock();
            continue;
        }
        // Still the same look: it goes on taking keys in as they come. A
        // source is asked without the lock (it may wake the game itself).
        const std::shared_ptr<Source> source = SourceOnTurn();
        const uint64_t seen = wakes;
        lk.unlock();
        const uint64_t next = source->NextAt(looks);
        lk.lock();
        if (wakes == seen) Platform::WaitForInput(lk, changed, next == UINT64_MAX ? UINT64_MAX : origin + next);
        TakeIn(lk, false);
        AfterTakeIn(lk);
    }
    uint32_t k = queue.front();
    queue.pop_front();
    return k;
}

void FlushKeys() {
    std::lock_guard lk(mutex);
    queue.clear();
}

size_t KeysQueued() {
    std::lock_guard lk(mutex);
    return queue.size();
}

// --- pause --------------------------------------------------------------------

void SetPauseHandler(std::function<void()> handler) {
    std::lock_guard lk(mutex);
    pauseHandler = std::move(handler);
    pauseOn = bool(pauseHandler);
    // An Esc that came as the handler changed belongs to neither.
    pauseAsked = false;
    pausebuf.clear();
}

uint32_t PauseKey() {
    std::unique_lock lk(mutex);
    while (pausebuf.empty()) {
        if (WindowGone()) {
            lk.unlock();
            throw QuitGame{};
        }
        Platform::WaitForInput(lk, changed, UINT64_MAX, true);
    }
    uint32_t k = pausebuf.front();
    pausebuf.pop_front();
    return k;
}

// --- what the platforms deliver ----------------------------------------------

namespace Internal {

void KeyPressed(uint32_t vk) {
    if (vk > 255 || State() != STATE_ACTIVE) return;
    const uint64_t at = Platform::KeyTimeUs();
    std::function<void(uint32_t, bool)> h;
    {
        std::lock_guard lk(mutex);
        const bool wasDown = rawDown[vk];
        rawDown[vk] = true;
        if (hook) {
            if (wasDown) return;  // a hook sees no repeats
            h = hook;
        } else {
            // Esc held down repeats: that is still the one Esc that paused,
            // not the one that resumes. From the Esc on, keys are the
            // pause's: the game never sees them go down (a key that chose
            // "resume" must not go on into the game).
            if (pauseOn && wasDown && vk == VK_ESCAPE) return;
            if (pauseOn && pauseAsked) pausebuf.push_back(vk);
            else if (pauseOn && vk == VK_ESCAPE) pauseAsked = true;
            else windowKeys.raw.push_back({true, uint8_t(vk), at});
        }
        ++wakes;
    }
    if (h) h(vk, true);
    changed.notify_all();
}

void KeyReleased(uint32_t vk) {
    if (vk > 255) return;
    const uint64_t at = Platform::KeyTimeUs();
    std::function<void(uint32_t, bool)> h;
    {
        std::lock_guard lk(mutex);
        rawDown[vk] = false;
        if (hook) h = hook;
        else windowKeys.raw.push_back({false, uint8_t(vk), at});
        ++wakes;
    }
    if (h) h(vk, false);
    changed.notify_all();
}

void AllKeysUp() {
    for (uint32_t vk = 0; vk < 256; ++vk) {
        bool down;
        {
            std::lock_guard lk(mutex);
            down = rawDown[vk];
        }
        if (down) KeyReleased(vk);
    }
}

bool PauseAsked() {
    std::lock_guard lk(mutex);
    return pauseAsked && !inPause;
}

void TakePause() {
    {
        std::lock_guard lk(mutex);
        if (!pauseAsked || inPause || !pauseHandler) return;
        inPause = true;
    }
    // However the pause ends (resumed, or leaving by an exception), the keys
    // pressed during it are gone and the next Esc pauses again.
    struct Over {
        ~Over() {
            std::lock_guard lk(mutex);
            pausebuf.clear();
            pauseAsked = false;
            inPause = false;
        }
    } over;
    pauseHandler();
}

}  // namespace Internal

}  // namespace Wimdows

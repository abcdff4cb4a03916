// The game's input: where key events come from and when the game sees them.
// Sources only *deliver* key events; the game thread takes them in at its
// own looks, and nowhere else. A look is the end of every wait
// (Runtime::Delay) and every key read (Wimdows::GetKey, which keeps looking
// while it blocks). Between two looks what the game sees of the keys (held
// keys, the key queue) changes only by its own doing (FlushKeys, GetKey), so
// a game is a function of the events each look took in: record them with
// their look and any game replays to the last pixel.
//
// Each event taken in is stamped with the look's number (counted from
// StartCount) and the game clock (Runtime::GameMs, from the same moment):
// the sum of the waits, plus the time a GetKey sat blocked. The clock paces
// a playback; the look number places an event exactly, even where two looks
// share a moment.
//
// Whose keys count: the game says whose turn it is (SetTurn: 1 red, 2 blue,
// 0 between turns and in the menus), and each of the three has a source.
// By default that is the person at the window; a computer player, a record
// being played back or a network peer can stand in. Keys from the window
// during another source's turn do nothing. When the source changes, the keys
// the previous one held are let go and its queued keys dropped.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Input {

// What a look makes of a key: what the game sees, and what a record holds.
enum class Kind : uint8_t {
    Press,    // goes down, or repeats: held, and queued for GetKey
    Release,  // goes up
    // Went down and up again since the previous look (a quick tap): goes up,
    // but counts as held until the next look, so no tap is missed by a game
    // that only looks at the held keys between its waits.
    Tap,
};
struct Event {
    Kind kind;
    uint8_t vk;  // virtual-key code
    bool operator==(const Event&) const = default;
};
// An event as a look took it in.
struct Stamped {
    uint64_t look;     // the look's number since StartCount (the first look is 1)
    uint64_t clockMs;  // the game clock at that look, since StartCount
    uint32_t team;     // whose turn it was
    Event event;
};

// Where a team's keys come from. Sources are asked on the game thread, at
// every look while their team is on turn; they may be fed from other
// threads (then they call Wake when something changed).
class Source {
public:
    virtual ~Source() = default;
    // Appends the events due at this look, in order.
    virtual void Take(uint64_t look, uint64_t clockMs, std::vector<Event>& out) = 0;
    // For a GetKey blocked at this look: the game clock at which this source
    // will have something (UINT64_MAX: only when it calls Wake). The
    // platform lets the clock run to it (in real time in the window, at
    // once in virtual time). Headless, a key read with nothing to come ends
    // the game as a player who walks away: a source that plays on its own
    // says when.
    virtual uint64_t NextAt(uint64_t /*look*/) { return UINT64_MAX; }
    // False while the source cannot yet say what happens at this look (a
    // network peer that has not confirmed it): the look waits, without
    // spinning, until Wake; closing the window still ends it.
    virtual bool Ready(uint64_t /*look*/, uint64_t /*clockMs*/) { return true; }
    // Fed from outside the program (a network peer): in virtual time too, a
    // look that waits for it with nothing due waits for real, until Wake.
    virtual bool Outside() const { return false; }
    // Who plays through it, as a record names the team's player.
    virtual std::string Name() const { return "person"; }
};

// The person at the window: every team's source unless set otherwise.
std::shared_ptr<Source> Window();
// Sets the source of team 0, 1 or 2 (nullptr: the window again).
void SetSource(uint32_t team, std::shared_ptr<Source> source);
// The source of team 0, 1 or 2 (the window when none was set).
std::shared_ptr<Source> SourceOf(uint32_t team);
void SetTurn(uint32_t team);
uint32_t Turn();

// Look numbers and the clock of the stamps start afresh from here (a match
// starts, or a playback of one).
void StartCount();
uint64_t Looks();
// The game clock since StartCount.
uint64_t ClockMs();

// Every event taken in, as it is taken in (the recorder, a network sender).
// Observers run on the game thread. Returns an id for Unobserve.
using Observer = std::function<void(const Stamped&)>;
int Observe(Observer observer);
void Unobserve(int id);

// Called on the game thread each time a look has taken its events in, and
// again each time a key read that goes on looking takes more (a network
// sender confirms the looks it has passed). `final`: nothing more can come
// at this look (a wait's look, or a key read with a key queued). It may
// throw to leave the game. One at a time; nullptr removes it.
void SetLookHook(std::function<void(uint64_t look, uint64_t clockMs, bool final)> hook);

// For sources on other threads: something changed (a blocked look asks again).
void Wake();

// The window's raw keys go somewhere else instead of to the game while a
// hook is set (a playback takes them as its controls). The hook runs on the
// window thread (on the caller's in the headless platform): keep it short.
void SetWindowHook(std::function<void(uint32_t vk, bool down)> hook);

// Back to the start: the window for every team, turn 0, no observers, no
// hook, counts at 0, nothing held or queued (the headless tests).
void Reset();

namespace Internal {
// A look of the game thread (the platforms call it as each wait ends).
void Look();
// The window is gone: nothing is held or queued any more.
void Forget();
}  // namespace Internal

}  // namespace Input

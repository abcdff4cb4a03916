// Every match recorded, and a record played again: the recorder that writes
// a match into the player's Replays/ as it goes, the source that gives a
// record's keys back to the game at their looks, and the run of a recorded
// match that compares each turn with the record.
#pragma once

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>

#include "game/replay/Record.h"
#include "gfx/Input.h"

namespace Zanderfell::Replay {

constexpr const char* Map = "Replays";  // beside Files/ in the game's directory
constexpr size_t Bewaard = 100;         // the newest records kept

// The heading of a match about to start: this game's version, the date, the
// random state in Files/RandomFile.txt, the menu's settings, who plays each
// team (its source's name).
Opname NieuweKop();

// Writes one match into Replays/<date>_<time>.zfr, line by line as it goes
// (each line reaches the file at once: a game ended any way leaves a record
// that reads up to there). When Replays/ cannot be written the game goes on
// unrecorded, with a note on stderr.
class Recorder {
public:
    explicit Recorder(const Opname& kop);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    void Beurt(const Beurtstand& b);
    void Einde(const Einde& e);
    // The match ends unfinished here.
    void Afgebroken();
    const std::string& Pad() const { return pad_; }

private:
    void Schrijf(const std::string& regels);
    std::FILE* f_ = nullptr;
    int observer_ = 0;
    bool klaar_ = false;
    std::string pad_;
};

// Ends a playback at a look: the record is over, the player stopped it, or
// the game asked for what the record does not hold.
struct Stop {
    std::string waarom;  // empty: the record is over where it was cut, or the player stopped
};

// A record's keys, for every team and between turns, each at its look and,
// at the recorded pace, at its clock. Controls for a playback come from the
// window thread.
class Bron : public Input::Source {
public:
    explicit Bron(const Opname& o);
    void Take(uint64_t look, uint64_t klok, std::vector<Input::Event>& out) override;
    uint64_t NextAt(uint64_t look) override;
    bool Ready(uint64_t look, uint64_t klok) override;
    void Pauzeer(bool aan);
    bool Gepauzeerd() const { return gepauzeerd_; }
    void Stoppen();
    bool Gestopt() const { return gestopt_; }

private:
    uint64_t Wanneer(size_t i) const { return toetsen_[i].clockMs + verschoven_; }
    void Bijwerken(uint64_t klok);
    std::vector<Input::Stamped> toetsen_;
    size_t volgende_ = 0;
    uint64_t stopNaLook_;  // the record ends after this look (cut short)
    std::atomic<bool> gepauzeerd_{false}, gestopt_{false};
    bool stilSinds_ = false;
    uint64_t gepauzeerdBij_ = 0, verschoven_ = 0;  // the pauses of a playback shift the record's clock
};

// Plays the recorded match on the open window with `bron` standing in for
// every player, on a random state in memory, and compares every turn's end
// and the match's end with the record. Returns "" when they agree, else the
// first difference ("turn 3: rabbit 2 at ..."). `tot` gets the number of
// turns checked. In virtual time (`exact`) the game clock must agree too.
std::string Speel(const Opname& o, const std::shared_ptr<Bron>& bron, uint32_t& tot, bool exact);

}  // namespace Zanderfell::Replay

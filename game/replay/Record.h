// The record of one match: a text file of lines, written as the match goes
// (docs/replays.md describes it for players and tool writers). It holds what
// a replay needs to play the match again to the last pixel (the random state
// at the start, the menu settings, every key the match took in with its look
// and game clock) and what a verification compares (each turn's end and the
// match's end).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/Random.h"
#include "game/Zanderfell.h"
#include "gfx/Input.h"

namespace Zanderfell::Replay {

constexpr uint32_t Formaat = 1;  // the version of the record's layout
constexpr const char* Extensie = ".zfr";

// The live game at the end of a turn.
struct Beurtstand {
    uint32_t beurt = 0;   // 1, 2, ... in the match
    uint32_t konijn = 0;  // who played it
    uint64_t look = 0, klok = 0;
    uint32_t inslagen = 0;
    uint64_t grond = 0;  // hash of the grid
    struct Konijn {
        int32_t x = 0, y = 0, levens = 0;
        bool operator==(const Konijn&) const = default;
    };
    std::vector<Konijn> konijnen;  // 1..number of rabbits
};

struct Einde {
    uint32_t winnaar = 0, beurten = 0;
    uint64_t hash = 0;  // of the final state: StaatHash
};

struct Opname {
    std::string versie;  // of the game that played it
    std::string datum;   // when it started (local time), for people
    RANDOMTOESTAND random;
    MENU menu;
    bool klassiek = false;
    std::string spelers[2] = {"person", "person"};  // red, blue
    std::vector<Input::Stamped> toetsen;
    std::vector<Beurtstand> beurten;
    std::optional<Einde> einde;
    // The match was cut short here (window closed, quit from the pause); a
    // record without an end or a cut was cut short by force after its last line.
    std::optional<uint64_t> afgebrokenBijLook;
};

// The lines, each ending in "\n".
std::string KopRegels(const Opname& o);
std::string ToetsRegel(const Input::Stamped& s);
std::string BeurtRegel(const Beurtstand& b);
std::string EindeRegel(const Einde& e);
std::string AfbrekingRegel(uint64_t look, uint64_t klok);

// Reads a record. False with a message naming the line (or the version it
// does not know) when the text is no readable record. A last line without
// its line end (the game was stopped while writing it) is left out when it
// does not read.
bool LeesOpname(const std::string& tekst, Opname& o, std::string& fout);

// A hash (FNV-1a) of the live game's whole state: the grid (RasterHash), the
// rabbits in the match, the impacts.
uint64_t StaatHash();
// The live game's state now, as a turn line gives it.
Beurtstand Stand(uint32_t beurt, uint32_t konijn);
// The first difference between a recorded turn end and the live one, said
// for a person ("" when they agree). The clock only counts when `klok`: a
// playback in the window keeps the record's pace to the millisecond, not
// exactly.
std::string Verschil(const Beurtstand& opgenomen, const Beurtstand& nu, bool klok);

}  // namespace Zanderfell::Replay

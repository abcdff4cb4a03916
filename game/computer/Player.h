// The computer at the keyboard: it follows its team's turn phase by phase
// and gives the keys a person would give to carry out its plan, at a pace a
// person watching can follow. It reads the game's state as the screen shows
// it (rabbits, grid, wind, the phase) and changes nothing but keys.
#pragma once

#include <climits>
#include <cstdint>
#include <vector>

#include "game/TurnBanner.h"
#include "game/computer/Planner.h"

namespace Zanderfell::Computer {

// A key going down or up at a moment of the game's clock (the sum of its
// waits), never before the moment it is given at.
struct ToetsActie {
    uint64_t op = 0;
    bool neer = true;
    uint32_t vk = 0;
};

class Toetsenist {
public:
    Toetsenist(Speler sterkte, uint64_t zaad);
    // Asked at each of the game's looks while its team is on turn, with the
    // game's clock: the keys from now on. Those due now are to be given at
    // once, the others at their moment.
    std::vector<ToetsActie> Kijk(uint64_t klok);
    // The last plan made, and how long making it took: ms of this machine's
    // clock, and of the processor's time given to it.
    const Plan& LaatstePlan() const { return plan_; }
    double Denktijd() const { return denktijd_; }
    double DenkProcessor() const { return denkProcessor_; }
    Speler Sterkte() const { return sterkte_; }

private:
    enum class Stap { Springen, Lopen, Enter, Klaar };
    void NieuweBeurt(uint64_t klok);
    // A movement from the rabbit's place: jump, walk to column doelX, Enter
    // (not in a hurry: the dynamite's run ends with its fuse).
    void Begin(uint64_t vanaf, const Beweging& b, int32_t doelX, bool haast);
    void Stuur(uint64_t klok, Fase fase);
    void KiesWapen(uint64_t klok);
    void Druk(uint64_t op, uint32_t vk);
    void Los(uint64_t op, uint32_t vk);

    Speler sterkte_;
    Kans kans_;
    Plan plan_;
    double denktijd_ = 0, denkProcessor_ = 0;
    uint64_t beurtTeller_ = 0, wapenTeller_ = 0, vluchtTeller_ = 0;
    // The other team's lives at this player's last turn, and its turns in a
    // row since it last saw them go down.
    int32_t anderVoor_ = INT32_MAX;
    uint32_t geduld_ = 0;
    // The movement under way: what is held, and from when on the next key
    // may come; in a hurry (the dynamite's fuse) each key follows at once.
    Stap stap_ = Stap::Klaar;
    Beweging beweging_;
    int32_t doelX_ = 0;
    bool haast_ = false;
    uint64_t volgende_ = 0;
    uint32_t vast_ = 0;  // the key held down, 0 none
    uint64_t vastSinds_ = 0;
    std::vector<ToetsActie> uit_;
};

}  // namespace Zanderfell::Computer

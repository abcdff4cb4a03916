// The game's shared records and state: the menu choices, the landscape grid,
// the eight rabbits, the impact list and the two fixed colours. Every module
// of the game reads and writes these directly.
#pragma once

#include <cstdint>
#include <functional>

#include "game/Field.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

// A point of the playing field: x 1..1000 left to right, y 1..600 top down.
struct COORDINATEN {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const COORDINATEN&) const = default;
};

struct CEL {
    bool Grond = false;   // solid ground
    bool Konijn = false;  // a rabbit stands here
};

// The landscape grid, indexed Level[x][y] with x 1..1000 and y 1..600.
using LEVEL = Runtime::Array<Runtime::Array<CEL, 1, Veld::Hoogte>, 1, Veld::Breedte>;

struct KonijnRecord {
    COORDINATEN Positie;  // middle column and feet row
    int32_t Levens = 0;   // 100 at the start; may go below 0
    uint32_t Team = 0;    // 1 red, 2 blue, 0 not in the game
};
using KONIJN = Runtime::Array<KonijnRecord, 1, 8>;

struct MENU {
    uint32_t LevelNr = 0;           // 1..3
    uint32_t AantalKonijntjes = 0;  // both teams together: 2, 4, 6, 8
    bool Wind = false;
};

struct Inslag {
    int32_t x = 0;
    int32_t y = 0;
    int32_t Grootte = 0;  // crater radius
};
using SCHADE = Runtime::Array<Inslag, 0, 500>;

// What a terrain probe found around a rabbit.
struct HINDERING {
    bool Boven = false;  // ground in the head-room row
    bool Zij = false;    // ground in the side column
};

extern MENU Menu;
extern LEVEL Level;
extern KONIJN Konijntjes;
extern SCHADE SchadeArray;
extern uint32_t AANTALINSLAGEN;
extern uint32_t KonijnNr;
extern Wimdows::Color _ACHTERGRONDKLEUR;  // the sky
extern Wimdows::Color _WATER;

// The water: where a rabbit drowns, and where the painted water begins.
using Veld::WaterRij;
using Veld::WaterZoneRij;
// One of the game's colours (game/Field.h) as the graphics layer takes it.
inline Wimdows::Color Kleur(Veld::Rgb c) { return Wimdows::RgbColor(c.r, c.g, c.b); }

// --classic: the screens exactly as the game always drew them, without the
// turn banner, the numbers of what a blast cost and the phase hints.
extern bool Klassiek;

// Start-up: opens the window titled "Zanderfell", shows the loading picture,
// loads the catalogue and fixes the two colours.
void MaakSchermAan();
// The program: start-up, then the game loop until the player quits. Returns
// the process exit code (0 when the player closed the window or pressed Q,
// 2 for an unknown option). Its options: --mute (this game silent; the
// player's remembered choice stays as it was) and --classic.
int Main(int argc = 0, const char* const* argv = nullptr);
// One match on the live game: the set-up from Menu and the random state,
// then turns until a team has won. `naBeurt` follows every turn with its
// number in the match and the rabbit that played it. With `metPauze`, Esc
// pauses. The looks of the keys are counted from the match's start.
struct Partij {
    uint32_t winnaar = 0, beurten = 0;
};
Partij SpeelPartij(bool metPauze, const std::function<void(uint32_t beurt, uint32_t konijn)>& naBeurt);
// Resets the impact list for a new game: the dummy impact (1, 1, 0) only.
void ResetInslagen();

}  // namespace Zanderfell

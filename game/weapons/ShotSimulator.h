// What a shot would do, worked out beside the game: where it ends, the crater
// and every rabbit's lives afterwards, from the same steps the weapons run,
// without drawing, waiting or touching the game's own state. This is what a
// computer player asks for every shot it considers.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "game/Zanderfell.h"
#include "game/weapons/Weapons.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

// The state a shot reads; none of it is changed. The grid is the game's as
// it stands at the weapon choice (the shooter's own cells marked), the wind
// the turn's.
struct Stand {
    const LEVEL& level;
    const KONIJN& konijnen;
    uint32_t AantalKonijntjes;
    int32_t Wind;
};

// A shot as the weapon procedures take it once aiming is done.
struct Schot {
    Wapen wapen = Wapen::Bazooka;
    float Hoek = 0;        // the sight's angle (bazooka, grenade, pistol)
    float Kracht = 0;      // the power meter's value (bazooka, grenade)
    int32_t BijlKant = -1; // the axe: -1 left, +1 right
};

// The crater's cells are KraterCellen(Krater.Grootte) around its centre,
// those that Uitgraafbaar allows (game/weapons/Damage.h).
struct SchotUitslag {
    COORDINATEN Einde;                     // the impact; the striker's feet for the axe
    Inslag Krater;                         // centre and radius; radius 0: no crater (the axe)
    Runtime::Array<int32_t, 1, 8> Levens;  // every rabbit's lives afterwards
};

// What a player can give for a shot, in keys.
struct Toetsen {
    Wapen wapen = Wapen::Bazooka;
    int32_t Omhoog = 0;           // presses of Up while aiming (negative: presses of Down)
    uint32_t Krachtstappen = 0;   // steps of the power meter while Space stays held
    int32_t BijlKant = -1;        // the axe: -1 as the swing starts, +1 after Right
    // The dynamite is lit at the rabbit's feet; where the rabbit has run to
    // when it goes off (no value: it stayed).
    std::optional<COORDINATEN> WegNaar = std::nullopt;
};

// The shot of rabbit KonijnNr. The dynamite goes off at the rabbit's feet as
// the state has them, with every rabbit where the state has it.
SchotUitslag Simuleer(const Stand& stand, uint32_t KonijnNr, const Schot& schot);
// The same for keys: the aiming steps turn them into the angle and power.
SchotUitslag Simuleer(const Stand& stand, uint32_t KonijnNr, const Toetsen& toetsen);
// The angle after each number of presses, from n of Down to n of Up, each
// from the one before (a refused turn leaves the angle, and every later
// press with it): element n + Omhoog.
std::vector<float> HoekenNaToetsen(COORDINATEN Voeten, uint32_t n);
// The angle after the presses (one side of the above, worked out alone) and
// the power after the meter's steps.
float HoekNaToetsen(COORDINATEN Voeten, int32_t Omhoog);
float KrachtNaStappen(uint32_t Krachtstappen);

}  // namespace Zanderfell

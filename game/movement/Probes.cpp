// Terrain probes: what a rabbit bumps into at its side and above
// its head, and the verdict for one walking step.
#include "game/movement/Probes.h"

#include "game/Field.h"

namespace Zanderfell {

bool IsGrond(const LEVEL& level, int32_t x, int32_t y) {
    if (x < 1 || x > Veld::Breedte || y < 1 || y > Veld::Hoogte) return false;  // outside: air
    return level[x][y].Grond;
}

HINDERING Obstakel(const LEVEL& level, COORDINATEN Positie, int32_t Richting) {
    HINDERING h;
    const int64_t x = Positie.x, y = Positie.y;
    // Side contact: column x + Richting, rows y - 60 up to y - 2.
    for (int64_t i = 2; i <= 60; ++i) {
        if (IsGrond(level, static_cast<int32_t>(x + Richting), static_cast<int32_t>(y - i))) {
            h.Zij = true;
            break;
        }
    }
    // Head room: row y - 61, columns x - 14 to x + 16.
    for (int64_t i = 1; i <= 31; ++i) {
        if (IsGrond(level, static_cast<int32_t>(x - 15 + i), static_cast<int32_t>(y - 61))) {
            h.Boven = true;
            break;
        }
    }
    return h;
}

int32_t Controleeromgeving(const LEVEL& level, COORDINATEN Positie, int32_t Richting) {
    const HINDERING h = Obstakel(level, Positie, Richting);
    if (h.Zij) return 2;
    const int64_t X = int64_t{Positie.x} + Richting;
    const int64_t y = Positie.y;
    if (IsGrond(level, static_cast<int32_t>(X), static_cast<int32_t>(y - 1))) {
        if (y == 61) return 2;  // may not climb above row 61
        if (h.Boven) return 2;
        return 1;
    }
    if (IsGrond(level, static_cast<int32_t>(X), static_cast<int32_t>(y + 1))) return 0;
    return -1;
}

}  // namespace Zanderfell

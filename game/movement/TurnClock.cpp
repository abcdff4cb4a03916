// The turn clock: its charges, and its two digits at the right end of the
// status bar.
#include "game/movement/TurnClock.h"

#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

float Afschrijven(float Tijd, long double Kosten) { return Runtime::F(Tijd - Kosten); }

bool TijdOp(float Tijd) { return Tijd <= 0.0f; }

KlokCijfers Cijfers(float Tijd) {
    if (!(Tijd > 0.0f)) Tijd = 0.0f;  // 0 or less, negative zero (and NaN) show 0
    const uint32_t n = Runtime::ToU32(static_cast<int64_t>(Runtime::Trunc(Tijd)));
    const uint32_t eenheden = n % 10;
    return {(n - eenheden) / 10, eenheden};
}

void GeefTijd(float Tijd) {
    const KlokCijfers c = Cijfers(Tijd);
    TekenDigit(c.Eenheden, 1);
    TekenDigit(c.Tientallen, 2);
    Wimdows::UpdateWindow();
}

void TekenDigit(uint32_t Tijd, uint32_t Tiental_Eenheid) {
    const uint32_t x = Tiental_Eenheid == 1 ? 956 : 932;
    if (Tijd <= 9) TekenBitmaps::TekenCijfer(x, 634, Tijd);  // above 9: nothing
}

}  // namespace Zanderfell

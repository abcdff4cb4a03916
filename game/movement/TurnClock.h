// The turn clock: what each action costs, and its two digits in the status bar.
#pragma once

#include <cstdint>

namespace Zanderfell {

// ---- Steps: pure arithmetic on the clock. ----
// Charges. Literals are extended precision; the clock itself is a float and
// every charge is stored back in single precision.
constexpr long double StapKosten = 0.1L;     // an idle tick or a walking step
constexpr long double SprongKosten = 0.03L;  // a step of a jump
constexpr long double ValKosten = 0.01L;     // a drawn row of a fall
// The clock after a charge.
float Afschrijven(float Tijd, long double Kosten);
// The phase ends when the clock reaches 0.
bool TijdOp(float Tijd);
// The tens and units the clock shows: 0 or less (and NaN) show 0.
struct KlokCijfers {
    uint32_t Tientallen = 0, Eenheden = 0;
    bool operator==(const KlokCijfers&) const = default;
};
KlokCijfers Cijfers(float Tijd);

// ---- Drawing. ----
void GeefTijd(float Tijd);
void TekenDigit(uint32_t Tijd, uint32_t Tiental_Eenheid);

}  // namespace Zanderfell

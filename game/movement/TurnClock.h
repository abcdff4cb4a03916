// The turn clock's two digits in the status bar.
#pragma once

#include <cstdint>

namespace Zanderfell {

void GeefTijd(float Tijd);
void TekenDigit(uint32_t Tijd, uint32_t Tiental_Eenheid);

}  // namespace Zanderfell

// The axe: turning to a side and the three-frame swing.
#pragma once

#include <cstdint>

namespace Zanderfell {

// Returns the side of the swing: -1 left, +1 right.
int32_t BaanBijl(uint32_t KonijnNr);

}  // namespace Zanderfell

// StandardLib: small helpers of the game's own.
#pragma once

#include <cstdint>

namespace Zanderfell {

// Whole-pixel distance between two points: the square root of the squared
// differences, in extended precision, truncated toward zero.
uint32_t Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

}  // namespace Zanderfell

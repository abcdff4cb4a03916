// StandardLib: small helpers of the game's own.
#include "game/StandardLib.h"

#include <cmath>

#include "runtime/Runtime.h"

namespace Zanderfell {

uint32_t Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    long double dx = static_cast<long double>(int64_t{x1} - x2);
    long double dy = static_cast<long double>(int64_t{y1} - y2);
    long double d = std::sqrt(dx * dx + dy * dy);  // extended precision
    return Runtime::ToU32(static_cast<int64_t>(d));  // truncated toward zero
}

}  // namespace Zanderfell

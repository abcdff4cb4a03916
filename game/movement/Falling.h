// After a turn every rabbit falls as far as the damaged ground lets it.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

void VallenNaBeurt(MENU Menu);
COORDINATEN Val(uint32_t KonijnNr, int32_t& levens);

}  // namespace Zanderfell

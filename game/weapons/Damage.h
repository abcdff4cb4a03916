// Explosions: what they show, the impact list, lives taken and the crater.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

void Schade(COORDINATEN Inslag, uint32_t Grootte);

}  // namespace Zanderfell

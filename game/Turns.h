// Turns and victory.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

uint32_t ControleerWelkKonijntje(uint32_t KonijnNr, uint32_t AantalKonijntjes, KONIJN Konijntjes);
void Beurt(uint32_t KonijnNr);
bool ControleerOverwinning(uint32_t AantalKonijntjes, KONIJN Konijntjes);
void TekenLevensStatusbalk(uint32_t AantalKonijntjes, KONIJN Konijntjes);

}  // namespace Zanderfell

// The in-game menu. The pause itself lives in the graphics layer, where every
// wait and key read of the game passes: no phase of a turn knows about it,
// and while the menu is up no wait runs and no key reaches the game.
#include "game/Pause.h"

#include "game/Trace.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"

namespace Zanderfell {

void PauzeMenu() {
    Trace::Line("pause");
    Wimdows::SaveFrame();
    uint32_t keuze = 1;
    for (;;) {
        TekenBitmaps::TekenPauzeMenu(keuze);
        uint32_t toets = Wimdows::PauseKey();
        if (toets == Wimdows::VK_ESCAPE) {
            keuze = 1;
            toets = Wimdows::VK_RETURN;
        }
        switch (toets) {
            case Wimdows::VK_UP: keuze = keuze == 1 ? 3 : keuze - 1; break;
            case Wimdows::VK_DOWN: keuze = keuze == 3 ? 1 : keuze + 1; break;
            case Wimdows::VK_RETURN:
                if (keuze == 1) {
                    Wimdows::RestoreFrame();
                    Trace::Line("resume");
                    return;
                }
                if (keuze == 2) {
                    Trace::Line("quit to title");
                    throw TerugNaarTitel{};
                }
                throw Wimdows::QuitGame{};
            default: break;
        }
    }
}

PauzeTijdensSpel::PauzeTijdensSpel() { Wimdows::SetPauseHandler(PauzeMenu); }
PauzeTijdensSpel::~PauzeTijdensSpel() { Wimdows::SetPauseHandler(nullptr); }

}  // namespace Zanderfell

#include "game/Menus.h"

#include "audio/Sound.h"
#include "game/Trace.h"
#include "game/Zanderfell.h"
#include "game/computer/Choice.h"
#include "gfx/TekenBitmaps.h"

namespace Zanderfell {

// The screens are the menus' own; MenusLokaal keeps their start-up apart from
// the program's.
namespace {
namespace MenusLokaal {

using namespace TekenBitmaps;

constexpr uint32_t Enter = 0x0D, Links = 0x25, Omhoog = 0x26, Rechts = 0x27, Omlaag = 0x28, C = 0x43, Q = 0x51,
                   R = 0x52;

// The menus' own start-up: a fresh window (unbuffered, so every screen shows
// as soon as it is drawn), the loading picture, and the catalogue again.
void MaakSchermAan() {
    Wimdows::Window("Zanderfell", 1000, 700);
    if (Wimdows::State() != Wimdows::STATE_ACTIVE) Runtime::RunError("the window could not be opened again");
    Wimdows::Handle LoadingBitmap = Wimdows::LoadBitmap("Images/Loading.bmp", 1000, 700);
    Wimdows::DrawBitmap(LoadingBitmap, 1, 1);
    LaadBitmaps();
}

// The menus sound from the middle.
void Hoor(Sound::Id id) { Sound::Play(id, 500); }

uint32_t TitelSchermSelectie() {
    uint32_t selectie = 1;
    TekenTitelScherm(1);
    Trace::Line("title");
    for (;;) {
        if (Klassiek) {
            TekenTitelScherm(selectie);
        } else {
            // The title and who plays blue reach the window as one picture.
            Wimdows::SetBuffering(true);
            TekenTitelScherm(selectie);
            TekenBlauweSpeler(uint32_t(Computer::Blauw) + 1);
            Wimdows::UpdateWindow();
            Wimdows::SetBuffering(false);
        }
        switch (Wimdows::GetKey()) {
            case Omhoog: selectie = selectie == 1 ? 4 : selectie - 1; Hoor(Sound::Id::MenuMove); break;
            case Omlaag: selectie = selectie == 4 ? 1 : selectie + 1; Hoor(Sound::Id::MenuMove); break;
            case Enter: Hoor(Sound::Id::MenuChoose); return selectie;
            // C: who plays blue, remembered for the next time. (--classic
            // shows the title as it always was, without the choice.)
            case C:
                if (Klassiek) break;
                Computer::Blauw = Computer::Volgende(Computer::Blauw);
                Computer::BewaarBlauw(Computer::Blauw);
                Trace::Line(std::string("blue ") + Computer::Naam(Computer::Blauw));
                Hoor(Sound::Id::MenuMove);
                break;
            // Q closes the window; the next wait for a key then ends the game.
            case Q: Wimdows::KillWindow(); break;
            default: break;
        }
    }
}

MENU MenuSchermSelectie() {
    MENU menu;
    menu.AantalKonijntjes = 0;
    menu.Wind = false;
    uint32_t rij = 1, keuze = 1;
    TekenMenuScherm(1, 1);
    for (;;) {
        TekenMenuScherm(rij, keuze);
        const uint32_t laatste = rij == 1 ? 4 : 2;
        switch (Wimdows::GetKey()) {
            case Links: keuze = keuze == 1 ? laatste : keuze - 1; Hoor(Sound::Id::MenuMove); break;
            case Rechts: keuze = keuze == laatste ? 1 : keuze + 1; Hoor(Sound::Id::MenuMove); break;
            case Enter:
                Hoor(Sound::Id::MenuChoose);
                if (rij == 1) {
                    menu.AantalKonijntjes = 2 * keuze;
                } else if (rij == 2) {
                    menu.Wind = keuze == 1;
                } else {
                    menu.LevelNr = keuze;
                    return menu;
                }
                ++rij;
                keuze = 1;
                break;
            case R: return MENU{};
            default: break;
        }
    }
}

MENU InstructiesScherm() {
    uint32_t pagina = 1;
    for (;;) {
        TekenInstructies(pagina);
        switch (Wimdows::GetKey()) {
            case Enter: pagina = pagina == 1 ? 2 : 1; Hoor(Sound::Id::MenuMove); break;
            case R: return MENU{};
            default: break;
        }
    }
}

MENU CreditsScherm() {
    do TekenCredits();
    while (Wimdows::GetKey() != R);
    return MENU{};
}

}  // namespace MenusLokaal
}  // namespace

MENU Menus() {
    using namespace MenusLokaal;
    MenusLokaal::MaakSchermAan();
    MENU menu;
    do {
        switch (TitelSchermSelectie()) {
            case 1: menu = MenuSchermSelectie(); break;
            case 2: menu = InstructiesScherm(); break;
            case 3: menu = MENU{3, 2, false}; break;  // the duel on the third landscape
            case 4: menu = CreditsScherm(); break;
        }
    } while (menu.AantalKonijntjes == 0);
    return menu;
}

}  // namespace Zanderfell

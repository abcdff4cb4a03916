#include "game/Zanderfell.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "audio/Sound.h"
#include "game/Level.h"
#include "game/Menus.h"
#include "game/Online.h"
#include "game/Options.h"
#include "game/Pause.h"
#include "game/Placement.h"
#include "game/Trace.h"
#include "game/Turns.h"
#include "game/TurnBanner.h"
#include "gfx/Input.h"
#include "gfx/TekenBitmaps.h"

namespace Zanderfell {

MENU Menu;
LEVEL Level;
KONIJN Konijntjes;
SCHADE SchadeArray;
uint32_t AANTALINSLAGEN = 0;
uint32_t KonijnNr = 0;
Wimdows::Color _ACHTERGRONDKLEUR = 0;
Wimdows::Color _WATER = 0;
bool Klassiek = false;

void MaakSchermAan() {
    Wimdows::Window("Zanderfell", 1000, 700);
    Wimdows::Handle LoadingBitmap = Wimdows::LoadBitmap("Images/Loading.bmp", 1000, 700);
    Wimdows::DrawBitmap(LoadingBitmap, 1, 1);
    TekenBitmaps::LaadBitmaps();
    _ACHTERGRONDKLEUR = Kleur(Veld::Lucht);
    _WATER = Kleur(Veld::Water);
}

void ResetInslagen() {
    SchadeArray[0] = Inslag{1, 1, 0};
    AANTALINSLAGEN = 0;
}

namespace {

// Nothing of a match left behind: the next one starts from scratch.
void VergeetSpel() {
    for (int64_t x = LEVEL::low; x <= LEVEL::high; ++x) Level[x] = {};
    Konijntjes = KONIJN{};
    ResetInslagen();
    KonijnNr = 0;
    Wimdows::FlushKeys();
}

// One game: set-up, then turns until a team has no lives left. True when the
// players want the same game again.
bool SpeelSpel() {
    MaakLevelAan(Menu.LevelNr, Level);
    MaakKonijntjesAan(Menu.LevelNr, Menu.AantalKonijntjes, Konijntjes, Level);
    ResetInslagen();
    KonijnNr = 0;
    GeenBanner();
    HermaakLevel();
    Trace::Point("start");
    Afloop afloop = Afloop::Verder;
    uint32_t beurten = 0;
    try {
        PauzeTijdensSpel pauze;
        do {
            KonijnNr = ControleerWelkKonijntje(KonijnNr, Menu.AantalKonijntjes, Konijntjes);
            // The keys of a turn are its team's (between turns: the menus' keys).
            Input::SetTurn(Konijntjes[KonijnNr].Team);
            Beurt(KonijnNr);
            Input::SetTurn(0);
            Trace::Point("turn " + std::to_string(KonijnNr));
            OnlineNaBeurt(++beurten);
        } while ((afloop = ControleerOverwinning(Menu.AantalKonijntjes, Konijntjes)) == Afloop::Verder);
    } catch (const TerugNaarTitel&) {
        Input::SetTurn(0);
        VergeetSpel();
        return false;
    } catch (const Net::Ended&) {
        Input::SetTurn(0);
        VergeetSpel();
        throw;
    }
    Trace::Line("game over");
    return afloop == Afloop::Opnieuw;
}

}  // namespace

int Main(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    const OptieUitkomst gelezen = LeesOpties(args);
    if (!gelezen.fout.empty()) {
        std::fprintf(stderr, "zanderfell: %s\n%s", gelezen.fout.c_str(), OptieGebruik().c_str());
        return 2;
    }
    const bool mute = gelezen.opties.Stil;
    // A port in use or an unknown machine ends the program before any window.
    if (!OnlineOpen(gelezen.opties)) return 1;
    // The tests may have switched it on already.
    if (gelezen.opties.Klassiek) Klassiek = true;
    // The aiming message goes to standard output; a closed pipe there must
    // never end the game.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        MaakSchermAan();
        if (Wimdows::State() != Wimdows::STATE_ACTIVE) {
            std::fprintf(stderr, "zanderfell: the window could not be opened (no display?)\n");
            return 1;
        }
        // Only a game that shows may sound (and say it cannot).
        Sound::Open(mute);
        for (;;) {
            try {
                // Over the network the host chooses; the joiner waits for its start.
                if (OnlineJoiner()) {
                    OnlineWachtOpStart();
                } else {
                    OnlineWachtOpSpeler();
                    Menu = Menus();
                }
                for (;;) {
                    Trace::Line("menu level " + std::to_string(Menu.LevelNr) + " rabbits " +
                                std::to_string(Menu.AantalKonijntjes) + " wind " + (Menu.Wind ? "on" : "off"));
                    OnlineBeginSpel();
                    const bool opnieuw = SpeelSpel();
                    OnlineEindeSpel();
                    // A joiner's rematch starts on the host's word like any match.
                    if (!opnieuw || OnlineJoiner()) break;
                    // Again with the same settings, from a fresh window as after the title.
                    Trace::Line("rematch");
                    MaakSchermAan();
                }
            } catch (const Net::Ended& einde) {
                OnlineVerloren(einde);
            }
        }
    } catch (const Wimdows::QuitGame&) {
        // The player closed the window or quit from the title screen.
        OnlineSluit();
        Wimdows::KillWindow();
        Trace::Line("quit");
        return 0;
    }
}

}  // namespace Zanderfell

#include "game/Zanderfell.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
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
#include "game/computer/Choice.h"
#include "game/computer/Source.h"
#include "game/replay/Replay.h"
#include "game/replay/Verify.h"
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

// One game: the match, recorded, then the victory screen. True when the
// players want the same game again.
bool SpeelSpel() {
    Replay::Opname kop = Replay::NieuweKop();
    // The computer's teams give their keys through the input layer, seeded
    // from the match's random state; the record names each team's source
    // (a person, a computer's strength, the network).
    const Computer::SpelersVanDePartij spelers(kop.random);
    for (uint32_t team = 1; team <= 2; ++team) kop.spelers[team - 1] = Input::SourceOf(team)->Name();
    Replay::Recorder opname(kop);
    Afloop afloop = Afloop::Verder;
    try {
        const Partij partij = SpeelPartij(true, [&](uint32_t beurt, uint32_t konijn) {
            opname.Beurt(Replay::Stand(beurt, konijn));
            OnlineNaBeurt(beurt);
        });
        opname.Einde({partij.winnaar, partij.beurten, Replay::StaatHash()});
        afloop = ControleerOverwinning(Menu.AantalKonijntjes, Konijntjes);
    } catch (const TerugNaarTitel&) {
        opname.Afgebroken();
        VergeetSpel();
        // Quitting a network match to the title leaves the network game:
        // the other side is told and goes to its title too.
        OnlineSluit();
        return false;
    } catch (const Net::Ended&) {
        // The record stays, for finding out where two games parted.
        opname.Afgebroken();
        VergeetSpel();
        throw;
    } catch (const Wimdows::QuitGame&) {
        opname.Afgebroken();
        throw;
    }
    Trace::Line("game over");
    return afloop == Afloop::Opnieuw;
}

}  // namespace

Partij SpeelPartij(bool metPauze, const std::function<void(uint32_t beurt, uint32_t konijn)>& naBeurt) {
    Input::StartCount();
    Input::SetTurn(0);
    MaakLevelAan(Menu.LevelNr, Level);
    MaakKonijntjesAan(Menu.LevelNr, Menu.AantalKonijntjes, Konijntjes, Level);
    ResetInslagen();
    KonijnNr = 0;
    GeenBanner();
    HermaakLevel();
    Trace::Point("start");
    std::optional<PauzeTijdensSpel> pauze;
    if (metPauze) pauze.emplace();
    Partij partij;
    while (partij.winnaar == 0) {
        KonijnNr = ControleerWelkKonijntje(KonijnNr, Menu.AantalKonijntjes, Konijntjes);
        // The keys of the team on turn count; the others' do nothing.
        Input::SetTurn(Konijntjes[KonijnNr].Team);
        Beurt(KonijnNr);
        Input::SetTurn(0);
        Trace::Point("turn " + std::to_string(KonijnNr));
        naBeurt(++partij.beurten, KonijnNr);
        partij.winnaar = Winnaar(Menu.AantalKonijntjes, Konijntjes);
    }
    return partij;
}

namespace {

// A file named on the command line of the installed game: the launcher runs
// the game in the player's directory and says where it was started from.
std::string VanAanroeper(const std::string& bestand) {
    const char* map = std::getenv("ZANDERFELL_CALLER_DIR");
    if (bestand.empty() || bestand[0] == '/' || !map || !*map) return bestand;
    return std::string(map) + "/" + bestand;
}

// --verify: the game is linked with the real window; the headless program
// beside it plays the records in virtual time.
int Controleer(const std::vector<std::string>& bestanden) {
    std::error_code ec;
    const std::filesystem::path zelf = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string programma = (ec ? std::filesystem::path(".") : zelf.parent_path()).string() + "/zanderfell-verify";
    std::vector<std::string> args = {programma};
    for (const std::string& b : bestanden) args.push_back(VanAanroeper(b));
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    execv(programma.c_str(), argv.data());
    std::fprintf(stderr, "zanderfell: cannot start %s: %s\n", programma.c_str(), std::strerror(errno));
    return 2;
}

// --replay: the recorded game in the window at its pace. The player's keys
// are the playback's: Space pauses, Right held plays four times as fast, Q
// (or the close box) stops.
int KijkOpname(const std::string& bestand, bool mute) {
    Replay::Opname o;
    const std::string fout = Replay::LeesVoorSpelen(VanAanroeper(bestand), o);
    if (!fout.empty()) {
        std::fprintf(stderr, "zanderfell: %s: %s\n", bestand.c_str(), fout.c_str());
        return 2;
    }
    // The keys are the playback's from the moment the window opens.
    const auto bron = std::make_shared<Replay::Bron>(o);
    Input::SetWindowHook([bron](uint32_t vk, bool neer) {
        if (vk == Wimdows::VK_RIGHT) Runtime::SetPace(neer ? 4 : 1);
        if (!neer) return;
        if (vk == Wimdows::VK_SPACE) bron->Pauzeer(!bron->Gepauzeerd());
        if (vk == 'Q') bron->Stoppen();
    });
    MaakSchermAan();
    if (Wimdows::State() != Wimdows::STATE_ACTIVE) {
        std::fprintf(stderr, "zanderfell: the window could not be opened (no display?)\n");
        return 1;
    }
    Sound::Open(mute);
    uint32_t beurten = 0;
    const std::string verschil = Replay::Speel(o, bron, beurten, false);
    if (!verschil.empty())
        std::fprintf(stderr, "zanderfell: %s did not play as recorded: %s\n", bestand.c_str(), verschil.c_str());
    if (verschil.empty() && o.einde && !bron->Gestopt()) {
        // The winner a moment, as the players saw it.
        TekenBitmaps::TekenOverwinning(o.einde->winnaar);
        Runtime::Delay(2000);
    }
    Input::SetWindowHook(nullptr);
    Runtime::SetPace(1);
    Wimdows::KillWindow();
    return 0;
}

}  // namespace

int Main(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    const OptieUitkomst gelezen = LeesOpties(args);
    if (!gelezen.fout.empty()) {
        std::fprintf(stderr, "zanderfell: %s\n", gelezen.fout.c_str());
        return 2;
    }
    if (gelezen.opties.Hulp || gelezen.opties.Versie) {
        std::fputs((gelezen.opties.Hulp ? OptieGebruik() : Versie() + "\n").c_str(), stdout);
        return 0;
    }
    WindowChoice::SetForThisRun(gelezen.opties.Scherm);
    const bool mute = gelezen.opties.Stil;
    if (!gelezen.opties.Controleren.empty()) return Controleer(gelezen.opties.Controleren);
    // A port in use or an unknown machine ends the program before any window.
    if (!OnlineOpen(gelezen.opties)) return 1;
    // The tests may have switched it on already.
    if (gelezen.opties.Klassiek) Klassiek = true;
    // Who plays: red a person unless told, blue as last chosen on the title
    // (whose classic picture does not show that choice: there a person).
    Computer::Rood = gelezen.opties.Rood.value_or(Computer::Speler::Mens);
    Computer::Blauw = gelezen.opties.Blauw ? *gelezen.opties.Blauw
                      : Klassiek           ? Computer::Speler::Mens
                                           : Computer::LeesBlauw();
    // Over the network the other machine plays its own team.
    if (gelezen.opties.Netwerk == Opties::Rol::Host) Computer::Blauw = Computer::Speler::Mens;
    if (gelezen.opties.Netwerk == Opties::Rol::Join) Computer::Rood = Computer::Speler::Mens;
    // The aiming message goes to standard output; a closed pipe there must
    // never end the game.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        if (!gelezen.opties.Afspelen.empty()) return KijkOpname(gelezen.opties.Afspelen, mute);
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

// Headless matches between computer players, in virtual time: the program
// runs from its start, the title and menus are chosen by keys, each team is
// played by a computer player giving its keys through the input layer as
// the game sets it up, and R on the victory screen leads to the next match. Used by the golden-trace test
// and the tournaments in bench/.
#pragma once

#include <cstdint>
#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "game/Trace.h"
#include "game/TurnBanner.h"
#include "game/Zanderfell.h"
#include "game/computer/Choice.h"
#include "game/computer/Player.h"
#include "game/computer/Source.h"
#include "gfx/Input.h"
#include "gfx/Headless.h"

namespace ComputerMatch {

using Zanderfell::Computer::Speler;

struct Partij {
    uint32_t level = 1;    // 1..3 (3: the duel, one rabbit a team)
    uint32_t perTeam = 1;  // 1..4
    bool wind = true;
    Speler rood = Speler::Moeilijk, blauw = Speler::Makkelijk;
    bool blauwAap = false;  // blue presses random keys instead
};

// A player pressing random keys in its turn, at random looks. It never
// plans: only where the game waits for a key without looking again (the
// weapon choice and the axe's side) it queues a few keys at once, ending
// with a held Enter or Space, as a person hammering the keyboard would.
class Aap {
public:
    explicit Aap(uint64_t zaad) : kans_{zaad} {}
    std::vector<Zanderfell::Computer::ToetsActie> Kijk(uint64_t klok) {
        using namespace Zanderfell;
        static constexpr uint32_t toetsen[] = {'V', 'N', 'B', Wimdows::VK_LEFT, Wimdows::VK_RIGHT, Wimdows::VK_UP,
                                               Wimdows::VK_DOWN, Wimdows::VK_RETURN, Wimdows::VK_SPACE};
        std::vector<Computer::ToetsActie> uit;
        auto druk = [&](uint32_t vk) { uit.push_back({klok, true, vk}); };
        auto los = [&](uint32_t vk) { uit.push_back({klok, false, vk}); };
        const FaseStand fase = HuidigeFase();
        if (fase.fase == Fase::Laden) {
            // The meter: let go at a random step.
            if (kans_.Onder(12) == 0) los(Wimdows::VK_SPACE);
            return uit;
        }
        for (uint32_t vk : vast_) los(vk);
        vast_.clear();
        if (fase.fase == Fase::Kiezen && fase.teller != kiezen_) {
            kiezen_ = fase.teller;
            for (uint32_t b = kans_.Onder(5); b > 0; --b) druk('B'), los('B');
            druk(Wimdows::VK_RETURN);
            // What the axe waits for, if that is what came up.
            druk(kans_.Onder(2) ? Wimdows::VK_LEFT : Wimdows::VK_RIGHT);
            druk(Wimdows::VK_SPACE);
            vast_ = {Wimdows::VK_RETURN, Wimdows::VK_LEFT, Wimdows::VK_RIGHT, Wimdows::VK_SPACE};
            return uit;
        }
        // Aiming waits for a key after every look: one always comes.
        if (fase.fase == Fase::Richten || kans_.Onder(3) == 0) {
            const uint32_t vk = toetsen[kans_.Onder(uint32_t(std::size(toetsen)))];
            druk(vk);
            vast_.push_back(vk);
        }
        return uit;
    }
private:
    std::vector<uint32_t> vast_;
    Zanderfell::Computer::Kans kans_;
    uint64_t kiezen_ = 0;
};

struct Afloop {
    uint32_t winnaar = 0;  // 1 red, 2 blue, 0 never ended
    uint32_t beurten = 0;
    // Per team (index 1, 2): turns played, and turns that took lives from the other team.
    uint32_t gespeeld[3] = {}, raak[3] = {};
    double langsteDenktijd = 0, langsteProcessor = 0;  // ms, the longest decision (clock, processor)
    // Turns of a hard player (it aims without error) that did not end as it
    // foresaw: a rabbit's lives or place other than planned.
    std::vector<std::string> anders;
};

// The menu keys from the title screen for a match.
inline std::vector<Headless::ScriptedEvent> MenuToetsen(uint64_t nu, const Partij& p) {
    std::vector<Headless::ScriptedEvent> e;
    uint64_t t = nu + 100;
    auto tik = [&](uint32_t vk) {
        e.push_back({t, Headless::Action::Press, vk});
        e.push_back({t, Headless::Action::Release, vk});
        t += 100;
    };
    tik(Wimdows::VK_RETURN);  // play
    for (uint32_t i = 1; i < p.perTeam; ++i) tik(Wimdows::VK_RIGHT);
    tik(Wimdows::VK_RETURN);
    if (!p.wind) tik(Wimdows::VK_RIGHT);
    tik(Wimdows::VK_RETURN);
    for (uint32_t i = 1; i < p.level; ++i) tik(Wimdows::VK_RIGHT);
    tik(Wimdows::VK_RETURN);
    return e;
}

// The random player as a source of keys.
class AapBron : public Input::Source {
public:
    explicit AapBron(uint64_t zaad) : aap_(zaad) {}
    void Take(uint64_t, uint64_t klok, std::vector<Input::Event>& out) override {
        for (const auto& a : aap_.Kijk(klok)) out.push_back({a.neer ? Input::Kind::Press : Input::Kind::Release, uint8_t(a.vk)});
    }

private:
    Aap aap_;
};

// Plays the matches one after another in the current game directory (its
// Files/RandomFile.txt is the game's chance, and seeds the computers' own),
// from the program's start: each match is chosen on the title and menus by
// keys, with the players set as --red and --blue would, and left with R on
// the victory screen. `spoor` sees every trace line.
inline std::vector<Afloop> Speel(const std::vector<Partij>& partijen, uint64_t zaad,
                                 std::function<void(const std::string&)> spoor = nullptr) {
    using namespace Zanderfell;
    Headless::Reset();
    std::vector<Afloop> uit;
    size_t volgende = 0;
    int32_t levensVoor = 0;
    auto teamLevens = [](uint32_t team) {
        int32_t t = 0;
        for (uint32_t k = 1; k <= Menu.AantalKonijntjes; ++k)
            if (Konijntjes[k].Team == team && Konijntjes[k].Levens > 0) t += Konijntjes[k].Levens;
        return t;
    };
    auto aanZet = [] { return KonijnNr >= 1 && KonijnNr <= 8 ? Konijntjes[KonijnNr].Team : 0u; };
    Trace::SetSink([&](const std::string& line) {
        if (spoor) spoor(line);
        if (line == "title") {
            if (volgende == partijen.size()) {
                Headless::Schedule({{Headless::Now() + 100, Headless::Action::Press, 'Q'}});
                return;
            }
            const Partij& p = partijen[volgende++];
            Computer::Rood = p.rood;
            Computer::Blauw = p.blauwAap ? Speler::Mens : p.blauw;
            uit.push_back({});
            Input::SetSource(2, nullptr);  // no random player left from the match before
            Headless::Schedule(MenuToetsen(Headless::Now(), p));
        } else if (line.rfind("start", 0) == 0) {
            // The game has set its players; the random one stands in for blue.
            if (partijen[volgende - 1].blauwAap) Input::SetSource(2, std::make_shared<AapBron>(zaad + volgende));
        } else if (line.rfind("move ", 0) == 0) {
            const uint32_t team = aanZet();
            levensVoor = teamLevens(3 - team);
            ++uit.back().gespeeld[team];
        } else if (line.rfind("turn ", 0) == 0) {
            const uint32_t team = aanZet();
            Afloop& a = uit.back();
            ++a.beurten;
            if (teamLevens(3 - team) < levensVoor) ++a.raak[team];
            const auto bron = Computer::BronVan(team);
            if (bron) a.langsteDenktijd = std::max(a.langsteDenktijd, bron->Toetsen().Denktijd());
            if (bron) a.langsteProcessor = std::max(a.langsteProcessor, bron->Toetsen().DenkProcessor());
            if (bron && bron->Toetsen().Sterkte() == Speler::Moeilijk) {
                const KONIJN& verwacht = bron->Toetsen().LaatstePlan().Verwacht;
                for (uint32_t k = 1; k <= Menu.AantalKonijntjes; ++k) {
                    const KonijnRecord &w = verwacht[k], &z = Konijntjes[k];
                    const bool levend = z.Levens > 0;
                    if (w.Levens != z.Levens || (levend && !(w.Positie == z.Positie)))
                        a.anders.push_back(line + ": rabbit " + std::to_string(k) + " lives " + std::to_string(z.Levens) +
                                           " at " + std::to_string(z.Positie.x) + "," + std::to_string(z.Positie.y) +
                                           ", foreseen " + std::to_string(w.Levens) + " at " +
                                           std::to_string(w.Positie.x) + "," + std::to_string(w.Positie.y));
                }
            }
            // A match that will not end is left for the title (Esc, the
            // pause menu's second line).
            if (a.beurten == 300) {
                const uint64_t t = Headless::Now();
                Headless::Schedule({{t, Headless::Action::Press, 0x1B}, {t, Headless::Action::Release, 0x1B},
                                    {t + 50, Headless::Action::Press, Wimdows::VK_DOWN}, {t + 50, Headless::Action::Release, Wimdows::VK_DOWN},
                                    {t + 100, Headless::Action::Press, Wimdows::VK_RETURN}, {t + 100, Headless::Action::Release, Wimdows::VK_RETURN}});
            }
        } else if (line.rfind("victory ", 0) == 0) {
            uit.back().winnaar = uint32_t(std::stoul(line.substr(8)));
            Headless::Schedule({{Headless::Now() + 500, Headless::Action::Press, 'R'},
                                {Headless::Now() + 500, Headless::Action::Release, 'R'}});
        }
    });
    const char* const args[] = {"zanderfell"};
    Main(1, args);
    Trace::SetSink(nullptr);
    Computer::Rood = Computer::Blauw = Speler::Mens;
    return uit;
}

}  // namespace ComputerMatch

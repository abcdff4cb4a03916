// Tournaments between computer players, headless in virtual time: the
// figures the computer player is held to. Hard against easy over the three
// landscapes, wind on and off, one to four rabbits a team, each side red
// half the time; hard's turns that take lives with the wind on; every match
// ends; and the same chance plays the same matches twice.
//   zanderfell_tournament [matches] [seed]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/ComputerMatch.h"

namespace fs = std::filesystem;
using namespace ComputerMatch;
namespace Computer = Zanderfell::Computer;

namespace {

void GameDir() {
    const fs::path dir = fs::temp_directory_path() / ("zanderfell-tournament-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::create_directory_symlink(fs::path(ZF_RUN_DIR) / "Images", dir / "Images");
    fs::copy(fs::path(ZF_RUN_DIR) / "Files", dir / "Files", fs::copy_options::recursive);
    fs::current_path(dir);
}

void Kans(const std::string& staat) { std::ofstream("Files/RandomFile.txt", std::ios::binary) << staat; }

// The matches: level, rabbits and wind cycle through every setting.
std::vector<Partij> Reeks(uint32_t aantal, Speler sterk, Speler zwak) {
    std::vector<Partij> r;
    for (uint32_t i = 0; i < aantal; ++i) {
        Partij p;
        p.level = 1 + i % 3;
        p.perTeam = p.level == 3 ? 1 : 1 + (i / 3) % 4;
        p.wind = (i / 2) % 2 == 0;
        p.rood = i % 2 ? zwak : sterk;
        p.blauw = i % 2 ? sterk : zwak;
        r.push_back(p);
    }
    return r;
}

struct Telling {
    uint32_t gewonnen = 0, onbeslist = 0, beurten = 0, raak = 0, raakWind = 0, beurtenWind = 0, anders = 0;
    double denk = 0, processor = 0;
};

Telling Tel(const std::vector<Partij>& reeks, const std::vector<Afloop>& uit, Speler sterk) {
    Telling t;
    for (size_t i = 0; i < uit.size(); ++i) {
        const uint32_t team = reeks[i].rood == sterk ? 1 : 2;
        t.gewonnen += uit[i].winnaar == team;
        t.onbeslist += uit[i].winnaar == 0;
        t.beurten += uit[i].gespeeld[team];
        t.raak += uit[i].raak[team];
        if (reeks[i].wind) t.beurtenWind += uit[i].gespeeld[team], t.raakWind += uit[i].raak[team];
        t.anders += uint32_t(uit[i].anders.size());
        for (const std::string& a : uit[i].anders) std::fprintf(stderr, "  match %zu, %s\n", i + 1, a.c_str());
        t.denk = std::max(t.denk, uit[i].langsteDenktijd);
        t.processor = std::max(t.processor, uit[i].langsteProcessor);
    }
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    const uint32_t aantal = argc > 1 ? uint32_t(std::atoi(argv[1])) : 100;
    const uint64_t zaad = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    GameDir();
    const std::string begin = "    42\r\n 3.5000E-1\r\n";
    std::fclose(stdout);  // the aiming message of a stray key goes nowhere
    const struct {
        Speler sterk, zwak;
    } paren[] = {{Speler::Moeilijk, Speler::Makkelijk}, {Speler::Moeilijk, Speler::Normaal}, {Speler::Normaal, Speler::Makkelijk}};
    for (const auto& paar : paren) {
        const std::vector<Partij> reeks = Reeks(aantal, paar.sterk, paar.zwak);
        Kans(begin);
        const auto t0 = std::chrono::steady_clock::now();
        uint32_t nr = 0;
        const std::vector<Afloop> uit = Speel(reeks, zaad, [&](const std::string& l) {
            if (l.rfind("menu ", 0) == 0) ++nr;
            if (std::getenv("ZF_TOURNAMENT_VERBOSE") && (l.rfind("menu ", 0) == 0 || l.rfind("victory", 0) == 0))
                std::fprintf(stderr, "  %u: %s\n", nr, l.c_str());
        });
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const Telling t = Tel(reeks, uit, paar.sterk);
        std::fprintf(stderr,
                     "%s against %s: %u matches, %s wins %u (%.0f %%), %u unended; its turns taking lives %u of %u "
                     "(%.0f %%), wind on %u of %u (%.0f %%); turns not as foreseen %u; longest decision %.0f ms (processor %.0f ms); %.1f s\n",
                     Computer::Naam(paar.sterk), Computer::Naam(paar.zwak), uint32_t(uit.size()), Computer::Naam(paar.sterk),
                     t.gewonnen, 100.0 * t.gewonnen / uit.size(), t.onbeslist, t.raak, t.beurten, 100.0 * t.raak / t.beurten,
                     t.raakWind, t.beurtenWind, 100.0 * t.raakWind / t.beurtenWind, t.anders, t.denk, t.processor, s);
        if (paar.sterk == Speler::Moeilijk && paar.zwak == Speler::Makkelijk) {
            // The same chance again: the same matches, line for line.
            std::string eerste, tweede;
            Kans(begin);
            Speel(std::vector<Partij>(reeks.begin(), reeks.begin() + std::min<size_t>(10, reeks.size())), zaad,
                  [&](const std::string& l) { eerste += l + "\n"; });
            Kans(begin);
            Speel(std::vector<Partij>(reeks.begin(), reeks.begin() + std::min<size_t>(10, reeks.size())), zaad,
                  [&](const std::string& l) { tweede += l + "\n"; });
            std::fprintf(stderr, "the first 10 matches played twice from the same chance: %s\n",
                         eerste == tweede ? "the same" : "DIFFERENT");
        }
    }
    // Hard against a player pressing random keys.
    {
        std::vector<Partij> reeks = Reeks(aantal, Speler::Moeilijk, Speler::Makkelijk);
        for (Partij& p : reeks) p.rood = Speler::Moeilijk, p.blauwAap = true;
        Kans(begin);
        const auto t0 = std::chrono::steady_clock::now();
        const std::vector<Afloop> uit = Speel(reeks, zaad);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const Telling t = Tel(reeks, uit, Speler::Moeilijk);
        std::fprintf(stderr, "hard against random keys: %u matches, hard wins %u (%.0f %%), %u unended; turns not as foreseen %u; %.1f s\n",
                     uint32_t(uit.size()), t.gewonnen, 100.0 * t.gewonnen / uit.size(), t.onbeslist, t.anders, s);
    }
    return 0;
}

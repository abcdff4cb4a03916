// Who plays: this run's choice, and blue's remembered in a one-line file
// beside the sound settings.
#include "game/computer/Choice.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "runtime/Runtime.h"

namespace Zanderfell::Computer {

Speler Rood = Speler::Mens, Blauw = Speler::Mens;

Speler SpelerVan(uint32_t team) { return team == 1 ? Rood : team == 2 ? Blauw : Speler::Mens; }

Speler Volgende(Speler s) { return s == Speler::Moeilijk ? Speler::Mens : Speler(uint32_t(s) + 1); }

Speler LeesBlauw(const std::string& pad) {
    std::string tekst;
    if (!Runtime::ReadFile(pad, tekst)) return Speler::Mens;
    std::istringstream in(tekst);
    std::string sleutel, naam;
    Speler s = Speler::Mens;
    while (in >> sleutel >> naam)
        if (sleutel == "blue" && !UitNaam(naam.c_str(), s)) s = Speler::Mens;
    return s;
}

bool BewaarBlauw(Speler s, const std::string& pad) {
    // A new file renamed over the old: a crash never leaves half a choice.
    const std::string nieuw = pad + ".new";
    {
        std::ofstream uit(nieuw, std::ios::binary | std::ios::trunc);
        uit << "blue " << Naam(s) << "\n";
        uit.flush();
        if (!uit) {
            std::remove(nieuw.c_str());
            return false;
        }
    }
    if (std::rename(nieuw.c_str(), pad.c_str()) != 0) {
        std::remove(nieuw.c_str());
        return false;
    }
    return true;
}

}  // namespace Zanderfell::Computer

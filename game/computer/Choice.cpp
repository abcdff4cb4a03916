// Who plays: this run's choice, and blue's remembered in a one-line file
// beside the sound settings.
#include "game/computer/Choice.h"

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
    // A crash never leaves half a choice.
    return Runtime::WriteFileWhole(pad, std::string("blue ") + Naam(s) + "\n");
}

}  // namespace Zanderfell::Computer

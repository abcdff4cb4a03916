// Playing records again to compare them with what they say happened; also
// how a record is read before a playback.
#include "game/replay/Verify.h"

#include "game/replay/Replay.h"
#include "runtime/Runtime.h"

namespace Zanderfell::Replay {

std::string LeesVoorSpelen(const std::string& bestand, Opname& o) {
    std::string tekst, fout;
    if (!Runtime::ReadFile(bestand, tekst)) return "cannot be read";
    if (!LeesOpname(tekst, o, fout)) return fout;
    for (int deel = 1; deel <= 3; ++deel) {
        const std::string level = "Files/Level" + std::to_string(o.menu.LevelNr) + "Part" + std::to_string(deel) + ".txt";
        std::string inhoud;
        if (!Runtime::ReadFile(level, inhoud))
            return "level " + std::to_string(o.menu.LevelNr) + " is missing (" + level + ")";
    }
    return "";
}

int Verifieer(const std::vector<std::string>& bestanden, std::string& uit) {
    int code = 0;
    for (const std::string& bestand : bestanden) {
        Opname o;
        const std::string fout = LeesVoorSpelen(bestand, o);
        if (!fout.empty()) {
            uit += bestand + ": " + fout + "\n";
            code = 2;
            continue;
        }
        if (Wimdows::State() != Wimdows::STATE_ACTIVE) MaakSchermAan();
        uint32_t beurten = 0;
        std::string verschil;
        try {
            verschil = Speel(o, std::make_shared<Bron>(o), beurten, true);
        } catch (const Wimdows::QuitGame&) {
            verschil = "turn " + std::to_string(beurten + 1) + ": the game ended early";
            Wimdows::KillWindow();
        }
        if (!verschil.empty()) {
            uit += bestand + ": " + verschil + "\n";
            code = std::max(code, 1);
        } else if (o.einde) {
            uit += bestand + ": ok (" + std::to_string(beurten) + " turns, team " + std::to_string(o.einde->winnaar) +
                   " won)\n";
        } else {
            uit += bestand + ": ok up to where it was cut short (turns checked: " + std::to_string(beurten) + ")\n";
        }
    }
    return code;
}

}  // namespace Zanderfell::Replay

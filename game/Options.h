// The command line: one table of the options the program takes, read into a
// plain record before anything opens. Adding an option is a row in the table
// (game/Options.cpp) and a field here.
#pragma once

#include <optional>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/WindowChoice.h"
#include "game/computer/Planner.h"

namespace Zanderfell {

struct Opties {
    bool Stil = false;      // --mute: this game silent, the remembered choice kept
    bool Klassiek = false;  // --classic: the screens without the later additions
    // --fullscreen, --windowed: this run only, over the remembered choice
    WindowChoice::Mode Scherm = WindowChoice::Mode::Remembered;
    bool Hulp = false;    // --help: the usage, then the end
    bool Versie = false;  // --version
    // --red, --blue: who plays the team this run (blue otherwise as remembered).
    std::optional<Computer::Speler> Rood, Blauw;
    std::string Afspelen;   // --replay FILE: watch a recorded game
    std::vector<std::string> Controleren;  // --verify FILE...: check recorded games
    // --host [PORT] or --join ADDRESS[:PORT]: one game on two machines.
    enum class Rol : uint8_t { Geen, Host, Join } Netwerk = Rol::Geen;
    std::string Adres;   // the host's machine, for --join
    uint16_t Poort = 0;  // the port, the game's own unless given
};

// What the command line asks for. `fout` is set (and the program should end
// with exit code 2) when an option is unknown or its value is missing or
// wrong; it names the option in one line.
struct OptieUitkomst {
    Opties opties;
    std::string fout;
};
OptieUitkomst LeesOpties(const std::vector<std::string>& args);

// The usage message: one line per option.
std::string OptieGebruik();
// The game's version ("0.1.0"), as the build gives it; a record names it.
std::string VersieNummer();
// "zanderfell <version>".
std::string Versie();

}  // namespace Zanderfell

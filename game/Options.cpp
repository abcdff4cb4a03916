// The command-line options as one table: the name, the value it takes (if
// any), one line of help and what it sets. Nothing here opens a window or a
// file: reading the options is a pure step the tests run directly.
#include "game/Options.h"

#include <algorithm>
#include <functional>

#include "net/Messages.h"
#include "net/Transport.h"

namespace Zanderfell {

namespace {

struct Optie {
    const char* naam;
    const char* waarde;  // the value's name in the help, or nullptr for a flag
    const char* uitleg;
    // Sets the option; returns false when the value is not one it takes.
    std::function<bool(Opties&, const std::string&)> zet;
};

bool Speler(std::optional<Computer::Speler>& wie, const std::string& naam) {
    Computer::Speler s;
    if (!Computer::UitNaam(naam.c_str(), s)) return false;
    wie = s;
    return true;
}
// The help of --host names the port.
static_assert(Net::DefaultPort == 47519);

const std::vector<Optie>& Tabel() {
    static const std::vector<Optie> tabel = {
        {"--mute", nullptr, "play without sound this time (the remembered choice stays)",
         [](Opties& o, const std::string&) { return o.Stil = true; }},
        {"--classic", nullptr, "the screens exactly as the game always drew them",
         [](Opties& o, const std::string&) { return o.Klassiek = true; }},
        {"--fullscreen", nullptr, "fill the screen this time (F11 or Alt+Enter switches, and is remembered)",
         [](Opties& o, const std::string&) { return (o.Scherm = WindowChoice::Mode::Fullscreen), true; }},
        {"--windowed", nullptr, "play in a window this time",
         [](Opties& o, const std::string&) { return (o.Scherm = WindowChoice::Mode::Windowed), true; }},
        {"--red", "WHO", "who plays red: person, easy, normal or hard (else a person)",
         [](Opties& o, const std::string& w) { return Speler(o.Rood, w); }},
        {"--blue", "WHO", "who plays blue: person, easy, normal or hard (else as chosen with C)",
         [](Opties& o, const std::string& w) { return Speler(o.Blauw, w); }},
        {"--replay", "FILE", "watch a recorded game (Space pauses, Right held plays 4x, Q stops)",
         [](Opties& o, const std::string& v) { return !(o.Afspelen = v).empty(); }},
        // Takes every argument after it.
        {"--verify", "FILE...", "check recorded games, headless: one line each, exit 0 when all match",
         [](Opties& o, const std::string& v) {
             o.Controleren.push_back(v);
             return !v.empty();
         }},
        // The value in brackets may be left out.
        {"--host", "[PORT]", "wait for another player to join over the network (port 47519 unless given)",
         [](Opties& o, const std::string& v) {
             o.Netwerk = Opties::Rol::Host;
             std::string adres;
             return Net::ParseAddress("host" + (v.empty() ? "" : ":" + v), adres, o.Poort);
         }},
        {"--join", "ADDRESS[:PORT]", "play a game the other player hosts on that machine",
         [](Opties& o, const std::string& v) {
             o.Netwerk = Opties::Rol::Join;
             return Net::ParseAddress(v, o.Adres, o.Poort);
         }},
        {"--help", nullptr, "show this help and end", [](Opties& o, const std::string&) { return o.Hulp = true; }},
        {"--version", nullptr, "show the version and end",
         [](Opties& o, const std::string&) { return o.Versie = true; }},
    };
    return tabel;
}

}  // namespace

OptieUitkomst LeesOpties(const std::vector<std::string>& args) {
    OptieUitkomst u;
    for (size_t i = 0; i < args.size(); ++i) {
        const Optie* gevonden = nullptr;
        for (const Optie& o : Tabel())
            if (args[i] == o.naam) gevonden = &o;
        if (!gevonden) {
            u.fout = "unknown option " + args[i] + " (try --help)";
            return u;
        }
        // A value named "...": this and every argument after it; one in
        // brackets may be left out.
        std::vector<std::string> waarden;
        const bool los = gevonden->waarde && gevonden->waarde[0] == '[';
        if (los && (i + 1 >= args.size() || args[i + 1].starts_with("-"))) {
            waarden.emplace_back();
        } else if (gevonden->waarde) {
            if (i + 1 >= args.size()) {
                u.fout = std::string(gevonden->naam) + " needs " + gevonden->waarde;
                return u;
            }
            const bool rest = std::string(gevonden->waarde).ends_with("...");
            do waarden.push_back(args[++i]);
            while (rest && i + 1 < args.size());
        } else {
            waarden.emplace_back();
        }
        for (const std::string& waarde : waarden)
            if (!gevonden->zet(u.opties, waarde)) {
                u.fout = std::string(gevonden->naam) + ": not " + (gevonden->waarde ? gevonden->waarde : "") + ": " + waarde;
                return u;
            }
    }
    if (u.opties.Netwerk != Opties::Rol::Geen && std::count_if(args.begin(), args.end(), [](const std::string& a) {
            return a == "--host" || a == "--join";
        }) > 1)
        u.fout = "--host and --join: one of the two, once";
    else if (u.opties.Netwerk != Opties::Rol::Geen && (!u.opties.Afspelen.empty() || !u.opties.Controleren.empty()))
        u.fout = "a network game does not go with --replay or --verify";
    return u;
}

std::string OptieGebruik() {
    std::string s = "usage: zanderfell [option...]\n";
    for (const Optie& o : Tabel()) {
        std::string kop = std::string("  ") + o.naam + (o.waarde ? std::string(" ") + o.waarde : "");
        if (kop.size() < 24) kop.resize(24, ' ');
        else kop += ' ';
        s += kop + o.uitleg + "\n";
    }
    return s;
}

std::string VersieNummer() { return ZF_VERSION; }
std::string Versie() { return "zanderfell " + VersieNummer(); }

}  // namespace Zanderfell

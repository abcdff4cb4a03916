// Level files and the terrain grid (Part 1.2).
#include "game/Level.h"

#include <cstdio>
#include <string>

#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

constexpr int32_t Kolommen = 1000;
constexpr int32_t RegelsPerDeel = 200;
constexpr size_t LineLengte = 1001;  // the line buffer: characters 0..1000

// Reads a whole file; false when it cannot be opened or read.
bool LeesBestand(const std::string& bestand, std::string& inhoud) {
    std::FILE* f = std::fopen(bestand.c_str(), "rb");
    if (f == nullptr) return false;
    inhoud.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) inhoud.append(buf, n);
    bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

bool IsRegeleinde(char c) { return c == '\r' || c == '\n' || c == '\x1A'; }

// Takes one line from `tekst` at `pos`: at most 1001 characters, ended by CR
// (which takes the following character with it), LF, 0x1A or the end of the
// text. Characters of a longer line that do not fit stay for the next line.
// Returns the number of characters taken into `line`.
size_t LeesRegel(const std::string& tekst, size_t& pos, char (&line)[LineLengte]) {
    size_t n = 0;
    while (pos < tekst.size() && n < LineLengte && !IsRegeleinde(tekst[pos])) {
        line[n++] = tekst[pos++];
    }
    if (pos < tekst.size() && IsRegeleinde(tekst[pos])) {
        char c = tekst[pos++];
        if (c == '\r' && pos < tekst.size()) ++pos;  // CR takes the next character along
    }
    return n;
}

}  // namespace

void LeesLevelDeel(const std::string& bestand, LEVEL& level, int32_t eersteRij) {
    std::string tekst;
    if (!LeesBestand(bestand, tekst)) {
        Runtime::RunError("cannot open level file " + bestand);
    }
    size_t pos = 0;
    char line[LineLengte];
    bool gewaarschuwd = false;
    for (int32_t n = 1; n <= RegelsPerDeel; ++n) {
        int32_t y = eersteRij + n - 1;
        bool eindeBestand = pos >= tekst.size();
        size_t lengte = eindeBestand ? 0 : LeesRegel(tekst, pos, line);
        if (lengte < static_cast<size_t>(Kolommen) && !gewaarschuwd) {
            // Missing characters and lines are air; one warning per file.
            if (eindeBestand) {
                std::fprintf(stderr,
                             "zanderfell: warning: %s: the file ends before line %d of %d; "
                             "the missing lines are read as air\n",
                             bestand.c_str(), n, RegelsPerDeel);
            } else {
                std::fprintf(stderr,
                             "zanderfell: warning: %s: line %d has %zu of %d characters; "
                             "missing characters (and any missing lines) are read as air\n",
                             bestand.c_str(), n, lengte, Kolommen);
            }
            gewaarschuwd = true;
        }
        for (int32_t x = 1; x <= Kolommen; ++x) {
            size_t i = static_cast<size_t>(x - 1);  // character x-1 describes column x
            level[x][y].Grond = i < lengte && line[i] != '-';
        }
    }
}

void MaakLevelAan(uint32_t LevelNr, LEVEL& level) {
    for (int32_t x = 1; x <= 1000; ++x)
        for (int32_t y = 1; y <= 600; ++y) level[x][y].Konijn = false;

    TekenBitmaps::TekenLevel(LevelNr);
    TekenBitmaps::TekenStatusbalk(0);
    Wimdows::UpdateWindow();

    for (int32_t deel = 1; deel <= 3; ++deel) {
        std::string bestand = "Files/Level" + std::to_string(LevelNr) + "Part" +
                              std::to_string(deel) + ".txt";
        LeesLevelDeel(bestand, level, RegelsPerDeel * (deel - 1) + 1);
    }
}

void HermaakLevel() {
    using Wimdows::RgbColor;
    TekenBitmaps::TekenLevel(Menu.LevelNr);

    for (int64_t i = 0; i <= int64_t{AANTALINSLAGEN}; ++i) {
        const Inslag& inslag = SchadeArray[i];
        int64_t x = inslag.x, y = inslag.y, G = inslag.Grootte;
        if (y + G < WaterRij) {
            Wimdows::Disc(inslag.x, inslag.y, Runtime::ToU32(G), _ACHTERGRONDKLEUR);
        }
        if (y + G >= WaterZoneRij) {
            // The pixel pass: air cells near and in the water zone.
            for (int64_t c = x - G; c <= x + G; ++c) {
                if (c < 3 || c > 997) continue;
                for (int64_t r = y - G; r <= WaterRij; ++r) {
                    if (r < 3 || r > 595) continue;
                    if (Level[c][r].Grond) continue;
                    int32_t cc = static_cast<int32_t>(c), rr = static_cast<int32_t>(r);
                    if (r < WaterZoneRij) {
                        Wimdows::SetPixel(cc, rr, _ACHTERGRONDKLEUR);
                    } else {
                        Wimdows::SetPixel(cc, rr, _WATER);
                        if (r <= 536) Wimdows::SetPixel(cc, rr, RgbColor(0, 0, 0));
                    }
                }
            }
        }
    }

    Wimdows::SetBuffering(true);

    for (int32_t k = 1; k <= 8; ++k) {
        const KonijnRecord& konijn = Konijntjes[k];
        if (konijn.Levens <= 0) continue;
        int32_t x = konijn.Positie.x, y = konijn.Positie.y;
        Wimdows::Rectangle(Runtime::Sub(x, 15), Runtime::Sub(y, 65), Runtime::Add(x, 15),
                           Runtime::Sub(y, 61), RgbColor(176, 0, 0), true);
        Wimdows::Rectangle(Runtime::Sub(x, 15), Runtime::Sub(y, 65),
                           Runtime::Add(Runtime::Sub(x, 15), konijn.Levens / 3),
                           Runtime::Sub(y, 61), RgbColor(0, 176, 0), true);
        TekenBitmaps::TekenKonijntje(x, y, konijn.Team == 1 ? 1 : 2);
    }

    Wimdows::UpdateWindow();
}

}  // namespace Zanderfell

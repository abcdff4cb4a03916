// Level files, the terrain grid and the redraw of the field.
#include "game/Level.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

constexpr int32_t Kolommen = 1000;
constexpr int32_t RegelsPerDeel = 200;
constexpr size_t LineLengte = 1001;  // the line buffer: characters 0..1000

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
    if (!Runtime::ReadFile(bestand, tekst)) {
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

namespace {

// The field without its rabbits: the level picture and every crater, with
// the water line where craters reach the water zone.
void TekenVeld() {
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
}

// The field changes only with a new impact or a different level, yet it is
// redrawn at every step of every animation. So the drawing of the field is
// recorded once and replayed while nothing it depends on has changed: the
// level and its picture, the impact list, the colours and the ground of the
// cells that the water-line pass looks at.
struct VeldOpname {
    bool geldig = false;
    uint32_t LevelNr = 0;
    Wimdows::Handle plaatje = 0;
    uint64_t venster = 0;
    Wimdows::Color lucht = 0, water = 0;
    std::vector<Inslag> inslagen;
    uint64_t grond = 0;
    Wimdows::Recording opname;
};
VeldOpname veld;
bool opnemen = true;

Wimdows::Handle LevelPlaatje(uint32_t LevelNr) {
    switch (LevelNr) {
        case 1: return TekenBitmaps::Level1Bitmap;
        case 2: return TekenBitmaps::Level2Bitmap;
        case 3: return TekenBitmaps::Level3Bitmap;
        default: return 0;
    }
}

// A hash of the ground of every cell that the water-line pass of the
// recorded impacts reads (their bounding box).
uint64_t GrondOnderWaterlijn(const std::vector<Inslag>& inslagen) {
    int64_t x0 = 998, x1 = 2, y0 = 596;
    for (const Inslag& i : inslagen) {
        if (int64_t{i.y} + i.Grootte < WaterZoneRij) continue;
        x0 = std::min<int64_t>(x0, int64_t{i.x} - i.Grootte);
        x1 = std::max<int64_t>(x1, int64_t{i.x} + i.Grootte);
        y0 = std::min<int64_t>(y0, int64_t{i.y} - i.Grootte);
    }
    x0 = std::max<int64_t>(x0, 3);
    x1 = std::min<int64_t>(x1, 997);
    y0 = std::max<int64_t>(y0, 3);
    uint64_t h = 1469598103934665603ull;
    for (int64_t c = x0; c <= x1 && y0 <= 595; ++c) {
        const CEL* kolom = &Level[c][y0];
        for (int64_t r = 0; r <= 595 - y0; ++r) h = (h ^ uint64_t(kolom[r].Grond)) * 1099511628211ull;
    }
    return h;
}

}  // namespace

void HermaakLevelOpnemen(bool aan) { opnemen = aan; }

void HermaakLevel() {
    using Wimdows::RgbColor;
    bool getekend = false;
    if (opnemen && Wimdows::Buffering()) {
        std::vector<Inslag> inslagen(size_t{AANTALINSLAGEN} + 1);
        for (uint32_t i = 0; i <= AANTALINSLAGEN; ++i) inslagen[i] = SchadeArray[i];
        const uint64_t grond = GrondOnderWaterlijn(inslagen);
        const Wimdows::Handle plaatje = LevelPlaatje(Menu.LevelNr);
        const uint64_t venster = Wimdows::WindowGeneration();
        auto zelfde = [](const Inslag& a, const Inslag& b) {
            return a.x == b.x && a.y == b.y && a.Grootte == b.Grootte;
        };
        if (veld.geldig && veld.LevelNr == Menu.LevelNr && veld.plaatje == plaatje && veld.venster == venster &&
            veld.lucht == _ACHTERGRONDKLEUR && veld.water == _WATER && veld.grond == grond &&
            std::equal(inslagen.begin(), inslagen.end(), veld.inslagen.begin(), veld.inslagen.end(), zelfde)) {
            Wimdows::Replay(veld.opname);
            getekend = true;
        } else if (Wimdows::BeginRecording(0, 0, 999, 600)) {
            TekenVeld();
            Wimdows::EndRecording(veld.opname);
            veld = VeldOpname{true, Menu.LevelNr, plaatje, venster, _ACHTERGRONDKLEUR, _WATER,
                              std::move(inslagen), grond, std::move(veld.opname)};
            getekend = true;
        }
    }
    if (!getekend) TekenVeld();

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

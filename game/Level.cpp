// Level files, the terrain grid and the redraw of the field.
#include "game/Level.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "game/TurnBanner.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

constexpr int32_t Kolommen = Veld::Breedte;
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
    for (int32_t x = 1; x <= Veld::Breedte; ++x)
        for (int32_t y = 1; y <= Veld::Hoogte; ++y) level[x][y].Konijn = false;

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

// A box of the field, corners included; empty when x0 > x1 or y0 > y1.
struct Vak {
    int64_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};
bool Leeg(const Vak& v) { return v.x0 > v.x1 || v.y0 > v.y1; }
Vak Omvat(const Vak& a, const Vak& b) {
    if (Leeg(a)) return b;
    if (Leeg(b)) return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}
Vak Binnen(const Vak& a, const Vak& b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

// The box the field is recorded in: the level picture (from row and column
// 1) and the discs of craters at the edges, which reach row 0 and column 0.
constexpr Vak Veldvak{0, 0, Veld::Breedte - 1, Veld::Hoogte};

// An impact paints sky over its disc while the disc stays above the water,
// and runs the water-line pass once it reaches the water zone.
bool MetSchijf(const Inslag& i) { return int64_t{i.y} + i.Grootte < WaterRij; }
bool MetWaterlijn(const Inslag& i) { return int64_t{i.y} + i.Grootte >= WaterZoneRij; }
// The cells the water-line pass looks at: its columns, from the top of the
// crater down to the water, inside the landscape's frame.
Vak Waterlijnvak(const Inslag& i) {
    const int64_t x = i.x, y = i.y, G = i.Grootte;
    if (!MetWaterlijn(i)) return {};
    return {std::max<int64_t>(x - G, Veld::FrameLinks), std::max<int64_t>(y - G, Veld::FrameBoven),
            std::min<int64_t>(x + G, Veld::FrameRechts), Veld::FrameOnder};
}
// The box of the sky disc.
Vak Schijfvak(const Inslag& i) {
    const int64_t x = i.x, y = i.y, G = i.Grootte;
    return MetSchijf(i) ? Vak{x - G, y - G, x + G, y + G} : Vak{};
}
// Everything the impact draws on.
Vak Bereik(const Inslag& i) { return Omvat(Schijfvak(i), Waterlijnvak(i)); }

// The colour the water-line pass leaves on an air cell of row r: sky above
// the water zone, the black line at its top, water below.
Wimdows::Color Waterlijnkleur(int64_t r) {
    if (r < WaterZoneRij) return _ACHTERGRONDKLEUR;
    return r <= Veld::WaterLijnOnder ? Kleur(Veld::WaterLijn) : _WATER;
}

// The field without its rabbits: the level picture and every crater, with
// the water line where craters reach the water zone.
void TekenVeld() {
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
                if (c < Veld::FrameLinks || c > Veld::FrameRechts) continue;
                for (int64_t r = y - G; r <= WaterRij; ++r) {
                    if (r < Veld::FrameBoven || r > Veld::FrameOnder) continue;
                    if (Level[c][r].Grond) continue;
                    int32_t cc = static_cast<int32_t>(c), rr = static_cast<int32_t>(r);
                    if (r < WaterZoneRij) {
                        Wimdows::SetPixel(cc, rr, _ACHTERGRONDKLEUR);
                    } else {
                        Wimdows::SetPixel(cc, rr, _WATER);
                        if (r <= Veld::WaterLijnOnder) Wimdows::SetPixel(cc, rr, Kleur(Veld::WaterLijn));
                    }
                }
            }
        }
    }
}

// The field inside `vak` exactly as TekenVeld leaves it there: the picture,
// then in order every impact that reaches into the box, its water-line pass
// kept to the box. A cell that several passes write gets its final colour
// once, from the last of them (the pass's colour depends on the cell alone,
// so only the discs drawn after that pass can still cover it). Outside the
// box the picture and the discs land too: the caller replays the field
// over them.
void TekenVeldIn(const Vak& vak) {
    TekenBitmaps::TekenLevel(Menu.LevelNr);
    const int64_t breedte = vak.x1 - vak.x0 + 1;
    std::vector<int32_t> laatste(size_t(breedte * (vak.y1 - vak.y0 + 1)), -1);
    auto plek = [&](int64_t c, int64_t r) { return size_t((r - vak.y0) * breedte + (c - vak.x0)); };
    for (int32_t i = 0; i <= Runtime::ToI32(AANTALINSLAGEN); ++i) {
        const Vak w = Binnen(Waterlijnvak(SchadeArray[i]), vak);
        if (Leeg(w)) continue;
        for (int64_t c = w.x0; c <= w.x1; ++c) {
            const CEL* kolom = &Level[c][w.y0];
            for (int64_t r = w.y0; r <= w.y1; ++r)
                if (!kolom[r - w.y0].Grond) laatste[plek(c, r)] = i;
        }
    }
    for (int32_t i = 0; i <= Runtime::ToI32(AANTALINSLAGEN); ++i) {
        const Inslag& inslag = SchadeArray[i];
        if (!Leeg(Binnen(Schijfvak(inslag), vak)))
            Wimdows::Disc(inslag.x, inslag.y, Runtime::ToU32(inslag.Grootte), _ACHTERGRONDKLEUR);
        // The cells this pass writes last, a row's neighbours in one go.
        const Vak w = Binnen(Waterlijnvak(inslag), vak);
        for (int64_t r = w.y0; r <= w.y1; ++r) {
            for (int64_t c = w.x0; c <= w.x1; ++c) {
                if (laatste[plek(c, r)] != i) continue;
                const int64_t begin = c;
                while (c < w.x1 && laatste[plek(c + 1, r)] == i) ++c;
                Wimdows::Rectangle(int32_t(begin), int32_t(r), int32_t(c), int32_t(r), Waterlijnkleur(r), true);
            }
        }
    }
}

// The field changes only with a new impact or a different level, yet it is
// redrawn at every step of every animation. So the drawing of the field is
// recorded once and replayed while nothing it depends on has changed: the
// level and its picture, the impact list, the colours and the ground of the
// cells that the water-line pass looks at. A new impact, or ground that
// changed, only has the box it touches drawn again and put into the
// recording: late in a long game a full redraw takes a tenth of a second.
struct VeldOpname {
    bool geldig = false;
    uint32_t LevelNr = 0;
    Wimdows::Handle plaatje = 0;
    uint64_t venster = 0;
    Wimdows::Color lucht = 0, water = 0;
    std::vector<Inslag> inslagen;
    Vak gelezen;               // the cells the water-line passes read
    std::vector<uint8_t> grond;  // their ground when recorded, column by column
    Wimdows::Recording opname;
};
VeldOpname veld;
bool opnemen = true;

// Keeps the ground of the cells that the recorded impacts' passes read: of
// those in `veranderd` only, while the passes read the same box of cells.
void BewaarGrond(const Vak& veranderd) {
    Vak g;
    for (const Inslag& i : veld.inslagen) g = Omvat(g, Waterlijnvak(i));
    const int64_t hoogte = g.y1 - g.y0 + 1;
    Vak deel = Binnen(veranderd, g);
    const Vak& was = veld.gelezen;
    if (g.x0 != was.x0 || g.y0 != was.y0 || g.x1 != was.x1 || g.y1 != was.y1) {
        veld.gelezen = g;
        veld.grond.assign(Leeg(g) ? 0 : size_t((g.x1 - g.x0 + 1) * hoogte), 0);
        deel = g;
    }
    for (int64_t c = deel.x0; c <= deel.x1 && deel.y0 <= deel.y1; ++c) {
        const CEL* kolom = &Level[c][deel.y0];
        uint8_t* naar = &veld.grond[size_t((c - g.x0) * hoogte + (deel.y0 - g.y0))];
        for (int64_t r = 0; r <= deel.y1 - deel.y0; ++r) naar[r] = kolom[r].Grond;
    }
}

// The box of the kept cells whose ground is no longer what it was.
Vak VeranderdeGrond() {
    const Vak& g = veld.gelezen;
    if (Leeg(g)) return {};
    const int64_t hoogte = g.y1 - g.y0 + 1;
    bool anders = false;
    for (int64_t c = g.x0; c <= g.x1; ++c) {
        const CEL* kolom = &Level[c][g.y0];
        const uint8_t* was = &veld.grond[size_t((c - g.x0) * hoogte)];
        for (int64_t r = 0; r < hoogte; ++r) anders |= kolom[r].Grond != bool(was[r]);
    }
    Vak v;
    for (int64_t c = g.x0; anders && c <= g.x1; ++c) {
        const CEL* kolom = &Level[c][g.y0];
        const uint8_t* was = &veld.grond[size_t((c - g.x0) * hoogte)];
        int64_t boven = 0, onder = hoogte - 1;
        while (boven < hoogte && kolom[boven].Grond == bool(was[boven])) ++boven;
        if (boven == hoogte) continue;
        while (kolom[onder].Grond == bool(was[onder])) --onder;
        v = Omvat(v, {c, g.y0 + boven, c, g.y0 + onder});
    }
    return v;
}

// Writes what `deel` recorded over what `heel` holds in the same pixels,
// when both wrote the same pixels of deel's box (as they do where the level
// picture lies); false, and nothing written, when they did not.
bool VervangIn(Wimdows::Recording& heel, const Wimdows::Recording& deel) {
    using Run = Wimdows::Recording::Run;
    const auto eerste = std::partition_point(heel.runs.begin(), heel.runs.end(),
                                             [&](const Run& r) { return r.y < deel.y0; });
    int64_t binnen = 0, geschreven = 0;
    for (auto h = eerste; h != heel.runs.end() && h->y <= deel.y1; ++h)
        binnen += std::max<int64_t>(0, std::min<int64_t>(int64_t{h->x} + h->length - 1, deel.x1) -
                                           std::max<int64_t>(h->x, deel.x0) + 1);
    for (const Run& d : deel.runs) geschreven += d.length;
    if (binnen != geschreven) return false;
    std::vector<size_t> waar;  // where each of deel's runs lies in heel's pixels
    waar.reserve(deel.runs.size());
    for (const Run& d : deel.runs) {
        const auto na = std::partition_point(eerste, heel.runs.end(), [&](const Run& r) {
            return r.y < d.y || (r.y == d.y && r.x <= d.x);
        });
        if (na == eerste) return false;
        const Run& h = *(na - 1);  // the last run starting at or before d
        if (h.y != d.y || int64_t{d.x} + d.length > int64_t{h.x} + h.length) return false;
        waar.push_back(h.at + size_t(d.x - h.x));
    }
    for (size_t i = 0; i < deel.runs.size(); ++i)
        std::copy_n(&deel.pixels[deel.runs[i].at], deel.runs[i].length, &heel.pixels[waar[i]]);
    return true;
}

// Puts what `deel` recorded in its box in place of what `heel` held there.
void VoegIn(Wimdows::Recording& heel, const Wimdows::Recording& deel) {
    using Run = Wimdows::Recording::Run;
    if (VervangIn(heel, deel)) return;
    Wimdows::Recording samen;
    samen.generation = heel.generation;
    samen.id = heel.id;
    samen.x0 = heel.x0, samen.y0 = heel.y0, samen.x1 = heel.x1, samen.y1 = heel.y1;
    samen.pixels.reserve(heel.pixels.size() + deel.pixels.size());
    auto neem = [&](int32_t y, int64_t x, int64_t n, const uint32_t* p) {
        if (n <= 0) return;
        samen.runs.push_back({y, int32_t(x), int32_t(n), samen.pixels.size()});
        samen.pixels.insert(samen.pixels.end(), p, p + n);
    };
    // Runs stay in order of row and column.
    size_t j = 0;
    auto deelTot = [&](int64_t y, int64_t x) {
        for (; j < deel.runs.size() && (deel.runs[j].y < y || (deel.runs[j].y == y && deel.runs[j].x < x)); ++j)
            neem(deel.runs[j].y, deel.runs[j].x, deel.runs[j].length, &deel.pixels[deel.runs[j].at]);
    };
    for (const Run& run : heel.runs) {
        const uint32_t* p = &heel.pixels[run.at];
        const int64_t eind = int64_t{run.x} + run.length;  // one past the run
        if (run.y < deel.y0 || run.y > deel.y1) {
            deelTot(run.y, run.x);
            neem(run.y, run.x, run.length, p);
            continue;
        }
        deelTot(run.y, run.x);
        neem(run.y, run.x, std::min<int64_t>(eind, deel.x0) - run.x, p);
        const int64_t rechts = std::max<int64_t>(run.x, int64_t{deel.x1} + 1);
        deelTot(run.y, rechts);
        neem(run.y, rechts, eind - rechts, p + (rechts - run.x));
    }
    deelTot(INT64_MAX, INT64_MAX);
    heel = std::move(samen);
}

// Brings the recording up to date by drawing the box again; false when
// that could not be recorded.
bool WerkBij(const Vak& vak) {
    if (!Wimdows::BeginRecording(int32_t(vak.x0), int32_t(vak.y0), int32_t(vak.x1), int32_t(vak.y1))) return false;
    TekenVeldIn(vak);
    Wimdows::Recording deel;
    Wimdows::EndRecording(deel);
    if (deel.id == 0 || deel.generation != veld.opname.generation || deel.x0 != vak.x0 || deel.y0 != vak.y0 ||
        deel.x1 != vak.x1 || deel.y1 != vak.y1)
        return false;
    // The merged recording keeps the id of the old one, which the buffer no
    // longer holds (the box's recording was the last): the replay that
    // follows writes it whole, over what TekenVeldIn drew outside the box.
    VoegIn(veld.opname, deel);
    return true;
}

// Replays the field, bringing its recording up to date first or making it
// anew; false when there is no recording to be had.
bool SpeelVeldAf() {
    const Wimdows::Handle plaatje = TekenBitmaps::LevelBitmap(Menu.LevelNr);
    const uint64_t venster = Wimdows::WindowGeneration();
    const size_t aantal = size_t{AANTALINSLAGEN} + 1;
    auto zelfde = [](const Inslag& a, const Inslag& b) {
        return a.x == b.x && a.y == b.y && a.Grootte == b.Grootte;
    };
    // The recording holds while the level, picture, window and colours are
    // the same and the impacts it shows are still the first ones of the list.
    bool bruikbaar = veld.geldig && veld.LevelNr == Menu.LevelNr && veld.plaatje == plaatje &&
                     veld.venster == venster && veld.lucht == _ACHTERGRONDKLEUR && veld.water == _WATER &&
                     veld.inslagen.size() <= aantal;
    for (size_t i = 0; bruikbaar && i < veld.inslagen.size(); ++i) bruikbaar = zelfde(veld.inslagen[i], SchadeArray[i]);
    if (bruikbaar) {
        Vak vak = VeranderdeGrond();
        for (size_t i = veld.inslagen.size(); i < aantal; ++i) vak = Omvat(vak, Bereik(SchadeArray[i]));
        vak = Binnen(vak, Veldvak);
        if (!Leeg(vak)) bruikbaar = WerkBij(vak);
        if (bruikbaar && (!Leeg(vak) || veld.inslagen.size() < aantal)) {
            for (size_t i = veld.inslagen.size(); i < aantal; ++i) veld.inslagen.push_back(SchadeArray[i]);
            BewaarGrond(vak);
        }
    }
    if (!bruikbaar) {
        if (!Wimdows::BeginRecording(int32_t(Veldvak.x0), int32_t(Veldvak.y0), int32_t(Veldvak.x1),
                                     int32_t(Veldvak.y1)))
            return false;
        TekenVeld();
        Wimdows::EndRecording(veld.opname);
        veld.geldig = true;
        veld.LevelNr = Menu.LevelNr;
        veld.plaatje = plaatje;
        veld.venster = venster;
        veld.lucht = _ACHTERGRONDKLEUR;
        veld.water = _WATER;
        veld.inslagen.clear();
        for (size_t i = 0; i < aantal; ++i) veld.inslagen.push_back(SchadeArray[i]);
        veld.gelezen = {};
        BewaarGrond(Veldvak);
        return true;  // the buffer holds the field just recorded
    }
    Wimdows::Replay(veld.opname);
    return true;
}

}  // namespace

void HermaakLevelOpnemen(bool aan) { opnemen = aan; }

void HermaakLevel() {
    using Wimdows::RgbColor;
    // The field, replayed when it was recorded before, else drawn afresh.
    if (!(opnemen && Wimdows::Buffering() && SpeelVeldAf())) TekenVeld();

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
    TekenBannerNogEven();

    Wimdows::UpdateWindow();
}

uint64_t RasterHash(const LEVEL& level) {
    uint64_t h = 1469598103934665603ull;
    for (int32_t x = 1; x <= Veld::Breedte; ++x)
        for (int32_t y = 1; y <= Veld::Hoogte; ++y)
            h = (h ^ (uint64_t(level[x][y].Grond) << 1 | uint64_t(level[x][y].Konijn))) * 1099511628211ull;
    return h;
}

}  // namespace Zanderfell

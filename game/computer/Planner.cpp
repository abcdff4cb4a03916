// The computer player's search. For each place it can walk or jump to, it
// tries the axe both ways, the pistol at every angle, the bazooka and the
// grenade on a grid of angles and powers (then finer around the best of
// them), and the dynamite with every run away from it; each shot is worked
// out by the shot simulator, followed by the falls the crater causes, and
// scored for the team. The amount of work is fixed per strength, never by
// the clock, so the same state and seed always give the same plan.
#include "game/computer/Planner.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "game/movement/Falling.h"
#include "game/movement/Movement.h"
#include "game/movement/Probes.h"
#include "game/movement/TurnClock.h"
#include "game/weapons/Damage.h"
#include "game/weapons/Weapons.h"

namespace Zanderfell::Computer {

namespace {

using LD = long double;

// The most presses of Up or Down worth trying (63 turn the sight half way
// round either way) and the meter's steps to full power.
constexpr int32_t MaxDraai = 63;
constexpr uint32_t MaxKracht = 58;
// The clock a movement may spend: the turn's 50 less what the computer
// idles while it shows its keys, and the dynamite's 5 with nothing to spare
// (the run starts with the fuse and the keys follow each other at once).
constexpr float ZetKlok = 45.0f;
constexpr float VluchtKlok = 5.0f;

// What a strength looks at and how well it aims.
struct Instelling {
    std::vector<Beweging> zetten;  // the moves tried before the weapon
    int32_t hoekStap = 1;          // presses between the angles tried
    uint32_t krachtStap = 1;       // meter steps between the powers tried
    uint32_t verfijnd = 0;         // best grid shots looked at again, one step apart
    bool granaat = true;
    bool verder = false;           // also the longer ways toward the other team
    int32_t granaatStap = 4;       // the grenade's grid, coarser: its flights are long
    int32_t hoekFout = 0;          // aim error: at most this many presses
    int32_t krachtFout = 0;        // and this many meter steps
};

Instelling Voor(Speler s) {
    static const Instelling moeilijk{.zetten = {{0, 0}, {-30, 0}, {30, 0}, {-60, 0}, {60, 0}, {0, -1}, {0, 1}},
                                     .hoekStap = 2, .krachtStap = 2, .verfijnd = 8, .verder = true};
    static const Instelling normaal{.zetten = {{0, 0}, {-30, 0}, {30, 0}, {0, -1}, {0, 1}},
                                    .hoekStap = 2, .krachtStap = 3, .verfijnd = 3, .verder = true,
                                    .hoekFout = 1, .krachtFout = 1};
    static const Instelling makkelijk{.zetten = {{0, 0}}, .hoekStap = 3, .krachtStap = 4, .granaat = false,
                                      .hoekFout = 3, .krachtFout = 4};
    return s == Speler::Moeilijk ? moeilijk : s == Speler::Normaal ? normaal : makkelijk;
}

// The runs from a lit charge: walks either way and jumps, with a walk after.
const std::vector<Beweging>& Vluchten() {
    static const std::vector<Beweging> v = [] {
        std::vector<Beweging> r;
        for (int32_t s : {-45, -35, -25, 25, 35, 45}) r.push_back({s, 0});
        for (int32_t kant : {-1, 1})
            for (int32_t s : {0, 10, 20}) r.push_back({kant * s, kant});
        return r;
    }();
    return v;
}

// The crater's cells as a mask around its centre, per radius.
struct KraterMasker {
    int32_t straal = 0;
    std::vector<uint8_t> cel;  // (2 straal + 1)^2
    bool Bevat(int32_t dx, int32_t dy) const {
        if (dx < -straal || dx > straal || dy < -straal || dy > straal) return false;
        return cel[size_t((dy + straal) * (2 * straal + 1) + dx + straal)] != 0;
    }
};

const KraterMasker& Masker(uint32_t Grootte) {
    static KraterMasker klein, groot;
    KraterMasker& m = Grootte == DynamietOntploffing ? groot : klein;
    if (m.straal == 0) {
        m.straal = int32_t(Grootte);
        const size_t zijde = size_t(2 * m.straal + 1);
        m.cel.assign(zijde * zijde, 0);
        for (const auto& [dx, dy] : KraterCellen(Grootte)) m.cel[size_t((dy + m.straal) * int32_t(zijde) + dx + m.straal)] = 1;
    }
    return m;
}

// Where a rabbit at Positie ends when the ground of the crater is gone.
COORDINATEN LandingNaKrater(const LEVEL& level, COORDINATEN Positie, const Inslag& krater) {
    const bool raakt = krater.Grootte > 0 && std::abs(Positie.x - krater.x) <= krater.Grootte;
    if (!raakt && IsGrond(level, Positie.x, Positie.y + 1)) return Positie;
    const KraterMasker* m = raakt ? &Masker(uint32_t(krater.Grootte)) : nullptr;
    auto grond = [&](int32_t x, int32_t y) {
        if (!IsGrond(level, x, y)) return false;
        return !(m && m->Bevat(x - krater.x, y - krater.y) && Uitgraafbaar(x, y));
    };
    while (!grond(Positie.x, Positie.y + 1)) {
        ++Positie.y;
        if (Verdronken(Positie)) break;
    }
    return Positie;
}

// The footprint of a rabbit standing at p, as the game marks it.
template <typename F>
void VoorVoetafdruk(COORDINATEN p, F&& doe) {
    for (int32_t x = std::max(p.x - 15, 1); x <= std::min(p.x + 15, int32_t(Veld::Breedte)); ++x)
        for (int32_t y = std::max(p.y - 65, 1); y <= std::min(p.y, int32_t(Veld::Hoogte)); ++y) doe(x, y);
}

int32_t TeamLevens(const KONIJN& k, uint32_t Aantal, uint32_t Team) {
    int32_t t = 0;
    for (uint32_t i = 1; i <= Aantal; ++i)
        if ((k[i].Team == 1) == (Team == 1)) t = Runtime::Add(t, k[i].Levens);
    return t;
}

// One option scored, with what breaks ties: fewer keys.
struct Kandidaat {
    Toetsen toetsen;
    Beweging vlucht;
    COORDINATEN wegNaar;
    LD waarde = -1e30L;
    LD rang = -1e30L;  // the value less the keys it takes
    KONIJN verwacht;
};

LD Moeite(const Toetsen& t) { return 0.002L * std::abs(t.Omhoog) + 0.001L * t.Krachtstappen; }

// The search at one place: every weapon, on a grid that is the game's own
// grid with the shooter's cells where it stands.
class Zoeker {
public:
    Zoeker(const Stand& stand, uint32_t nr, const Instelling& in, uint32_t geduld)
        : stand_(stand), nr_(nr), in_(in), nadering_(LD(1 + geduld) * LD(1 + geduld)) {}

    void Probeer(const LEVEL& level, const KONIJN& konijnen, Beweging zet) {
        const Stand hier{level, konijnen, stand_.AantalKonijntjes, stand_.Wind};
        const COORDINATEN voeten = konijnen[nr_].Positie;
        // Where nothing can be hit, closer is better: the blast nearer to
        // the other team digs a way to it, and the rabbit nearer to it has
        // more to aim at next time. Worth less than one life at first; after
        // turns that took nothing it weighs more and more, up to lives of
        // its own, so two players that cannot reach each other dig their way
        // until they can.
        const LD zetMoeite = 0.0005L * std::abs(zet.Stappen) + 0.001L * std::abs(zet.Sprong) + 0.0002L * nadering_ * Afstand(voeten);
        auto neem = [&](const Toetsen& t, const std::pair<SchotUitslag, LD>& uw, const KONIJN& posities,
                        Beweging vlucht = {}, COORDINATEN weg = {}) {
            const LD w = uw.second;
            const LD rang = w - Moeite(t) - zetMoeite - 0.0003L * nadering_ * Afstand(uw.first.Einde);
            if (rang > beste_.rang) {
                beste_ = {t, vlucht, weg, w, rang, NaDeVal(hier, uw.first, posities)};
                besteZet_ = zet;
                besteNa_ = voeten;
            }
        };
        // The angle after each number of presses, worked out once here.
        const std::vector<float> hoek = HoekenNaToetsen(voeten, MaxDraai);
        std::array<float, MaxKracht + 1> kracht{};
        for (uint32_t k = 1; k <= MaxKracht; ++k) kracht[k] = KrachtNaStappen(k);
        auto schiet = [&](Wapen w, int32_t omhoog, uint32_t stappen) {
            Toetsen t;
            t.wapen = w;
            t.Omhoog = omhoog;
            t.Krachtstappen = stappen;
            const Schot s{w, hoek[size_t(omhoog + MaxDraai)], kracht[stappen], -1};
            return std::pair{t, Uitkomst(hier, Simuleer(hier, nr_, s), konijnen)};
        };

        for (int32_t kant : {-1, 1}) {
            Toetsen t;
            t.wapen = Wapen::Bijl;
            t.BijlKant = kant;
            neem(t, Uitkomst(hier, Simuleer(hier, nr_, Schot{Wapen::Bijl, 0, 0, kant}), konijnen), konijnen);
        }
        for (int32_t n = -MaxDraai; n <= MaxDraai; n += in_.hoekStap) {
            const auto [t, uw] = schiet(Wapen::Pistool, n, 0);
            neem(t, uw, konijnen);
        }
        for (Wapen wapen : {Wapen::Bazooka, Wapen::Granaat}) {
            if (wapen == Wapen::Granaat && !in_.granaat) continue;
            // The grid, keeping the best few apart from each other.
            const int32_t hs = wapen == Wapen::Granaat ? std::max(in_.hoekStap, in_.granaatStap) : in_.hoekStap;
            const uint32_t ks = wapen == Wapen::Granaat ? std::max(in_.krachtStap, uint32_t(in_.granaatStap)) : in_.krachtStap;
            std::vector<std::pair<Toetsen, LD>> top;
            for (int32_t n = -MaxDraai; n <= MaxDraai; n += hs) {
                if (n != -MaxDraai && hoek[size_t(n + MaxDraai)] == hoek[size_t(n - hs + MaxDraai)]) continue;
                // Fired steeply into the ground at its feet: never worth it.
                if (std::sin(LD{hoek[size_t(n + MaxDraai)]}) > 0.6L) continue;
                for (uint32_t k = 1; k <= MaxKracht; k += ks) {
                    const auto [t, uw] = schiet(wapen, n, k);
                    neem(t, uw, konijnen);
                    if (in_.verfijnd == 0 || uw.second <= 0) continue;
                    top.push_back({t, uw.second});
                }
            }
            std::sort(top.begin(), top.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
            const size_t verfijnd = wapen == Wapen::Granaat ? (in_.verfijnd + 1) / 2 : in_.verfijnd;
            if (top.size() > verfijnd) top.resize(verfijnd);
            for (const auto& [t0, w0] : top)
                for (int32_t dn = 1 - hs; dn < hs; ++dn)
                    for (int32_t dk = 1 - int32_t(ks); dk < int32_t(ks); ++dk) {
                        const int32_t n = t0.Omhoog + dn;
                        const int64_t k = int64_t{t0.Krachtstappen} + dk;
                        if ((dn == 0 && dk == 0) || n < -MaxDraai || n > MaxDraai || k < 1 || k > MaxKracht) continue;
                        const auto [t, uw] = schiet(wapen, n, uint32_t(k));
                        neem(t, uw, konijnen);
                    }
        }
        // The dynamite: lit at the feet, the rabbit runs; what it costs
        // whom with everyone where they are when it goes off.
        for (const Beweging& v : Vluchten()) {
            const BewegingUitslag weg = Beweeg(level, voeten, v, VluchtKlok);
            if (weg.Verdronken) continue;
            Toetsen t;
            t.wapen = Wapen::Dynamiet;
            t.WegNaar = weg.Positie;
            KONIJN daar = konijnen;
            daar[nr_].Positie = weg.Positie;
            neem(t, Uitkomst(hier, Simuleer(hier, nr_, t), daar), daar, v, weg.Positie);
        }
    }

    // How far the nearest rabbit of the other team stands from p.
    LD Afstand(COORDINATEN p) const {
        LD kortst = 1200;
        for (uint32_t i = 1; i <= stand_.AantalKonijntjes; ++i) {
            const KonijnRecord& k = stand_.konijnen[i];
            if (k.Levens <= 0 || k.Team == stand_.konijnen[nr_].Team) continue;
            kortst = std::min(kortst, std::hypot(LD(k.Positie.x - p.x), LD(k.Positie.y - 30 - p.y)));
        }
        return kortst;
    }

    std::pair<SchotUitslag, LD> Uitkomst(const Stand& hier, const SchotUitslag& u, const KONIJN& posities) const {
        return {u, Waarde(hier, nr_, u, posities)};
    }

    Kandidaat beste_;
    Beweging besteZet_;
    COORDINATEN besteNa_;

private:
    const Stand& stand_;
    uint32_t nr_;
    const Instelling& in_;
    LD nadering_;
};

}  // namespace

const char* Naam(Speler s) {
    switch (s) {
    case Speler::Makkelijk: return "easy";
    case Speler::Normaal: return "normal";
    case Speler::Moeilijk: return "hard";
    default: return "person";
    }
}

bool UitNaam(const char* naam, Speler& s) {
    for (Speler k : {Speler::Mens, Speler::Makkelijk, Speler::Normaal, Speler::Moeilijk})
        if (std::strcmp(naam, Naam(k)) == 0) {
            s = k;
            return true;
        }
    return false;
}

uint64_t Kans::Volgende() {
    uint64_t z = (toestand += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t Kans::Onder(uint32_t n) { return uint32_t(Volgende() % n); }

int32_t Kans::Afwijking(int32_t breedte) {
    if (breedte <= 0) return 0;
    // The sum of two evens: a triangle, most often no error at all.
    const uint32_t w = uint32_t(breedte) + 1;
    return int32_t(Onder(w)) + int32_t(Onder(w)) - breedte;
}

BewegingUitslag Beweeg(const LEVEL& level, COORDINATEN p, Beweging b, float Klok) {
    BewegingUitslag u{p, Klok, false};
    auto val = [&](COORDINATEN van) {
        const COORDINATEN naar = ValLanding(level, van);
        if (naar.y - van.y > StilleVal)
            for (int32_t k = van.y; k <= naar.y; ++k) u.Klok = Afschrijven(u.Klok, ValKosten);
        u.Verdronken = Verdronken(naar);
        return naar;
    };
    if (b.Sprong != 0 && !u.Verdronken && !TijdOp(u.Klok)) {
        Sprong s = SprongBegin(level, u.Positie, b.Sprong);
        while (SprongLoopt(s)) {
            s = SprongStap(level, s);
            if (s.Verdronken) break;
            u.Klok = Afschrijven(u.Klok, SprongKosten);
        }
        u.Verdronken = s.Verdronken;
        u.Positie = s.Positie;
        if (!s.Verdronken && !s.Geland) u.Positie = val(s.Positie);
    }
    const int32_t richting = b.Stappen < 0 ? -1 : 1;
    for (int32_t n = 0; n < std::abs(b.Stappen) && !u.Verdronken && !TijdOp(u.Klok); ++n) {
        if (!LoopRuimte(u.Positie, richting)) break;
        const WandelStap stap = Stap(level, u.Positie, richting);
        u.Positie = stap.Oordeel == -1 ? val(stap.Positie) : stap.Positie;
        u.Klok = Afschrijven(u.Klok, StapKosten);
    }
    return u;
}

KONIJN NaDeVal(const Stand& stand, const SchotUitslag& uitslag, const KONIJN& posities) {
    KONIJN na = posities;
    for (uint32_t i = 1; i <= stand.AantalKonijntjes; ++i) {
        na[i].Levens = uitslag.Levens[i];
        // The falls after the turn: a rabbit still living drops into the
        // crater's hole, or into the water.
        if (na[i].Levens <= 0) continue;
        na[i].Positie = LandingNaKrater(stand.level, na[i].Positie, uitslag.Krater);
        if (Verdronken(na[i].Positie)) na[i].Levens = 0;
    }
    return na;
}

long double Waarde(const Stand& stand, uint32_t KonijnNr, const SchotUitslag& uitslag, const KONIJN& posities) {
    const uint32_t n = stand.AantalKonijntjes;
    const uint32_t team = stand.konijnen[KonijnNr].Team;
    const KONIJN na = NaDeVal(stand, uitslag, posities);
    LD w = 0;
    for (uint32_t i = 1; i <= n; ++i) {
        const int32_t voor = stand.konijnen[i].Levens;
        if (voor <= 0) continue;
        const LD verlies = LD(voor) - na[i].Levens;
        const bool weg = na[i].Levens <= 0;
        // A rabbit out of the game no longer plays: worth more than its lives.
        if (stand.konijnen[i].Team == team) w -= 1.5L * verlies + (weg ? 60 : 0);
        else w += verlies + (weg ? 40 : 0);
    }
    const int32_t eigen = TeamLevens(na, n, team), ander = TeamLevens(na, n, team == 1 ? 2 : 1);
    // Both teams out: blue has won.
    const bool verloren = eigen <= 0 && (ander > 0 || team == 1);
    const bool gewonnen = ander <= 0 && !verloren;
    if (gewonnen) w += 100000;
    if (verloren) w -= 100000;
    return w;
}

Plan Kies(const Stand& stand, uint32_t KonijnNr, Speler sterkte, Kans& kans, uint32_t geduld) {
    Instelling in = Voor(sterkte);
    // Long fruitless: every strength looks further afield.
    if (geduld >= 4) in.verder = true;
    const COORDINATEN start = stand.konijnen[KonijnNr].Positie;
    // The game's grid as the turn has it: the shooter's cells lifted as it
    // moves, marked again where it stops.
    static thread_local std::unique_ptr<LEVEL> werk;
    if (!werk) werk = std::make_unique<LEVEL>();
    *werk = stand.level;
    LEVEL& level = *werk;
    VoorVoetafdruk(start, [&](int32_t x, int32_t y) { level[x][y].Konijn = false; });

    Zoeker zoeker(stand, KonijnNr, in, geduld);
    std::vector<Beweging> zetten = in.zetten;
    if (in.verder) {
        // Longer ways toward the nearest of the other team.
        int32_t naar = 0, kortst = INT32_MAX;
        for (uint32_t i = 1; i <= stand.AantalKonijntjes; ++i) {
            const KonijnRecord& k = stand.konijnen[i];
            if (k.Levens <= 0 || k.Team == stand.konijnen[KonijnNr].Team) continue;
            if (std::abs(k.Positie.x - start.x) < kortst) kortst = std::abs(k.Positie.x - start.x), naar = k.Positie.x < start.x ? -1 : 1;
        }
        if (naar != 0) zetten.insert(zetten.end(), {{naar * 150, 0}, {naar * 100, naar}});
        if (naar != 0 && geduld >= 4) zetten.push_back({naar * 300, 0});
    }
    std::vector<COORDINATEN> gezien;
    std::vector<CEL> bewaard;
    for (const Beweging& zet : zetten) {
        const BewegingUitslag u = Beweeg(level, start, zet, ZetKlok);
        if (u.Verdronken || std::find(gezien.begin(), gezien.end(), u.Positie) != gezien.end()) continue;
        gezien.push_back(u.Positie);
        bewaard.clear();
        VoorVoetafdruk(u.Positie, [&](int32_t x, int32_t y) {
            bewaard.push_back(level[x][y]);
            level[x][y].Konijn = true;
        });
        KONIJN konijnen = stand.konijnen;
        konijnen[KonijnNr].Positie = u.Positie;
        zoeker.Probeer(level, konijnen, zet);
        size_t i = 0;
        VoorVoetafdruk(u.Positie, [&](int32_t x, int32_t y) { level[x][y] = bewaard[i++]; });
    }

    Plan plan;
    plan.Zet = zoeker.besteZet_;
    plan.Na = zoeker.besteNa_;
    plan.toetsen = zoeker.beste_.toetsen;
    plan.Vlucht = zoeker.beste_.vlucht;
    plan.Waarde = zoeker.beste_.waarde;
    plan.Verwacht = zoeker.beste_.verwacht;
    // The weaker hands shake: the sight and the meter a little off.
    Toetsen& t = plan.toetsen;
    if (t.wapen == Wapen::Bazooka || t.wapen == Wapen::Granaat || t.wapen == Wapen::Pistool) {
        t.Omhoog = std::clamp(t.Omhoog + kans.Afwijking(in.hoekFout), -MaxDraai, MaxDraai);
        if (t.wapen != Wapen::Pistool)
            t.Krachtstappen = uint32_t(std::clamp<int64_t>(int64_t{t.Krachtstappen} + kans.Afwijking(in.krachtFout), 1, MaxKracht));
    }
    return plan;
}

}  // namespace Zanderfell::Computer

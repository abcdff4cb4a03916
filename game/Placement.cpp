// Rabbit placement at the start of a game (the choice of teams and spots as a
// step from a generator state, the state file and the drawing around it),
// and the rabbit marks in the grid.
#include "game/Placement.h"

#include <cstdio>
#include <string>

#include "game/Field.h"
#include "game/Random.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

// Writes Weg into the Konijn flag of rabbit k's footprint; cells outside the
// grid are skipped. Nothing for a rabbit of team 0.
void Markeer(const KONIJN& konijntjes, LEVEL& level, uint32_t k, bool Weg) {
    const KonijnRecord& konijn = konijntjes[k];
    if (konijn.Team == 0) return;
    int64_t px = konijn.Positie.x, py = konijn.Positie.y;
    for (int64_t x = px - 15; x <= px + 15; ++x) {
        if (x < 1 || x > Veld::Breedte) continue;
        for (int64_t y = py - 65; y <= py; ++y) {
            if (y < 1 || y > Veld::Hoogte) continue;
            level[x][y].Konijn = Weg;
        }
    }
}

// Fewer distinct spot numbers than rabbits came out of the 300 draws: draw
// more until a new one comes. The generator can settle on a fixed point or a
// short cycle (state 10 and 0.91608 gives 10 for ever), so after a bounded
// number of extra draws the lowest free spot is taken instead.
uint32_t ExtraPlek(RANDOMTOESTAND& toestand, bool (&gezien)[20], bool& zonderTrekking) {
    constexpr int MaxExtraTrekkingen = 1000;
    for (int i = 0; i < MaxExtraTrekkingen; ++i) {
        uint32_t plek = Trek(toestand, 1, 20);
        if (!gezien[plek]) {
            gezien[plek] = true;
            return plek;
        }
    }
    for (uint32_t plek = 1; plek <= 19; ++plek) {
        if (!gezien[plek]) {
            zonderTrekking = true;
            gezien[plek] = true;
            return plek;
        }
    }
    Runtime::RunError("no free spawn spot left");
}

}  // namespace

COORDINATEN SpawnPlek(uint32_t LevelNr, uint32_t nummer) {
    const std::span<const Veld::Plek> plekken = Veld::Plekken(LevelNr);
    if (LevelNr > 2 || plekken.empty())
        Runtime::RunError("SpawnPlek: level " + std::to_string(LevelNr) + " has no spawn spots");
    const Veld::Plek p = plekken[size_t(Runtime::CheckIndex(nummer, 1, int64_t(plekken.size()), "spawn spot") - 1)];
    return {p.x, p.y};
}

void PlaatsKonijntje(uint32_t KonijnNr, bool Weg) { Markeer(Konijntjes, Level, KonijnNr, Weg); }

OPSTELLING KiesOpstelling(RANDOMTOESTAND& Toestand, uint32_t AantalKonijntjes) {
    Runtime::CheckIndex(AantalKonijntjes, 0, 8, "number of rabbits");
    OPSTELLING o;

    // The team of the odd numbers.
    o.OnevenTeam = Trek(Toestand, 1, 3);

    // Three hundred spot numbers.
    Runtime::Array<uint32_t, 1, 300> r;
    for (int64_t i = 1; i <= 300; ++i) r[i] = Trek(Toestand, 1, 20);

    // First occurrences only.
    bool gezien[20] = {};
    for (int64_t i = 1; i <= 300; ++i) {
        if (gezien[r[i]]) {
            r[i] = 0;
        } else {
            gezien[r[i]] = true;
        }
    }

    // Rabbit k stands on the k-th distinct spot drawn.
    int64_t volgende = 1;
    for (uint32_t k = 1; k <= AantalKonijntjes; ++k) {
        while (volgende <= 300 && r[volgende] == 0) ++volgende;
        if (volgende <= 300) {
            o.Plek[k] = r[volgende];
            r[volgende] = 0;
        } else {
            o.Plek[k] = ExtraPlek(Toestand, gezien, o.ZonderTrekking[k]);
        }
    }
    return o;
}

void StelKonijntjesOp(uint32_t LevelNr, uint32_t AantalKonijntjes, const OPSTELLING& Opstelling,
                      KONIJN& Konijntjes, LEVEL& Level) {
    if (LevelNr == 3) {
        for (uint32_t k = 3; k <= 8; ++k) {
            Konijntjes[k].Levens = 0;
            Konijntjes[k].Team = 0;
        }
        Konijntjes[1].Levens = 100;
        Konijntjes[1].Team = 1;
        Konijntjes[1].Positie = {Veld::PlekkenLevel3[0].x, Veld::PlekkenLevel3[0].y};
        Konijntjes[2].Levens = 100;
        Konijntjes[2].Team = 2;
        Konijntjes[2].Positie = {Veld::PlekkenLevel3[1].x, Veld::PlekkenLevel3[1].y};
        Markeer(Konijntjes, Level, 1, true);
        Markeer(Konijntjes, Level, 2, true);
        return;
    }
    if (LevelNr != 1 && LevelNr != 2) {
        Runtime::RunError("StelKonijntjesOp: no level " + std::to_string(LevelNr));
    }
    Runtime::CheckIndex(AantalKonijntjes, 0, 8, "number of rabbits");
    const uint32_t oneven = Opstelling.OnevenTeam;
    const uint32_t even = oneven == 1 ? 2 : 1;
    for (uint32_t k = 1; k <= 8; ++k) {
        if (k <= AantalKonijntjes) {
            Konijntjes[k].Levens = 100;
            Konijntjes[k].Team = (k % 2 == 1) ? oneven : even;
            Konijntjes[k].Positie = SpawnPlek(LevelNr, Opstelling.Plek[k]);
            Markeer(Konijntjes, Level, k, true);
        } else {
            // Rabbits beyond the number take no part; their places are never read.
            Konijntjes[k].Levens = 0;
            Konijntjes[k].Team = 0;
        }
    }
}

void MaakKonijntjesAan(uint32_t LevelNr, uint32_t AantalKonijntjes, KONIJN& Konijntjes,
                       LEVEL& Level) {
    if (LevelNr == 3) {
        // A fixed duel: no draw, the state file untouched, nothing drawn.
        StelKonijntjesOp(LevelNr, AantalKonijntjes, OPSTELLING{}, Konijntjes, Level);
        return;
    }
    if (LevelNr != 1 && LevelNr != 2) {
        Runtime::RunError("MaakKonijntjesAan: no level " + std::to_string(LevelNr));
    }
    Runtime::CheckIndex(AantalKonijntjes, 0, 8, "number of rabbits");

    // The state file is read once before the set-up's draws (301 and more)
    // and written once after them, before any rabbit shows. The draws and
    // the file's final content are those of a rewrite per draw (each draw's
    // state carries the file's rounding), so the rewrites in between would
    // only be a cost the player never sees. A game killed during the set-up
    // leaves the state from before it, whole (the write replaces the file in
    // one rename); one that cannot write the file stops before any rabbit is
    // shown.
    RANDOMTOESTAND toestand = LeesRandomBestand();
    const OPSTELLING opstelling = KiesOpstelling(toestand, AantalKonijntjes);
    SchrijfRandomBestand(toestand);
    for (uint32_t k = 1; k <= AantalKonijntjes; ++k) {
        if (opstelling.ZonderTrekking[k]) {
            std::fprintf(stderr,
                         "zanderfell: note: the random generator keeps repeating spawn spots; "
                         "spot %u is taken without a draw\n",
                         opstelling.Plek[k]);
        }
    }

    StelKonijntjesOp(LevelNr, AantalKonijntjes, opstelling, Konijntjes, Level);
    // The rabbits show up one after the other.
    for (uint32_t k = 1; k <= AantalKonijntjes; ++k) {
        TekenBitmaps::TekenKonijntje(Konijntjes[k].Positie.x, Konijntjes[k].Positie.y,
                                     static_cast<int32_t>(Konijntjes[k].Team));
        Wimdows::UpdateWindow();
    }
}

}  // namespace Zanderfell

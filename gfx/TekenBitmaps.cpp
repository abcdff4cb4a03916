// TekenBitmaps: the image catalogue and the drawing procedures of the screens
// and status bar, the rabbit poses and the weapon and effect sprites.
#include "gfx/TekenBitmaps.h"

#include <string>

#include "game/Field.h"
#include "runtime/Runtime.h"

namespace TekenBitmaps {

#define CATALOGUE(stem, w, h) Handle stem##Bitmap = 0;
#include "gfx/Catalogue.def"
#undef CATALOGUE

void LaadBitmaps() {
    // Read every file on every core first; the loads below, in catalogue
    // order, then take them from memory.
    Wimdows::PrefetchBitmaps({
#define CATALOGUE(stem, w, h) {"Images/" #stem ".bmp", w, h},
#include "gfx/Catalogue.def"
#undef CATALOGUE
    });
#define CATALOGUE(stem, w, h) stem##Bitmap = Wimdows::LoadBitmap("Images/" #stem ".bmp", w, h);
#include "gfx/Catalogue.def"
#undef CATALOGUE
}

namespace {

using Runtime::Array;

// Picks the entry for a caller's number from a table indexed as the caller
// counts: one range check, whose failure names the procedure.
template <class T, int64_t Lo, int64_t Hi>
const T& Kies(const Array<T, Lo, Hi>& tabel, int64_t i, const char* procedure) {
    return tabel.items[Runtime::CheckIndex(i, Lo, Hi, procedure) - Lo];
}

// An unsigned coordinate minus a fixed offset, passed on as a signed corner.
// A result left of or above the window is clipped by the graphics layer.
int32_t Hoek(uint32_t v, int32_t offset) { return Runtime::ToI32(int64_t{v} - offset); }
int32_t Hoek(int32_t v, int32_t offset) { return Runtime::ToI32(int64_t{v} - offset); }

// The tables point at the handle variables, not at their values: the
// catalogue is loaded afresh at every opening of the window.
using Plaatje = const Handle*;

// A picture and the mask it is drawn through.
struct Sprite {
    Plaatje beeld, masker;
};
#define SPRITE(stem) Sprite{&stem##Bitmap, &stem##MaskBitmap}

// The three images of one rabbit pose and frame, and the columns its picture
// reaches left of the feet.
struct Pose {
    Plaatje rood, blauw, masker;
    int32_t links = 15;
};
#define POSE_AT(stem, links) Pose{&stem##RoodBitmap, &stem##BlauwBitmap, &stem##MaskBitmap, links}
#define POSE(stem) POSE_AT(stem, 15)
#define FRAMES(stem) Array<Pose, 1, 3>{{POSE(stem##1), POSE(stem##2), POSE(stem##3)}}

const Array<Plaatje, 1, 4> Titels{{&TitelScherm1Bitmap, &TitelScherm2Bitmap, &TitelScherm3Bitmap,
                                   &TitelScherm4Bitmap}};
// The menu screens row by row: row 1 has four choices, rows 2 and 3 two.
const Array<Array<Plaatje, 1, 4>, 1, 3> Menus{{
    {{&MenuScherm1Bitmap, &MenuScherm2Bitmap, &MenuScherm3Bitmap, &MenuScherm4Bitmap}},
    {{&MenuScherm5Bitmap, &MenuScherm6Bitmap}},
    {{&MenuScherm7Bitmap, &MenuScherm8Bitmap}}}};
const Array<Plaatje, 1, 3> Levels{{&Level1Bitmap, &Level2Bitmap, &Level3Bitmap}};

// The status bar and its three pieces, with the column each is drawn at.
struct Stuk {
    Plaatje beeld;
    int32_t x;
};
const Array<Stuk, 0, 3> Statusbalk{{{&StatusbalkBitmap, 1},
                                    {&Statusbalk1Bitmap, 263},
                                    {&Statusbalk2Bitmap, 486},
                                    {&Statusbalk3Bitmap, 923}}};

const Array<Plaatje, 0, 9> Cijfers{{&Digit0Bitmap, &Digit1Bitmap, &Digit2Bitmap, &Digit3Bitmap,
                                    &Digit4Bitmap, &Digit5Bitmap, &Digit6Bitmap, &Digit7Bitmap,
                                    &Digit8Bitmap, &Digit9Bitmap}};
const Array<Plaatje, 0, 5> Wapens{{&Wapen0Bitmap, &Wapen1Bitmap, &Wapen2Bitmap, &Wapen3Bitmap,
                                   &Wapen4Bitmap, &Wapen5Bitmap}};

// Shells by the direction of flight, clockwise from up: B up (boven), O down
// (onder), L left, R right.
const Array<Sprite, 1, 8> Kogels{{SPRITE(KogelBB), SPRITE(KogelBR), SPRITE(KogelRR), SPRITE(KogelOR),
                                  SPRITE(KogelOO), SPRITE(KogelOL), SPRITE(KogelLL), SPRITE(KogelBL)}};

const Array<Pose, 1, 3> WandelLinks = FRAMES(KonijntjeWandelL);
const Array<Pose, 1, 3> WandelRechts = FRAMES(KonijntjeWandelR);
const Array<Pose, 1, 3> BazookaLinks = FRAMES(KonijntjeBazL);
const Array<Pose, 1, 3> BazookaRechts = FRAMES(KonijntjeBazR);
const Array<Pose, 1, 3> PistoolLinks = FRAMES(KonijntjePisL);
const Array<Pose, 1, 3> PistoolRechts = FRAMES(KonijntjePisR);
// The third frame of the swing holds the axe out: 6 pixels further that way.
const Array<Pose, 1, 3> BijlLinks{{POSE(KonijntjeBijL1), POSE(KonijntjeBijL2), POSE_AT(KonijntjeBijL3, 21)}};
const Array<Pose, 1, 3> BijlRechts{{POSE(KonijntjeBijR1), POSE(KonijntjeBijR2), POSE_AT(KonijntjeBijR3, 9)}};

// Draws a pose through its mask, team 1 red and any other blue: buffering
// on, the feet at (x, y).
template <class C>
void TekenPose(const Pose& p, uint32_t kleur, C x, C y) {
    Wimdows::SetBuffering(true);
    Wimdows::DrawMaskBitmap(kleur == 1 ? *p.rood : *p.blauw, *p.masker, Hoek(x, p.links), Hoek(y, 60));
}
// A frame of a three-frame pose, shown at once.
template <class C>
void TekenFrame(const Array<Pose, 1, 3>& frames, const char* procedure, C x, C y, uint32_t nummer,
                uint32_t kleur) {
    TekenPose(Kies(frames, nummer, procedure), kleur, x, y);
    Wimdows::UpdateWindow();
}
// A single pose, shown at once.
void TekenEnkel(const Pose& p, uint32_t x, uint32_t y, uint32_t kleur) {
    TekenPose(p, kleur, x, y);
    Wimdows::UpdateWindow();
}

// A weapon or effect sprite with its centre offset: buffering on, through
// the mask, then shown.
template <class C>
void TekenSprite(const Sprite& s, C x, C y, int32_t dx, int32_t dy) {
    Wimdows::SetBuffering(true);
    Wimdows::DrawMaskBitmap(*s.beeld, *s.masker, Hoek(x, dx), Hoek(y, dy));
    Wimdows::UpdateWindow();
}

}  // namespace

// --- screens and status bar -------------------------------------------------

void TekenTitelScherm(uint32_t selectie) {
    Wimdows::DrawBitmap(*Kies(Titels, selectie, "TekenTitelScherm"), 1, 1);
}

void TekenMenuScherm(uint32_t i, uint32_t j) {
    const Plaatje p = Kies(Kies(Menus, i, "TekenMenuScherm: row"), j, "TekenMenuScherm: choice");
    if (p == nullptr)
        Runtime::RunError("TekenMenuScherm: row " + std::to_string(i) + " has no choice " + std::to_string(j));
    Wimdows::DrawBitmap(*p, 1, 1);
}

void TekenInstructies(uint32_t i) {
    Wimdows::DrawBitmap(i == 1 ? Instructions1Bitmap : Instructions2Bitmap, 1, 1);
}

void TekenCredits() { Wimdows::DrawBitmap(CreditsBitmap, 1, 1); }

Handle LevelBitmap(uint32_t LevelNr) { return *Kies(Levels, LevelNr, "TekenLevel"); }

void TekenLevel(uint32_t LevelNr) {
    const Handle h = LevelBitmap(LevelNr);
    Wimdows::SetBuffering(true);
    Wimdows::DrawBitmap(h, 1, 1);
}

void TekenStatusbalk(uint32_t deel) {
    const Stuk& s = Kies(Statusbalk, deel, "TekenStatusbalk");
    Wimdows::DrawBitmap(*s.beeld, s.x, Veld::StatusbalkRij);
}

void TekenCijfer(uint32_t x, uint32_t y, uint32_t c) {
    Wimdows::DrawBitmap(*Kies(Cijfers, c, "TekenCijfer"), Runtime::ToI32(x), Runtime::ToI32(y));
}

void TekenOverwinning(uint32_t team) {
    Wimdows::SetBuffering(true);
    Wimdows::DrawBitmap(team == 1 ? OverwinningRoodBitmap : OverwinningBlauwBitmap, 1, 1);
    Wimdows::UpdateWindow();
}

void TekenOverwinningMetVoet(uint32_t team) {
    Wimdows::SetBuffering(true);
    Wimdows::DrawBitmap(team == 1 ? OverwinningRoodBitmap : OverwinningBlauwBitmap, 1, 1);
    Wimdows::DrawBitmap(team == 1 ? OverwinningVoetRoodBitmap : OverwinningVoetBlauwBitmap, 1, 653);
    Wimdows::UpdateWindow();
}

const Array<Plaatje, 1, 3> PauzeMenus{{&PauzeMenu1Bitmap, &PauzeMenu2Bitmap, &PauzeMenu3Bitmap}};

void TekenPauzeMenu(uint32_t selectie) {
    Wimdows::DrawBitmap(*Kies(PauzeMenus, selectie, "TekenPauzeMenu"), PauzeMenuX, PauzeMenuY);
    Wimdows::UpdateWindow();
}

const Array<Plaatje, 0, 4> BeurtRood{{&BeurtRood0Bitmap, &BeurtRood1Bitmap, &BeurtRood2Bitmap, &BeurtRood3Bitmap,
                                      &BeurtRood4Bitmap}};
const Array<Plaatje, 0, 4> BeurtBlauw{{&BeurtBlauw0Bitmap, &BeurtBlauw1Bitmap, &BeurtBlauw2Bitmap,
                                       &BeurtBlauw3Bitmap, &BeurtBlauw4Bitmap}};

void TekenBeurtBanner(uint32_t team, uint32_t konijn) {
    Wimdows::DrawBitmap(*Kies(team == 1 ? BeurtRood : BeurtBlauw, konijn, "TekenBeurtBanner"), BannerX, BannerY);
}

void TekenAanZet(uint32_t team) {
    Wimdows::DrawBitmap(team == 1 ? AanZetRoodBitmap : AanZetBlauwBitmap, AanZetX, AanZetY);
}

const Array<Plaatje, 0, 9> KleineCijfers{{&KleinCijfer0Bitmap, &KleinCijfer1Bitmap, &KleinCijfer2Bitmap,
                                          &KleinCijfer3Bitmap, &KleinCijfer4Bitmap, &KleinCijfer5Bitmap,
                                          &KleinCijfer6Bitmap, &KleinCijfer7Bitmap, &KleinCijfer8Bitmap,
                                          &KleinCijfer9Bitmap}};

void TekenKleinGetal(int32_t x, int32_t y, int32_t getal, uint32_t plaatsen) {
    const std::string s = std::to_string(getal);
    int32_t at = x;
    for (size_t i = s.size(); i < plaatsen; ++i, at += KleinCijferBreedte)
        Wimdows::Rectangle(at, y, at + KleinCijferBreedte - 1, y + 11, Wimdows::RgbColor(20, 16, 24), true);
    for (char c : s) {
        Wimdows::DrawBitmap(c == '-' ? KleinMinBitmap : *Kies(KleineCijfers, c - '0', "TekenKleinGetal"), at, y);
        at += KleinCijferBreedte;
    }
}

const Array<Plaatje, 1, 6> Hints{{&Hint1Bitmap, &Hint2Bitmap, &Hint3Bitmap, &Hint4Bitmap, &Hint5Bitmap, &Hint6Bitmap}};

void TekenHint(uint32_t fase) { Wimdows::DrawBitmap(*Kies(Hints, fase, "TekenHint"), HintX, HintY); }

const Array<Plaatje, 1, 4> BlauweSpelers{{&BlauweSpeler1Bitmap, &BlauweSpeler2Bitmap, &BlauweSpeler3Bitmap, &BlauweSpeler4Bitmap}};

void TekenBlauweSpeler(uint32_t keuze) {
    Wimdows::DrawBitmap(*Kies(BlauweSpelers, keuze, "TekenBlauweSpeler"), BlauweSpelerX, BlauweSpelerY);
}

void TekenWapen(uint32_t WapenNr) {
    TekenSprite(Sprite{Kies(Wapens, WapenNr, "TekenWapen"), &WapenMaskBitmap}, 748, 617, 0, 0);
}

// --- rabbits ----------------------------------------------------------------

void TekenKonijntje(int32_t x, int32_t y, int32_t kleur) {
    // Not shown: the caller updates the window once its frame is complete.
    TekenPose(POSE(Konijntje), kleur == 1 ? 1u : 2u, x, y);
}

void TekenKonijntjeWandelLinks(int32_t x, int32_t y, uint32_t nummer, uint32_t kleur) {
    TekenFrame(WandelLinks, "TekenKonijntjeWandelLinks", x, y, nummer, kleur);
}
void TekenKonijntjeWandelRechts(int32_t x, int32_t y, uint32_t nummer, uint32_t kleur) {
    TekenFrame(WandelRechts, "TekenKonijntjeWandelRechts", x, y, nummer, kleur);
}
void TekenKonijntjeBazookaLinks(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    TekenFrame(BazookaLinks, "TekenKonijntjeBazookaLinks", x, y, nummer, kleur);
}
void TekenKonijntjeBazookaRechts(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    TekenFrame(BazookaRechts, "TekenKonijntjeBazookaRechts", x, y, nummer, kleur);
}
void TekenKonijntjePistoolLinks(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    TekenFrame(PistoolLinks, "TekenKonijntjePistoolLinks", x, y, nummer, kleur);
}
void TekenKonijntjePistoolRechts(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    TekenFrame(PistoolRechts, "TekenKonijntjePistoolRechts", x, y, nummer, kleur);
}
void TekenKonijntjeBijlLinks(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    TekenFrame(BijlLinks, "TekenKonijntjeBijlLinks", x, y, nummer, kleur);
}
void TekenKonijntjeBijlRechts(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    TekenFrame(BijlRechts, "TekenKonijntjeBijlRechts", x, y, nummer, kleur);
}

void TekenKonijntjeDynamiet(uint32_t x, uint32_t y, uint32_t kleur) {
    TekenEnkel(POSE(KonijntjeDyn), x, y, kleur);
}
void TekenKonijntjeGranaatLinks(uint32_t x, uint32_t y, uint32_t kleur) {
    TekenEnkel(POSE(KonijntjeGraL), x, y, kleur);
}
void TekenKonijntjeGranaatRechts(uint32_t x, uint32_t y, uint32_t kleur) {
    TekenEnkel(POSE(KonijntjeGraR), x, y, kleur);
}
void TekenKonijntjeNadenk(uint32_t x, uint32_t y, uint32_t kleur) {
    TekenEnkel(POSE(KonijntjeNadenk), x, y, kleur);
}

// --- weapons and effects ------------------------------------------------------

void TekenKogel(int32_t x, int32_t y, uint32_t richting) {
    TekenSprite(Kies(Kogels, richting, "TekenKogel"), x, y, 8, 8);
}
void TekenGranaat(int32_t x, int32_t y) { TekenSprite(SPRITE(Granaat), x, y, 6, 6); }
void TekenDynamiet(int32_t x, int32_t y) { TekenSprite(SPRITE(Dynamiet), x, y, 3, 26); }
void TekenVizier(uint32_t x, uint32_t y) { TekenSprite(SPRITE(Vizier), x, y, 8, 8); }
void TekenKaboom(uint32_t x, uint32_t y) { TekenSprite(SPRITE(Kaboom), x, y, 30, 30); }
void TekenPijl(uint32_t x, uint32_t y) { TekenSprite(SPRITE(Pijl), x, y, 11, 75); }

#undef FRAMES
#undef POSE
#undef POSE_AT
#undef SPRITE

}  // namespace TekenBitmaps

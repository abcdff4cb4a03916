// TekenBitmaps: the image catalogue and the drawing procedures of the screens
// and status bar, the rabbit poses and the weapon and effect sprites.
#include "gfx/TekenBitmaps.h"

#include <string>

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

[[noreturn]] void Fout(const char* procedure, uint64_t value) {
    Runtime::RunError(std::string(procedure) + ": argument " + std::to_string(value) +
                      " has no image");
}

// An unsigned coordinate minus a fixed offset, passed on as a signed corner.
// A result left of or above the window is clipped by the graphics layer.
int32_t Hoek(uint32_t v, int32_t offset) { return Runtime::ToI32(int64_t{v} - offset); }
int32_t Hoek(int32_t v, int32_t offset) { return Runtime::ToI32(int64_t{v} - offset); }

// The three images of one pose and frame.
struct Pose {
    Handle rood, blauw, mask;
};

// Draws a pose through its mask: buffering on, then the image at the corner.
void TekenPose(const Pose& p, uint32_t kleur, int32_t x0, int32_t y0) {
    Wimdows::SetBuffering(true);
    Wimdows::DrawMaskBitmap(kleur == 1 ? p.rood : p.blauw, p.mask, x0, y0);
}

// Frame 1..3 of a three-frame pose.
Pose Frame(const char* procedure, uint32_t nummer, const Pose& f1, const Pose& f2,
           const Pose& f3) {
    switch (nummer) {
        case 1: return f1;
        case 2: return f2;
        case 3: return f3;
        default: Fout(procedure, nummer);
    }
}

#define POSE(name) Pose{name##RoodBitmap, name##BlauwBitmap, name##MaskBitmap}
#define FRAMES(proc, nummer, name) \
    Frame(proc, nummer, POSE(name##1), POSE(name##2), POSE(name##3))

// A weapon or effect sprite: buffering on, through the mask, then shown.
void TekenSprite(Handle bitmap, Handle mask, int32_t x0, int32_t y0) {
    Wimdows::SetBuffering(true);
    Wimdows::DrawMaskBitmap(bitmap, mask, x0, y0);
    Wimdows::UpdateWindow();
}

}  // namespace

// --- screens and status bar -------------------------------------------------

void TekenTitelScherm(uint32_t selectie) {
    Handle h;
    switch (selectie) {
        case 1: h = TitelScherm1Bitmap; break;
        case 2: h = TitelScherm2Bitmap; break;
        case 3: h = TitelScherm3Bitmap; break;
        case 4: h = TitelScherm4Bitmap; break;
        default: Fout("TekenTitelScherm", selectie);
    }
    Wimdows::DrawBitmap(h, 1, 1);
}

void TekenMenuScherm(uint32_t i, uint32_t j) {
    Handle h = 0;
    bool ok = true;
    switch (i) {
        case 1:
            switch (j) {
                case 1: h = MenuScherm1Bitmap; break;
                case 2: h = MenuScherm2Bitmap; break;
                case 3: h = MenuScherm3Bitmap; break;
                case 4: h = MenuScherm4Bitmap; break;
                default: ok = false;
            }
            break;
        case 2:
            switch (j) {
                case 1: h = MenuScherm5Bitmap; break;
                case 2: h = MenuScherm6Bitmap; break;
                default: ok = false;
            }
            break;
        case 3:
            switch (j) {
                case 1: h = MenuScherm7Bitmap; break;
                case 2: h = MenuScherm8Bitmap; break;
                default: ok = false;
            }
            break;
        default: ok = false;
    }
    if (!ok) Fout("TekenMenuScherm", uint64_t{i} * 10 + j);
    Wimdows::DrawBitmap(h, 1, 1);
}

void TekenInstructies(uint32_t i) {
    Wimdows::DrawBitmap(i == 1 ? Instructions1Bitmap : Instructions2Bitmap, 1, 1);
}

void TekenCredits() { Wimdows::DrawBitmap(CreditsBitmap, 1, 1); }

void TekenLevel(uint32_t LevelNr) {
    Handle h;
    switch (LevelNr) {
        case 1: h = Level1Bitmap; break;
        case 2: h = Level2Bitmap; break;
        case 3: h = Level3Bitmap; break;
        default: Fout("TekenLevel", LevelNr);
    }
    Wimdows::SetBuffering(true);
    Wimdows::DrawBitmap(h, 1, 1);
}

void TekenStatusbalk(uint32_t deel) {
    switch (deel) {
        case 0: Wimdows::DrawBitmap(StatusbalkBitmap, 1, 600); break;
        case 1: Wimdows::DrawBitmap(Statusbalk1Bitmap, 263, 600); break;
        case 2: Wimdows::DrawBitmap(Statusbalk2Bitmap, 486, 600); break;
        case 3: Wimdows::DrawBitmap(Statusbalk3Bitmap, 923, 600); break;
        default: Fout("TekenStatusbalk", deel);
    }
}

void TekenCijfer(uint32_t x, uint32_t y, uint32_t c) {
    Handle h;
    switch (c) {
        case 0: h = Digit0Bitmap; break;
        case 1: h = Digit1Bitmap; break;
        case 2: h = Digit2Bitmap; break;
        case 3: h = Digit3Bitmap; break;
        case 4: h = Digit4Bitmap; break;
        case 5: h = Digit5Bitmap; break;
        case 6: h = Digit6Bitmap; break;
        case 7: h = Digit7Bitmap; break;
        case 8: h = Digit8Bitmap; break;
        case 9: h = Digit9Bitmap; break;
        default: Fout("TekenCijfer", c);
    }
    Wimdows::DrawBitmap(h, Runtime::ToI32(x), Runtime::ToI32(y));
}

void TekenOverwinning(uint32_t team) {
    Wimdows::SetBuffering(true);
    Wimdows::DrawBitmap(team == 1 ? OverwinningRoodBitmap : OverwinningBlauwBitmap, 1, 1);
    Wimdows::UpdateWindow();
}

void TekenWapen(uint32_t WapenNr) {
    Handle h;
    switch (WapenNr) {
        case 0: h = Wapen0Bitmap; break;
        case 1: h = Wapen1Bitmap; break;
        case 2: h = Wapen2Bitmap; break;
        case 3: h = Wapen3Bitmap; break;
        case 4: h = Wapen4Bitmap; break;
        case 5: h = Wapen5Bitmap; break;
        default: Fout("TekenWapen", WapenNr);
    }
    Wimdows::SetBuffering(true);
    Wimdows::DrawMaskBitmap(h, WapenMaskBitmap, 748, 617);
    Wimdows::UpdateWindow();
}

// --- rabbits ----------------------------------------------------------------

void TekenKonijntje(int32_t x, int32_t y, int32_t kleur) {
    // Not shown: the caller updates the window once its frame is complete.
    TekenPose(POSE(Konijntje), kleur == 1 ? 1u : 2u, Hoek(x, 15), Hoek(y, 60));
}

void TekenKonijntjeWandelLinks(int32_t x, int32_t y, uint32_t nummer, uint32_t kleur) {
    TekenPose(FRAMES("TekenKonijntjeWandelLinks", nummer, KonijntjeWandelL), kleur,
              Hoek(x, 15), Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjeWandelRechts(int32_t x, int32_t y, uint32_t nummer, uint32_t kleur) {
    TekenPose(FRAMES("TekenKonijntjeWandelRechts", nummer, KonijntjeWandelR), kleur,
              Hoek(x, 15), Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjeBazookaLinks(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    TekenPose(FRAMES("TekenKonijntjeBazookaLinks", nummer, KonijntjeBazL), kleur,
              Hoek(x, 15), Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjeBazookaRechts(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    TekenPose(FRAMES("TekenKonijntjeBazookaRechts", nummer, KonijntjeBazR), kleur,
              Hoek(x, 15), Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjePistoolLinks(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    TekenPose(FRAMES("TekenKonijntjePistoolLinks", nummer, KonijntjePisL), kleur,
              Hoek(x, 15), Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjePistoolRechts(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    TekenPose(FRAMES("TekenKonijntjePistoolRechts", nummer, KonijntjePisR), kleur,
              Hoek(x, 15), Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjeBijlLinks(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    // The third frame swings the axe out: 6 pixels further left.
    int32_t links = nummer == 3 ? 21 : 15;
    TekenPose(FRAMES("TekenKonijntjeBijlLinks", nummer, KonijntjeBijL), kleur, Hoek(x, links),
              Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjeBijlRechts(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur) {
    // The third frame swings the axe out: 6 pixels further right.
    int32_t links = nummer == 3 ? 9 : 15;
    TekenPose(FRAMES("TekenKonijntjeBijlRechts", nummer, KonijntjeBijR), kleur, Hoek(x, links),
              Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjeDynamiet(uint32_t x, uint32_t y, uint32_t kleur) {
    TekenPose(POSE(KonijntjeDyn), kleur, Hoek(x, 15), Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjeGranaatLinks(uint32_t x, uint32_t y, uint32_t kleur) {
    TekenPose(POSE(KonijntjeGraL), kleur, Hoek(x, 15), Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjeGranaatRechts(uint32_t x, uint32_t y, uint32_t kleur) {
    TekenPose(POSE(KonijntjeGraR), kleur, Hoek(x, 15), Hoek(y, 60));
    Wimdows::UpdateWindow();
}

void TekenKonijntjeNadenk(uint32_t x, uint32_t y, uint32_t kleur) {
    TekenPose(POSE(KonijntjeNadenk), kleur, Hoek(x, 15), Hoek(y, 60));
    Wimdows::UpdateWindow();
}

#undef FRAMES
#undef POSE

// --- weapons and effects ------------------------------------------------------

void TekenKogel(int32_t x, int32_t y, uint32_t richting) {
    Handle b, m;
    switch (richting) {
        case 1: b = KogelBBBitmap; m = KogelBBMaskBitmap; break;  // up
        case 2: b = KogelBRBitmap; m = KogelBRMaskBitmap; break;  // up-right
        case 3: b = KogelRRBitmap; m = KogelRRMaskBitmap; break;  // right
        case 4: b = KogelORBitmap; m = KogelORMaskBitmap; break;  // down-right
        case 5: b = KogelOOBitmap; m = KogelOOMaskBitmap; break;  // down
        case 6: b = KogelOLBitmap; m = KogelOLMaskBitmap; break;  // down-left
        case 7: b = KogelLLBitmap; m = KogelLLMaskBitmap; break;  // left
        case 8: b = KogelBLBitmap; m = KogelBLMaskBitmap; break;  // up-left
        default: Fout("TekenKogel", richting);
    }
    TekenSprite(b, m, Hoek(x, 8), Hoek(y, 8));
}

void TekenGranaat(int32_t x, int32_t y) {
    TekenSprite(GranaatBitmap, GranaatMaskBitmap, Hoek(x, 6), Hoek(y, 6));
}

void TekenDynamiet(int32_t x, int32_t y) {
    TekenSprite(DynamietBitmap, DynamietMaskBitmap, Hoek(x, 3), Hoek(y, 26));
}

void TekenVizier(uint32_t x, uint32_t y) {
    TekenSprite(VizierBitmap, VizierMaskBitmap, Hoek(x, 8), Hoek(y, 8));
}

void TekenKaboom(uint32_t x, uint32_t y) {
    TekenSprite(KaboomBitmap, KaboomMaskBitmap, Hoek(x, 30), Hoek(y, 30));
}

void TekenPijl(uint32_t x, uint32_t y) {
    TekenSprite(PijlBitmap, PijlMaskBitmap, Hoek(x, 11), Hoek(y, 75));
}

}  // namespace TekenBitmaps

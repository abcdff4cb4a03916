// Choosing the weapon at the end of the movement (B steps through the five,
// Enter uses the one shown) and the four weapons that fire or explode: the
// bazooka, the grenade, the pistol and the dynamite. The axe lives in Axe.cpp.
#include "game/weapons/Weapons.h"

#include "game/Placement.h"
#include "game/TurnBanner.h"
#include "game/movement/Movement.h"
#include "game/movement/TurnClock.h"
#include "game/weapons/Aiming.h"
#include "game/weapons/Damage.h"
#include "game/weapons/Flight.h"
#include "audio/Sound.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

constexpr uint32_t VK_B = 0x42;
// The turn time the rabbit gets to run from a lit charge.
constexpr float DynamietTijd = 5.0f;

COORDINATEN RichtPunt(uint32_t KonijnNr) { return RichtPunt(Konijntjes[KonijnNr].Positie); }

// The power bar is left on the screen by the meter; the middle piece of the
// status bar covers it again.
void HerstelStatusbalk() {
    Wimdows::SetBuffering(true);
    TekenBitmaps::TekenStatusbalk(2);
}

}  // namespace

uint32_t VolgendWapen(uint32_t Keuze) { return Keuze >= AantalWapens ? 1 : Keuze + 1; }

COORDINATEN RichtPunt(COORDINATEN Voeten) { return {Voeten.x, Runtime::Sub(Voeten.y, 30)}; }

void KiesWapen(uint32_t KonijnNr, int32_t& levens, int32_t Wind) {
    if (levens <= 0) return;
    const KonijnRecord& konijn = Konijntjes[KonijnNr];
    TekenBitmaps::TekenWapen(1);
    TekenBitmaps::TekenKonijntjeNadenk(Runtime::ToU32(konijn.Positie.x), Runtime::ToU32(konijn.Positie.y),
                                       konijn.Team);
    Wimdows::UpdateWindow();
    Wimdows::FlushKeys();
    Runtime::Delay(220);

    uint32_t Keuze = 1;
    while (!Wimdows::KeyDown(Wimdows::VK_RETURN)) {
        if (Wimdows::GetKey() == VK_B) {
            Keuze = VolgendWapen(Keuze);
            Sound::Play(Sound::Id::WeaponChange, konijn.Positie.x);
        }
        TekenBitmaps::TekenWapen(Keuze);
    }

    switch (Keuze) {
    case 1: Bazooka(KonijnNr, Wind); break;
    case 2: Granaat(KonijnNr); break;
    case 3: Pistool(KonijnNr); break;
    case 4: Bijl(KonijnNr); break;
    default: Dynamiet(KonijnNr, levens); break;
    }
}

void Bazooka(uint32_t KonijnNr, int32_t Wind) {
    const COORDINATEN Positie = RichtPunt(KonijnNr);
    const float Hoek = RichtPijl(Positie.x, Positie.y, Konijntjes[KonijnNr].Team, 1);
    const float Kracht = TestKracht();
    Sound::Play(Sound::Id::BazookaLaunch, Positie.x);
    const COORDINATEN Inslag = BaanBazooka(Positie, Kracht, Hoek, Wind);
    Schade(Inslag, KleineOntploffing);
    HerstelStatusbalk();
}

void Granaat(uint32_t KonijnNr) {
    const COORDINATEN Positie = RichtPunt(KonijnNr);
    const uint32_t Team = Konijntjes[KonijnNr].Team;
    const float Hoek = RichtPijl(Positie.x, Positie.y, Team, 2);
    const float Kracht = TestKracht();
    const COORDINATEN Inslag = BaanGranaat(Positie, Kracht, Hoek, GranaatLont, Team);
    Schade(Inslag, KleineOntploffing);
    HerstelStatusbalk();
}

void Pistool(uint32_t KonijnNr) {
    const COORDINATEN Positie = RichtPunt(KonijnNr);
    const float Hoek = RichtPijl(Positie.x, Positie.y, Konijntjes[KonijnNr].Team, 3);
    Sound::Play(Sound::Id::PistolShot, Positie.x);
    const COORDINATEN Inslag = BaanPistool(Positie, Hoek);
    Sound::Play(Sound::Id::BulletHit, Inslag.x);
    Schade(Inslag, KleineOntploffing);
}

void Dynamiet(uint32_t KonijnNr, int32_t& levens) {
    const COORDINATEN Positie = Konijntjes[KonijnNr].Positie;
    const uint32_t x = Runtime::ToU32(Positie.x);
    const uint32_t y = Runtime::ToU32(Positie.y);
    TekenBitmaps::TekenKonijntjeDynamiet(x, y, Konijntjes[KonijnNr].Team);
    TekenBitmaps::TekenDynamiet(Positie.x, Positie.y);
    Sound::Start(Sound::Id::DynamiteFuse, Positie.x);
    GeefTijd(DynamietTijd);  // the fuse's clock, not what the move left on it
    // The charge stays where it was laid while the rabbit runs.
    const COORDINATEN Inslag = Positie;
    PlaatsKonijntje(KonijnNr, false);
    ToonHint(Fase::Dynamiet);
    Bewegen(KonijnNr, DynamietTijd, levens, true);
    PlaatsKonijntje(KonijnNr, true);
    Sound::Stop(Sound::Id::DynamiteFuse);
    Schade(Inslag, DynamietOntploffing);
    HerstelStatusbalk();
}

}  // namespace Zanderfell

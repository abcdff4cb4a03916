// The weapons on their steps: the flights of the bazooka shell and the
// grenade; explosions (lives by distance, when they are shown, the impact
// list, the crater) and the axe's reach; then the explosions on the screen.
// The weapons' procedures as a whole are held to the shot simulator in
// TurnsTest.TheShotSimulatorForeseesWhatTheGameDoes.

#include <cmath>

#include "game/Level.h"
#include "game/Placement.h"
#include "game/TurnBanner.h"
#include "game/movement/Falling.h"
#include "game/weapons/Axe.h"
#include "game/weapons/Damage.h"
#include "game/weapons/Flight.h"
#include "game/weapons/Weapons.h"
#include "gfx/TekenBitmaps.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::PutRabbit;

using WeaponSteps = TestSupport::GameDirTest;

// Where the flight ends.
template <class Stap>
COORDINATEN Einde(Vlucht v, Stap stap) {
    while (!v.Hit) stap(v, Level);
    return v.Pos;
}

TEST_F(WeaponSteps, MarginTenPixelsShortOfTheFrame) {
    for (int32_t d : {0, 1}) {
        EXPECT_TRUE(AanDeRand({12 - d, 300}) && AanDeRand({988 + d, 300}) && AanDeRand({500, 12 - d}) && AanDeRand({500, 586 + d}));
        EXPECT_FALSE(AanDeRand({13 + d, 300}) || AanDeRand({987 - d, 300}) || AanDeRand({500, 13 + d}) || AanDeRand({500, 585 - d}));
    }
}

TEST_F(WeaponSteps, BazookaShell) {
    // Into an empty field, power 0: gravity 70 b^2 and the wind b^2 to the
    // side, b from 0.1 by 0.05, until the margin (row 594 at b 2.05); at the
    // margin's bound the first step ends it.
    // Ground stops it once within its box, 8 pixels around the shell (held to
    // the whole games' shots sideways). The box reaches 8 rows up: power 100
    // to the right, a ceiling 8 rows above the flight stops it at once, 9
    // rows above lets it pass.
    const struct { COORDINATEN start; float kracht; int32_t wind, dak; COORDINATEN einde; } rows[] = {
        {{500, 300}, 0, 0, 0, {500, 594}}, {{500, 300}, 0, 100, 0, {920, 594}}, {{500, 300}, 0, -100, 0, {80, 594}},
        {{12, 300}, 0, 0, 0, {12, 300}}, {{13, 300}, 0, 0, 0, {13, 594}},
        {{500, 300}, 100, 0, 292, {510, 300}}, {{500, 300}, 100, 0, 291, {704, 594}}};
    for (const auto& r : rows) {
        TestSupport::ResetGame();
        for (int x = 1; x <= 1000 && r.dak > 0; ++x) Level[x][r.dak].Grond = true;
        EXPECT_EQ(Einde(StartBazooka(r.start, r.kracht, 0, r.wind), StapBazooka), r.einde) << &r - rows;
    }
    // The shell passes its own rabbit, and any other, while it is within 25
    // columns and 40 rows of its start; beyond, a rabbit in its box stops it
    // (held to the whole games' shots).
}

// The pistol's bullet flies along its line, 100 pixels per unit, until the
// margin, ground or another rabbit stops it; its own rabbit does not while it
// is within its box. (Its flights are held to the whole games' impacts.)

TEST_F(WeaponSteps, GrenadeBounces) {
    // Off a side the sideways speed turns and loses a fifth, off the top the
    // fall turns with a fifth lost, off the bottom it turns undamped. Ground
    // two pixels away (G), or a rabbit (K) once out of its own box (25
    // columns, 40 rows from the arc's start): off a side the sideways speed
    // turns with 0.95, above or below the fall turns with 0.98 * 0.95. The
    // arc restarts one pixel back.
    const struct { COORDINATEN p; float kx, ky; int dx, dy; char cel; bool buiten; COORDINATEN start; float kx2, ky2; } rows[] = {
        {{12, 300}, -100, -50, 0, 0, ' ', 1, {13, 300}, 80, 230},  {{13, 300}, -100, -50, 0, 0, ' ', 1, {213, 120}, -100, -50},
        {{988, 300}, 100, -50, 0, 0, ' ', 1, {987, 300}, -80, 230}, {{987, 300}, 100, -50, 0, 0, ' ', 1, {787, 120}, 100, -50},
        {{500, 12}, 0, -300, 0, 0, ' ', 1, {500, 13}, 0, 16},      {{500, 13}, 0, -300, 0, 0, ' ', 1, {500, 333}, 0, -300},
        {{500, 586}, 0, 100, 0, 0, ' ', 1, {500, 585}, 0, -242},   {{500, 585}, 0, 100, 0, 0, ' ', 1, {500, 105}, 0, 100},
        {{500, 300}, 10, -140, 2, 0, 'G', 0, {499, 300}, -9.5f, 2}, {{500, 300}, 10, -140, 2, -1, 'G', 0, {499, 300}, -9.5f, 2},
        {{500, 300}, 10, -140, 2, 1, 'G', 0, {499, 300}, -9.5f, 2}, {{500, 300}, 10, -140, -2, 1, 'G', 0, {501, 300}, -9.5f, 2},
        {{500, 300}, 10, -140, 0, 2, 'G', 0, {500, 299}, 10, -1.862f}, {{500, 300}, 10, -140, -1, 2, 'G', 0, {500, 299}, 10, -1.862f},
        {{500, 300}, 10, -140, 1, -2, 'G', 0, {500, 301}, 10, -1.862f}, {{500, 300}, 10, -140, 0, -2, 'K', 1, {500, 301}, 10, -1.862f},
        {{500, 300}, 10, -140, 0, -2, 'K', 0, {480, 300}, 10, -140}, {{500, 300}, 10, -140, 2, 2, 'G', 0, {480, 300}, 10, -140},
        {{500, 300}, 10, -140, 3, 0, 'G', 0, {480, 300}, 10, -140},  {{500, 300}, 10, -140, 0, -3, 'G', 0, {480, 300}, 10, -140},
        {{500, 300}, 12.5f, -140, 0, -2, 'K', 0, {475, 300}, 12.5f, -140}, {{500, 300}, 13, -140, 0, -2, 'K', 0, {500, 301}, 13, -1.862f},
        {{500, 300}, 10, -120, 0, -2, 'K', 0, {480, 260}, 10, -120}, {{500, 300}, 10, -119.5f, 0, -2, 'K', 0, {500, 301}, 10, -20.9475f}};
    for (const auto& r : rows) {
        TestSupport::ResetGame();
        CEL& cel = Level[r.p.x + r.dx][r.p.y + r.dy];
        cel.Grond = r.cel == 'G';
        cel.Konijn = r.cel == 'K';
        // On an arc started at b 2 that brings it to p on the next step.
        const COORDINATEN boog{r.p.x - int32_t(2 * r.kx), r.p.y - int32_t(2 * r.ky) - 280};
        Vlucht v{boog, {}, {}, r.kx, r.ky, 2, 0, 5.0f, 0, r.buiten, false};
        StapGranaat(v, Level);
        EXPECT_TRUE(v.Pos == r.p && v.Start == r.start && std::abs(v.Kracht_x - r.kx2) < 1e-4f && std::abs(v.Kracht_y - r.ky2) < 1e-4f)
            << r.p.x << "," << r.p.y << " " << r.cel << " " << r.dx << "," << r.dy << ": " << v.Kracht_x << " " << v.Kracht_y;
        EXPECT_EQ(v.Bounce, r.cel != ' ' && r.start != boog ? 5u : 0u);
    }
    // Each blocked cell bounces once more: a wall turns the sideways speed
    // three times (held to the whole games' grenades).
}

TEST_F(WeaponSteps, LivesByDistance) {
    // The impact at (dx, dy) from the feet at (500, 300): size minus half the
    // whole-pixel distance to the nearest point from the feet up to 60 rows
    // above them, nothing beyond the size.
    const struct { uint32_t size; int32_t dx, dy; uint32_t verlies; } rows[] = {
        {30, 0, 0, 30},   {30, 1, 0, 30},   {30, 2, 0, 29},   {30, 30, 0, 15}, {30, 31, 0, 0},  {30, 5, -30, 28},
        {30, 0, -61, 30}, {30, 0, -90, 15}, {30, 0, -91, 0},  {30, 0, 30, 15}, {30, 0, 31, 0},  {60, 1, 0, 60},
        {60, 60, 0, 30},  {60, 61, 0, 0},   {60, 0, -120, 30}};
    for (const auto& r : rows)
        EXPECT_EQ(LevensVerlies(500 + r.dx, 300 + r.dy, r.size, {500, 300}), r.verlies) << r.size << ": " << r.dx << "," << r.dy;
    // Every rabbit of the game pays, living or not (held to the whole games'
    // lives); none beyond their number.
}

TEST_F(WeaponSteps, ShownOnlyWhenTheBlastFitsInTheLandscape) {
    // At least 30 wide, between columns 2 and 998 and rows 2 and 596.
    const struct { int32_t x, y; uint32_t size; bool shown; } rows[] = {
        {33, 300, 30, true},  {32, 300, 30, false}, {967, 300, 30, true}, {968, 300, 30, false},
        {500, 33, 30, true},  {500, 32, 30, false}, {500, 565, 30, true}, {500, 566, 30, false},
        {33, 300, 7, true},   {32, 300, 7, false},  {63, 300, 60, true},  {62, 300, 60, false},
        {500, 535, 60, true}, {500, 536, 60, false}};
    for (const auto& r : rows) EXPECT_EQ(OntploffingInBeeld(r.x, r.y, r.size), r.shown) << r.x << "," << r.y << " " << r.size;
}

TEST_F(WeaponSteps, CraterAndImpactList) {
    // The disc of radius 30, its rim trimmed by truncation, never beyond (held
    // to every crater of the whole games). Blasts in the corners clear up to
    // the landscape's frame, never the frame.
    TestSupport::SetFlatGround(1);
    SnijKrater(Level, 3, 3, 60);
    SnijKrater(Level, 997, 595, 60);
    EXPECT_TRUE(Level[2][3].Grond && Level[3][2].Grond && Level[998][595].Grond && Level[997][596].Grond);
    EXPECT_FALSE(Level[3][3].Grond || Level[997][595].Grond);
    // The list keeps 500 impacts after the dummy (each as the whole games'
    // impacts show it); the 501st is not recorded.
    AANTALINSLAGEN = 499;
    BewaarInslag(SchadeArray, AANTALINSLAGEN, 7, 7, 7);
    BewaarInslag(SchadeArray, AANTALINSLAGEN, 8, 8, 8);
    EXPECT_TRUE(AANTALINSLAGEN == 500 && SchadeArray[500].x == 7);
    // Past its end the list stops the game with the index, in every build.
    EXPECT_EXIT(SchadeArray[AANTALINSLAGEN + 1].x = 0, testing::ExitedWithCode(3), "index 501 out of range 0..500");
}

TEST_F(WeaponSteps, AxeReachesThirtyToItsSideAndSixtyUpOrDown) {
    // The other rabbit's feet at (dx, dy) from the striker's.
    const struct { int32_t dx, dy, kant; bool geraakt; } rows[] = {
        {30, 0, 1, true},   {31, 0, 1, false},  {0, 0, 1, true},    {-1, 0, 1, false}, {15, -60, 1, true},
        {15, -61, 1, false}, {15, 60, 1, true}, {15, 61, 1, false}, {-30, 0, -1, true}, {-31, 0, -1, false},
        {0, 0, -1, true},   {1, 0, -1, false},  {-15, 60, -1, true}, {-15, -61, -1, false}};
    for (const auto& r : rows)
        EXPECT_EQ(BijlBereikt({500, 400}, r.kant, {500 + r.dx, 400 + r.dy}), r.geraakt) << r.dx << "," << r.dy << " " << r.kant;
}

using WeaponTest = TestSupport::GameTest;

// The grenade's fuse of 5 seconds burns 0.0095 a step, the steps 10 ms
// apart; contact never sets it off. A shell drawn off a row or column waits
// 50 ms, along one it does not. (These waits are held to the recorded games.)

TEST_F(WeaponTest, ExplosionShownWhenItFits) {
    // A flash and the picture, half a second; near the edge only sky over
    // the projectile, no wait. The state changes either way. (The flash, its
    // half second and the state are held to every blast of the whole games.)
    TestSupport::Clear(1, 260, 60, 340);
    const uint64_t start = Headless::Now();
    Schade({20, 300}, 30);
    EXPECT_EQ(Headless::Now(), start);
    EXPECT_TRUE(Wimdows::BufferPixel(27, 300) == _ACHTERGRONDKLEUR && Wimdows::BufferPixel(28, 300) == 0u);
}

// What it cost: after a blast, the axe or a drowning, the redraws of the
// moment after show the number lost above each rabbit that lost lives; the
// first redraw after it leaves them out. Never in classic mode.
TEST_F(WeaponTest, TheNumberLostShowsAboveTheRabbitForAMoment) {
    // Whether the number lost by the rabbit at p shows: drawing it there changes nothing.
    const auto toont = [](COORDINATEN p, int32_t verloren) {
        const COORDINATEN v = VerliesPlek(p, verloren);
        const auto vak = [&] { return TestSupport::Snapshot(v.x, v.y, v.x + 35, v.y + 11); };
        const auto voor = vak();
        TekenBitmaps::TekenKleinGetal(v.x, v.y, -verloren, 0);
        return vak() == voor;
    };
    // -30 centred 80 rows above the feet (where the whole games show it).
    enum Wat { Ontploffing, Hak, Verdrinken };
    const struct { Wat wat; bool klassiek; } rows[] = {
        {Ontploffing, false}, {Hak, false}, {Verdrinken, false}, {Ontploffing, true}, {Verdrinken, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        TestSupport::ResetGame();
        TestSupport::SetFlatGround(401);
        GeenBanner();
        Klassiek = r.klassiek;
        Menu.AantalKonijntjes = 3;
        // Far enough apart for two numbers, but both in reach of the blast.
        PutRabbit(1, r.wat == Ontploffing ? 480 : 500, 400, 100, 1);
        PutRabbit(2, r.wat == Ontploffing ? 540 : 520, 400, 100, 2);
        int32_t levens = 100;
        if (r.wat == Ontploffing) {
            PutRabbit(3, 510, 400, 0, 1);  // out of the game: pays unseen
            Schade({510, 400}, 30);
        } else if (r.wat == Hak) {
            Headless::Tap(Headless::Now() + 100, Wimdows::VK_RIGHT);
            Headless::Tap(Headless::Now() + 200, Wimdows::VK_SPACE, 700);
            Bijl(1);
        } else {
            for (int32_t x = 505; x <= 535; ++x)
                for (int32_t y = 401; y <= 600; ++y) Level[x][y].Grond = false;
            Konijntjes[2].Positie = Val(2, levens);
        }
        // A drowning's loss is held aside from the rabbit's lives.
        const int32_t verloren[3] = {0, 100 - Konijntjes[1].Levens, 100 - Konijntjes[2].Levens + 100 - levens};
        ASSERT_GT(verloren[2], 0);
        HermaakLevel();
        for (uint32_t k = 1; k <= 2; ++k)
            EXPECT_TRUE(verloren[k] == 0 || toont(Konijntjes[k].Positie, verloren[k]) == !r.klassiek) << k;
        EXPECT_TRUE(r.wat != Ontploffing || !toont({510, 400}, 30)) << "no number for the dead";
        Runtime::Delay(VerliesDuur);
        HermaakLevel();
        for (uint32_t k = 1; k <= 2; ++k)
            EXPECT_TRUE(verloren[k] == 0 || !toont(Konijntjes[k].Positie, verloren[k])) << "gone after the moment";
    }
}

}  // namespace

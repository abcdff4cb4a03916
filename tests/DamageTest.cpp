// Explosions (lives by distance, when they are shown, the impact list, the
// crater) and the axe's reach. The weapons' procedures as a whole are held
// to the shot simulator in ShotSimulatorTest.
#include <gtest/gtest.h>

#include "game/Level.h"
#include "game/TurnBanner.h"
#include "game/movement/Falling.h"
#include "game/weapons/Axe.h"
#include "game/weapons/Weapons.h"
#include "game/weapons/Damage.h"
#include "gfx/Headless.h"
#include "gfx/TekenBitmaps.h"
#include "tests/Snapshot.h"
#include "tests/TestImages.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::PutRabbit;

using DamageSteps = TestSupport::GameDirTest;

TEST_F(DamageSteps, LivesByDistance) {
    // The impact at (dx, dy) from the feet at (500, 300): size minus half the
    // whole-pixel distance to the nearest point from the feet up to 60 rows
    // above them, nothing beyond the size.
    const struct { uint32_t size; int32_t dx, dy; uint32_t verlies; } rows[] = {
        {30, 0, 0, 30},   {30, 1, 0, 30},   {30, 2, 0, 29},   {30, 3, 0, 29},  {30, 30, 0, 15},
        {30, 31, 0, 0},   {30, 1, 1, 30},   {30, 3, 4, 28},   {30, 5, -30, 28}, {30, 0, -61, 30},
        {30, 0, -90, 15}, {30, 0, -91, 0},  {30, 0, 30, 15},  {30, 0, 31, 0},  {60, 1, 0, 60},
        {60, 60, 0, 30},  {60, 61, 0, 0},   {60, 0, -120, 30}};
    for (const auto& r : rows)
        EXPECT_EQ(LevensVerlies(500 + r.dx, 300 + r.dy, r.size, {500, 300}), r.verlies) << r.size << ": " << r.dx << "," << r.dy;
    // Every rabbit of the game pays, living or not; none beyond their number.
    for (uint32_t k = 1; k <= 3; ++k) PutRabbit(k, 500, 300, k == 1 ? 0 : 100, k == 1 ? 0 : 2);
    NeemLevens(Konijntjes, 2, 500, 300, 30);
    EXPECT_TRUE(Konijntjes[1].Levens == -30 && Konijntjes[2].Levens == 70 && Konijntjes[3].Levens == 100);
}

TEST_F(DamageSteps, ShownOnlyWhenTheBlastFitsInTheLandscape) {
    // At least 30 wide, between columns 2 and 998 and rows 2 and 596.
    const struct { int32_t x, y; uint32_t size; bool shown; } rows[] = {
        {33, 300, 30, true},  {32, 300, 30, false}, {967, 300, 30, true}, {968, 300, 30, false},
        {500, 33, 30, true},  {500, 32, 30, false}, {500, 565, 30, true}, {500, 566, 30, false},
        {33, 300, 7, true},   {32, 300, 7, false},  {63, 300, 60, true},  {62, 300, 60, false},
        {500, 535, 60, true}, {500, 536, 60, false}};
    for (const auto& r : rows) EXPECT_EQ(OntploffingInBeeld(r.x, r.y, r.size), r.shown) << r.x << "," << r.y << " " << r.size;
}

TEST_F(DamageSteps, CraterAndImpactList) {
    // The disc of radius 30, its rim trimmed by truncation, never beyond.
    TestSupport::SetFlatGround(1);
    SnijKrater(Level, 500, 300, 30);
    for (int x = 460; x <= 540; ++x)
        for (int y = 260; y <= 340; ++y) {
            const int d2 = (x - 500) * (x - 500) + (y - 300) * (y - 300);
            if (d2 > 30 * 30 || d2 <= 28 * 28) { ASSERT_EQ(Level[x][y].Grond, d2 > 30 * 30) << x << "," << y; }
        }
    EXPECT_FALSE(Level[530][300].Grond);
    // Blasts in the corners clear up to the landscape's frame, never the frame.
    SnijKrater(Level, 3, 3, 60);
    SnijKrater(Level, 997, 595, 60);
    EXPECT_TRUE(Level[2][3].Grond && Level[3][2].Grond && Level[998][595].Grond && Level[997][596].Grond);
    EXPECT_FALSE(Level[3][3].Grond || Level[997][595].Grond);
    // The list keeps 500 impacts after the dummy; the 501st is not recorded.
    BewaarInslag(SchadeArray, AANTALINSLAGEN, 20, 300, 30);
    EXPECT_TRUE(AANTALINSLAGEN == 1 && SchadeArray[1].x == 20 && SchadeArray[1].y == 300 && SchadeArray[1].Grootte == 30);
    AANTALINSLAGEN = 499;
    BewaarInslag(SchadeArray, AANTALINSLAGEN, 7, 7, 7);
    BewaarInslag(SchadeArray, AANTALINSLAGEN, 8, 8, 8);
    EXPECT_TRUE(AANTALINSLAGEN == 500 && SchadeArray[500].x == 7);
    // Past its end the list stops the game with the index, in every build.
    EXPECT_EXIT(SchadeArray[AANTALINSLAGEN + 1].x = 0, testing::ExitedWithCode(3), "index 501 out of range 0..500");
}

TEST_F(DamageSteps, AxeReachesThirtyToItsSideAndSixtyUpOrDown) {
    // The other rabbit's feet at (dx, dy) from the striker's.
    const struct { int32_t dx, dy, kant; bool geraakt; } rows[] = {
        {30, 0, 1, true},   {31, 0, 1, false},  {0, 0, 1, true},    {-1, 0, 1, false}, {15, -60, 1, true},
        {15, -61, 1, false}, {15, 60, 1, true}, {15, 61, 1, false}, {-30, 0, -1, true}, {-31, 0, -1, false},
        {0, 0, -1, true},   {1, 0, -1, false},  {-15, 60, -1, true}, {-15, -61, -1, false}};
    for (const auto& r : rows)
        EXPECT_EQ(BijlBereikt({500, 400}, r.kant, {500 + r.dx, 400 + r.dy}), r.geraakt) << r.dx << "," << r.dy << " " << r.kant;
}

using DamageTest = TestSupport::GameTest;

TEST_F(DamageTest, ExplosionShownWhenItFits) {
    // A flash and the picture, half a second; near the edge only sky over
    // the projectile, no wait. The state changes either way.
    TestSupport::SetFlatGround(1);
    uint64_t start = Headless::Now();
    Schade({500, 300}, 30);
    EXPECT_EQ(Headless::Now() - start, 505u);
    EXPECT_GT(TestImages::Count(Wimdows::RgbColor(255, 255, 0), 465, 265, 535, 335), 100);
    TestSupport::Clear(1, 260, 60, 340);
    start = Headless::Now();
    Schade({20, 300}, 30);
    EXPECT_EQ(Headless::Now(), start);
    EXPECT_TRUE(Wimdows::BufferPixel(27, 300) == _ACHTERGRONDKLEUR && Wimdows::BufferPixel(28, 300) == 0u);
    EXPECT_TRUE(AANTALINSLAGEN == 2 && !Level[500][300].Grond && !Level[20][300].Grond);
}

// What it cost: after a blast, the axe or a drowning, the redraws of the
// moment after show the number lost above each rabbit that lost lives; the
// first redraw after it leaves them out. Never in classic mode.
TEST_F(DamageTest, TheNumberLostShowsAboveTheRabbitForAMoment) {
    // Whether the number lost by the rabbit at p shows: drawing it there changes nothing.
    const auto toont = [](COORDINATEN p, int32_t verloren) {
        const COORDINATEN v = VerliesPlek(p, verloren);
        const auto vak = [&] { return TestSupport::Snapshot(v.x, v.y, v.x + 35, v.y + 11); };
        const auto voor = vak();
        TekenBitmaps::TekenKleinGetal(v.x, v.y, -verloren, 0);
        return vak() == voor;
    };
    EXPECT_EQ(VerliesPlek({500, 400}, 30), (COORDINATEN{487, 320})) << "-30 centred 80 rows above the feet";
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
            if (verloren[k] != 0) EXPECT_EQ(toont(Konijntjes[k].Positie, verloren[k]), !r.klassiek) << k;
        if (r.wat == Ontploffing) EXPECT_FALSE(toont({510, 400}, 30)) << "no number for the dead";
        Runtime::Delay(VerliesDuur);
        HermaakLevel();
        for (uint32_t k = 1; k <= 2; ++k)
            if (verloren[k] != 0) EXPECT_FALSE(toont(Konijntjes[k].Positie, verloren[k])) << "gone after the moment";
    }
    Klassiek = false;
}

}  // namespace

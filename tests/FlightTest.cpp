// The flights of the bazooka shell, the pistol bullet and the grenade, on
// their steps; the shell's picture per direction on the screen.
#include <gtest/gtest.h>

#include <cmath>

#include "game/Placement.h"
#include "game/weapons/Flight.h"
#include "gfx/TekenBitmaps.h"
#include "tests/Snapshot.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;

using FlightSteps = TestSupport::GameDirTest;

// Where the flight ends.
template <class Stap>
COORDINATEN Einde(Vlucht v, Stap stap) {
    while (!v.Hit) stap(v, Level);
    return v.Pos;
}

TEST_F(FlightSteps, MarginTenPixelsShortOfTheFrame) {
    for (int32_t d : {0, 1}) {
        EXPECT_TRUE(AanDeRand({12 - d, 300}) && AanDeRand({988 + d, 300}) && AanDeRand({500, 12 - d}) && AanDeRand({500, 586 + d}));
        EXPECT_FALSE(AanDeRand({13 + d, 300}) || AanDeRand({987 - d, 300}) || AanDeRand({500, 13 + d}) || AanDeRand({500, 585 - d}));
    }
}

TEST_F(FlightSteps, BazookaShell) {
    // Into an empty field, power 0: gravity 70 b^2 and the wind b^2 to the
    // side, b from 0.1 by 0.05, until the margin (row 594 at b 2.05); at the
    // margin's bound the first step ends it.
    const struct { COORDINATEN start; float kracht; int32_t wind, muur; COORDINATEN einde; } rows[] = {
        {{500, 300}, 0, 0, 0, {500, 594}},   {{500, 300}, 0, 100, 0, {920, 594}}, {{500, 300}, 0, -100, 0, {80, 594}},
        {{12, 300}, 0, 0, 0, {12, 300}},     {{13, 300}, 0, 0, 0, {13, 594}},
        // Power 100 to the right, 10, 15, 20 pixels on: a wall stops it once
        // within 8 columns of the shell.
        {{500, 300}, 100, 0, 523, {515, 301}}, {{500, 300}, 100, 0, 524, {520, 302}}};
    for (const auto& r : rows) {
        TestSupport::ResetGame();
        for (int y = 1; y <= 600 && r.muur > 0; ++y) Level[r.muur][y].Grond = true;
        EXPECT_EQ(Einde(StartBazooka(r.start, r.kracht, 0, r.wind), StapBazooka), r.einde) << r.start.x << " " << r.wind << " " << r.muur;
    }
    // The box reaches 8 rows up: ground 8 rows above the flight stops it at
    // once, 9 rows above lets it pass.
    for (int32_t boven : {8, 9}) {
        TestSupport::ResetGame();
        for (int x = 1; x <= 1000; ++x) Level[x][300 - boven].Grond = true;
        EXPECT_EQ(Einde(StartBazooka({500, 300}, 100, 0, 0), StapBazooka).x < 600, boven == 8) << boven;
    }
    // Straight down through its own rabbit until the box, 8 pixels around
    // the shell, touches the ground of row 401.
    TestSupport::SetFlatGround(401);
    TestSupport::PutRabbit(1, 500, 400, 100, 1);
    TestSupport::PutRabbit(2, 330, 400, 100, 2);
    PlaatsKonijntje(1, true);
    PlaatsKonijntje(2, true);
    EXPECT_EQ(Einde(StartBazooka({500, 370}, 0, 0, 0), StapBazooka), (COORDINATEN{500, 395}));
    // Rabbit 2 is passed while the shell is within 25 columns of its start,
    // and hit on the first step beyond.
    EXPECT_EQ(Einde(StartBazooka({300, 370}, 110, 0, 0), StapBazooka), (COORDINATEN{327, 374}));
}

TEST_F(FlightSteps, PistolBullet) {
    // Nothing in the way: along its row to the first step past 987.
    const COORDINATEN rand = Einde(StartPistool({500, 300}, 0), StapPistool);
    EXPECT_TRUE(rand.x >= 988 && rand.x <= 992 && rand.y == 300) << rand.x << "," << rand.y;
    // A wall stops it; its own rabbit does not, another one does.
    for (int x = 700; x <= 705; ++x)
        for (int y = 1; y <= 600; ++y) Level[x][y].Grond = true;
    TestSupport::PutRabbit(1, 500, 330, 100, 1);
    TestSupport::PutRabbit(2, 430, 330, 100, 2);
    PlaatsKonijntje(1, true);
    PlaatsKonijntje(2, true);
    const COORDINATEN muur = Einde(StartPistool({500, 300}, 0), StapPistool);
    EXPECT_TRUE(muur.x >= 700 && muur.x <= 705) << muur.x;
    const COORDINATEN ander = Einde(StartPistool({500, 300}, 3.1415927f), StapPistool);
    EXPECT_TRUE(ander.x >= 440 && ander.x <= 445 && ander.y == 300) << ander.x;
}

TEST_F(FlightSteps, GrenadeBounces) {
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
    // three times, ground below the fall.
    TestSupport::ResetGame();
    for (int d = -1; d <= 1; ++d) Level[502][300 + d].Grond = Level[500 + d][302].Grond = true;
    Vlucht v{{490, 230}, {}, {}, 10, 0, 1, 0, 5.0f, 0, false, false};
    StapGranaat(v, Level);
    EXPECT_NEAR(v.Kracht_x, -10 * 0.857375, 1e-4);
    EXPECT_NEAR(v.Kracht_y, -71 * 0.806954, 1e-3);
    EXPECT_EQ(v.Start, (COORDINATEN{500, 299}));
}

using FlightTest = TestSupport::GameTest;

// Dropped beside its own rabbit: contact never sets it off; the fuse of 5
// seconds, 0.0095 per step, is spent on step 528, the grenade lying on the
// ground. It is shown at every step, 10 ms apart.
TEST_F(FlightTest, TheGrenadeFliesTenMillisecondsAStepUntilItsFuseIsSpent) {
    TestSupport::SetFlatGround(401);
    TestSupport::PutRabbit(1, 500, 400, 100, 1);
    PlaatsKonijntje(1, true);
    const uint64_t start = Headless::Now();
    const COORDINATEN rust = BaanGranaat({500, 370}, 0, 0, 5.0f, 1);
    EXPECT_EQ(Headless::Now() - start, 528u * 10);
    EXPECT_TRUE(rust.x == 500 && rust.y >= 390 && rust.y <= 400) << rust.y;
}

// A shell drawn off a row or column waits 50 ms; along one it does not.
// (Which picture it shows is held to every direction in SpritesTest.)
TEST_F(FlightTest, AShellWaitsOnlyOffARowOrColumn) {
    const uint64_t start = Headless::Now();
    for (auto [x1, y1] : {std::pair{100, 110}, {90, 110}, {90, 100}, {90, 90}, {100, 90}, {110, 90}, {110, 100}, {110, 110},
                          {80, 99}, {120, 101}})
        Kogel(x1, y1, 100, 100);
    EXPECT_EQ(Headless::Now() - start, 6u * 50);
}

}  // namespace

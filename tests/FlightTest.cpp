// The flights of the bazooka shell, the pistol bullet and the grenade.
#include <gtest/gtest.h>

#include <cmath>

#include "game/Placement.h"
#include "game/weapons/Flight.h"
#include "game/weapons/Weapons.h"
#include "gfx/TekenBitmaps.h"
#include "tests/Snapshot.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;

class FlightTest : public TestSupport::GameTest {};

TEST_F(FlightTest, BazookaShell) {
    TestSupport::SetFlatGround(401);
    TestSupport::PutRabbit(1, 500, 400, 0, 1);
    TestSupport::PutRabbit(2, 330, 400, 100, 2);
    PlaatsKonijntje(1, true);
    PlaatsKonijntje(2, true);

    // Power 0, no wind: straight down through its own rabbit, undrawn, to
    // where its box first touches the ground; the shooter is in the blast.
    uint64_t start = Headless::Now();
    EXPECT_EQ(BaanBazooka({500, 370}, 0, 0, 0), (COORDINATEN{500, 395}));
    EXPECT_EQ(Headless::Now(), start);
    Headless::Tap(start + 100, Wimdows::VK_SPACE);
    Bazooka(1, 0);
    ASSERT_EQ(AANTALINSLAGEN, 1u);
    EXPECT_EQ(SchadeArray[1].y, 395);
    EXPECT_EQ(Konijntjes[1].Levens, -30);

    // A rabbit inside the shooter's box is passed through; just past the box
    // it is hit, and that one step is drawn and paced.
    start = Headless::Now();
    EXPECT_EQ(BaanBazooka({300, 370}, 110, 0, 0), (COORDINATEN{327, 374}));
    EXPECT_EQ(Headless::Now() - start, 100u);
}

TEST_F(FlightTest, ShellImageFollowsTheDirection) {
    auto drawn = [](auto draw) {
        TestSupport::Clear(80, 80, 120, 120);
        draw();
        return TestSupport::Snapshot(80, 80, 120, 120);
    };
    using TekenBitmaps::TekenKogel;
    const uint64_t start = Headless::Now();
    EXPECT_EQ(drawn([] { Kogel(100, 90, 100, 100); }), drawn([] { TekenKogel(100, 100, 5); }));
    EXPECT_EQ(drawn([] { Kogel(100, 110, 100, 100); }), drawn([] { TekenKogel(100, 100, 1); }));
    EXPECT_NE(drawn([] { TekenKogel(100, 100, 1); }), drawn([] { TekenKogel(100, 100, 5); }));
    EXPECT_EQ(Headless::Now(), start);  // straight up or down: no wait
    EXPECT_EQ(drawn([] { Kogel(90, 110, 100, 100); }), drawn([] { TekenKogel(100, 100, 2); }));
    EXPECT_EQ(drawn([] { Kogel(110, 95, 100, 100); }), drawn([] { TekenKogel(100, 100, 6); }));
    EXPECT_EQ(Headless::Now() - start, 100u);
}

TEST_F(FlightTest, PistolBullet) {
    // Nothing in the way: along its row, at once, to the first step past 987.
    const uint64_t start = Headless::Now();
    const COORDINATEN edge = BaanPistool({500, 300}, 0);
    EXPECT_TRUE(edge.x >= 988 && edge.x <= 993) << edge.x;
    EXPECT_EQ(edge.y, 300);
    EXPECT_EQ(Headless::Now(), start);
    // A wall stops it; its own rabbit does not.
    for (int x = 700; x <= 705; ++x)
        for (int y = 1; y <= 600; ++y) Level[x][y].Grond = true;
    TestSupport::PutRabbit(1, 500, 330, 0, 1);
    PlaatsKonijntje(1, true);
    const COORDINATEN wall = BaanPistool({500, 300}, 0);
    EXPECT_TRUE(wall.x >= 700 && wall.x <= 705) << wall.x;
}

// A fuse that runs out on step `step` of a grenade flight.
float FuseForStep(int step) { return float((step - 1.5) * 0.0095); }

TEST_F(FlightTest, GrenadeBouncesUntilItsFuseIsSpent) {
    // Dropped beside its own rabbit: contact never sets it off, the fuse of
    // 5 seconds runs out on step 528.
    TestSupport::SetFlatGround(401);
    TestSupport::PutRabbit(1, 500, 400, 0, 1);
    PlaatsKonijntje(1, true);
    const uint64_t start = Headless::Now();
    const COORDINATEN rest = BaanGranaat({500, 370}, 0, 0, 5.0f, 1);
    EXPECT_EQ(Headless::Now() - start, 528u * 10);
    EXPECT_TRUE(rest.y >= 390 && rest.y <= 400) << rest.y;

    // Ground from row 499, dropped from row 200: on step 207 (b 2.06, row 497)
    // three blocked cells below turn the fall up by 0.931 cubed.
    TestSupport::SetFlatGround(499);
    const long double up = -std::pow(0.98L * 0.95L, 3) * 71 * 2.06L, b = 0.84L;
    EXPECT_NEAR(BaanGranaat({500, 200}, 0, 0, FuseForStep(207 + 84), 1).y,
                496 + int(b * up) + int(70 * b * b), 1);

    // No ground: the bottom margin (row 586 on step 236, b 2.35) throws it
    // back up without damping.
    TestSupport::ResetGame();
    const long double back = -(70 * 2.35L + 2.35L), c = 0.9L;
    EXPECT_NEAR(BaanGranaat({500, 200}, 0, 0, FuseForStep(236 + 90), 1).y,
                585 + int(c * back) + int(70 * c * c), 1);
}

}  // namespace

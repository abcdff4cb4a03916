// Aiming, the weapon pose, the power meter and the choice of weapon.
#include <gtest/gtest.h>

#include <stdexcept>

#include "game/Level.h"
#include "game/weapons/Aiming.h"
#include "game/weapons/Weapons.h"
#include "gfx/TekenBitmaps.h"
#include "tests/Snapshot.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::Snapshot;

class AimingTest : public TestSupport::GameTest {};

// Taps `vk` `count` times, 100 ms apart, from now; returns the next free time.
uint64_t Taps(uint32_t vk, int count) {
    uint64_t t = Headless::Now() + 100;
    for (int i = 0; i < count; ++i, t += 100) Headless::Tap(t, vk);
    return t;
}

// Runs `f` until it waits for a key the script no longer has; its last frame
// stays in the buffer.
template <class F>
void RunUntilItWaits(F f) {
    Headless::SetFailOnStarvation(true);
    EXPECT_THROW(f(), std::runtime_error);
    Headless::SetFailOnStarvation(false);
}

TEST_F(AimingTest, SightTurnsOnlyWhereItStaysInside) {
    TestSupport::SetFlatGround(500);
    // Down 31 times: the sight one column right of and 50 rows below the centre.
    Taps(Wimdows::VK_DOWN, 31);
    RunUntilItWaits([] { RichtPijl(500, 300, 1, 1); });
    const auto shown = Snapshot(493, 342, 512, 361);
    HermaakLevel();
    EXPECT_NE(Snapshot(493, 342, 512, 361), shown);
    TekenBitmaps::TekenVizier(501, 350);
    EXPECT_EQ(Snapshot(493, 342, 512, 361), shown);

    Headless::Tap(Taps(Wimdows::VK_DOWN, 31), Wimdows::VK_SPACE);
    EXPECT_NEAR(RichtPijl(500, 300, 1, 1), 1.55f, 1e-5f);
    // {x, Up taps, then Down taps, angle}. At x 30 Up stops at -1.90: one more
    // step puts the sight in column 11. At x 938 and 981 the sight starts past
    // the right margin: it turns either way towards the field, never back out.
    const struct { int32_t x; int ups, downs; float angle; } turns[] = {
        {30, 60, 0, -1.90f}, {938, 1, 0, -0.05f}, {938, 0, 1, 0.05f},
        {981, 3, 2, -0.15f}, {981, 35, 0, -1.75f}, {981, 0, 3, 0.15f},
    };
    for (const auto& c : turns) {
        uint64_t t = Headless::Now() + 100;
        for (int i = 0; i < c.ups + c.downs; ++i, t += 100)
            Headless::Tap(t, i < c.ups ? Wimdows::VK_UP : Wimdows::VK_DOWN);
        Headless::Tap(t, Wimdows::VK_SPACE);
        EXPECT_NEAR(RichtPijl(c.x, 300, 1, 3), c.angle, 1e-5f) << c.x << " " << c.ups;
    }
    // Left and Right only answer with the message.
    const uint64_t t = Headless::Now();
    Headless::Tap(t + 100, Wimdows::VK_LEFT);
    Headless::Tap(t + 200, Wimdows::VK_RIGHT);
    Headless::Tap(t + 300, Wimdows::VK_SPACE);
    testing::internal::CaptureStdout();
    EXPECT_EQ(RichtPijl(500, 300, 2, 2), 0.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Geen geldige toetsGeen geldige toets");
}

TEST_F(AimingTest, PoseFollowsTheAngle) {
    auto pose = [](auto draw) {
        TestSupport::Clear(470, 250, 530, 350);
        draw();
        return Snapshot(470, 250, 530, 350);
    };
    using namespace TekenBitmaps;
    const auto belowRight = pose([] { TekenKonijntjeBazookaRechts(500, 330, 3, 1); });
    ASSERT_NE(belowRight, pose([] { TekenKonijntjeBazookaRechts(500, 330, 2, 1); }));
    // 7 radians is drawn as about 0.7168: below right, frame 3.
    EXPECT_EQ(pose([] { TekenKonijntjeWapen(500, 300, 7.0f, 1, 1); }), belowRight);
    EXPECT_EQ(pose([] { TekenKonijntjeWapen(500, 300, -2.0f, 2, 3); }),
              pose([] { TekenKonijntjePistoolLinks(500, 330, 1, 2); }));
    EXPECT_EQ(pose([] { TekenKonijntjeWapen(500, 300, 3.1415927f, 2, 3); }),
              pose([] { TekenKonijntjePistoolLinks(500, 330, 2, 2); }));
    EXPECT_EQ(pose([] { TekenKonijntjeWapen(500, 300, -1.0f, 1, 2); }),
              pose([] { TekenKonijntjeGranaatRechts(500, 330, 1); }));
}

TEST_F(AimingTest, PowerGrowsWhileSpaceIsHeld) {
    const Wimdows::Color darkRed = Wimdows::RgbColor(176, 0, 0);
    auto charge = [](uint64_t holdMs) {
        TestSupport::Clear(530, 645, 760, 680);
        Headless::Press(Wimdows::VK_SPACE);
        Headless::Schedule({{Headless::Now() + holdMs, Headless::Action::Release, Wimdows::VK_SPACE}});
        return TestKracht();
    };
    const uint64_t start = Headless::Now();
    EXPECT_EQ(charge(3500), 406.0f);
    EXPECT_EQ(Headless::Now() - start, 58u * 50);
    EXPECT_EQ(Wimdows::BufferPixel(681, 673), darkRed);
    EXPECT_EQ(Wimdows::BufferPixel(682, 662), 0u);
    // One step: 2.5 pixels, rounded up.
    EXPECT_EQ(charge(30), 7.0f);
    EXPECT_EQ(Wimdows::BufferPixel(539, 651), darkRed);
    EXPECT_EQ(Wimdows::BufferPixel(540, 662), 0u);
    // Released before the meter starts: no power.
    EXPECT_EQ(TestKracht(), 0.0f);
}

TEST_F(AimingTest, WeaponChoice) {
    TestSupport::SetFlatGround(401);
    TestSupport::PutRabbit(1, 500, 400, 0, 1);
    auto slot = [] { return Snapshot(748, 617, 813, 682); };
    auto pose = [] { return Snapshot(480, 330, 520, 410); };
    // Runs the choice up to the aiming; checks the weapon shown and the pose.
    auto choose = [&](int32_t levens, uint32_t expected) {
        RunUntilItWaits([&] { KiesWapen(1, levens, 0); });
        const auto shownSlot = slot(), shownPose = pose();
        TekenBitmaps::TekenWapen(expected);
        EXPECT_EQ(shownSlot, slot()) << expected;
        TekenBitmaps::TekenWapen(3 - expected);
        EXPECT_NE(shownSlot, slot()) << expected;
        HermaakLevel();
        TekenKonijntjeWapen(500, 370, 0, 1, expected);
        EXPECT_EQ(shownPose, pose()) << expected;
    };

    int32_t none = 0;
    const uint64_t start = Headless::Now();
    KiesWapen(1, none, 0);  // a rabbit without lives gets nothing
    EXPECT_EQ(Headless::Now(), start);

    // Enter still held from the movement: the bazooka, no key taken.
    Headless::Press(Wimdows::VK_RETURN);
    Headless::Schedule({{start + 1000, Headless::Action::Release, Wimdows::VK_RETURN}});
    choose(100, 1);
    // B five times comes back to the bazooka, six times gives the grenade.
    Headless::Tap(Taps(0x42, 5), Wimdows::VK_RETURN, 1000);
    choose(100, 1);
    Headless::Tap(Taps(0x42, 6), Wimdows::VK_RETURN, 1000);
    choose(100, 2);
}

}  // namespace

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

// Taps `vk` `count` times, 100 ms apart, from `t`; returns the next free time.
uint64_t TapTimes(uint64_t t, uint32_t vk, int count) {
    for (int i = 0; i < count; ++i, t += 100) Headless::Tap(t, vk);
    return t;
}

// Runs `f` until it waits for a key that the script no longer has; the last
// frame it drew stays in the buffer.
template <class F>
void RunUntilItWaits(F f) {
    Headless::SetFailOnStarvation(true);
    EXPECT_THROW(f(), std::runtime_error);
}

TEST_F(AimingTest, SightTurnsOnlyWhereItStaysInside) {
    TestSupport::SetFlatGround(500);
    // Down 31 times from 0: 1.55 radians, the sight 1 column right, 50 below.
    TapTimes(Headless::Now() + 100, Wimdows::VK_DOWN, 31);
    RunUntilItWaits([] { RichtPijl(500, 300, 1, 1); });
    const auto shown = Snapshot(493, 342, 512, 361);
    HermaakLevel();
    EXPECT_NE(Snapshot(493, 342, 512, 361), shown);
    TekenBitmaps::TekenVizier(501, 350);
    EXPECT_EQ(Snapshot(493, 342, 512, 361), shown);

    Headless::SetFailOnStarvation(false);
    Headless::Tap(TapTimes(Headless::Now() + 100, Wimdows::VK_DOWN, 31), Wimdows::VK_SPACE);
    EXPECT_NEAR(RichtPijl(500, 300, 1, 1), 1.55f, 1e-5f);

    // Near the left edge Up stops at -1.90: one more step puts the sight in
    // column 11.
    uint64_t t = TapTimes(Headless::Now() + 100, Wimdows::VK_UP, 60);
    Headless::Tap(t, Wimdows::VK_SPACE);
    EXPECT_NEAR(RichtPijl(30, 300, 1, 3), -1.90f, 1e-5f);

    // Left and Right only answer with the message.
    t = Headless::Now() + 100;
    Headless::Tap(t, Wimdows::VK_LEFT);
    Headless::Tap(t + 100, Wimdows::VK_RIGHT);
    Headless::Tap(t + 200, Wimdows::VK_SPACE);
    testing::internal::CaptureStdout();
    const float Hoek = RichtPijl(500, 300, 2, 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Geen geldige toetsGeen geldige toets");
    EXPECT_EQ(Hoek, 0.0f);
}

TEST_F(AimingTest, PoseFollowsTheAngle) {
    auto pose = [](auto draw) {
        TestSupport::Clear(470, 250, 530, 350);
        draw();
        return Snapshot(470, 250, 530, 350);
    };
    using namespace TekenBitmaps;
    const auto belowRight = pose([] { TekenKonijntjeBazookaRechts(500, 330, 3, 1); });
    const auto levelRight = pose([] { TekenKonijntjeBazookaRechts(500, 330, 2, 1); });
    ASSERT_NE(belowRight, levelRight);
    // 7 radians is drawn as about 0.7168: below right, frame 3.
    EXPECT_EQ(pose([] { TekenKonijntjeWapen(500, 300, 7.0f, 1, 1); }), belowRight);
    EXPECT_EQ(pose([] { TekenKonijntjeWapen(500, 300, 0.5f, 1, 1); }), levelRight);
    EXPECT_EQ(pose([] { TekenKonijntjeWapen(500, 300, -2.0f, 2, 3); }),
              pose([] { TekenKonijntjePistoolLinks(500, 330, 1, 2); }));
    EXPECT_EQ(pose([] { TekenKonijntjeWapen(500, 300, 3.1415927f, 2, 3); }),
              pose([] { TekenKonijntjePistoolLinks(500, 330, 2, 2); }));
    EXPECT_EQ(pose([] { TekenKonijntjeWapen(500, 300, -1.0f, 1, 2); }),
              pose([] { TekenKonijntjeGranaatRechts(500, 330, 1); }));
    EXPECT_EQ(pose([] { TekenKonijntjeWapen(500, 300, 2.0f, 1, 2); }),
              pose([] { TekenKonijntjeGranaatLinks(500, 330, 1); }));
}

TEST_F(AimingTest, PowerGrowsWhileSpaceIsHeld) {
    const Wimdows::Color darkRed = Wimdows::RgbColor(176, 0, 0);
    TestSupport::Clear(530, 645, 760, 680);
    const uint64_t start = Headless::Now();
    Headless::Press(Wimdows::VK_SPACE);
    Headless::Schedule({{start + 3500, Headless::Action::Release, Wimdows::VK_SPACE}});
    EXPECT_EQ(TestKracht(), 406.0f);
    EXPECT_EQ(Headless::Now() - start, 58u * 50);
    EXPECT_EQ(Wimdows::BufferPixel(536, 651), darkRed);
    EXPECT_EQ(Wimdows::BufferPixel(681, 673), darkRed);
    EXPECT_EQ(Wimdows::BufferPixel(682, 662), 0u);

    // One step: 2.5 pixels, rounded up.
    TestSupport::Clear(530, 645, 760, 680);
    Headless::Press(Wimdows::VK_SPACE);
    Headless::Schedule({{Headless::Now() + 30, Headless::Action::Release, Wimdows::VK_SPACE}});
    EXPECT_EQ(TestKracht(), 7.0f);
    EXPECT_EQ(Wimdows::BufferPixel(539, 662), darkRed);
    EXPECT_EQ(Wimdows::BufferPixel(540, 662), 0u);

    // Released before the meter starts: no power at all.
    EXPECT_EQ(TestKracht(), 0.0f);
}

TEST_F(AimingTest, WeaponChoice) {
    TestSupport::SetFlatGround(401);
    TestSupport::PutRabbit(1, 500, 400, 0, 1);
    TestSupport::PutRabbit(2, 800, 400, 100, 2);
    auto slot = [] { return Snapshot(748, 617, 813, 682); };
    auto slotOf = [&](uint32_t n) {
        TekenBitmaps::TekenWapen(n);
        return slot();
    };
    auto poseOf = [](uint32_t Wapen) {
        HermaakLevel();
        TekenKonijntjeWapen(500, 370, 0, 1, Wapen);
        return Snapshot(480, 330, 520, 410);
    };

    // A rabbit without lives gets nothing.
    int32_t levens = 0;
    const uint64_t start = Headless::Now();
    KiesWapen(1, levens, 0);
    EXPECT_EQ(Headless::Now(), start);

    // Enter still held from the movement: the bazooka without a key taken.
    levens = 100;
    Headless::Press(Wimdows::VK_RETURN);
    Headless::Schedule({{start + 1000, Headless::Action::Release, Wimdows::VK_RETURN}});
    RunUntilItWaits([&] { KiesWapen(1, levens, 0); });
    auto shown = slot();
    auto pose = Snapshot(480, 330, 520, 410);
    EXPECT_EQ(shown, slotOf(1));
    EXPECT_EQ(pose, poseOf(1));

    // B five times comes back to the bazooka, six times gives the grenade.
    for (int presses : {5, 6}) {
        uint64_t t = TapTimes(Headless::Now() + 500, 0x42, presses);
        Headless::Tap(t, Wimdows::VK_RETURN, 1000);
        RunUntilItWaits([&] { KiesWapen(1, levens, 0); });
        const uint32_t expected = presses == 5 ? 1 : 2;
        shown = slot();
        pose = Snapshot(480, 330, 520, 410);
        EXPECT_EQ(shown, slotOf(expected)) << presses;
        EXPECT_NE(shown, slotOf(3 - expected)) << presses;
        EXPECT_EQ(pose, poseOf(expected)) << presses;
    }
}

}  // namespace

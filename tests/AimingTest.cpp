// Aiming, the weapon pose, the power meter and the choice of weapon; then
// the shot simulator against the game: for a spread of shots, what it
// foresees from the state before equals the state after the same keys.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "game/Level.h"
#include "game/Placement.h"
#include "game/weapons/Aiming.h"
#include "game/weapons/Damage.h"
#include "game/weapons/ShotSimulator.h"
#include "game/weapons/Weapons.h"
#include "gfx/TekenBitmaps.h"
#include "tests/Snapshot.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::Snapshot;

class AimingTest : public TestSupport::GameTest {};

// Taps `vk` `count` times, 100 ms apart, from `t` (by default 100 ms from
// now); returns the next free time.
uint64_t Taps(uint32_t vk, int count, uint64_t t = Headless::Now() + 100) {
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
        Headless::Tap(Taps(Wimdows::VK_DOWN, c.downs, Taps(Wimdows::VK_UP, c.ups)), Wimdows::VK_SPACE);
        EXPECT_NEAR(RichtPijl(c.x, 300, 1, 3), c.angle, 1e-5f) << c.x << " " << c.ups;
    }
    // Left and Right only answer with the message.
    Headless::Tap(Taps(Wimdows::VK_RIGHT, 1, Taps(Wimdows::VK_LEFT, 1)), Wimdows::VK_SPACE);
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
    ASSERT_NE(pose([] { TekenKonijntjeBazookaRechts(500, 330, 3, 1); }),
              pose([] { TekenKonijntjeBazookaRechts(500, 330, 2, 1); }));
    // {angle, team, weapon, the pose}: 7 radians is drawn as about 0.7168, below right.
    const struct { float hoek; uint32_t team, wapen; void (*teken)(); } poses[] = {
        {7.0f, 1, 1, [] { TekenKonijntjeBazookaRechts(500, 330, 3, 1); }},
        {-2.0f, 2, 3, [] { TekenKonijntjePistoolLinks(500, 330, 1, 2); }},
        {3.1415927f, 2, 3, [] { TekenKonijntjePistoolLinks(500, 330, 2, 2); }},
        {-1.0f, 1, 2, [] { TekenKonijntjeGranaatRechts(500, 330, 1); }}};
    for (const auto& p : poses)
        EXPECT_EQ(pose([&] { TekenKonijntjeWapen(500, 300, p.hoek, p.team, p.wapen); }), pose(p.teken)) << p.hoek;
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

// Level 1 with four rabbits on its ground; 2 stands within the axe's reach of 1.
void Opstelling() {
    TestSupport::ResetGame();
    for (int32_t deel = 1; deel <= 3; ++deel)
        LeesLevelDeel("Files/Level1Part" + std::to_string(deel) + ".txt", Level, 200 * (deel - 1) + 1);
    Menu.AantalKonijntjes = 4;
    const int32_t xs[] = {200, 228, 500, 760};
    for (uint32_t k = 1; k <= 4; ++k) {
        int32_t y = 70;
        while (!Level[xs[k - 1]][y + 1].Grond) ++y;
        TestSupport::PutRabbit(k, xs[k - 1], y, 100, 2 - k % 2);
        PlaatsKonijntje(k, true);
    }
}

// Plays the keys of the weapon choice, the aiming and the power meter.
void Speel(uint32_t k, const Toetsen& t, int32_t wind) {
    const uint64_t t0 = Headless::Now();
    for (uint32_t b = 1; b < static_cast<uint32_t>(t.wapen); ++b) Headless::Tap(t0 + 250 + 50 * b, 'B');
    Headless::Tap(t0 + 600, Wimdows::VK_RETURN, 200);
    for (int32_t i = 0; i < std::abs(t.Omhoog); ++i) Headless::Tap(t0 + 900 + 40 * i, t.Omhoog > 0 ? Wimdows::VK_UP : Wimdows::VK_DOWN);
    if (t.wapen == Wapen::Bijl && t.BijlKant == 1) Headless::Tap(t0 + 900, Wimdows::VK_RIGHT);
    if (t.wapen == Wapen::Dynamiet) Headless::Tap(t0 + 1000, Wimdows::VK_RIGHT, 300);
    // Space held into the meter's n-th step of 50 ms; the axe's swing and the
    // walk's end want a key that is still down when they look.
    const uint64_t vast = t.wapen == Wapen::Bijl || t.wapen == Wapen::Dynamiet ? 100 : 0;
    const uint64_t n = t.Krachtstappen;
    Headless::Tap(t0 + 3500, t.wapen == Wapen::Dynamiet ? Wimdows::VK_RETURN : Wimdows::VK_SPACE, n > 0 ? 50 * n - 25 : vast);
    int32_t levens = 100;
    KiesWapen(k, levens, wind);
    Runtime::Delay(4000);  // every key released before the next shot
}

TEST_F(AimingTest, TheShotSimulatorForeseesWhatTheGameDoes) {
    const struct { uint32_t k; Toetsen t; int32_t wind; } shots[] = {
        {1, {Wapen::Bazooka, 3, 0}, 50},      {1, {Wapen::Bazooka, 10, 30}, -75}, {3, {Wapen::Bazooka, -5, 45}, 100},
        {3, {Wapen::Bazooka, 30, 70}, -25},   {1, {Wapen::Granaat, 0, 0}, 0},     {1, {Wapen::Granaat, 15, 35}, 0},
        {3, {Wapen::Granaat, -20, 50}, 0},    {1, {Wapen::Pistool, -3}, 0},       {4, {Wapen::Pistool, 64}, 0},
        {1, {Wapen::Bijl, 0, 0, -1}, 0},      {1, {Wapen::Bijl, 0, 0, 1}, 0},     {1, {Wapen::Dynamiet}, 0}};
    static LEVEL voor;
    for (const auto& s : shots) {
        Opstelling();
        voor = Level;
        const KONIJN konijnen = Konijntjes;
        Speel(s.k, s.t, s.wind);
        Toetsen t = s.t;
        if (t.wapen == Wapen::Dynamiet) {
            t.WegNaar = Konijntjes[s.k].Positie;
            EXPECT_NE(*t.WegNaar, konijnen[s.k].Positie) << "the rabbit ran from its charge";
        }
        const SchotUitslag u = Simuleer(Stand{voor, konijnen, 4, s.wind}, s.k, t);
        const std::string shot = std::to_string(int(t.wapen)) + " by " + std::to_string(s.k) + " up " + std::to_string(t.Omhoog);
        for (uint32_t k = 1; k <= 8; ++k) EXPECT_EQ(Konijntjes[k].Levens, u.Levens[k]) << shot << ": rabbit " << k;
        const Inslag& laatste = SchadeArray[AANTALINSLAGEN];
        EXPECT_EQ(AANTALINSLAGEN, u.Krater.Grootte > 0 ? 1u : 0u) << shot;
        if (u.Krater.Grootte > 0) {
            EXPECT_TRUE(laatste.x == u.Krater.x && laatste.y == u.Krater.y && laatste.Grootte == u.Krater.Grootte) << shot;
        }
        // The ground taken away is the crater's ground, no more, no less.
        int32_t weg = 0, krater = 0;
        for (int32_t x = 1; x <= 1000; ++x)
            for (int32_t y = 1; y <= 600; ++y) weg += voor[x][y].Grond && !Level[x][y].Grond;
        for (const auto& [dx, dy] : KraterCellen(u.Krater.Grootte)) {
            const int64_t X = int64_t{u.Einde.x} + dx, Y = int64_t{u.Einde.y} + dy;
            krater += u.Krater.Grootte > 0 && Uitgraafbaar(X, Y) && voor[X][Y].Grond;
        }
        EXPECT_EQ(weg, krater) << shot;
    }
}

}  // namespace

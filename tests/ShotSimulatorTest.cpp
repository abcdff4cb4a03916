// The shot simulator against the game: for a spread of shots, what it
// foresees from the state before equals the state after the same keys.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/Level.h"
#include "game/Placement.h"
#include "game/weapons/Damage.h"
#include "game/weapons/ShotSimulator.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;

class ShotSimulatorTest : public TestSupport::GameTest {};

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

TEST_F(ShotSimulatorTest, ForeseesWhatTheGameDoes) {
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

// Rabbit placement and the rabbit marks in the grid.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/Placement.h"
#include "game/Random.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "tests/TestImages.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::ReadFile;
using TestSupport::WriteFile;

const std::string State = "Files/RandomFile.txt";

int64_t Marked(int32_t x0 = 1, int32_t y0 = 1, int32_t x1 = 1000, int32_t y1 = 600) {
    int64_t n = 0;
    for (int32_t x = x0; x <= x1; ++x)
        for (int32_t y = y0; y <= y1; ++y) n += Level[x][y].Konijn;
    return n;
}
void ExpectOut(uint32_t from) {
    for (uint32_t k = from; k <= 8; ++k) {
        EXPECT_EQ(Konijntjes[k].Team, 0u) << "rabbit " << k;
        EXPECT_EQ(Konijntjes[k].Levens, 0) << "rabbit " << k;
    }
}

class PlacementTest : public TestSupport::GameTest {
protected:
    void SetUp() override {
        TestSupport::GameTest::SetUp();
        TekenBitmaps::KonijntjeRoodBitmap = TestImages::Solid(29, 60, rood);
        TekenBitmaps::KonijntjeBlauwBitmap = TestImages::Solid(29, 60, blauw);
        TekenBitmaps::KonijntjeMaskBitmap = TestImages::Mask(29, 60);
    }
    const Wimdows::Color rood = Wimdows::RgbColor(250, 1, 1), blauw = Wimdows::RgbColor(1, 1, 250);
};

// From the current state: the team draw, then 300 spot draws, rabbit k on the k-th distinct spot.
// Leaves the state file as it found it.
struct Expected {
    uint32_t team;
    std::vector<uint32_t> spots;
    std::string after300, after301, after302;  // the state file after so many draws
};
Expected Predict(uint32_t rabbits) {
    const std::string before = ReadFile(State);
    Expected e;
    e.team = RandomCard(1, 3);
    std::set<uint32_t> seen;
    for (int i = 2; i <= 302; ++i) {
        if (i == 301) e.after300 = ReadFile(State);
        uint32_t d = RandomCard(1, 20);
        if (i <= 301 && seen.insert(d).second && e.spots.size() < rabbits) e.spots.push_back(d);
        if (i == 301) e.after301 = ReadFile(State);
    }
    e.after302 = ReadFile(State);
    WriteFile(State, before);
    return e;
}

TEST_F(PlacementTest, RabbitKStandsOnTheKthDistinctSpot) {
    // Team draw 1, spot draws 3, 19, 3, 14, 19, 9, ...: spots 3, 19, 14, 9.
    const COORDINATEN want[2][4] = {{{197, 105}, {799, 474}, SpawnPlek(1, 14), SpawnPlek(1, 9)},
                                    {{169, 410}, {901, 481}, {677, 116}, {534, 373}}};
    for (uint32_t level : {1u, 2u}) {
        WriteFile(State, "    14\r\n 1.0049E-1\r\n");
        MaakKonijntjesAan(level, 4, Konijntjes, Level);
        for (uint32_t k = 1; k <= 4; ++k) {
            EXPECT_EQ(Konijntjes[k].Positie, want[level - 1][k - 1]) << "level " << level << " rabbit " << k;
            EXPECT_EQ(Konijntjes[k].Team, k % 2 ? 1u : 2u) << k;
            EXPECT_EQ(Konijntjes[k].Levens, 100) << k;
        }
        // Each rabbit marked in the grid and shown.
        for (uint32_t k = 1; k <= 4; ++k) {
            const COORDINATEN p = Konijntjes[k].Positie;
            EXPECT_EQ(TestImages::Find(k % 2 ? rood : blauw, p.x - 20, p.y - 70, p.x + 20, p.y + 5, true),
                      (TestImages::Box{p.x - 15, p.y - 60, p.x + 13, p.y - 1})) << "rabbit " << k;
            EXPECT_EQ(Marked(p.x - 16, p.y - 66, p.x + 16, p.y + 1), 31 * 66) << "rabbit " << k;
        }
    }
    EXPECT_EQ(SpawnPlek(1, 3), (COORDINATEN{197, 105}));
}

TEST_F(PlacementTest, SelectionFollowsTheDrawsAnd301Rewrites) {
    const std::string states[] = {ReadFile(State), "    42\r\n 3.5000E-1\r\n", "     5\r\n 6.6667E-1\r\n",
                                  "    13\r\n 1.0644E-1\r\n", "     0\r\n 2.3456E-3\r\n"};
    for (const std::string& start : states)
        for (uint32_t level : {1u, 2u})
            for (uint32_t n : {8u, 2u, 6u, 4u}) {  // fewer after more: the records above n are cleared
                WriteFile(State, start);
                Expected e = Predict(n);
                ASSERT_EQ(e.spots.size(), n) << "state '" << start << "' repeats itself";
                ASSERT_TRUE(e.after301 != e.after300 && e.after301 != e.after302);
                MaakKonijntjesAan(level, n, Konijntjes, Level);
                EXPECT_EQ(ReadFile(State), e.after301) << "not 301 draws from '" << start << "'";
                for (uint32_t k = 1; k <= n; ++k) {
                    EXPECT_EQ(Konijntjes[k].Positie, SpawnPlek(level, e.spots[k - 1])) << k;
                    EXPECT_EQ(Konijntjes[k].Team, k % 2 ? e.team : 3 - e.team) << k;
                    EXPECT_EQ(Konijntjes[k].Levens, 100);
                }
                ExpectOut(n + 1);
            }
}

TEST_F(PlacementTest, LevelThreeIsAFixedDuelWithoutChance) {
    MaakKonijntjesAan(1, 8, Konijntjes, Level);
    for (int32_t x = 1; x <= 1000; ++x)
        for (int32_t y = 1; y <= 600; ++y) Level[x][y].Konijn = false;
    const std::string before = ReadFile(State);
    const uint64_t windowBefore = Wimdows::WindowHash();
    MaakKonijntjesAan(3, 8, Konijntjes, Level);  // the number of rabbits is not used
    EXPECT_EQ(ReadFile(State), before);
    EXPECT_EQ(Wimdows::WindowHash(), windowBefore) << "level 3 set-up draws nothing";
    EXPECT_EQ(Konijntjes[1].Positie, (COORDINATEN{226, 331}));
    EXPECT_EQ(Konijntjes[2].Positie, (COORDINATEN{550, 432}));
    for (uint32_t k = 1; k <= 2; ++k) {
        EXPECT_EQ(Konijntjes[k].Team, k);
        EXPECT_EQ(Konijntjes[k].Levens, 100);
    }
    ExpectOut(3);
    // Both footprints marked, nothing else.
    EXPECT_EQ(Marked(), 2 * 31 * 66);
    EXPECT_EQ(Marked(211, 266, 241, 331), 31 * 66);
}

TEST_F(PlacementTest, RepeatingGeneratorStillGivesDistinctSpots) {
    // From this state the generator settles on 10 for ever: the 300 draws hold only spots 1 and 10.
    WriteFile(State, "     9\r\n 1.0725E-1\r\n");
    testing::internal::CaptureStderr();
    MaakKonijntjesAan(1, 8, Konijntjes, Level);
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    std::set<std::pair<int32_t, int32_t>> places;
    for (uint32_t k = 1; k <= 8; ++k) places.insert({Konijntjes[k].Positie.x, Konijntjes[k].Positie.y});
    EXPECT_EQ(places.size(), 8u);
    EXPECT_EQ(Konijntjes[1].Positie, SpawnPlek(1, 1));
    EXPECT_EQ(Konijntjes[2].Positie, SpawnPlek(1, 10));
    // Two rabbits need no extra draws.
    WriteFile(State, "     9\r\n 1.0725E-1\r\n");
    Expected e = Predict(2);
    MaakKonijntjesAan(1, 2, Konijntjes, Level);
    EXPECT_EQ(Konijntjes[2].Positie, SpawnPlek(1, 10));
    EXPECT_EQ(ReadFile(State), e.after301);
}

TEST_F(PlacementTest, SpawnSpots) {
    const std::pair<uint32_t, COORDINATEN> some[] = {{1, {80, 140}}, {7, {354, 387}}, {12, {655, 476}}, {19, {799, 474}}};
    for (const auto& [n, p] : some) EXPECT_EQ(SpawnPlek(1, n), p) << n;
    EXPECT_EQ(SpawnPlek(2, 1), (COORDINATEN{74, 424}));
    EXPECT_EQ(SpawnPlek(2, 12), (COORDINATEN{579, 99}));
    std::set<std::pair<int32_t, int32_t>> all;
    for (uint32_t level : {1u, 2u})
        for (uint32_t n = 1; n <= 19; ++n) {
            COORDINATEN p = SpawnPlek(level, n);
            EXPECT_TRUE(p.x >= 16 && p.x <= 985 && p.y >= 66 && p.y <= 600) << level << ": " << n;
            all.insert({p.x, p.y});
        }
    EXPECT_EQ(all.size(), 38u);
}

// --- PlaatsKonijntje ----------------------------------------------------------

class MarkTest : public TestSupport::GameDirTest {};

TEST_F(MarkTest, FootprintIs31By66AndFlagsAreSetNotCounted) {
    TestSupport::PutRabbit(3, 400, 300, 100, 2);
    PlaatsKonijntje(3, true);
    EXPECT_EQ(Marked(), 31 * 66);
    EXPECT_EQ(Marked(385, 235, 415, 300), 31 * 66);
    PlaatsKonijntje(3, false);
    EXPECT_EQ(Marked(), 0);
    // Overlapping rabbits: clearing one clears the shared columns too.
    TestSupport::PutRabbit(1, 400, 300, 100, 1);
    TestSupport::PutRabbit(2, 410, 300, 100, 2);
    PlaatsKonijntje(1, true);
    PlaatsKonijntje(2, true);
    EXPECT_EQ(Marked(), 41 * 66);
    PlaatsKonijntje(1, false);
    EXPECT_EQ(Marked(), 10 * 66);
    EXPECT_EQ(Marked(416, 235, 425, 300), 10 * 66);
    // Team 0 changes nothing.
    TestSupport::PutRabbit(4, 420, 300, 100, 0);
    PlaatsKonijntje(4, false);
    PlaatsKonijntje(4, true);
    TestSupport::PutRabbit(4, 200, 300, 100, 0);
    PlaatsKonijntje(4, true);
    EXPECT_EQ(Marked(), 10 * 66);
}

TEST_F(MarkTest, CellsOutsideTheGridAreSkipped) {
    TestSupport::PutRabbit(1, 30, 20, 100, 1);    // rows -45..20
    TestSupport::PutRabbit(2, 5, 610, 100, 2);    // drowned below the grid, at the edge
    TestSupport::PutRabbit(3, 995, 300, 100, 2);  // at the right edge
    const int64_t cells[] = {31 * 20, 20 * 56, 21 * 66};
    int64_t total = 0;
    for (uint32_t k = 1; k <= 3; ++k) {
        PlaatsKonijntje(k, true);
        EXPECT_EQ(Marked(), total += cells[k - 1]) << "rabbit " << k;
    }
    for (uint32_t k = 1; k <= 3; ++k) PlaatsKonijntje(k, false);
    EXPECT_EQ(Marked(), 0);
}

}  // namespace

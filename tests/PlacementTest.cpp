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

class PlacementTest : public TestSupport::GameTest {
protected:
    void SetUp() override {
        TestSupport::GameTest::SetUp();
        TekenBitmaps::KonijntjeRoodBitmap = TestImages::Solid(29, 60, rood);
        TekenBitmaps::KonijntjeBlauwBitmap = TestImages::Solid(29, 60, blauw);
        TekenBitmaps::KonijntjeMaskBitmap = TestImages::Mask(29, 60);
    }
    const Wimdows::Color rood = Wimdows::RgbColor(250, 1, 1);
    const Wimdows::Color blauw = Wimdows::RgbColor(1, 1, 250);
};

// What the set-up must do from the current state: the team draw, then 300
// spot draws; rabbit k on the k-th distinct spot. Leaves the state file as
// it found it. Returns the team of the odd rabbits, the spots, and the state
// file after the 301st draw.
struct Expected {
    uint32_t team;
    std::vector<uint32_t> spots;
    std::string after301, after300, after302;
};
Expected Predict(uint32_t rabbits) {
    std::string before = ReadFile(State);
    Expected e;
    e.team = RandomCard(1, 3);
    std::vector<uint32_t> draws;
    for (int i = 1; i <= 300; ++i) {
        if (i == 300) e.after300 = ReadFile(State);
        draws.push_back(RandomCard(1, 20));
    }
    e.after301 = ReadFile(State);
    RandomCard(1, 20);
    e.after302 = ReadFile(State);
    std::set<uint32_t> seen;
    for (uint32_t d : draws)
        if (seen.insert(d).second && e.spots.size() < rabbits) e.spots.push_back(d);
    WriteFile(State, before);
    return e;
}

TEST_F(PlacementTest, RabbitKStandsOnTheKthDistinctSpot) {
    // From this state the team draw gives 1 and the spot draws begin
    // 3, 19, 3, 14, 19, 9, 10, 19: rabbits on spots 3, 19, 14, 9.
    WriteFile(State, "    14\r\n 1.0049E-1\r\n");
    MaakKonijntjesAan(1, 4, Konijntjes, Level);
    EXPECT_EQ(Konijntjes[1].Positie, SpawnPlek(1, 3));
    EXPECT_EQ(Konijntjes[2].Positie, SpawnPlek(1, 19));
    EXPECT_EQ(Konijntjes[3].Positie, SpawnPlek(1, 14));
    EXPECT_EQ(Konijntjes[4].Positie, SpawnPlek(1, 9));
    EXPECT_EQ(Konijntjes[1].Positie, (COORDINATEN{197, 105}));
    EXPECT_EQ(Konijntjes[2].Positie, (COORDINATEN{799, 474}));
    for (uint32_t k = 1; k <= 4; ++k) {
        EXPECT_EQ(Konijntjes[k].Team, k % 2 ? 1u : 2u) << k;
        EXPECT_EQ(Konijntjes[k].Levens, 100) << k;
    }
    // The same draws on level 2.
    WriteFile(State, "    14\r\n 1.0049E-1\r\n");
    MaakKonijntjesAan(2, 4, Konijntjes, Level);
    EXPECT_EQ(Konijntjes[1].Positie, (COORDINATEN{169, 410}));
    EXPECT_EQ(Konijntjes[2].Positie, (COORDINATEN{901, 481}));
    EXPECT_EQ(Konijntjes[3].Positie, (COORDINATEN{677, 116}));
    EXPECT_EQ(Konijntjes[4].Positie, (COORDINATEN{534, 373}));
}

TEST_F(PlacementTest, SelectionFollowsTheDrawsAnd301Rewrites) {
    std::vector<std::string> states = {ReadFile(State), "    42\r\n 3.5000E-1\r\n",
                                       "     5\r\n 6.6667E-1\r\n", "    13\r\n 1.0644E-1\r\n",
                                       "     0\r\n 2.3456E-3\r\n"};
    for (const std::string& start : states) {
        for (uint32_t level : {1u, 2u}) {
            for (uint32_t n : {2u, 4u, 6u, 8u}) {
                WriteFile(State, start);
                Expected e = Predict(n);
                ASSERT_EQ(e.spots.size(), n) << "state '" << start << "' repeats itself";
                ASSERT_NE(e.after301, e.after300);
                ASSERT_NE(e.after301, e.after302);
                MaakKonijntjesAan(level, n, Konijntjes, Level);
                EXPECT_EQ(ReadFile(State), e.after301) << "not 301 draws from '" << start << "'";
                for (uint32_t k = 1; k <= n; ++k) {
                    EXPECT_EQ(Konijntjes[k].Positie, SpawnPlek(level, e.spots[k - 1])) << k;
                    EXPECT_EQ(Konijntjes[k].Team, k % 2 ? e.team : 3 - e.team) << k;
                    EXPECT_EQ(Konijntjes[k].Levens, 100);
                }
                for (uint32_t k = n + 1; k <= 8; ++k) {
                    EXPECT_EQ(Konijntjes[k].Team, 0u);
                    EXPECT_EQ(Konijntjes[k].Levens, 0);
                }
            }
        }
    }
}

TEST_F(PlacementTest, TeamsAlternateAndSpotsDiffer) {
    std::set<uint32_t> oddTeams;
    for (int game = 0; game < 12; ++game) {
        MaakKonijntjesAan(game % 2 + 1, 8, Konijntjes, Level);
        std::set<std::pair<int32_t, int32_t>> places;
        for (uint32_t k = 1; k <= 8; ++k) {
            EXPECT_TRUE(Konijntjes[k].Team == 1 || Konijntjes[k].Team == 2);
            EXPECT_EQ(Konijntjes[k].Team, Konijntjes[k % 2 ? 1 : 2].Team) << k;
            places.insert({Konijntjes[k].Positie.x, Konijntjes[k].Positie.y});
        }
        EXPECT_NE(Konijntjes[1].Team, Konijntjes[2].Team);
        EXPECT_EQ(places.size(), 8u) << "two rabbits share a spot";
        oddTeams.insert(Konijntjes[1].Team);
    }
}

TEST_F(PlacementTest, TwoRabbitsAfterAnEightRabbitGame) {
    MaakKonijntjesAan(1, 8, Konijntjes, Level);
    for (uint32_t k = 1; k <= 8; ++k) ASSERT_EQ(Konijntjes[k].Levens, 100);
    MaakKonijntjesAan(1, 2, Konijntjes, Level);
    EXPECT_NE(Konijntjes[1].Team, Konijntjes[2].Team);
    EXPECT_EQ(Konijntjes[1].Levens, 100);
    EXPECT_EQ(Konijntjes[2].Levens, 100);
    for (uint32_t k = 3; k <= 8; ++k) {
        EXPECT_EQ(Konijntjes[k].Levens, 0) << k;
        EXPECT_EQ(Konijntjes[k].Team, 0u) << k;
    }
}

TEST_F(PlacementTest, LevelThreeIsAFixedDuelWithoutChance) {
    MaakKonijntjesAan(1, 8, Konijntjes, Level);
    for (int32_t x = 1; x <= 1000; ++x)
        for (int32_t y = 1; y <= 600; ++y) Level[x][y].Konijn = false;
    const std::string before = ReadFile(State);
    const uint64_t windowBefore = Wimdows::WindowHash();
    MaakKonijntjesAan(3, 2, Konijntjes, Level);
    EXPECT_EQ(ReadFile(State), before);
    EXPECT_EQ(Wimdows::WindowHash(), windowBefore) << "level 3 set-up draws nothing";
    EXPECT_EQ(Konijntjes[1].Positie, (COORDINATEN{226, 331}));
    EXPECT_EQ(Konijntjes[2].Positie, (COORDINATEN{550, 432}));
    EXPECT_EQ(Konijntjes[1].Team, 1u);
    EXPECT_EQ(Konijntjes[2].Team, 2u);
    EXPECT_EQ(Konijntjes[1].Levens, 100);
    EXPECT_EQ(Konijntjes[2].Levens, 100);
    for (uint32_t k = 3; k <= 8; ++k) {
        EXPECT_EQ(Konijntjes[k].Levens, 0);
        EXPECT_EQ(Konijntjes[k].Team, 0u);
    }
    // Both footprints marked, nothing else.
    int64_t marked = 0;
    for (int32_t x = 1; x <= 1000; ++x)
        for (int32_t y = 1; y <= 600; ++y) marked += Level[x][y].Konijn;
    EXPECT_EQ(marked, 2 * 31 * 66);
    EXPECT_TRUE(Level[211][266].Konijn);
    EXPECT_TRUE(Level[241][331].Konijn);
    EXPECT_FALSE(Level[242][331].Konijn);
    EXPECT_FALSE(Level[226][265].Konijn);
    EXPECT_FALSE(Level[226][332].Konijn);
    // AantalKonijntjes is not used.
    MaakKonijntjesAan(3, 8, Konijntjes, Level);
    EXPECT_EQ(Konijntjes[3].Team, 0u);
    EXPECT_EQ(ReadFile(State), before);
}

TEST_F(PlacementTest, RabbitsAreMarkedAndShownOneAfterTheOther) {
    WriteFile(State, "    14\r\n 1.0049E-1\r\n");  // team draw 1
    MaakKonijntjesAan(1, 4, Konijntjes, Level);
    for (uint32_t k = 1; k <= 4; ++k) {
        const COORDINATEN p = Konijntjes[k].Positie;
        const Wimdows::Color c = Konijntjes[k].Team == 1 ? rood : blauw;
        EXPECT_EQ(TestImages::Find(c, p.x - 20, p.y - 70, p.x + 20, p.y + 5, true),
                  (TestImages::Box{p.x - 15, p.y - 60, p.x + 13, p.y - 1}))
            << "rabbit " << k;
        int64_t marked = 0;
        for (int32_t x = p.x - 16; x <= p.x + 16; ++x)
            for (int32_t y = p.y - 66; y <= p.y + 1; ++y) marked += Level[x][y].Konijn;
        EXPECT_EQ(marked, 31 * 66) << "rabbit " << k;
    }
}

TEST_F(PlacementTest, RepeatingGeneratorStillGivesDistinctSpots) {
    // From this state the generator settles on 10 for ever (state 10 and
    // 0.91608 is a fixed point): the 300 draws hold only spots 1 and 10.
    WriteFile(State, "     9\r\n 1.0725E-1\r\n");
    testing::internal::CaptureStderr();
    MaakKonijntjesAan(1, 8, Konijntjes, Level);
    std::string err = testing::internal::GetCapturedStderr();
    std::set<std::pair<int32_t, int32_t>> places;
    for (uint32_t k = 1; k <= 8; ++k) places.insert({Konijntjes[k].Positie.x, Konijntjes[k].Positie.y});
    EXPECT_EQ(places.size(), 8u);
    EXPECT_EQ(Konijntjes[1].Positie, SpawnPlek(1, 1));
    EXPECT_EQ(Konijntjes[2].Positie, SpawnPlek(1, 10));
    EXPECT_FALSE(err.empty());
    // Two rabbits need no extra draws.
    WriteFile(State, "     9\r\n 1.0725E-1\r\n");
    Expected e = Predict(2);
    MaakKonijntjesAan(1, 2, Konijntjes, Level);
    EXPECT_EQ(Konijntjes[2].Positie, SpawnPlek(1, 10));
    EXPECT_EQ(ReadFile(State), e.after301);
}

TEST_F(PlacementTest, SpawnSpots) {
    EXPECT_EQ(SpawnPlek(1, 1), (COORDINATEN{80, 140}));
    EXPECT_EQ(SpawnPlek(1, 7), (COORDINATEN{354, 387}));
    EXPECT_EQ(SpawnPlek(1, 12), (COORDINATEN{655, 476}));
    EXPECT_EQ(SpawnPlek(1, 19), (COORDINATEN{799, 474}));
    EXPECT_EQ(SpawnPlek(2, 1), (COORDINATEN{74, 424}));
    EXPECT_EQ(SpawnPlek(2, 12), (COORDINATEN{579, 99}));
    EXPECT_EQ(SpawnPlek(2, 19), (COORDINATEN{901, 481}));
    std::set<std::pair<int32_t, int32_t>> all;
    for (uint32_t level : {1u, 2u})
        for (uint32_t n = 1; n <= 19; ++n) {
            COORDINATEN p = SpawnPlek(level, n);
            EXPECT_GE(p.x, 16);
            EXPECT_LE(p.x, 985);
            EXPECT_GE(p.y, 66);
            EXPECT_LE(p.y, 600);
            all.insert({p.x, p.y});
        }
    EXPECT_EQ(all.size(), 38u);
}

// --- PlaatsKonijntje ----------------------------------------------------------

class MarkTest : public TestSupport::GameDirTest {};

int64_t Marked() {
    int64_t n = 0;
    for (int32_t x = 1; x <= 1000; ++x)
        for (int32_t y = 1; y <= 600; ++y) n += Level[x][y].Konijn;
    return n;
}

TEST_F(MarkTest, FootprintIs31By66) {
    TestSupport::PutRabbit(3, 400, 300, 100, 2);
    PlaatsKonijntje(3, true);
    EXPECT_EQ(Marked(), 31 * 66);
    for (int32_t x = 385; x <= 415; ++x)
        for (int32_t y = 235; y <= 300; ++y) ASSERT_TRUE(Level[x][y].Konijn) << x << ", " << y;
    EXPECT_FALSE(Level[384][300].Konijn);
    EXPECT_FALSE(Level[416][300].Konijn);
    EXPECT_FALSE(Level[400][234].Konijn);
    EXPECT_FALSE(Level[400][301].Konijn);
    PlaatsKonijntje(3, false);
    EXPECT_EQ(Marked(), 0);
}

TEST_F(MarkTest, TeamZeroChangesNothing) {
    TestSupport::PutRabbit(4, 400, 300, 100, 0);
    PlaatsKonijntje(4, true);
    EXPECT_EQ(Marked(), 0);
    TestSupport::PutRabbit(1, 400, 300, 100, 1);
    PlaatsKonijntje(1, true);
    PlaatsKonijntje(4, false);
    EXPECT_EQ(Marked(), 31 * 66);
}

TEST_F(MarkTest, FlagsAreSetNotCounted) {
    TestSupport::PutRabbit(1, 400, 300, 100, 1);
    TestSupport::PutRabbit(2, 410, 300, 100, 2);
    PlaatsKonijntje(1, true);
    PlaatsKonijntje(2, true);
    EXPECT_EQ(Marked(), 41 * 66);
    PlaatsKonijntje(1, false);
    EXPECT_EQ(Marked(), 10 * 66);  // the shared columns went with rabbit 1
    EXPECT_FALSE(Level[410][300].Konijn);
    EXPECT_TRUE(Level[425][300].Konijn);
}

TEST_F(MarkTest, CellsOutsideTheGridAreSkipped) {
    TestSupport::PutRabbit(1, 30, 20, 100, 1);  // rows -45..20
    PlaatsKonijntje(1, true);
    EXPECT_EQ(Marked(), 31 * 20);
    TestSupport::PutRabbit(2, 5, 610, 100, 2);  // drowned below the grid, at the edge
    PlaatsKonijntje(2, true);
    EXPECT_EQ(Marked(), 31 * 20 + 20 * 56);
    TestSupport::PutRabbit(3, 995, 300, 100, 2);
    PlaatsKonijntje(3, true);
    EXPECT_EQ(Marked(), 31 * 20 + 20 * 56 + 21 * 66);
    PlaatsKonijntje(1, false);
    PlaatsKonijntje(2, false);
    PlaatsKonijntje(3, false);
    EXPECT_EQ(Marked(), 0);
}

}  // namespace

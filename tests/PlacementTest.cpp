// The choice of teams and spots, the rabbits' set-up, the game's set-up
// through the state file, and the rabbit marks in the grid.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "game/Placement.h"
#include "game/Random.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "tests/TestImages.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;

int64_t Marked(const LEVEL& level, int32_t x0 = 1, int32_t y0 = 1, int32_t x1 = 1000, int32_t y1 = 600) {
    int64_t n = 0;  // cells of the box within the grid
    for (int32_t x = std::max(x0, 1); x <= std::min(x1, 1000); ++x)
        for (int32_t y = std::max(y0, 1); y <= std::min(y1, 600); ++y) n += level[x][y].Konijn;
    return n;
}

// After the team draw (1 to 2), 300 draws of a spot (1 to 19): rabbit k
// stands on the k-th distinct one. When the draws settle on 10 for ever, or
// go round 13, 4, 12, after 1000 extra draws without a new spot a rabbit
// takes the lowest free one. The generator is left as after all those draws.
TEST(Opstelling, RabbitKStandsOnTheKthDistinctSpotOfThe300DrawsAfterTheTeamDraw) {
    const struct { RANDOMTOESTAND start; uint32_t n, team, spots[9]; int extra; } rows[] = {
        {{14, 0.10049f}, 4, 1, {0, 3, 19, 14, 9}, 0},  // draws 3, 19, 3, 14, 19, 9, ...
        {{14, 0.10049f}, 0, 1, {}, 0},
        {{13, 0.10644f}, 5, 2, {0, 14, 16, 17, 12, 9}, 0},
        {{42, 0.35f}, 8, 1, {0, 14, 3, 11, 6, 8, 16, 1, 12}, 0},
        {{9, 0.10725f}, 8, 1, {0, 1, 10, 2, 3, 4, 5, 6, 7}, 6},
        {{1, 0.9702f}, 8, 1, {0, 13, 4, 12, 1, 2, 3, 5, 6}, 5}};
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        RANDOMTOESTAND t = r.start, next = r.start;
        const OPSTELLING o = KiesOpstelling(t, r.n);
        EXPECT_EQ(o.OnevenTeam, r.team);
        for (uint32_t k = 1; k <= 8; ++k)
            EXPECT_TRUE(o.Plek[k] == r.spots[k] && o.ZonderTrekking[k] == (k > 8u - r.extra)) << k;
        Trek(next, 1, 3);
        for (int i = 0; i < 300 + 1000 * r.extra; ++i) Trek(next, 1, 20);
        EXPECT_EQ(ToestandAlsTekst(t), ToestandAlsTekst(next));
    }
}

TEST(Opstelling, RabbitsTakeTheirSpotsTeamsAndLivesAndTheRestLeave) {
    OPSTELLING o;
    o.OnevenTeam = 2;
    const uint32_t spots[4] = {3, 19, 14, 9};
    for (uint32_t k = 1; k <= 4; ++k) o.Plek[k] = spots[k - 1];
    for (uint32_t levelNr : {1u, 2u, 3u}) {  // level 3: the fixed duel, chance unused
        auto level = std::make_unique<LEVEL>();
        KONIJN r;
        for (uint32_t k = 1; k <= 8; ++k) r[k] = {{500, 300}, 7, 1};  // a previous game of eight
        StelKonijntjesOp(levelNr, 4, o, r, *level);
        const uint32_t n = levelNr == 3 ? 2 : 4;
        for (uint32_t k = 1; k <= 8; ++k) {
            const COORDINATEN p = k > n ? COORDINATEN{500, 300} : levelNr < 3 ? SpawnPlek(levelNr, spots[k - 1]) : k == 1 ? COORDINATEN{226, 331} : COORDINATEN{550, 432};
            EXPECT_TRUE(r[k].Positie == p && r[k].Levens == (k <= n ? 100 : 0)) << levelNr << ": " << k;
            EXPECT_EQ(r[k].Team, k > n ? 0u : levelNr == 3 ? k : k % 2 ? 2u : 1u) << levelNr << ": " << k;
            EXPECT_EQ(Marked(*level, p.x - 15, p.y - 65, p.x + 15, p.y), k <= n ? 31 * 66 : 0) << levelNr << ": " << k;
        }
        EXPECT_EQ(Marked(*level), n * 31 * 66) << levelNr;
    }
}

TEST(SpawnSpots, TheNineteenOfEachLevel) {
    // Sums over the map of spots, each weighted by its number: a spot moved or two swapped change them.
    int64_t sum[3] = {};
    for (uint32_t levelNr : {1u, 2u})
        for (uint32_t n = 1; n <= 19; ++n) sum[levelNr] += n * (1000 * int64_t(SpawnPlek(levelNr, n).y) + SpawnPlek(levelNr, n).x);
    EXPECT_TRUE(sum[1] == 53450801 && sum[2] == 50097745) << sum[1] << ", " << sum[2];
}

class PlacementTest : public TestSupport::GameTest {};

TEST_F(PlacementTest, TheSetUpDrawsFromTheStateFileAndShowsTheRabbits) {
    const Wimdows::Color red = Wimdows::RgbColor(250, 1, 1), blue = Wimdows::RgbColor(1, 1, 250);
    TekenBitmaps::KonijntjeRoodBitmap = TestImages::Solid(29, 60, red);
    TekenBitmaps::KonijntjeBlauwBitmap = TestImages::Solid(29, 60, blue);
    TekenBitmaps::KonijntjeMaskBitmap = TestImages::Mask(29, 60);
    for (const char* state : {"    14\r\n 1.0049E-1\r\n", "     9\r\n 1.0725E-1\r\n"}) {  // the second keeps repeating
        TestSupport::WriteFile(RandomBestand, state);
        std::string klacht;
        RANDOMTOESTAND t = ToestandUitTekst(state, klacht);
        const OPSTELLING o = KiesOpstelling(t, 8);
        testing::internal::CaptureStderr();
        MaakKonijntjesAan(2, 8, Konijntjes, Level);
        const std::string err = testing::internal::GetCapturedStderr();  // a note per spot taken without a draw
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), o.ZonderTrekking[8] ? 6 : 0) << err;
        EXPECT_EQ(TestSupport::ReadFile(RandomBestand), ToestandAlsTekst(t));
        for (uint32_t k = 1; k <= 8; ++k) {
            const COORDINATEN p = Konijntjes[k].Positie;
            EXPECT_EQ(p, SpawnPlek(2, o.Plek[k])) << k;
            EXPECT_EQ(TestImages::Find(Konijntjes[k].Team == 1 ? red : blue, p.x - 20, p.y - 70, p.x + 20, p.y + 5, true),
                      (TestImages::Box{p.x - 15, p.y - 60, p.x + 13, p.y - 1})) << "rabbit " << k;
        }
    }
}

// --- PlaatsKonijntje ----------------------------------------------------------

class MarkTest : public TestSupport::GameDirTest {};

TEST_F(MarkTest, TheFootprintIs31By66CellsWithinTheGridAndFlagsAreSetNotCounted) {
    // {x, y, team, cells}: in the open, cut by the top, drowned below the grid at the left edge, at the right edge.
    const struct { int32_t x, y; uint32_t team; int64_t cells; } rows[] = {
        {400, 300, 2, 31 * 66}, {30, 20, 1, 31 * 20}, {5, 610, 2, 20 * 56}, {995, 300, 1, 21 * 66}, {400, 300, 0, 0}};
    for (const auto& r : rows) {
        TestSupport::PutRabbit(3, r.x, r.y, 100, r.team);
        PlaatsKonijntje(3, true);
        EXPECT_TRUE(Marked(Level) == r.cells && Marked(Level, r.x - 15, r.y - 65, r.x + 15, r.y) == r.cells) << r.x << ", " << r.y;
        PlaatsKonijntje(3, false);
        EXPECT_EQ(Marked(Level), 0) << r.x << ", " << r.y;
    }
    // Clearing one of two overlapping rabbits clears the shared cells; one of team 0 clears nothing.
    TestSupport::PutRabbit(1, 400, 300, 100, 1);
    TestSupport::PutRabbit(2, 410, 300, 100, 2);
    TestSupport::PutRabbit(4, 420, 300, 100, 0);
    for (auto [k, weg] : {std::pair{1u, true}, {2u, true}, {1u, false}, {4u, false}}) PlaatsKonijntje(k, weg);
    EXPECT_TRUE(Marked(Level) == 10 * 66 && Marked(Level, 416, 235, 425, 300) == 10 * 66);
}

}  // namespace

// The generator's draw as a step from state to state, its state file, the
// wind; what chance places: the choice of teams and spots, the
// rabbits' set-up, the game's set-up through the state file, and the rabbit
// marks in the grid.
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>

#include "game/Placement.h"
#include "game/Random.h"
#include "gfx/TekenBitmaps.h"
#include "tests/TestImages.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;

// A draw gives every number from the lower bound up to one below the upper
// one; the rows stand on both bounds.
TEST(RandomStep, WorkedExamplesAndTheDrawsThatFollow) {
    // A row with divisor 0 goes on from the state the row above left. After: the number | the file's text.
    const struct { uint32_t getal; float deler; uint32_t lo, hi; const char* after; } rows[] = {
        {42, 0.35f, 1, 20, "5|     5\r\n 3.0000E-2\r\n"},  // 42/0.35 = 120, less 6 x 19: 6, a whole number
        {0, 0, 1, 20, "14|    14\r\n 6.6667E-1\r\n"},     // 5/0.03 = 166.667 -> 14.667
        {9, 0.15f, 1, 20, "2|     2\r\n 1.0000E+0\r\n"},  // 60 -> 3 less 0.000004: written rounded
        {0, 0, 1, 20, "9|     9\r\n 5.7143E-1\r\n"},      // so read back as 1, taken as 0.07: 28.571
        {1, 1.0f, 1, 20, "14|    14\r\n 2.8571E-1\r\n"},  // 1/0.07 = 14.286
        {3, 1.0f, 40, 41, "40|    40\r\n 8.5714E-1\r\n"},  // 42.857 steps down to 40.857
        {0, 0.35f, 1, 20, "18|    18\r\n 3.0000E-2\r\n"},  // 0 steps up to 19: a whole number, one less
        {10, 0.5f, 1, 20, "19|    19\r\n 3.0000E-2\r\n"},  // 20, exactly on the upper bound
        {3, 0.75f, 4, 6, "5|     5\r\n 3.0000E-2\r\n"},    // 4 on the lower bound
        {1234567, 0.5f, 1, 26, "8|     8\r\n 3.0000E-2\r\n"},  // 2469134 steps down to 9
        {4000000000u, 1.0f, 1, 20, "14|    14\r\n 3.0000E-2\r\n"},  // too large to step down by 19
        {4294967295u, 1e-30f, 1, 20, "5|     5\r\n 3.0000E-2\r\n"},  // beyond the floats
        {100000, 0.01f, 1, 4000000000u, "9999999|9999999\r\n 3.0000E-2\r\n"},  // above 2^23 all is whole
    };
    RANDOMTOESTAND t;
    for (const auto& r : rows) {
        if (r.deler != 0) t = {r.getal, r.deler};
        const uint32_t n = Trek(t, r.lo, r.hi);
        EXPECT_EQ(std::to_string(n) + "|" + ToestandAlsTekst(t), r.after) << r.getal << " / " << r.deler;
    }
    EXPECT_EQ(ToestandAlsTekst({7, 1e-30f}), "     7\r\n 1.0000E-30\r\n");
    EXPECT_EXIT(Trek(t, 5, 5), testing::ExitedWithCode(3), "lower bound 5 not below upper bound 5");
}

TEST(RandomStep, StateTextReadsAnyNumberTextAndTakesUnsoundOnesAsDefaults) {
    const struct { const char* text; uint32_t getal; float deler; bool sound; } rows[] = {
        {"    42\r\n 3.5000E-1\r\n", 42, 0.35f, true}, {"42\n0.35\n", 42, 0.35f, true}, {"  +5\r\n\t.03", 5, 0.03f, true},
        {"5\r\n3e-2", 5, 0.03f, true}, {"4294967295\r\n1", 4294967295u, 1.0f, true}, {"7\r\n1e-30", 7, 1e-30f, true},
        {"7\r\n0", 7, 1.0f, false}, {"7\r\n-0.5", 7, 1.0f, false}, {"7\r\n1.0000001", 7, 1.0f, false},
        {"7\r\n1e40", 7, 1.0f, false}, {"7\r\n", 7, 1.0f, false}, {"abc\r\n0.5", 0, 0.5f, false},
        {"-5\r\n0.5", 0, 0.5f, false}, {"4294967296\r\n0.5", 0, 0.5f, false}, {"", 0, 1.0f, false}};
    for (const auto& r : rows) {
        std::string klacht = "old";
        const RANDOMTOESTAND t = ToestandUitTekst(r.text, klacht);
        EXPECT_TRUE(t.VorigeRandom == r.getal && t.VorigeDeler == r.deler && klacht.empty() == r.sound) << r.text;
    }
}

using RandomFileTest = TestSupport::GameDirTest;  // a game directory, no window

TEST_F(RandomFileTest, RandomCardReadsDrawsAndRewritesTheFile) {
    // Through the file the draws are the step's, and the file holds the state
    // it leaves (held to every turn of the whole games). An unsound file is
    // noted once, naming it, and read as the defaults.
    TestSupport::WriteFile(RandomBestand, "abc\r\n 2\r\n");
    testing::internal::CaptureStderr();
    RANDOMTOESTAND t{0, 1.0f};
    EXPECT_EQ(RandomCard(1, 20), Trek(t, 1, 20));
    EXPECT_EQ(TestSupport::ReadFile(RandomBestand), ToestandAlsTekst(t));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(err.find(RandomBestand) != std::string::npos && std::count(err.begin(), err.end(), '\n') == 1) << err;
    std::filesystem::remove(RandomBestand);
    EXPECT_EXIT(RandomCard(1, 20), testing::ExitedWithCode(3), "Files/RandomFile.txt");
}

// --- the wind ---------------------------------------------------------------

using RandomScreenTest = TestSupport::GameTest;

// Each of the 25 draws gives a strength, in the order of the strengths:
// strength w from 5 - |w| / 25 of them. The panel lights as many bars to its
// side; the others are grey.
TEST_F(RandomScreenTest, EachStrengthHasItsShareOfTheDrawsAndItsLitBars) {
    // Left bars from the outside in, right bars from the inside out (the last one a column further on).
    const int32_t bars[8][2] = {{264, 276}, {282, 294}, {300, 312}, {318, 330}, {373, 385}, {391, 403}, {409, 421}, {428, 440}};
    auto panel = [] { return TestSupport::Snapshot(263, 652, 441, 674); };  // the wind panel and a pixel around it
    std::map<int32_t, int> draws;
    int32_t vorige = -100;
    for (uint32_t draw = 1; draw <= 25; ++draw) {
        TestSupport::WriteFile(RandomBestand, ToestandAlsTekst({1, 1.0f / (draw + 0.5f)}));  // 1 / that is draw.5
        Wimdows::Rectangle(0, 600, 999, 699, Wimdows::RgbColor(1, 2, 3), true);
        const int32_t wind = WindGenereren(), steps = wind / 25;
        ASSERT_TRUE(wind == WindVanTrekking(draw) && wind % 25 == 0 && wind >= vorige) << draw;
        ++draws[vorige = wind];
        const std::vector<Wimdows::Color> shown = panel();
        Wimdows::Rectangle(0, 600, 999, 699, Wimdows::RgbColor(1, 2, 3), true);
        TekenBitmaps::TekenStatusbalk(1);
        for (int i = 0; i < 8; ++i)
            if (i < 4 ? -steps < 4 - i : steps < i - 3)  // not lit
                Wimdows::Rectangle(bars[i][0], 653, bars[i][1], 673, Wimdows::RgbColor(128, 128, 128), true);
        ASSERT_TRUE(shown == panel()) << "draw " << draw;
    }
    for (int32_t w = -100; w <= 100; w += 25) EXPECT_EQ(draws[w], 5 - std::abs(w) / 25) << w;
}

// --- what chance places -----------------------------------------------------

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

TEST_F(RandomScreenTest, TheSetUpDrawsFromTheStateFileAndShowsTheRabbits) {
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
        // The file left and the spots taken are held to the whole games' starts
        // and to the set-up's own test.
        for (uint32_t k = 1; k <= 8; ++k) {
            const COORDINATEN p = Konijntjes[k].Positie;
            EXPECT_EQ(TestImages::Find(Konijntjes[k].Team == 1 ? red : blue, p.x - 20, p.y - 70, p.x + 20, p.y + 5, true),
                      (TestImages::Box{p.x - 15, p.y - 60, p.x + 13, p.y - 1})) << "rabbit " << k;
        }
    }
}

// --- PlaatsKonijntje ----------------------------------------------------------

TEST_F(RandomFileTest, TheFootprintIs31By66CellsWithinTheGrid) {
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
}

}  // namespace

// The generator's draw as a step from state to state, its state file, the
// wind, and Distance.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/Random.h"
#include "game/StandardLib.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "tests/Snapshot.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;

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

TEST(RandomStep, EveryNumberFromTheLowerBoundBelowTheUpperOne) {
    for (auto [lo, hi] : {std::pair{1u, 3u}, {1u, 20u}, {1u, 26u}, {4u, 6u}})
        for (RANDOMTOESTAND t : {RANDOMTOESTAND{42, 0.35f}, {7, 0.5f}, {19, 0.1234f}, {4294967295u, 1e-30f}}) {
            std::set<uint32_t> seen;
            for (int i = 0; i < 400; ++i) seen.insert(Trek(t, lo, hi));
            EXPECT_TRUE(*seen.begin() == lo && *seen.rbegin() == hi - 1 && seen.size() == hi - lo) << lo << ".." << hi << " from " << t.VorigeRandom << ": " << seen.size();
        }
}

TEST(RandomStep, StateTextReadsAnyNumberTextAndTakesUnsoundOnesAsDefaults) {
    const struct { const char* text; uint32_t getal; float deler; bool sound; } rows[] = {
        {"    42\r\n 3.5000E-1\r\n", 42, 0.35f, true}, {"42\n0.35\n", 42, 0.35f, true}, {"  +5\r\n\t.03", 5, 0.03f, true},
        {"5\r\n3e-2", 5, 0.03f, true}, {"4294967295\r\n1", 4294967295u, 1.0f, true}, {"7\r\n1e-30", 7, 1e-30f, true},
        {"7\r\n0", 7, 1.0f, false}, {"7\r\n-0.5", 7, 1.0f, false}, {"7\r\n1.0000001", 7, 1.0f, false},
        {"7\r\nabc", 7, 1.0f, false}, {"7\r\nnan", 7, 1.0f, false}, {"7\r\n-inf", 7, 1.0f, false},
        {"7\r\n1e40", 7, 1.0f, false}, {"7\r\n", 7, 1.0f, false}, {"abc\r\n0.5", 0, 0.5f, false},
        {"-5\r\n0.5", 0, 0.5f, false}, {"4294967296\r\n0.5", 0, 0.5f, false}, {"", 0, 1.0f, false}};
    for (const auto& r : rows) {
        std::string klacht = "old";
        const RANDOMTOESTAND t = ToestandUitTekst(r.text, klacht);
        EXPECT_TRUE(t.VorigeRandom == r.getal && t.VorigeDeler == r.deler && klacht.empty() == r.sound) << r.text;
    }
}

class RandomFileTest : public TestSupport::GameDirTest {};

TEST_F(RandomFileTest, RandomCardReadsDrawsAndRewritesTheFile) {
    // Through the file the draws are the step's, and the file holds the state it leaves.
    TestSupport::WriteFile(RandomBestand, "    42\r\n 3.5000E-1\r\n");
    RANDOMTOESTAND t{42, 0.35f};
    testing::internal::CaptureStderr();
    for (uint32_t hi : {20u, 20u, 20u, 3u, 26u, 4000000000u, 20u, 26u}) {
        EXPECT_EQ(RandomCard(1, hi), Trek(t, 1, hi));
        EXPECT_EQ(TestSupport::ReadFile(RandomBestand), ToestandAlsTekst(t));
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    // An unsound file is noted once, naming it, and read as the defaults.
    TestSupport::WriteFile(RandomBestand, "abc\r\n 2\r\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(RandomCard(1, 20), Trek(t = {0, 1.0f}, 1, 20));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(err.find(RandomBestand) != std::string::npos && std::count(err.begin(), err.end(), '\n') == 1) << err;
    std::filesystem::remove(RandomBestand);
    EXPECT_EXIT(RandomCard(1, 20), testing::ExitedWithCode(3), "Files/RandomFile.txt");
}

TEST(DistanceTest, WholePixelsTruncated) {
    const struct { int32_t x1, y1, x2, y2; uint32_t d; } cases[] = {
        {0, 0, 3, 4, 5}, {3, 4, 0, 0, 5}, {0, 0, 1, 1, 1}, {10, 10, 10, 10, 0},
        {0, 0, 2, 2, 2}, {-5, 0, 5, 0, 10}, {0, 0, 999, 599, 1164}};
    for (const auto& c : cases) EXPECT_EQ(Distance(c.x1, c.y1, c.x2, c.y2), c.d) << c.x2 << ", " << c.y2;
}

// --- the wind ---------------------------------------------------------------

TEST(Wind, EachStrengthHasItsShareOfTheDraws) {
    // Strength w from 5 - |w| / 25 of the 25 draws, the draws in the order of the strengths.
    std::map<int32_t, int> draws;
    for (uint32_t d = 1; d <= 25; ++d) {
        ++draws[WindVanTrekking(d)];
        EXPECT_TRUE(d == 1 || WindVanTrekking(d) >= WindVanTrekking(d - 1)) << d;
    }
    for (int32_t w = -100; w <= 100; w += 25) EXPECT_EQ(draws[w], 5 - std::abs(w) / 25) << w;
    EXPECT_EQ(draws.size(), 9u);
}

class WindTest : public TestSupport::GameTest {};

TEST_F(WindTest, TheLitBarsShowThePanelAndTheOthersAreGrey) {
    // Left bars from the outside in, right bars from the inside out (the last one a column further on).
    const int32_t bars[8][2] = {{264, 276}, {282, 294}, {300, 312}, {318, 330}, {373, 385}, {391, 403}, {409, 421}, {428, 440}};
    auto panel = [] { return TestSupport::Snapshot(263, 652, 441, 674); };  // the wind panel and a pixel around it
    for (uint32_t draw = 1; draw <= 25; ++draw) {
        TestSupport::WriteFile(RandomBestand, ToestandAlsTekst({1, 1.0f / (draw + 0.5f)}));  // 1 / that is draw.5
        Wimdows::Rectangle(0, 600, 999, 699, Wimdows::RgbColor(1, 2, 3), true);
        const int32_t steps = WindGenereren() / 25;
        ASSERT_EQ(steps * 25, WindVanTrekking(draw));
        const std::vector<Wimdows::Color> shown = panel();
        Wimdows::Rectangle(0, 600, 999, 699, Wimdows::RgbColor(1, 2, 3), true);
        TekenBitmaps::TekenStatusbalk(1);
        for (int i = 0; i < 8; ++i)
            if (i < 4 ? -steps < 4 - i : steps < i - 3)  // not lit
                Wimdows::Rectangle(bars[i][0], 653, bars[i][1], 673, Wimdows::RgbColor(128, 128, 128), true);
        ASSERT_TRUE(shown == panel()) << "draw " << draw;
    }
}

}  // namespace

// The random generator and its state file, the wind, and Distance.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "game/Random.h"
#include "game/StandardLib.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "tests/TestImages.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::ReadFile;
using TestSupport::WriteFile;

const std::string State = "Files/RandomFile.txt";

void SetState(const std::string& bytes) { WriteFile(State, bytes); }

// The state file as the program writes it.
const std::regex WellFormed(R"(^ *[0-9]+\r\n [1-9]\.[0-9]{4}E[+-](0|[1-9][0-9]*)\r\n$)");

// A state from which RandomCard(lo, hi) gives `draw`: 1 / (draw + 0.5) as a
// divisor (the value lands near draw + 0.5, inside the bounds, and needs no
// reduction).
std::string StateFor(uint32_t draw) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "     1\r\n %.4E\r\n", 1.0 / (draw + 0.5));
    return buf;
}

class RandomTest : public TestSupport::GameDirTest {};

TEST_F(RandomTest, WorkedExamplesByteForByte) {
    SetState("    42\r\n 3.5000E-1\r\n");
    // 42 / 0.35 = 120; six times 19 less gives 6, a whole number: divisor
    // 0.03, result 5.
    EXPECT_EQ(RandomCard(1, 20), 5u);
    EXPECT_EQ(ReadFile(State), "     5\r\n 3.0000E-2\r\n");
    // 5 / 0.03 = 166.667, reduced to 14.667: result 14, divisor 0.66667.
    EXPECT_EQ(RandomCard(1, 20), 14u);
    EXPECT_EQ(ReadFile(State), "    14\r\n 6.6667E-1\r\n");
}

TEST_F(RandomTest, AnyNumberTextIsAccepted) {
    SetState("42\n0.35\n");
    EXPECT_EQ(RandomCard(1, 20), 5u);
    EXPECT_EQ(ReadFile(State), "     5\r\n 3.0000E-2\r\n");
    SetState("  5\r\n  .03\r\n");
    EXPECT_EQ(RandomCard(1, 20), 14u);
    SetState("5\r\n3e-2");
    EXPECT_EQ(RandomCard(1, 20), 14u);
    EXPECT_EQ(ReadFile(State), "    14\r\n 6.6667E-1\r\n");
}

TEST_F(RandomTest, WideNumbersTakeMoreRoom) {
    // 1234567 / 0.5 = 2469134: reduced by 25 at a time into (1, 26).
    SetState("1234567\r\n 5.0000E-1\r\n");
    uint32_t r = RandomCard(1, 26);
    EXPECT_GE(r, 1u);
    EXPECT_LE(r, 25u);
    EXPECT_TRUE(std::regex_match(ReadFile(State), WellFormed)) << ReadFile(State);
}

TEST_F(RandomTest, DivisorOfExactlyOneIsTakenAs007) {
    // A fraction of 0.999996 is written rounded: 1.0000E+0.
    SetState("     9\r\n 1.5000E-1\r\n");
    EXPECT_EQ(RandomCard(1, 20), 2u);
    EXPECT_EQ(ReadFile(State), "     2\r\n 1.0000E+0\r\n");
    // Read back as exactly 1, it is taken as 0.07: 2 / 0.07 = 28.571 -> 9.571.
    EXPECT_EQ(RandomCard(1, 20), 9u);
    EXPECT_EQ(ReadFile(State), "     9\r\n 5.7143E-1\r\n");

    // The same as a state written with 0.07 itself, for several numbers.
    for (uint32_t c : {0u, 1u, 3u, 7u, 13u, 19u, 25u}) {
        SetState(std::to_string(c) + "\r\n 1.0000E+0\r\n");
        uint32_t a = RandomCard(1, 20);
        std::string fa = ReadFile(State);
        SetState(std::to_string(c) + "\r\n 7.0000E-2\r\n");
        uint32_t b = RandomCard(1, 20);
        EXPECT_EQ(a, b) << "state " << c;
        EXPECT_EQ(fa, ReadFile(State)) << "state " << c;
    }
    SetState("     1\r\n 1.0000E+0\r\n");
    EXPECT_EQ(RandomCard(1, 20), 14u);  // 1 / 0.07 = 14.2857
    EXPECT_EQ(ReadFile(State), "    14\r\n 2.8571E-1\r\n");
}

TEST_F(RandomTest, UpperBoundIsExclusive) {
    SetState("    42\r\n 3.5000E-1\r\n");
    std::set<uint32_t> seen;
    for (int i = 0; i < 400; ++i) {
        uint32_t r = RandomCard(1, 3);
        ASSERT_TRUE(r == 1 || r == 2) << "draw " << i << " gave " << r;
        seen.insert(r);
    }
    EXPECT_EQ(seen, (std::set<uint32_t>{1, 2}));

    for (uint32_t c : {0u, 1u, 7u, 19u}) {
        SetState(std::to_string(c) + "\r\n 3.3333E-1\r\n");
        seen.clear();
        for (int i = 0; i < 500; ++i) {
            uint32_t r = RandomCard(1, 20);
            ASSERT_GE(r, 1u);
            ASSERT_LE(r, 19u) << "RandomCard(1, 20) gave " << r;
            seen.insert(r);
        }
    }
    // Every wind draw lies in 1..25.
    SetState("    42\r\n 3.5000E-1\r\n");
    for (int i = 0; i < 500; ++i) {
        uint32_t r = RandomCard(1, 26);
        ASSERT_GE(r, 1u);
        ASSERT_LE(r, 25u);
    }
}

TEST_F(RandomTest, ValueExactlyOnABoundEndsInRange) {
    // 10 / 0.5 = 20 exactly: the reduction would never end.
    SetState("    10\r\n 5.0000E-1\r\n");
    uint32_t a = RandomCard(1, 20);
    EXPECT_GE(a, 1u);
    EXPECT_LE(a, 19u);
    std::string fa = ReadFile(State);
    EXPECT_TRUE(std::regex_match(fa, WellFormed)) << fa;
    // Deterministic: the same state gives the same outcome.
    SetState("    10\r\n 5.0000E-1\r\n");
    EXPECT_EQ(RandomCard(1, 20), a);
    EXPECT_EQ(ReadFile(State), fa);
    // 19 / 0.95 = 20 as well; and on the other bound pair.
    SetState("19\r\n0.95\r\n");
    uint32_t b = RandomCard(1, 20);
    EXPECT_GE(b, 1u);
    EXPECT_LE(b, 19u);
    SetState("3\r\n0.5\r\n");  // 6 with bounds 3 and 6
    uint32_t c = RandomCard(3, 6);
    EXPECT_GE(c, 3u);
    EXPECT_LE(c, 5u);
    SetState("3\r\n1.0\r\n");  // 3 / 0.07 = 42.857: fine, just a check of odd bounds
    uint32_t d = RandomCard(40, 41);
    EXPECT_EQ(d, 40u);
}

TEST_F(RandomTest, BadDivisorsAreTakenLikeOne) {
    SetState("     7\r\n 7.0000E-2\r\n");
    uint32_t expected = RandomCard(1, 20);
    std::string expectedFile = ReadFile(State);
    for (const char* bad : {"0", "0.0", "-0.5", "-1", "1.5", "2", "abc", "nan", "inf", "-inf",
                            "1e40", ""}) {
        SetState(std::string("     7\r\n ") + bad + "\r\n");
        testing::internal::CaptureStderr();
        uint32_t r = RandomCard(1, 20);
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(r, expected) << "divisor text '" << bad << "'";
        EXPECT_EQ(ReadFile(State), expectedFile) << "divisor text '" << bad << "'";
        EXPECT_NE(err.find("Files/RandomFile.txt"), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
    // A missing second line too.
    SetState("     7\r\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(RandomCard(1, 20), expected);
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    // A good divisor says nothing.
    SetState("     7\r\n 7.0000E-2\r\n");
    testing::internal::CaptureStderr();
    RandomCard(1, 20);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(RandomTest, UnreadableCountIsZero) {
    SetState("     0\r\n 3.5000E-1\r\n");
    uint32_t expected = RandomCard(1, 20);
    std::string expectedFile = ReadFile(State);
    for (const char* bad : {"abc", "", "-5", "99999999999999"}) {
        SetState(std::string(bad) + "\r\n 3.5000E-1\r\n");
        testing::internal::CaptureStderr();
        EXPECT_EQ(RandomCard(1, 20), expected) << "count text '" << bad << "'";
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(ReadFile(State), expectedFile);
        EXPECT_NE(err.find("Files/RandomFile.txt"), std::string::npos) << err;
    }
}

TEST_F(RandomTest, MissingStateFileStopsWithItsName) {
    std::filesystem::remove(State);
    EXPECT_EXIT(RandomCard(1, 20), testing::ExitedWithCode(3), "Files/RandomFile.txt");
}

TEST_F(RandomTest, RewriteLeavesNoTemporaryFileBehind) {
    for (int i = 0; i < 50; ++i) RandomCard(1, 20);
    for (const auto& e : std::filesystem::directory_iterator("Files")) {
        std::string name = e.path().filename().string();
        EXPECT_TRUE(name == "RandomFile.txt" || name.rfind("Level", 0) == 0) << name;
    }
}

TEST_F(RandomTest, StateFileNeverEmptyOrHalfWritten) {
    std::mt19937 rng(std::random_device{}());
    std::set<std::string> states;
    for (int round = 0; round < 100; ++round) {
        std::fflush(nullptr);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) RandomCard(1, 20);
        }
        usleep(1000 + rng() % 8000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the drawing child ended by itself";
        std::string s = ReadFile(State);
        EXPECT_TRUE(std::regex_match(s, WellFormed)) << "round " << round << ": '" << s << "'";
        states.insert(s);
        // And the state reads on: the next draw works from it.
        uint32_t r = RandomCard(1, 20);
        EXPECT_GE(r, 1u);
        EXPECT_LE(r, 19u);
    }
    EXPECT_GT(states.size(), 1u) << "the child never got to draw";
}

TEST_F(RandomTest, StateForGivesTheDrawAskedFor) {
    for (uint32_t d = 1; d <= 25; ++d) {
        SetState(StateFor(d));
        EXPECT_EQ(RandomCard(1, 26), d);
    }
}

TEST(DistanceTest, WholePixelsTruncated) {
    EXPECT_EQ(Distance(0, 0, 3, 4), 5u);
    EXPECT_EQ(Distance(0, 0, 1, 1), 1u);
    EXPECT_EQ(Distance(3, 4, 0, 0), 5u);
    EXPECT_EQ(Distance(10, 10, 10, 10), 0u);
    EXPECT_EQ(Distance(0, 0, 2, 2), 2u);    // 2.83
    EXPECT_EQ(Distance(-5, 0, 5, 0), 10u);
    EXPECT_EQ(Distance(0, 0, 999, 599), 1164u);  // 1164.8
}

// --- the wind ---------------------------------------------------------------

class WindTest : public TestSupport::GameTest {};

struct Bar {
    int32_t x0, x1;
};
// Left group from the outside in, right group from the inside out.
const Bar Left[4] = {{264, 276}, {282, 294}, {300, 312}, {318, 330}};
const Bar Right[4] = {{373, 385}, {391, 403}, {409, 421}, {428, 440}};

TEST_F(WindTest, NineStrengthsAndTheirBars) {
    const Wimdows::Color grey = Wimdows::RgbColor(128, 128, 128);
    // The wind panel as its picture shows it, for the lit bars.
    Wimdows::Rectangle(0, 600, 999, 699, Wimdows::RgbColor(1, 2, 3), true);
    TekenBitmaps::TekenStatusbalk(1);
    std::vector<Wimdows::Color> panel;
    for (int32_t y = 600; y <= 699; ++y)
        for (int32_t x = 263; x <= 440; ++x) panel.push_back(Wimdows::BufferPixel(x, y));
    auto panelPixel = [&](int32_t x, int32_t y) { return panel[size_t(y - 600) * 178 + size_t(x - 263)]; };

    for (uint32_t draw = 1; draw <= 25; ++draw) {
        int32_t expected;
        if (draw == 1) expected = -100;
        else if (draw <= 3) expected = -75;
        else if (draw <= 6) expected = -50;
        else if (draw <= 10) expected = -25;
        else if (draw <= 15) expected = 0;
        else if (draw <= 19) expected = 25;
        else if (draw <= 22) expected = 50;
        else if (draw <= 24) expected = 75;
        else expected = 100;

        // Paint the whole status bar over, so that the panel must be redrawn.
        Wimdows::Rectangle(0, 600, 999, 699, Wimdows::RgbColor(1, 2, 3), true);
        SetState(StateFor(draw));
        ASSERT_EQ(WindGenereren(), expected) << "draw " << draw;

        int steps = expected / 25;
        for (int i = 0; i < 4; ++i) {
            bool leftLit = steps < 0 && -steps >= 4 - i;
            bool rightLit = steps > 0 && steps >= i + 1;
            for (auto [bar, lit, side] : {std::tuple{Left[i], leftLit, "left"},
                                          std::tuple{Right[i], rightLit, "right"}}) {
                for (int32_t y = 653; y <= 673; ++y)
                    for (int32_t x = bar.x0; x <= bar.x1; ++x) {
                        Wimdows::Color want = lit ? panelPixel(x, y) : grey;
                        ASSERT_EQ(Wimdows::BufferPixel(x, y), want)
                            << "draw " << draw << ", " << side << " bar " << i << " at (" << x
                            << ", " << y << ") should be " << (lit ? "lit" : "grey");
                    }
            }
        }
        // Nothing else of the panel is painted; nothing outside it drawn.
        for (int32_t y : {652, 674})
            for (int32_t x = 263; x <= 440; ++x)
                ASSERT_EQ(Wimdows::BufferPixel(x, y), panelPixel(x, y)) << x << ", " << y;
        for (int32_t x : {277, 281, 331, 372, 386, 422, 427})
            ASSERT_EQ(Wimdows::BufferPixel(x, 660), panelPixel(x, 660)) << x;
        EXPECT_EQ(Wimdows::BufferPixel(262, 650), Wimdows::RgbColor(1, 2, 3));
        EXPECT_EQ(Wimdows::BufferPixel(441, 650), Wimdows::RgbColor(1, 2, 3));
    }
}

TEST_F(WindTest, CalmDrawsGreyAllEightBars) {
    const Wimdows::Color grey = Wimdows::RgbColor(128, 128, 128);
    for (uint32_t draw = 11; draw <= 15; ++draw) {
        SetState(StateFor(draw));
        EXPECT_EQ(WindGenereren(), 0);
        for (const Bar& b : Left) EXPECT_EQ(TestImages::Count(grey, b.x0, 653, b.x1, 673), (b.x1 - b.x0 + 1) * 21);
        for (const Bar& b : Right) EXPECT_EQ(TestImages::Count(grey, b.x0, 653, b.x1, 673), (b.x1 - b.x0 + 1) * 21);
    }
    SetState(StateFor(25));
    EXPECT_EQ(WindGenereren(), 100);
    for (const Bar& b : Left) EXPECT_EQ(TestImages::Count(grey, b.x0, 653, b.x1, 673), (b.x1 - b.x0 + 1) * 21);
}

TEST_F(WindTest, EachDrawRewritesTheState) {
    SetState("    42\r\n 3.5000E-1\r\n");
    WindGenereren();
    EXPECT_NE(ReadFile(State), "    42\r\n 3.5000E-1\r\n");
    EXPECT_TRUE(std::regex_match(ReadFile(State), WellFormed));
}

}  // namespace

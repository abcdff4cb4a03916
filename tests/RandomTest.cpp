// The random generator and its state file, the wind, and Distance.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "game/Random.h"
#include "game/StandardLib.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::ReadFile;

const std::string State = "Files/RandomFile.txt";
const std::regex WellFormed(R"(^ *[0-9]+\r\n [1-9]\.[0-9]{4}E[+-](0|[1-9][0-9]*)\r\n$)");

uint32_t DrawFrom(const std::string& state, uint32_t lo = 1, uint32_t hi = 20) {
    TestSupport::WriteFile(State, state);
    return RandomCard(lo, hi);
}
// A state from which RandomCard(1, 26) gives `draw`: divisor 1 / (draw + 0.5).
std::string StateFor(uint32_t draw) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "     1\r\n %.4E\r\n", 1.0 / (draw + 0.5));
    return buf;
}

class RandomTest : public TestSupport::GameDirTest {};

TEST_F(RandomTest, WorkedExamplesByteForByte) {
    // No start state: the draw goes on from the file the previous one wrote.
    const struct { const char* start; uint32_t draw; const char* file; } examples[] = {
        {"    42\r\n 3.5000E-1\r\n", 5, "     5\r\n 3.0000E-2\r\n"},  // 42/0.35 = 120, less 6 x 19: 6
        {nullptr, 14, "    14\r\n 6.6667E-1\r\n"},                     // 5/0.03 = 166.667 -> 14.667
        {"42\n0.35\n", 5, "     5\r\n 3.0000E-2\r\n"},                  // any number text reads
        {"  5\r\n  .03\r\n", 14, "    14\r\n 6.6667E-1\r\n"},
        {"5\r\n3e-2", 14, "    14\r\n 6.6667E-1\r\n"},
        {"     9\r\n 1.5000E-1\r\n", 2, "     2\r\n 1.0000E+0\r\n"},  // 0.999996 written rounded
        {nullptr, 9, "     9\r\n 5.7143E-1\r\n"},                      // read back as 1: taken as 0.07
        {"     1\r\n 1.0000E+0\r\n", 14, "    14\r\n 2.8571E-1\r\n"},  // 1/0.07 = 14.2857
    };
    for (const auto& e : examples) {
        EXPECT_EQ(e.start ? DrawFrom(e.start) : RandomCard(1, 20), e.draw) << (e.start ? e.start : "(follow-on)");
        EXPECT_EQ(ReadFile(State), e.file);
    }
    for (uint32_t c : {0u, 3u, 7u, 13u, 19u, 25u}) {
        uint32_t a = DrawFrom(std::to_string(c) + "\r\n 1.0000E+0\r\n");
        std::string fa = ReadFile(State);
        EXPECT_EQ(DrawFrom(std::to_string(c) + "\r\n 7.0000E-2\r\n"), a) << "state " << c;
        EXPECT_EQ(ReadFile(State), fa) << "state " << c;
    }
}

TEST_F(RandomTest, BoundsAreExclusiveAndAValueOnABoundEndsInRange) {
    std::set<uint32_t> seen;
    DrawFrom("    42\r\n 3.5000E-1\r\n", 1, 3);
    for (int i = 0; i < 400; ++i) seen.insert(RandomCard(1, 3));
    EXPECT_EQ(seen, (std::set<uint32_t>{1, 2}));
    for (uint32_t c : {0u, 1u, 7u, 19u}) {
        DrawFrom(std::to_string(c) + "\r\n 3.3333E-1\r\n");
        for (int i = 0; i < 300; ++i) {
            uint32_t r = RandomCard(1, 20);
            ASSERT_TRUE(r >= 1 && r <= 19) << r << " from state " << c;
        }
    }
    DrawFrom("    42\r\n 3.5000E-1\r\n");
    for (int i = 0; i < 400; ++i) {
        uint32_t r = RandomCard(1, 26);  // wind draws lie in 1..25
        ASSERT_TRUE(r >= 1 && r <= 25) << r;
    }
    // 10/0.5 and 19/0.95 land on the upper bound 20, 3/0.5 on 6, 3/0.75 on the lower bound 4.
    const struct { const char* state; uint32_t lo, hi; } onBound[] = {
        {"    10\r\n 5.0000E-1\r\n", 1, 20}, {"19\r\n0.95\r\n", 1, 20}, {"3\r\n0.5\r\n", 3, 6}, {"3\r\n0.75\r\n", 4, 6},
        {"3\r\n1.0\r\n", 40, 41}, {"1234567\r\n 5.0000E-1\r\n", 1, 26}};  // and a wide count
    for (const auto& b : onBound) {
        uint32_t r = DrawFrom(b.state, b.lo, b.hi);
        EXPECT_GE(r, b.lo) << b.state;
        EXPECT_LT(r, b.hi) << b.state;
        std::string file = ReadFile(State);
        EXPECT_TRUE(std::regex_match(file, WellFormed)) << file;
        EXPECT_EQ(DrawFrom(b.state, b.lo, b.hi), r) << "not the same outcome twice";
        EXPECT_EQ(ReadFile(State), file);
    }
}

TEST_F(RandomTest, BadDivisorOrCountIsWarnedAndTakenAsDefault) {
    // {bad state, the state it is taken as}: a bad divisor reads as 1 (so 0.07), a bad count as 0.
    std::vector<std::pair<std::string, std::string>> cases;
    for (const char* bad : {"0", "0.0", "-0.5", "-1", "1.5", "2", "abc", "nan", "inf", "-inf", "1e40", ""})
        cases.push_back({std::string("     7\r\n ") + bad + "\r\n", "     7\r\n 7.0000E-2\r\n"});
    cases.push_back({"     7\r\n", "     7\r\n 7.0000E-2\r\n"});
    for (const char* bad : {"abc", "", "-5", "99999999999999"})
        cases.push_back({std::string(bad) + "\r\n 3.5000E-1\r\n", "     0\r\n 3.5000E-1\r\n"});
    for (const auto& [bad, good] : cases) {
        testing::internal::CaptureStderr();
        uint32_t want = DrawFrom(good);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "a good state warns";
        std::string wantFile = ReadFile(State);
        testing::internal::CaptureStderr();
        EXPECT_EQ(DrawFrom(bad), want) << "state '" << bad << "'";
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(ReadFile(State), wantFile) << "state '" << bad << "'";
        EXPECT_NE(err.find("Files/RandomFile.txt"), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
}

TEST_F(RandomTest, MissingStateFileStopsWithItsNameAndNoTemporaryFileIsLeft) {
    for (int i = 0; i < 50; ++i) RandomCard(1, 20);
    for (const auto& e : std::filesystem::directory_iterator("Files")) {
        std::string name = e.path().filename().string();
        EXPECT_TRUE(name == "RandomFile.txt" || name.rfind("Level", 0) == 0) << name;
    }
    std::filesystem::remove(State);
    EXPECT_EXIT(RandomCard(1, 20), testing::ExitedWithCode(3), "Files/RandomFile.txt");
}

TEST_F(RandomTest, StateFileNeverEmptyOrHalfWritten) {
    std::mt19937 rng(std::random_device{}());
    std::set<std::string> states;
    for (int round = 0; round < 100; ++round) {
        std::fflush(nullptr);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (;;) RandomCard(1, 20);
        usleep(1000 + rng() % 8000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the drawing child ended by itself";
        std::string s = ReadFile(State);
        EXPECT_TRUE(std::regex_match(s, WellFormed)) << "round " << round << ": '" << s << "'";
        states.insert(s);
        EXPECT_LE(RandomCard(1, 20), 19u);  // and the next draw reads it
    }
    EXPECT_GT(states.size(), 1u) << "the child never got to draw";
}

TEST(DistanceTest, WholePixelsTruncated) {
    const struct { int32_t x1, y1, x2, y2; uint32_t d; } cases[] = {
        {0, 0, 3, 4, 5}, {3, 4, 0, 0, 5}, {0, 0, 1, 1, 1}, {10, 10, 10, 10, 0},
        {0, 0, 2, 2, 2}, {-5, 0, 5, 0, 10}, {0, 0, 999, 599, 1164}};
    for (const auto& c : cases) EXPECT_EQ(Distance(c.x1, c.y1, c.x2, c.y2), c.d) << c.x2 << ", " << c.y2;
}

// --- the wind ---------------------------------------------------------------

class WindTest : public TestSupport::GameTest {};

TEST_F(WindTest, NineStrengthsAndTheirBars) {
    const Wimdows::Color grey = Wimdows::RgbColor(128, 128, 128), paint = Wimdows::RgbColor(1, 2, 3);
    // Bars: the left group from the outside in, the right group from the inside out.
    const int32_t left[4] = {264, 282, 300, 318}, right[4] = {373, 391, 409, 428};
    // The panel as its picture shows it, for the lit bars.
    Wimdows::Rectangle(0, 600, 999, 699, paint, true);
    TekenBitmaps::TekenStatusbalk(1);
    std::vector<Wimdows::Color> panel;
    for (int32_t y = 600; y <= 699; ++y)
        for (int32_t x = 263; x <= 440; ++x) panel.push_back(Wimdows::BufferPixel(x, y));
    auto panelPixel = [&](int32_t x, int32_t y) { return panel[size_t(y - 600) * 178 + size_t(x - 263)]; };
    const uint32_t lastDrawOf[9] = {1, 3, 6, 10, 15, 19, 22, 24, 25};  // strengths -100, -75, ..., 100

    for (uint32_t draw = 1; draw <= 25; ++draw) {
        const int steps = int(std::find_if(lastDrawOf, lastDrawOf + 9, [&](uint32_t d) { return draw <= d; }) - lastDrawOf) - 4;
        Wimdows::Rectangle(0, 600, 999, 699, paint, true);
        TestSupport::WriteFile(State, StateFor(draw));
        ASSERT_EQ(WindGenereren(), 25 * steps) << "draw " << draw;
        std::string file = ReadFile(State);
        EXPECT_TRUE(file != StateFor(draw) && std::regex_match(file, WellFormed)) << "state not redrawn: " << file;
        // Calm greys all eight bars.
        for (int i = 0; i < 4; ++i)
            for (auto [x0, lit] : {std::pair{left[i], -steps >= 4 - i}, std::pair{right[i], steps >= i + 1}})
                for (int32_t y = 653; y <= 673; ++y)
                    for (int32_t x = x0; x <= x0 + 12; ++x)
                        ASSERT_EQ(Wimdows::BufferPixel(x, y), lit ? panelPixel(x, y) : grey)
                            << "draw " << draw << ": bar at " << x0 << " should be " << (lit ? "lit" : "grey") << " at (" << x << ", " << y << ")";
        // Nothing else of the panel painted, nothing outside it drawn.
        for (int32_t y : {652, 674})
            for (int32_t x = 263; x <= 440; ++x) ASSERT_EQ(Wimdows::BufferPixel(x, y), panelPixel(x, y)) << x << ", " << y;
        for (int32_t x : {277, 281, 331, 372, 386, 422, 427}) ASSERT_EQ(Wimdows::BufferPixel(x, 660), panelPixel(x, 660)) << x;
        EXPECT_EQ(Wimdows::BufferPixel(262, 650), paint);
        EXPECT_EQ(Wimdows::BufferPixel(441, 650), paint);
    }
}

}  // namespace

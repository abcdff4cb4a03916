// The movement phase under the virtual clock: idle ticks, the jump's arc,
// walking falls, key ranks, Enter and drowning.
#include <chrono>
#include <thread>
#include <vector>

#include "game/movement/Movement.h"
#include "gfx/TekenBitmaps.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;
using Headless::WaitedMs;

namespace {

constexpr uint32_t V = 0x56, B = 0x42, N = 0x4E;
constexpr COORDINATEN Start{500, 400};

// The pixels of the clock's two digit places.
std::vector<Wimdows::Color> Klok() {
    std::vector<Wimdows::Color> p;
    for (int32_t y = 634; y < 667; ++y)
        for (int32_t x = 932; x < 978; ++x) p.push_back(Wimdows::BufferPixel(x, y));
    return p;
}

// True when the clock shows the digits `tien` and `een`: drawing them over
// it changes nothing.
bool KlokToont(uint32_t tien, uint32_t een) {
    const auto getoond = Klok();
    TekenBitmaps::TekenCijfer(932, 634, tien);
    TekenBitmaps::TekenCijfer(956, 634, een);
    return getoond == Klok();
}

class MovementTest : public TestSupport::GameTest {
protected:
    int32_t levens = 100;
    void SetUp() override {
        GameTest::SetUp();
        TestSupport::SetFlatGround(401);
        TestSupport::PutRabbit(1, Start.x, Start.y, 0, 1);
    }
    COORDINATEN Run(float tijd, bool dynamiet = false) {
        const COORDINATEN p = Bewegen(1, tijd, levens, dynamiet);
        EXPECT_EQ(p, Konijntjes[1].Positie);
        EXPECT_EQ(Headless::Now(), WaitedMs());  // the phase's time is its waits
        return p;
    }
    // A key that costs nothing and never waits is held while the phase runs
    // on its own thread; Enter, pressed from here, then ends it.
    COORDINATEN RunHolding(uint32_t key) {
        Headless::Press(key);
        COORDINATEN p;
        std::thread t([&] { p = Bewegen(1, 50, levens, false); });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Headless::Press(Wimdows::VK_RETURN);
        t.join();
        Headless::Release(key);
        Headless::Release(Wimdows::VK_RETURN);
        return p;
    }
};

TEST_F(MovementTest, ClockRunsDownByIdleTicks) {
    EXPECT_EQ(Run(50), Start);
    EXPECT_EQ(WaitedMs(), 220u + 501 * 120);
    uint64_t t0 = WaitedMs();
    Run(5);
    EXPECT_EQ(WaitedMs() - t0, 220u + 51 * 120);
    EXPECT_EQ(levens, 100);

    // Enter after the first tick: the clock shows 49, Enter itself is free.
    t0 = WaitedMs();
    Headless::Tap(t0 + 300, Wimdows::VK_RETURN, 1000);
    Run(50);
    EXPECT_EQ(WaitedMs() - t0, 340u);
    EXPECT_TRUE(KlokToont(4, 9));
    t0 = WaitedMs();
    EXPECT_EQ(Run(5, true), Start);  // Enter still held: ends after the opening wait
    EXPECT_EQ(WaitedMs() - t0, 220u);
}

TEST_F(MovementTest, JumpFollowsItsArc) {
    Headless::Tap(0, N, 230);
    Headless::Tap(600, Wimdows::VK_RETURN, 500);
    EXPECT_EQ(Run(50), (COORDINATEN{581, 399}));
    EXPECT_EQ(WaitedMs(), 220u + 87 * 3 + 120);  // 87 steps, no fall, one idle tick
    EXPECT_TRUE(KlokToont(4, 7));         // 50 - 87 x 0.03 - 0.1
    Headless::Release(Wimdows::VK_RETURN);

    // The head room at the top of the arc is row 286: a ceiling there stops
    // the jump and the rabbit drops back; one row higher it passes. Ground
    // under the feet on the way up does not end the jump.
    for (int32_t dak : {285, 286}) {
        TestSupport::SetFlatGround(401);
        Level[500][400].Grond = true;
        for (int32_t x = 450; x <= 650; ++x) Level[x][dak].Grond = true;
        Konijntjes[1].Positie = Start;
        const uint64_t t0 = Headless::Now();
        Headless::Tap(t0, N, 230);
        Headless::Tap(t0 + 600, Wimdows::VK_RETURN, 500);
        const COORDINATEN p = Run(50);
        Headless::Release(Wimdows::VK_RETURN);
        if (dak == 285) EXPECT_EQ(p, (COORDINATEN{581, 399}));
        else EXPECT_TRUE(p.y == 400 && p.x > 500 && p.x < 560) << p.x << "," << p.y;
    }

    // Against a wall nothing of the arc is drawn and the rabbit stays put.
    Konijntjes[1].Positie = Start;
    Level[501][370].Grond = true;
    const uint64_t t0 = WaitedMs();
    const auto klok = Klok();
    EXPECT_EQ(RunHolding(N), Start);
    EXPECT_EQ(WaitedMs() - t0, 220u);
    EXPECT_EQ(Klok(), klok);
}

TEST_F(MovementTest, WalkingStepsAndTheirFalls) {
    // One step right over a drop, then idle ticks until the clock runs out.
    auto stap = [&](int32_t val, float tijd, COORDINATEN verwacht) {
        TestSupport::SetFlatGround(401);
        for (int32_t x = 501; x <= 1000; ++x)
            for (int32_t y = 401; y <= 400 + val; ++y) Level[x][y].Grond = false;
        Konijntjes[1].Positie = Start;
        const uint64_t t0 = WaitedMs();
        Headless::Tap(t0 + 100, Wimdows::VK_RIGHT, 140);
        EXPECT_EQ(Run(tijd), verwacht);
        return WaitedMs() - t0;
    };
    EXPECT_EQ(stap(5, 0.25f, {501, 405}), 220u + 30 + 2 * 120);  // lands at once
    // 7 rows drawn and 0.07 charged: the clock ends with the step itself.
    EXPECT_EQ(stap(6, 0.15f, {501, 406}), 220u + 7 * 3 + 30);

    // Walking keys at the edge of the field cost nothing.
    const auto klok = Klok();
    for (auto [x, key] : {std::pair{18, Wimdows::VK_LEFT}, std::pair{982, Wimdows::VK_RIGHT}}) {
        Konijntjes[1].Positie = {x, 400};
        const uint64_t t0 = WaitedMs();
        EXPECT_EQ(RunHolding(key), (COORDINATEN{x, 400}));
        EXPECT_EQ(WaitedMs() - t0, 220u);
    }
    EXPECT_EQ(Klok(), klok);
}

TEST_F(MovementTest, OutrankedKeysOnlyTickTheClock) {
    const std::pair<uint32_t, uint32_t> paren[] = {{V, B}, {N, Wimdows::VK_SPACE},
        {Wimdows::VK_LEFT, Wimdows::VK_SPACE}, {Wimdows::VK_RIGHT, Wimdows::VK_UP},
        {Wimdows::VK_LEFT, Wimdows::VK_DOWN}};
    for (auto [a, b] : paren) {
        Headless::Press(a);
        Headless::Press(b);
        const uint64_t t0 = WaitedMs();
        EXPECT_EQ(Run(0.25f), Start);
        EXPECT_EQ(WaitedMs() - t0, 220u + 3 * 120) << a << "+" << b;
        Headless::Release(a);
        Headless::Release(b);
    }
}

TEST_F(MovementTest, DrowningEndsThePhaseOnlyWithoutDynamite) {
    TestSupport::SetFlatGround(601);  // no ground at all
    Headless::Tap(100, Wimdows::VK_RIGHT, 140);
    EXPECT_EQ(Run(50), (COORDINATEN{501, 596}));
    EXPECT_EQ(levens, 0);
    EXPECT_EQ(WaitedMs(), 220u + 197 * 3 + 30);

    // With the stick lit the phase goes on, but the drowned rabbit no longer
    // walks: the held key only ticks the clock until Enter.
    levens = 100;
    Konijntjes[1].Positie = Start;
    const uint64_t t0 = WaitedMs();
    Headless::Tap(t0 + 100, Wimdows::VK_RIGHT, 3000);
    Headless::Tap(t0 + 1500, Wimdows::VK_RETURN, 500);
    EXPECT_EQ(Run(50, true), (COORDINATEN{501, 596}));
    EXPECT_EQ(levens, 0);
    EXPECT_EQ(WaitedMs() - t0, 220u + 197 * 3 + 30 + 3 + 6 * 120);
}

}  // namespace

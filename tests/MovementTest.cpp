// The movement phase under the virtual clock: idle ticks, the jump's arc,
// walking falls, key ranks, Enter and drowning.
#include <vector>

#include "game/Level.h"
#include "game/movement/Movement.h"
#include "gfx/Headless.h"
#include "gfx/TekenBitmaps.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;
using namespace Wimdows;

namespace {

constexpr uint32_t V = 0x56, B = 0x42, N = 0x4E;
constexpr COORDINATEN Start{500, 400};

std::vector<Color> Klok() {  // the clock's two digit places
    std::vector<Color> p;
    for (int32_t y = 634; y < 667; ++y)
        for (int32_t x = 932; x < 978; ++x) p.push_back(BufferPixel(x, y));
    return p;
}

bool KlokToont(uint32_t tien, uint32_t een) {  // drawing these digits changes nothing
    const auto getoond = Klok();
    TekenBitmaps::TekenCijfer(932, 634, tien);
    TekenBitmaps::TekenCijfer(956, 634, een);
    return getoond == Klok();
}

std::vector<Color> Stok() {  // the window where the lit stick lies at Start
    std::vector<Color> p;
    for (int32_t y = Start.y - 26; y < Start.y; ++y)
        for (int32_t x = Start.x - 3; x < Start.x + 5; ++x) p.push_back(WindowPixel(x, y));
    return p;
}

class MovementTest : public TestSupport::GameTest {
protected:
    int32_t levens = 100;
    uint64_t t0 = 0;
    void SetUp() override {
        GameTest::SetUp();
        TestSupport::SetFlatGround(401);
        TestSupport::PutRabbit(1, Start.x, Start.y, 0, 1);
    }
    // Puts the rabbit at `p`; key times are then counted from t0.
    void Begin(COORDINATEN p) { Konijntjes[1].Positie = p; t0 = Headless::Now(); }
    // Runs a phase, checks where it ends, and gives the time it took.
    uint64_t Fase(float tijd, COORDINATEN verwacht, bool dynamiet = false) {
        EXPECT_EQ(Bewegen(1, tijd, levens, dynamiet), verwacht);
        EXPECT_EQ(Konijntjes[1].Positie, verwacht);
        EXPECT_EQ(Headless::Now(), Headless::WaitedMs());  // all time is waits
        return Headless::Now() - t0;
    }
    // A key that does nothing is held from the start; Enter comes at 300 ms.
    // The clock is not charged for it: the phase only looks at the keys
    // again every 10 ms until Enter.
    uint64_t FaseHoudend(uint32_t key, COORDINATEN verwacht) {
        Headless::Schedule({{t0, Headless::Action::Press, key}, {t0 + 300, Headless::Action::Press, VK_RETURN}});
        const uint64_t tijd = Fase(50, verwacht);
        Headless::Release(key);
        Headless::Release(VK_RETURN);
        return tijd;
    }
};

TEST_F(MovementTest, ClockRunsDownByIdleTicks) {
    EXPECT_EQ(Fase(50, Start), 220u + 501 * 120);
    Begin(Start);
    EXPECT_EQ(Fase(5, Start), 220u + 51 * 120);
    EXPECT_EQ(levens, 100);
    // Enter after the first tick: the clock shows 49, Enter itself is free.
    Begin(Start);
    Headless::Tap(t0 + 300, VK_RETURN, 1000);
    EXPECT_EQ(Fase(50, Start), 340u);
    EXPECT_TRUE(KlokToont(4, 9));
    Begin(Start);  // Enter still held
    EXPECT_EQ(Fase(5, Start, true), 220u);
}

TEST_F(MovementTest, JumpFollowsItsArc) {
    Headless::Tap(0, N, 230);
    Headless::Tap(600, VK_RETURN, 500);
    EXPECT_EQ(Fase(50, {581, 399}), 220u + 87 * 3 + 120);  // 87 steps, one idle tick
    EXPECT_TRUE(KlokToont(4, 7));                          // 50 - 87 x 0.03 - 0.1
    // The head room at the top of the arc is row 286: a ceiling there stops
    // the jump and the rabbit drops back; one row higher it passes. Ground
    // under the feet on the way up does not end the jump.
    for (int32_t dak : {285, 286}) {
        Headless::Release(VK_RETURN);
        TestSupport::SetFlatGround(401);
        Level[500][400].Grond = true;
        for (int32_t x = 450; x <= 650; ++x) Level[x][dak].Grond = true;
        Begin(Start);
        Headless::Tap(t0, N, 230);
        Headless::Tap(t0 + 600, VK_RETURN, 500);
        const COORDINATEN p = Bewegen(1, 50, levens, false);
        if (dak == 285) EXPECT_EQ(p, (COORDINATEN{581, 399}));
        else EXPECT_TRUE(p.y == 400 && p.x > 500 && p.x < 560) << p.x << "," << p.y;
    }
    // Against a wall nothing of the arc is drawn and the rabbit stays put.
    Headless::Release(VK_RETURN);
    Level[501][370].Grond = true;
    Begin(Start);
    const auto klok = Klok();
    EXPECT_EQ(FaseHoudend(N, Start), 300u);
    EXPECT_EQ(Klok(), klok);
}

TEST_F(MovementTest, WalkingStepsAndTheirFalls) {
    auto stap = [&](int32_t val, float tijd, COORDINATEN verwacht) {  // one step right
        TestSupport::SetFlatGround(401);
        for (int32_t x = 501; x <= 1000; ++x)
            for (int32_t y = 401; y <= 400 + val; ++y) Level[x][y].Grond = false;
        Begin(Start);
        Headless::Tap(t0 + 100, VK_RIGHT, 140);
        return Fase(tijd, verwacht);
    };
    EXPECT_EQ(stap(5, 0.25f, {501, 405}), 220u + 30 + 2 * 120);  // lands at once
    // 7 rows drawn and 0.07 charged: the clock ends with the step itself.
    EXPECT_EQ(stap(6, 0.15f, {501, 406}), 220u + 7 * 3 + 30);
    // Walking keys at the edge of the field cost nothing.
    const auto klok = Klok();
    Begin({18, 400});
    EXPECT_EQ(FaseHoudend(VK_LEFT, {18, 400}), 300u);
    Begin({982, 400});
    EXPECT_EQ(FaseHoudend(VK_RIGHT, {982, 400}), 300u);
    EXPECT_EQ(Klok(), klok);
}

TEST_F(MovementTest, OutrankedKeysOnlyTickTheClock) {
    const std::pair<uint32_t, uint32_t> paren[] = {
        {V, B}, {N, VK_SPACE}, {VK_LEFT, VK_SPACE}, {VK_RIGHT, VK_UP}, {VK_LEFT, VK_DOWN}};
    for (auto [a, b] : paren) {
        Headless::Press(a);
        Headless::Press(b);
        Begin(Start);
        EXPECT_EQ(Fase(0.25f, Start), 220u + 3 * 120) << a << "+" << b;
        Headless::Release(a);
        Headless::Release(b);
    }
}

TEST_F(MovementTest, DrowningEndsThePhaseOnlyWithoutDynamite) {
    TestSupport::SetFlatGround(601);  // no ground at all
    Headless::Tap(100, VK_RIGHT, 140);
    EXPECT_EQ(Fase(50, {501, 596}), 220u + 197 * 3 + 30);
    EXPECT_EQ(levens, 0);
    // With the stick lit the phase goes on, but the drowned rabbit no longer
    // walks: the held key only ticks the clock until Enter.
    levens = 100;
    Begin(Start);
    Headless::Tap(t0 + 100, VK_RIGHT, 3000);
    Headless::Tap(t0 + 1500, VK_RETURN, 500);
    EXPECT_EQ(Fase(50, {501, 596}, true), 220u + 197 * 3 + 30 + 3 + 6 * 120);
    EXPECT_EQ(levens, 0);
}

}  // namespace

// The lit stick is in every frame shown while the rabbit runs from it and
// jumps: drawing it again at any wait changes nothing.
TEST_F(MovementTest, TheLitStickStaysInEveryFrameOfARun) {
    TekenBitmaps::TekenDynamiet(Start.x, Start.y);
    Headless::Tap(100, VK_RIGHT, 200);  // three steps, then a jump
    Headless::Tap(300, N, 100);
    Headless::Tap(1000, VK_RETURN);
    int waits = 0, missing = 0;
    Headless::AtEveryWait([&] {
        const auto getoond = Stok();
        TekenBitmaps::TekenDynamiet(Start.x, Start.y);
        ++waits;
        missing += Stok() != getoond;
    });
    Bewegen(1, 50, levens, true);
    EXPECT_GT(Konijntjes[1].Positie.x, 560);
    EXPECT_GT(waits, 60);
    EXPECT_EQ(missing, 0) << "of " << waits << " waits";
}

// The movement phase: its steps on a grid of the test's own, then the phase
// itself under the virtual clock (idle ticks, keys, drowning, the pictures of
// a run).
#include <memory>
#include <vector>

#include "game/Level.h"
#include "game/movement/Movement.h"
#include "gfx/Headless.h"
#include "gfx/TekenBitmaps.h"
#include "tests/ScriptedGame.h"
#include "tests/Snapshot.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;
using namespace Wimdows;

namespace {

constexpr uint32_t V = 0x56, B = 0x42, N = 0x4E;
constexpr COORDINATEN Start{500, 400};

// Ground from `rij` down; the cells of columns x0..x1, rows van..tot set to `grond`.
LEVEL& Veld(int32_t rij, int32_t x0 = 0, int32_t x1 = 0, int32_t van = 1, int32_t tot = 0, bool grond = true) {
    static const auto veld = std::make_unique<LEVEL>();
    for (int32_t x = 1; x <= 1000; ++x)
        for (int32_t y = 1; y <= 600; ++y) (*veld)[x][y].Grond = y >= rij;
    for (int32_t x = x0; x0 > 0 && x <= x1; ++x)
        for (int32_t y = van; y <= tot; ++y) (*veld)[x][y].Grond = grond;
    return *veld;
}

TEST(MovementSteps, WalkingStepsFramesAndEdgeLimits) {
    const struct { int32_t richting, x0, van, tot; bool grond; int32_t oordeel; COORDINATEN na; } stappen[] = {
        {1, 0, 1, 0, true, 0, {501, 400}}, {-1, 0, 1, 0, true, 0, {499, 400}}, {1, 501, 399, 399, true, 1, {501, 399}},
        {-1, 499, 399, 399, true, 1, {499, 399}}, {1, 501, 398, 399, true, 2, {500, 400}}, {1, 501, 401, 402, false, -1, {501, 400}}};
    for (const auto& s : stappen) {
        const WandelStap w = Stap(Veld(401, s.x0, s.x0, s.van, s.tot, s.grond), Start, s.richting);
        EXPECT_TRUE(w.Oordeel == s.oordeel && w.Positie == s.na) << &s - stappen;
    }
    // The pictures run 1, 2, 3, 1; a blocked step shows its picture again.
    uint32_t m = 1;
    std::vector<uint32_t> beelden;
    for (int32_t oordeel : {0, 1, -1, 2, 0}) beelden.push_back(m = VolgendBeeld(m, oordeel));
    EXPECT_EQ(beelden, (std::vector<uint32_t>{2, 3, 1, 1, 2}));
    const struct { int32_t x, richting; bool mag; } randen[] = {{19, -1, true}, {18, -1, false}, {981, 1, true}, {982, 1, false}, {18, 1, true}, {982, -1, true}};
    for (const auto& r : randen) EXPECT_EQ(LoopRuimte({r.x, 400}, r.richting), r.mag) << r.x << " " << r.richting;
}

// Jumps on ground from row 401 (unless the water is under them): where they
// stop, after how many steps, and why.
TEST(MovementSteps, JumpArcs) {
    enum Einde { Geland, Zij, Boven, Water };
    const struct { COORDINATEN begin; int32_t richting, x0, x1, van, tot, rij; COORDINATEN einde; int stappen; Einde waarom; } sprongen[] = {
        {Start, 1, 0, 0, 0, 0, 401, {581, 399}, 87, Geland},  // past the top the ground two rows down ends it
        {Start, -1, 0, 0, 0, 0, 401, {419, 399}, 87, Geland},
        {Start, 1, 450, 650, 285, 285, 401, {581, 399}, 87, Geland},  // the head room at the top is row 286
        {Start, 1, 540, 540, 349, 349, 401, {581, 399}, 87, Geland},  // there, just short of its top, it does not land yet
        {Start, 1, 450, 650, 286, 286, 401, {540, 347}, 44, Boven},
        {Start, 1, 501, 501, 370, 370, 401, Start, 0, Zij},  // against a wall: no step at all
        {{950, 400}, 1, 0, 0, 0, 0, 401, {983, 349}, 37, Zij},  // the field's edges: x + 15 reaches 998,
        {{50, 400}, -1, 0, 0, 0, 0, 401, {17, 349}, 37, Zij},   // x - 15 reaches 2,
        {{500, 115}, 1, 0, 0, 0, 0, 116, {540, 62}, 44, Zij},   // y - 60 reaches 2
        {{500, 116}, 1, 0, 0, 0, 0, 117, {581, 115}, 87, Geland},
        {{500, 540}, 1, 0, 0, 0, 0, 601, {599, 598}, 107, Water},
    };
    for (const auto& j : sprongen) {
        const LEVEL& veld = Veld(j.rij, j.x0, j.x1, j.van, j.tot);
        Sprong s = SprongBegin(veld, j.begin, j.richting);
        int stappen = 0;
        for (; SprongLoopt(s); ++stappen) s = SprongStap(veld, s);
        const Einde waarom = s.Verdronken ? Water : s.Geland ? Geland : s.Omgeving.Boven ? Boven : Zij;
        EXPECT_TRUE(s.Positie == j.einde && stappen == j.stappen && waarom == j.waarom)
            << &j - sprongen << ": " << s.Positie.x << "," << s.Positie.y << " after " << stappen << ", " << waarom;
    }
}

std::vector<Color> Klok() { return TestSupport::Snapshot(932, 634, 977, 666); }  // its two digits

bool KlokToont(uint32_t tien, uint32_t een) {  // drawing these digits changes nothing
    const auto getoond = Klok();
    TekenBitmaps::TekenCijfer(932, 634, tien);
    TekenBitmaps::TekenCijfer(956, 634, een);
    return getoond == Klok();
}

std::vector<Color> Venster(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {  // what the window shows there
    std::vector<Color> c;
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x) c.push_back(WindowPixel(x, y));
    return c;
}
std::vector<Color> Rond(COORDINATEN p) { return Venster(p.x - 17, p.y - 61, p.x + 17, p.y); }  // a rabbit at p

class MovementTest : public TestSupport::GameTest {
protected:
    int32_t levens = 100;
    void SetUp() override {
        GameTest::SetUp();
        TestSupport::SetFlatGround(401);
        TestSupport::PutRabbit(1, Start.x, Start.y, 0, 1);
    }
};

using ScriptedGame::Tap;
std::vector<ScriptedGame::Step> Hold(uint64_t at, uint32_t vk) { return {{at, Headless::Action::Press, vk}}; }

// One phase of a rabbit with 100 lives: its keys from the phase's start (a
// key held is let go after the phase), where it ends, the time it took (all
// of it waits), the clock's two digits at its end and the lives left.
struct Fase {
    const char* wat;
    COORDINATEN begin;
    float tijd;
    std::vector<ScriptedGame::Step> toetsen;
    COORDINATEN einde;
    uint64_t duur;
    uint32_t klok;
    int32_t gat = 0;  // rows of ground taken right of the start (200: all, down to the water)
    bool dynamiet = false;
    int32_t levens = 100;
    bool muur = false;  // a wall over the next column
};

TEST_F(MovementTest, PhasesOnTheClock) {
    const auto sprong = Tap(100, N, 40) + Hold(600, VK_RETURN);  // a tap counts as held at the next look, once
    const Fase fasen[] = {
        {"idle ticks run the clock down", Start, 50, {}, Start, 220 + 501 * 120, 0},
        {"from 5 s", Start, 5, {}, Start, 220 + 51 * 120, 0},
        // Enter after the first tick: the clock shows 49, Enter itself is free.
        {"Enter", Start, 50, Hold(300, VK_RETURN), Start, 340, 49},
        {"Enter held with the stick lit", Start, 5, Hold(0, VK_RETURN), Start, 220, 5, 0, true},
        {"a tap of 40 ms between two looks is not lost", Start, 50, Tap(250, VK_RETURN, 40), Start, 340, 49},
        {"a jump: 87 steps, one idle tick", Start, 50, sprong, {581, 399}, 220 + 87 * 3 + 120, 47},
        // One step right over the edge: a drop of 5 rows lands at once, one of
        // 6 draws 7 rows and charges 0.07, so the clock ends with the step
        // itself or, from 0.18, one idle tick later.
        {"a drop of 5", Start, 0.25f, Tap(100, VK_RIGHT, 140), {501, 405}, 220 + 30 + 2 * 120, 0, 5},
        {"a drop of 6", Start, 0.15f, Tap(100, VK_RIGHT, 140), {501, 406}, 220 + 7 * 3 + 30, 0, 6},
        {"a drop of 6 from 0.18", Start, 0.18f, Tap(100, VK_RIGHT, 140), {501, 406}, 220 + 7 * 3 + 30 + 120, 0, 6},
        // Keys that do nothing cost nothing: the phase only looks at the keys
        // again every 10 ms until Enter.
        {"a jump against a wall", Start, 50, Hold(0, N) + Hold(300, VK_RETURN), Start, 300, 50, 0, false, 100, true},
        {"left at the edge", {18, 400}, 50, Hold(0, VK_LEFT) + Hold(300, VK_RETURN), {18, 400}, 300, 50},
        {"right at the edge", {982, 400}, 50, Hold(0, VK_RIGHT) + Hold(300, VK_RETURN), {982, 400}, 300, 50},
        // Keys outranked by others held with them only tick the clock.
        {"V, B", Start, 0.25f, Hold(0, V) + Hold(0, B), Start, 220 + 3 * 120, 0},
        {"N, Space", Start, 0.25f, Hold(0, N) + Hold(0, VK_SPACE), Start, 220 + 3 * 120, 0},
        {"Left, Space", Start, 0.25f, Hold(0, VK_LEFT) + Hold(0, VK_SPACE), Start, 220 + 3 * 120, 0},
        {"Right, Up", Start, 0.25f, Hold(0, VK_RIGHT) + Hold(0, VK_UP), Start, 220 + 3 * 120, 0},
        {"Left, Down", Start, 0.25f, Hold(0, VK_LEFT) + Hold(0, VK_DOWN), Start, 220 + 3 * 120, 0},
        // Drowning ends the phase, unless the stick is lit: then the drowned
        // rabbit no longer walks, the held key only ticks the clock until Enter.
        // The fall's 197 charges of 0.01 leave the float clock a hair under 48.
        {"drowning", Start, 50, Tap(100, VK_RIGHT, 140), {501, 596}, 220 + 197 * 3 + 30, 47, 200, false, 0},
        {"drowning with the stick lit", Start, 50, Hold(100, VK_RIGHT) + Hold(1500, VK_RETURN), {501, 596},
         220 + 197 * 3 + 30 + 3 + 6 * 120, 47, 200, true, 0},
    };
    for (const Fase& f : fasen) {
        SCOPED_TRACE(f.wat);
        TestSupport::SetFlatGround(401);
        for (int32_t x = 501; x <= 1000; ++x)
            for (int32_t y = 401; y <= 400 + f.gat; ++y) Level[x][y].Grond = false;
        Level[501][370].Grond = f.muur;
        Konijntjes[1].Positie = f.begin;
        TekenBitmaps::TekenCijfer(932, 634, uint32_t(f.tijd) / 10);  // the full clock, as the turn opens
        TekenBitmaps::TekenCijfer(956, 634, uint32_t(f.tijd) % 10);
        const uint64_t t0 = Headless::Now();
        std::vector<Headless::ScriptedEvent> events;
        for (const ScriptedGame::Step& s : f.toetsen) events.push_back({t0 + s.after, s.action, s.vk});
        Headless::Schedule(events);
        levens = 100;
        EXPECT_EQ(Bewegen(1, f.tijd, levens, f.dynamiet), f.einde);
        EXPECT_TRUE(Konijntjes[1].Positie == f.einde && levens == f.levens);
        EXPECT_EQ(Headless::Now() - t0, f.duur);
        EXPECT_EQ(Headless::Now(), Headless::WaitedMs());
        EXPECT_TRUE(KlokToont(f.klok / 10, f.klok % 10));
        for (const ScriptedGame::Step& s : f.toetsen) Headless::Release(s.vk);
    }
}

// Each step of a jump shows the rabbit where the arc has it: drawing it
// there again at the step's wait changes nothing.
TEST_F(MovementTest, AJumpShowsEveryStepOfItsArc) {
    std::vector<COORDINATEN> boog;
    for (Sprong s = SprongBegin(Level, Start, 1); SprongLoopt(s);) boog.push_back((s = SprongStap(Level, s)).Positie);
    size_t wacht = 0;
    int anders = 0;
    Headless::AtEveryWait([&] {
        if (wacht++ == 0 || wacht > boog.size() + 1) return;  // not the opening, nor after the jump
        const COORDINATEN p = boog[wacht - 2];
        const auto getoond = Rond(p);
        TekenBitmaps::TekenKonijntje(p.x, p.y, 1);
        UpdateWindow();
        anders += Rond(p) != getoond;
    });
    Headless::Tap(100, N, 40);
    Headless::Tap(600, VK_RETURN, 500);
    EXPECT_EQ(Bewegen(1, 50, levens, false), boog.back());
    EXPECT_GT(wacht, boog.size() + 1);
    EXPECT_EQ(anders, 0);
}

// A run from a lit stick: four steps right, one left, then a jump. Each step
// shows the next walking picture, facing the way it goes, where the step put
// the rabbit; and the stick is in every frame (drawing it again at any wait
// changes nothing).
TEST_F(MovementTest, TheLitStickStaysInEveryFrameOfARun) {
    auto stok = [] { return Venster(Start.x - 3, Start.y - 26, Start.x + 4, Start.y - 1); };  // where it lies
    TekenBitmaps::TekenDynamiet(Start.x, Start.y);
    Headless::Tap(100, VK_RIGHT, 230);
    Headless::Tap(400, VK_LEFT, 80);
    Headless::Tap(560, N, 100);
    Headless::Tap(1200, VK_RETURN);
    int waits = 0, missing = 0;
    std::vector<std::pair<COORDINATEN, std::vector<Color>>> stappen;
    Headless::AtEveryWait([&] {
        const COORDINATEN p = Konijntjes[1].Positie;
        if (stappen.size() < 5 && p != (stappen.empty() ? Start : stappen.back().first)) stappen.push_back({p, Rond(p)});
        const auto getoond = stok();
        TekenBitmaps::TekenDynamiet(Start.x, Start.y);
        ++waits;
        missing += stok() != getoond;
    });
    Bewegen(1, 50, levens, true);
    EXPECT_GT(Konijntjes[1].Positie.x, 560);
    EXPECT_GT(waits, 60);
    EXPECT_EQ(missing, 0) << "of " << waits << " waits";
    const uint32_t beelden[] = {1, 2, 3, 1, 2};
    ASSERT_EQ(stappen.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        const COORDINATEN p = stappen[i].first;
        HermaakLevel();
        (i < 4 ? TekenBitmaps::TekenKonijntjeWandelRechts : TekenBitmaps::TekenKonijntjeWandelLinks)(p.x, p.y, beelden[i], 1);
        TekenBitmaps::TekenDynamiet(Start.x, Start.y);
        EXPECT_EQ(stappen[i].second, Rond(p)) << "step " << i + 1;
    }
}

}  // namespace

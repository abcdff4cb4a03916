// The movement phase and what it stands on: the terrain probes, the walking
// steps, jumps and drops on a grid of the test's own; then the phase itself
// under the virtual clock (idle ticks, keys, drowning, the pictures of a
// run) and the falls after a turn.
#include <memory>

#include "audio/HeadlessAudio.h"
#include "game/Level.h"
#include "game/Placement.h"
#include "game/movement/Falling.h"
#include "game/movement/Movement.h"
#include "game/movement/Probes.h"
#include "gfx/TekenBitmaps.h"
#include "tests/ScriptedGame.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;
using namespace Wimdows;

namespace {

constexpr uint32_t V = 0x56, B = 0x42, N = 0x4E;
constexpr COORDINATEN Start{500, 400};

// `breed` columns and `hoog` rows from (x, y) made ground or air.
struct Cel {
    int32_t x, y;
    bool grond = true;
    int32_t breed = 1, hoog = 1;
};

// A grid of the test's own: ground from `rij` down, air above (all cells
// marked as rabbit or not), and the given cells changed.
LEVEL& Veld(int32_t rij, const std::vector<Cel>& cellen = {}, bool konijn = false) {
    static const auto veld = std::make_unique<LEVEL>();
    for (int32_t x = 1; x <= 1000; ++x)
        for (int32_t y = 1; y <= 600; ++y) (*veld)[x][y] = CEL{y >= rij, konijn};
    for (const Cel& c : cellen)
        for (int32_t x = c.x; x < c.x + c.breed; ++x)
            for (int32_t y = c.y; y < c.y + c.hoog; ++y) (*veld)[x][y].Grond = c.grond;
    return *veld;
}

// The rabbit stands at (500, 300) on ground from row 301 unless said otherwise.
TEST(ProbesTest, VerdictSideColumnAndHeadRoom) {
    const struct {
        std::vector<Cel> cellen;
        int32_t richting, oordeel;
        bool zij, boven;
        COORDINATEN p = {500, 300};
        int32_t rij = 301;
    } gevallen[] = {
        {{}, 1, 0, false, false}, {{}, -1, 0, false, false},
        {{{501, 299}}, 1, 1, false, false}, {{{499, 299}}, -1, 1, false, false},  // one row: climb
        {{{499, 299}}, 1, 0, false, false},  // behind: no matter
        {{{501, 298}}, 1, 2, true, false}, {{{501, 240}}, 1, 2, true, false},  // the side column: y - 2 to y - 60
        {{{501, 239}}, 1, 0, false, true},  // y - 61 is the head-room row: no climbing under it
        {{{501, 239}, {501, 299}}, 1, 2, false, true}, {{{500, 239}, {499, 299}}, -1, 2, false, true},
        {{{486, 239}}, 1, 0, false, true}, {{{516, 239}}, -1, 0, false, true},  // head room: x - 14 to x + 16
        {{{485, 239}}, 1, 0, false, false}, {{{517, 239}}, -1, 0, false, false}, {{{500, 238}}, 1, 0, false, false},
        {{{501, 301, false}}, 1, -1, false, false},  // a hole under the next column; the feet's row is not probed
        {{{501, 301, false}, {501, 300}}, 1, -1, false, false},
        {{}, 1, -1, false, false, {1000, 300}},  // the next column lies outside: air
        // No climbing at row 61.
        {{{501, 60}}, 1, 2, false, false, {500, 61}, 62}, {{{501, 60}}, -1, 0, false, false, {500, 61}, 62},
        {{{501, 61}}, 1, 1, false, false, {500, 62}, 63},
        // At the grid's corners, on ground everywhere, the probes reach outside it and find air:
        // cells beyond each of the four sides read as air.
        {{}, 1, 0, false, false, {1, 1}, 1}, {{}, -1, -1, false, false, {1, 1}, 1},
        {{}, 1, -1, false, true, {1000, 600}, 1}, {{}, -1, 2, true, true, {1000, 600}, 1},
    };
    for (bool konijn : {false, true}) {  // rabbit marks are not ground
        for (const auto& g : gevallen) {
            const LEVEL& veld = Veld(g.rij, g.cellen, konijn);
            const HINDERING h = Obstakel(veld, g.p, g.richting);
            EXPECT_EQ(Controleeromgeving(veld, g.p, g.richting), g.oordeel) << &g - gevallen;
            EXPECT_EQ(h.Zij, g.zij) << &g - gevallen;
            EXPECT_EQ(h.Boven, g.boven) << &g - gevallen;
        }
    }
}

// A step on level ground moves one column (to the right held to the whole
// games' walks), climbs one row, or is blocked; over an edge the drop follows.
TEST(MovementSteps, WalkingStepsFramesAndEdgeLimits) {
    const struct { int32_t richting; std::vector<Cel> cellen; int32_t oordeel; COORDINATEN na; } stappen[] = {
        {-1, {}, 0, {499, 400}}, {1, {{501, 399}}, 1, {501, 399}}, {-1, {{499, 399}}, 1, {499, 399}},
        {1, {{501, 398, true, 1, 2}}, 2, {500, 400}}, {1, {{501, 401, false, 1, 2}}, -1, {501, 400}}};
    for (const auto& s : stappen) {
        const WandelStap w = Stap(Veld(401, s.cellen), Start, s.richting);
        EXPECT_TRUE(w.Oordeel == s.oordeel && w.Positie == s.na) << &s - stappen;
    }
    // The pictures run 1, 2, 3, 1; a blocked step shows its picture again.
    uint32_t m = 1;
    std::vector<uint32_t> beelden;
    for (int32_t oordeel : {0, 1, -1, 2, 0}) beelden.push_back(m = VolgendBeeld(m, oordeel));
    EXPECT_EQ(beelden, (std::vector<uint32_t>{2, 3, 1, 1, 2}));
    const struct { int32_t x, richting; bool mag; } randen[] = {
        {19, -1, true}, {18, -1, false}, {981, 1, true}, {982, 1, false}, {18, 1, true}, {982, -1, true}};
    for (const auto& r : randen) EXPECT_EQ(LoopRuimte({r.x, 400}, r.richting), r.mag) << r.x << " " << r.richting;
}

// Jumps on ground from row 401 (unless the water is under them): where they
// stop, after how many steps, and why. A jump to the left mirrors one to the
// right (held to the whole games' jumps).
TEST(MovementSteps, JumpArcs) {
    enum Einde { Geland, Zij, Boven, Water };
    const struct { COORDINATEN begin; int32_t richting; std::vector<Cel> cellen; int32_t rij; COORDINATEN einde;
                   int stappen; Einde waarom; } sprongen[] = {
        {Start, 1, {}, 401, {581, 399}, 87, Geland},  // past the top the ground two rows down ends it
        {Start, 1, {{450, 285, true, 201}}, 401, {581, 399}, 87, Geland},  // the head room at the top is row 286
        {Start, 1, {{540, 349}}, 401, {581, 399}, 87, Geland},  // there, just short of its top, it does not land yet
        {Start, 1, {{450, 286, true, 201}}, 401, {540, 347}, 44, Boven},
        {Start, 1, {{501, 370}}, 401, Start, 0, Zij},  // against a wall: no step at all
        {{950, 400}, 1, {}, 401, {983, 349}, 37, Zij},  // the field's edges: x + 15 reaches 998,
        {{50, 400}, -1, {}, 401, {17, 349}, 37, Zij},   // x - 15 reaches 2,
        {{500, 115}, 1, {}, 116, {540, 62}, 44, Zij},   // y - 60 reaches 2
        {{500, 116}, 1, {}, 117, {581, 115}, 87, Geland},
        {{500, 540}, 1, {}, 601, {599, 598}, 107, Water},
    };
    for (const auto& j : sprongen) {
        const LEVEL& veld = Veld(j.rij, j.cellen);
        Sprong s = SprongBegin(veld, j.begin, j.richting);
        int stappen = 0;
        for (; SprongLoopt(s); ++stappen) s = SprongStap(veld, s);
        const Einde waarom = s.Verdronken ? Water : s.Geland ? Geland : s.Omgeving.Boven ? Boven : Zij;
        EXPECT_TRUE(s.Positie == j.einde && stappen == j.stappen && waarom == j.waarom)
            << &j - sprongen << ": " << s.Positie.x << "," << s.Positie.y << " after " << stappen << ", " << waarom;
    }
}

// What the window shows of a rabbit at p.
std::vector<Color> Rond(COORDINATEN p) { return TestSupport::Snapshot(p.x - 17, p.y - 61, p.x + 17, p.y, true); }

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
    int32_t gat = 0, levens = 100;  // rows of ground taken right of the start (200: all, down to the water)
    bool dynamiet = false, muur = false;  // the stick lit; a wall over the next column
};

TEST_F(MovementTest, PhasesOnTheClock) {
    const auto sprong = Tap(100, N, 40) + Hold(600, VK_RETURN);  // a tap counts as held at the next look, once
    const Fase fasen[] = {
        {"idle ticks run the clock down", Start, 50, {}, Start, 220 + 501 * 120, 0},
        // Enter after the first tick: the clock shows 49, Enter itself is free.
        {"Enter", Start, 50, Hold(300, VK_RETURN), Start, 340, 49},
        {"Enter held with the stick lit", Start, 5, Hold(0, VK_RETURN), Start, 220, 5, 0, 100, true},
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
        {"a jump against a wall", Start, 50, Hold(0, N) + Hold(300, VK_RETURN), Start, 300, 50, 0, 100, false, true},
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
        {"drowning", Start, 50, Tap(100, VK_RIGHT, 140), {501, 596}, 220 + 197 * 3 + 30, 47, 200, 0},
        {"drowning with the stick lit", Start, 50, Hold(100, VK_RIGHT) + Hold(1500, VK_RETURN), {501, 596},
         220 + 197 * 3 + 30 + 3 + 6 * 120, 47, 200, 0, true},
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
        // The clock's two digits: drawing the expected ones changes nothing.
        const auto klok = TestSupport::Snapshot(932, 634, 977, 666);
        TekenBitmaps::TekenCijfer(932, 634, f.klok / 10);
        TekenBitmaps::TekenCijfer(956, 634, f.klok % 10);
        EXPECT_TRUE(klok == TestSupport::Snapshot(932, 634, 977, 666));
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
    // Where the stick lies, as the window shows it.
    auto stok = [] { return TestSupport::Snapshot(Start.x - 3, Start.y - 26, Start.x + 4, Start.y - 1, true); };
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
    // One step heard per round of the three pictures: at the first and the fourth.
    std::vector<int32_t> gehoord;
    for (const auto& h : HeadlessAudio::Log())
        if (h.id == Sound::Id::Step) gehoord.push_back(h.x);
    EXPECT_EQ(gehoord, (std::vector<int32_t>{stappen[0].first.x, stappen[3].first.x}));
}

void Zet(uint32_t k, int32_t x, int32_t y, int32_t levens, uint32_t team) {
    TestSupport::PutRabbit(k, x, y, levens, team);
    PlaatsKonijntje(k, true);
}

// In number order: a drop of 5 rows lands at once, longer ones are drawn
// row by row; rabbits fall through others and drown in the water. A drop
// stops on ground under the rabbit's middle column only, or on the water row
// (the whole games hold the drops of every turn).
TEST_F(MovementTest, RabbitsFallInOrderThroughOthersAndIntoTheWater) {
    for (int32_t x = 590; x <= 610; ++x)
        for (int32_t y = 401; y <= 600; ++y) Level[x][y].Grond = false;  // a shaft to the water
    Menu.AantalKonijntjes = 6;
    Zet(1, 600, 400, 100, 1);  // over the shaft
    Zet(2, 300, 334, 100, 2);  // standing on rabbit 3's head
    Zet(3, 310, 400, 100, 1);  // on the ground
    Zet(4, 100, 395, 100, 2);  // drops 5 rows
    Zet(5, 500, 394, 60, 1);   // drops 6 rows, last: no redraw shows it where it was
    Zet(6, 700, 300, 0, 2);    // out of the game: stays in the air
    VallenNaBeurt(Menu);
    const COORDINATEN verwacht[] = {{600, 596}, {300, 400}, {310, 400}, {100, 400}, {500, 400}, {700, 300}};
    for (uint32_t k = 1; k <= 6; ++k) EXPECT_EQ(Konijntjes[k].Positie, verwacht[k - 1]) << k;
    EXPECT_EQ(Headless::WaitedMs(), (197u + 67 + 7) * 5);
    EXPECT_TRUE(Konijntjes[1].Levens == 0 && Konijntjes[5].Levens == 60);
    for (int32_t x = 585; x <= 615; ++x)
        for (int32_t y = 1; y <= 600; ++y) EXPECT_FALSE(Level[x][y].Konijn) << "a drowned rabbit keeps no cells";
    for (uint32_t k = 2; k <= 5; ++k) {  // the living keep their marks where they stand
        const COORDINATEN p = Konijntjes[k].Positie;
        EXPECT_TRUE(Level[p.x - 15][p.y - 65].Konijn && Level[p.x + 15][p.y].Konijn) << k;
    }
    // A faller's marks leave the place it fell from (held to the whole games' grids).
    EXPECT_TRUE(Wimdows::BufferPixel(290, 337) == Wimdows::RgbColor(0, 176, 0) && Wimdows::BufferPixel(490, 331) == _ACHTERGRONDKLEUR);
    // Heard as each fall ends: the splash with the drowning, a thud after
    // each drawn drop onto the ground, nothing for a short one.
    using HeadlessAudio::Kind;
    const std::vector<HeadlessAudio::Heard> gehoord = {{197 * 5, Sound::Id::Splash, Kind::Played, 600},
                                                       {197 * 5, Sound::Id::RabbitOut, Kind::Played, 600},
                                                       {(197 + 67) * 5, Sound::Id::FallThud, Kind::Played, 300},
                                                       {(197 + 67 + 7) * 5, Sound::Id::FallThud, Kind::Played, 500}};
    EXPECT_EQ(HeadlessAudio::Log(), gehoord);
}

}  // namespace

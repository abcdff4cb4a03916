// Whose turn it is, when a team has lost and the lives bars, on rabbits of
// the test's own; the turn's opening and its held lives; the screens before
// a game. The turn's weapon phase: aiming, the weapon pose, the power meter
// and the choice of weapon; then the shot simulator against the game: for a
// spread of shots, what it foresees from the state before equals the state
// after the same keys.

#include <cstdlib>

#include "game/Level.h"
#include "game/Menus.h"
#include "game/Placement.h"
#include "game/Trace.h"
#include "game/TurnBanner.h"
#include "game/Turns.h"
#include "game/movement/TurnClock.h"
#include "game/weapons/Aiming.h"
#include "game/weapons/Damage.h"
#include "game/weapons/ShotSimulator.h"
#include "game/weapons/Weapons.h"
#include "gfx/TekenBitmaps.h"
#include "tests/ScriptedGame.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;
using namespace ScriptedGame;
using TestSupport::RunUntilItWaits, TestSupport::Snapshot;

namespace {

// Rabbits 1, 2, ... at (100, 400), (200, 400), ... with these lives, odd numbers red.
KONIJN Ploeg(const std::vector<int32_t>& levens) {
    KONIJN k;
    for (uint32_t i = 1; i <= levens.size(); ++i) k[i] = {{int32_t(100 * i), 400}, levens[i - 1], i % 2 ? 1u : 2u};
    return k;
}

// Taps `vk` `count` times, 100 ms apart, from `t` (by default 100 ms from
// now); returns the next free time.
uint64_t Taps(uint32_t vk, int count, uint64_t t = Headless::Now() + 100) {
    for (int i = 0; i < count; ++i, t += 100) Headless::Tap(t, vk);
    return t;
}

// The turn passes to the next living rabbit of the other team, counting on
// from the last one (0 before the first turn) and wrapping past the last.
TEST(TurnSteps, WhoPlaysNext) {
    const std::vector<int32_t> acht(8, 100);
    const struct { std::vector<int32_t> levens; std::vector<uint32_t> volgorde; } rondes[] = {
        {acht, {1, 2, 3, 4, 5, 6, 7, 8, 1}},
        {{100, 100, 0, 100, 100, 100, 100, 100}, {1, 2, 5, 6, 7, 8, 1}},
        {{100, 100, 100, -12, 100, 100, 100, 100}, {1, 2, 3, 6, 7, 8, 1}},
        {{100, 100, 0, 100}, {1, 2, 1, 2}},   // past the last red: the first
        {{100, 100, 100, 0}, {1, 2, 3, 2, 3}},  // past the last blue: the first blue
        {{0, 100, 100, 100}, {3, 4, 3, 4}},
        {{100, 100}, {1, 2, 1}},
    };
    for (const auto& r : rondes) {
        std::vector<uint32_t> volgorde;
        for (uint32_t k = 0; volgorde.size() < r.volgorde.size();)
            volgorde.push_back(k = ControleerWelkKonijntje(k, uint32_t(r.levens.size()), Ploeg(r.levens)));
        EXPECT_EQ(volgorde, r.volgorde) << &r - rondes;
    }
}

// A team whose lives add up to 0 or less has lost (both: blue wins); the
// lives bars show running totals, a total below 0 counting on from 0, scaled
// so that a full team fills columns 30 to 230; right of its column a bar is
// grey. Outside classic mode each bar carries its team's total. (The bars on
// the screen are held to every turn of the whole games.)
TEST(TurnSteps, VictoryAndLivesBars) {
    const struct { uint32_t aantal; std::vector<int32_t> levens; uint32_t winnaar; int32_t rood, blauw; } gevallen[] = {
        {4, {10, 50, -30, 50}, 2, 30, 130},   {4, {10, 50, -10, 50}, 2, 30, 130},  {4, {10, 50, -9, 50}, 0, 31, 130}, {4, {10, 50, -11, 50}, 2, 30, 130},
        {4, {-30, 50, 10, 50}, 2, 40, 130},   {4, {10, -50, 10, 50}, 1, 50, 80},   {4, {0, -5, -30, -5}, 2, 30, 30},
        {2, {10, 0, 100, 100}, 1, 50, 30},    {2, {100, 100}, 0, 230, 230},        {6, {100, 0, 0, 0, 0, 0}, 1, 96, 30},
        {6, {100, 0, 100, 0, 100, 1}, 0, 230, 30}, {8, {100, 100, 100, 100, 100, 100, 100, 1}, 0, 230, 180},
    };
    for (const auto& g : gevallen) {
        const KONIJN k = Ploeg(g.levens);
        EXPECT_EQ(Winnaar(g.aantal, k), g.winnaar) << &g - gevallen;
        EXPECT_EQ(Balken(g.aantal, k), (LevensBalken{g.rood, g.blauw})) << &g - gevallen;
    }
}

using TurnsTest = TestSupport::GameTest;

TEST_F(TurnsTest, TheVictoryScreenWaitsForROrEnter) {
    Konijntjes = Ploeg({10, 50, -30, 50});
    Headless::Tap(100, Wimdows::VK_SPACE);  // other keys only draw it again
    Headless::Tap(200, 'R');
    EXPECT_EQ(ControleerOverwinning(4, Konijntjes), Afloop::Titel);
    EXPECT_EQ(Headless::Now(), 200u);
    const Wimdows::Color getoond = Wimdows::WindowPixel(500, 350);
    const auto voet = [] { return Snapshot(1, 653, 999, 699); };
    const auto metEnter = voet();
    Wimdows::DrawBitmap(TekenBitmaps::OverwinningVoetBlauwBitmap, 1, 653);
    EXPECT_TRUE(voet() == metEnter) << "the foot lies at (1, 653)";
    TekenBitmaps::TekenOverwinningMetVoet(2);
    EXPECT_TRUE(Wimdows::WindowPixel(500, 350) == getoond && voet() == metEnter) << "blue won, Enter named";
    TekenBitmaps::TekenOverwinning(1);
    EXPECT_NE(Wimdows::WindowPixel(500, 350), getoond);
    // The classic screen names R alone.
    Klassiek = true;
    Headless::Tap(250, 'R');
    EXPECT_EQ(ControleerOverwinning(4, Konijntjes), Afloop::Titel);
    Klassiek = false;
    const auto alleenR = voet();
    TekenBitmaps::TekenOverwinning(2);
    EXPECT_TRUE(voet() == alleenR && alleenR != metEnter);
    Headless::Press('R');  // still queued from the turn: the screen ends at once
    EXPECT_EQ(ControleerOverwinning(4, Konijntjes), Afloop::Titel);
    EXPECT_EQ(Headless::Now(), 250u);
    // An Enter queued from the turn is not a wish for another game; one
    // pressed on the screen is.
    Headless::Press(Wimdows::VK_RETURN);
    Headless::Tap(300, Wimdows::VK_RETURN);
    EXPECT_EQ(ControleerOverwinning(4, Konijntjes), Afloop::Opnieuw);
    EXPECT_EQ(Headless::Now(), 300u);
    Konijntjes[3].Levens = -9;
    EXPECT_EQ(ControleerOverwinning(4, Konijntjes), Afloop::Verder);
}

// A turn opens with the lives bars, its own full clock (not the last
// player's 37), the rabbit, its arrow and its lives bar, shown for 400 ms:
// at the first wait drawing them again changes nothing. The opening draws
// the banner of the team (and of the rabbit when a team has more) at the top
// and names the team in the status bar; a redraw after the moment leaves the
// banner out. Classic mode draws neither. The rabbit's lives are held aside,
// its cells cleared, while it moves and swings; they come back after, and a
// rabbit without lives (here those beyond the count) loses its marks.
TEST_F(TurnsTest, TheTurnsOpening) {
    const struct { bool klassiek; uint32_t aantal, konijn, team, nummer; } gevallen[] = {
        {false, 2, 1, 1, 0}, {false, 4, 4, 2, 2}, {false, 8, 5, 1, 3}, {true, 4, 4, 2, 2}};
    using TekenBitmaps::BannerX, TekenBitmaps::BannerY, TekenBitmaps::AanZetX, TekenBitmaps::AanZetY;
    const auto banner = [] { return Snapshot(BannerX, BannerY, BannerX + 319, BannerY + 43); };
    const auto label = [] { return Snapshot(AanZetX, AanZetY, AanZetX + 239, AanZetY + 27); };
    for (const auto& g : gevallen) {
        SCOPED_TRACE(&g - gevallen);
        Headless::Reset();
        MaakSchermAan();
        TestSupport::ResetGame();
        TestSupport::SetFlatGround(401);
        Menu.AantalKonijntjes = g.aantal;
        std::vector<int32_t> levens(8, 0);
        std::fill_n(levens.begin(), g.aantal, 100);
        levens[g.konijn - 1] = 60;
        Konijntjes = Ploeg(levens);
        for (uint32_t k = 1; k <= 8; ++k) PlaatsKonijntje(k, true);
        const COORDINATEN p = Konijntjes[g.konijn].Positie;
        Klassiek = g.klassiek;
        TekenBitmaps::TekenStatusbalk(0);
        HermaakLevel();
        TekenBitmaps::TekenCijfer(932, 634, 3);
        TekenBitmaps::TekenCijfer(956, 634, 7);
        Wimdows::UpdateWindow();
        const auto leegBanner = banner(), leegLabel = label();
        std::vector<uint64_t> waits;
        Headless::AtEveryWait([&] {
            waits.push_back(Headless::Now());
            if (waits.size() > 1) return;
            const auto getoond = Snapshot(0, 300, 999, 699), bannerGetoond = banner(), aanZet = label();
            EXPECT_EQ(bannerGetoond == leegBanner, g.klassiek);
            EXPECT_EQ(aanZet == leegLabel, g.klassiek);
            TekenLevensStatusbalk(g.aantal, Konijntjes);
            GeefTijd(50);
            TekenBitmaps::TekenKonijntje(p.x, p.y, g.team);
            TekenBitmaps::TekenPijl(p.x, p.y);
            Wimdows::Rectangle(p.x - 15, p.y - 65, p.x + 15, p.y - 61, Wimdows::RgbColor(176, 0, 0), true);
            Wimdows::Rectangle(p.x - 15, p.y - 65, p.x + 5, p.y - 61, Wimdows::RgbColor(0, 176, 0), true);
            EXPECT_TRUE(Snapshot(0, 300, 999, 699) == getoond);
            for (auto [x, y] : {std::pair{p.x - 16, 337}, {p.x + 16, 337}, {p.x, 334}, {p.x, 340}})  // the bar's frame
                EXPECT_NE(Wimdows::BufferPixel(x, y), Wimdows::RgbColor(176, 0, 0)) << x << ", " << y;
            if (!g.klassiek) {
                TekenBitmaps::TekenBeurtBanner(g.team, g.nummer);
                TekenBitmaps::TekenAanZet(g.team);
            }
            EXPECT_TRUE(banner() == bannerGetoond && label() == aanZet) << "the team's own banner and title";
        });
        const std::string nr = std::to_string(g.konijn);
        Driver driver({{"move " + nr, Tap(300, Enter, 100)},
                       {"weapon " + nr, Choose(3) + Tap(900, Left) + Tap(1100, Space, 100)}});  // the axe, at nobody
        Trace::SetSink([&](const std::string& line) {
            EXPECT_TRUE(line != "move " + nr || (Konijntjes[g.konijn].Levens == 0 && !Level[p.x][p.y].Konijn));
            driver(line);
        });
        Beurt(g.konijn);
        Trace::SetSink(nullptr);
        ASSERT_GE(waits.size(), 2u);
        EXPECT_EQ(waits[1], 400u);
        EXPECT_GT(Runtime::WaitedMs(), BannerDuur);
        EXPECT_TRUE(banner() == leegBanner) << "gone at the redraw after its moment";
        EXPECT_TRUE(Konijntjes[g.konijn].Levens == 60 && Level[p.x][p.y].Konijn && Level[p.x - 15][p.y - 65].Konijn);
        for (uint32_t k = g.aantal + 1; k <= 8; ++k) EXPECT_FALSE(Level[100 * k][400].Konijn) << k;
    }
}

TEST_F(TurnsTest, MenusWrapAroundAndReturnTheChoices) {
    using Wimdows::VK_DOWN, Wimdows::VK_LEFT, Wimdows::VK_RETURN, Wimdows::VK_RIGHT, Wimdows::VK_UP;
    const struct { std::vector<uint32_t> keys; uint32_t level, aantal; bool wind; } keuzes[] = {
        // Up from entry 1 is entry 4 (credits, left with R); Down from 4 is 1.
        // Row 1: Left from 1 is 4 rabbits per team, Right from 4 is 1, and two
        // more Rights make 3 per team; wind off; Left from level 1 is level 2.
        {{VK_UP, VK_RETURN, VK_RETURN, 'R', VK_UP, VK_DOWN, VK_RETURN, VK_LEFT, VK_RIGHT, VK_RIGHT, VK_RIGHT,
          VK_RETURN, VK_RIGHT, VK_RETURN, VK_LEFT, VK_RETURN}, 2, 6, false},
        // R on the menu screen returns to the title with entry 1 selected;
        // Right from choice 2 of row 2 is choice 1: wind on.
        {{VK_RETURN, VK_RETURN, 'R', VK_RETURN, VK_RETURN, VK_RIGHT, VK_RIGHT, VK_RETURN, VK_RETURN}, 1, 2, true},
        // Entry 3 is the duel; the instruction pages flip for as long as
        // Enter is pressed, and only R leaves them.
        {{VK_DOWN, VK_RETURN, VK_RETURN, VK_RETURN, VK_RETURN, 'R', VK_DOWN, VK_DOWN, VK_RETURN}, 3, 2, false}};
    for (const auto& k : keuzes) {
        uint64_t t = 100;
        for (uint32_t key : k.keys) Headless::Tap(t += 100, key);
        const MENU m = Menus();
        EXPECT_TRUE(m.LevelNr == k.level && m.AantalKonijntjes == k.aantal && m.Wind == k.wind) << &k - keuzes;
    }
    EXPECT_EQ(Headless::WindowsOpened(), 4u) << "the menus open the window afresh";
}

// Title, Down, Enter: page 1; every Enter turns the page.
TEST_F(TurnsTest, InstructionPagesFlipWithEnter) {
    TekenBitmaps::TekenInstructies(1);
    const uint64_t page1 = Wimdows::WindowHash();
    TekenBitmaps::TekenInstructies(2);
    const uint64_t page2 = Wimdows::WindowHash();
    ASSERT_NE(page1, page2);
    for (auto [enters, page] : {std::pair{2, page2}, {3, page1}}) {
        Taps(Wimdows::VK_RETURN, enters, Taps(Wimdows::VK_DOWN, 1));
        RunUntilItWaits([] { Menus(); });  // the script runs out while the pages are shown
        EXPECT_EQ(Wimdows::WindowHash(), page) << enters;
    }
}

// --- the weapon phase ----------------------------------------------------------

TEST_F(TurnsTest, SightTurnsOnlyWhereItStaysInside) {
    TestSupport::SetFlatGround(500);
    // Down 31 times: the sight one column right of and 50 rows below the centre.
    Taps(Wimdows::VK_DOWN, 31);
    RunUntilItWaits([] { RichtPijl(500, 300, 1, 1); });
    const auto shown = Snapshot(493, 342, 512, 361);
    HermaakLevel();
    EXPECT_NE(Snapshot(493, 342, 512, 361), shown);
    TekenBitmaps::TekenVizier(501, 350);
    EXPECT_EQ(Snapshot(493, 342, 512, 361), shown);

    Headless::Tap(Taps(Wimdows::VK_DOWN, 31), Wimdows::VK_SPACE);
    EXPECT_NEAR(RichtPijl(500, 300, 1, 1), 1.55f, 1e-5f);
    // {x, Up taps, then Down taps, angle}. At x 30 Up stops at -1.90: one more
    // step puts the sight in column 11. At x 938 and 981 the sight starts past
    // the right margin: it turns either way towards the field, never back out.
    // At x 937 the sight at -0.10 lies on the margin's bound, still inside.
    const struct { int32_t x; int ups, downs; float angle; } turns[] = {
        {30, 60, 0, -1.90f}, {937, 3, 1, -0.10f}, {938, 1, 0, -0.05f}, {938, 0, 1, 0.05f},
        {981, 3, 2, -0.15f}, {981, 35, 0, -1.75f}, {981, 0, 3, 0.15f},
    };
    for (const auto& c : turns) {
        Headless::Tap(Taps(Wimdows::VK_DOWN, c.downs, Taps(Wimdows::VK_UP, c.ups)), Wimdows::VK_SPACE);
        EXPECT_NEAR(RichtPijl(c.x, 300, 1, 3), c.angle, 1e-5f) << c.x << " " << c.ups;
    }
    // Left and Right only answer with the message.
    Headless::Tap(Taps(Wimdows::VK_RIGHT, 1, Taps(Wimdows::VK_LEFT, 1)), Wimdows::VK_SPACE);
    testing::internal::CaptureStdout();
    EXPECT_EQ(RichtPijl(500, 300, 2, 2), 0.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Geen geldige toetsGeen geldige toets");
}

TEST_F(TurnsTest, PoseFollowsTheAngle) {
    auto pose = [](auto draw) {
        TestSupport::Clear(470, 250, 530, 350);
        draw();
        return Snapshot(470, 250, 530, 350);
    };
    using namespace TekenBitmaps;
    ASSERT_NE(pose([] { TekenKonijntjeBazookaRechts(500, 330, 3, 1); }),
              pose([] { TekenKonijntjeBazookaRechts(500, 330, 2, 1); }));
    // {angle, team, weapon, the pose}: 7 radians is drawn as about 0.7168, below right.
    const struct { float hoek; uint32_t team, wapen; void (*teken)(); } poses[] = {
        {7.0f, 1, 1, [] { TekenKonijntjeBazookaRechts(500, 330, 3, 1); }},
        {-2.0f, 2, 3, [] { TekenKonijntjePistoolLinks(500, 330, 1, 2); }},
        {3.1415927f, 2, 3, [] { TekenKonijntjePistoolLinks(500, 330, 2, 2); }},
        {-1.0f, 1, 2, [] { TekenKonijntjeGranaatRechts(500, 330, 1); }}};
    for (const auto& p : poses)
        EXPECT_EQ(pose([&] { TekenKonijntjeWapen(500, 300, p.hoek, p.team, p.wapen); }), pose(p.teken)) << p.hoek;
}

TEST_F(TurnsTest, PowerGrowsWhileSpaceIsHeld) {
    const Wimdows::Color darkRed = Wimdows::RgbColor(176, 0, 0);
    auto charge = [](uint64_t holdMs) {
        TestSupport::Clear(530, 645, 760, 680);
        Headless::Press(Wimdows::VK_SPACE);
        Headless::Schedule({{Headless::Now() + holdMs, Headless::Action::Release, Wimdows::VK_SPACE}});
        return TestKracht();
    };
    const uint64_t start = Headless::Now();
    EXPECT_EQ(charge(3500), 406.0f);
    EXPECT_EQ(Headless::Now() - start, 58u * 50);
    EXPECT_EQ(Wimdows::BufferPixel(681, 673), darkRed);
    EXPECT_EQ(Wimdows::BufferPixel(682, 662), 0u);
    // One step: 2.5 pixels, rounded up.
    EXPECT_EQ(charge(30), 7.0f);
    EXPECT_EQ(Wimdows::BufferPixel(539, 651), darkRed);
    EXPECT_EQ(Wimdows::BufferPixel(540, 662), 0u);
    // Released before the meter starts: no power (the duel's shots at power 0
    // hold it).
}

TEST_F(TurnsTest, WeaponChoice) {
    TestSupport::SetFlatGround(401);
    TestSupport::PutRabbit(1, 500, 400, 0, 1);
    auto slot = [] { return Snapshot(748, 617, 813, 682); };
    auto pose = [] { return Snapshot(480, 330, 520, 410); };
    // Runs the choice up to the aiming; checks the weapon shown and the pose.
    auto choose = [&](int32_t levens, uint32_t expected) {
        RunUntilItWaits([&] { KiesWapen(1, levens, 0); });
        const auto shownSlot = slot(), shownPose = pose();
        TekenBitmaps::TekenWapen(expected);
        EXPECT_EQ(shownSlot, slot()) << expected;
        TekenBitmaps::TekenWapen(3 - expected);
        EXPECT_NE(shownSlot, slot()) << expected;
        HermaakLevel();
        TekenKonijntjeWapen(500, 370, 0, 1, expected);
        EXPECT_EQ(shownPose, pose()) << expected;
    };

    int32_t none = 0;
    const uint64_t start = Headless::Now();
    KiesWapen(1, none, 0);  // a rabbit without lives gets nothing
    EXPECT_EQ(Headless::Now(), start);

    // Enter still held from the movement: the bazooka, no key taken.
    Headless::Press(Wimdows::VK_RETURN);
    Headless::Schedule({{start + 1000, Headless::Action::Release, Wimdows::VK_RETURN}});
    choose(100, 1);
    // B five times comes back to the bazooka, six times gives the grenade.
    Headless::Tap(Taps(0x42, 5), Wimdows::VK_RETURN, 1000);
    choose(100, 1);
    Headless::Tap(Taps(0x42, 6), Wimdows::VK_RETURN, 1000);
    choose(100, 2);
}

// Level 1 with four rabbits on its ground; 2 stands within the axe's reach of 1.
void Opstelling() {
    TestSupport::ResetGame();
    for (int32_t deel = 1; deel <= 3; ++deel)
        LeesLevelDeel("Files/Level1Part" + std::to_string(deel) + ".txt", Level, 200 * (deel - 1) + 1);
    Menu.AantalKonijntjes = 4;
    const int32_t xs[] = {200, 228, 500, 760};
    for (uint32_t k = 1; k <= 4; ++k) {
        int32_t y = 70;
        while (!Level[xs[k - 1]][y + 1].Grond) ++y;
        TestSupport::PutRabbit(k, xs[k - 1], y, 100, 2 - k % 2);
        PlaatsKonijntje(k, true);
    }
}

// Plays the keys of the weapon choice, the aiming and the power meter.
void Speel(uint32_t k, const Toetsen& t, int32_t wind) {
    const uint64_t t0 = Headless::Now();
    for (uint32_t b = 1; b < static_cast<uint32_t>(t.wapen); ++b) Headless::Tap(t0 + 250 + 50 * b, 'B');
    Headless::Tap(t0 + 600, Wimdows::VK_RETURN, 200);
    for (int32_t i = 0; i < std::abs(t.Omhoog); ++i) Headless::Tap(t0 + 900 + 40 * i, t.Omhoog > 0 ? Wimdows::VK_UP : Wimdows::VK_DOWN);
    if (t.wapen == Wapen::Bijl && t.BijlKant == 1) Headless::Tap(t0 + 900, Wimdows::VK_RIGHT);
    if (t.wapen == Wapen::Dynamiet) Headless::Tap(t0 + 1000, Wimdows::VK_RIGHT, 300);
    // Space held into the meter's n-th step of 50 ms; the axe's swing and the
    // walk's end want a key that is still down when they look.
    const uint64_t vast = t.wapen == Wapen::Bijl || t.wapen == Wapen::Dynamiet ? 100 : 0;
    const uint64_t n = t.Krachtstappen;
    Headless::Tap(t0 + 3500, t.wapen == Wapen::Dynamiet ? Wimdows::VK_RETURN : Wimdows::VK_SPACE, n > 0 ? 50 * n - 25 : vast);
    int32_t levens = 100;
    KiesWapen(k, levens, wind);
    Runtime::Delay(4000);  // every key released before the next shot
}

TEST_F(TurnsTest, TheShotSimulatorForeseesWhatTheGameDoes) {
    const struct { uint32_t k; Toetsen t; int32_t wind; } shots[] = {
        {1, {Wapen::Bazooka, 10, 30}, -75}, {3, {Wapen::Bazooka, -5, 45}, 100}, {1, {Wapen::Granaat, 0, 0}, 0},
        {3, {Wapen::Granaat, -20, 50}, 0},  {1, {Wapen::Pistool, -3}, 0},       {4, {Wapen::Pistool, 64}, 0},
        {1, {Wapen::Bijl, 0, 0, -1}, 0},    {1, {Wapen::Bijl, 0, 0, 1}, 0},     {1, {Wapen::Dynamiet}, 0}};
    static LEVEL voor;
    for (const auto& s : shots) {
        Opstelling();
        voor = Level;
        const KONIJN konijnen = Konijntjes;
        Speel(s.k, s.t, s.wind);
        Toetsen t = s.t;
        if (t.wapen == Wapen::Dynamiet) {
            t.WegNaar = Konijntjes[s.k].Positie;
            EXPECT_NE(*t.WegNaar, konijnen[s.k].Positie) << "the rabbit ran from its charge";
        }
        const SchotUitslag u = Simuleer(Stand{voor, konijnen, 4, s.wind}, s.k, t);
        const std::string shot = std::to_string(int(t.wapen)) + " by " + std::to_string(s.k) + " up " + std::to_string(t.Omhoog);
        for (uint32_t k = 1; k <= 8; ++k) EXPECT_EQ(Konijntjes[k].Levens, u.Levens[k]) << shot << ": rabbit " << k;
        const Inslag& laatste = SchadeArray[AANTALINSLAGEN];
        EXPECT_EQ(AANTALINSLAGEN, u.Krater.Grootte > 0 ? 1u : 0u) << shot;
        EXPECT_TRUE(u.Krater.Grootte == 0 ||
                    (laatste.x == u.Krater.x && laatste.y == u.Krater.y && laatste.Grootte == u.Krater.Grootte)) << shot;
        // The ground taken away is the crater's ground, no more, no less (the
        // whole games hold the ground of every turn).
    }
}

}  // namespace

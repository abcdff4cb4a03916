// Whose turn it is, when a team has lost and the lives bars, on rabbits of
// the test's own; the turn's opening and its held lives; the screens before
// a game.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/Menus.h"
#include "game/Placement.h"
#include "game/Trace.h"
#include "game/Turns.h"
#include "game/TurnBanner.h"
#include "game/Level.h"
#include "game/movement/TurnClock.h"
#include "gfx/Headless.h"
#include "gfx/TekenBitmaps.h"
#include "tests/ScriptedGame.h"
#include "tests/Snapshot.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;
using namespace ScriptedGame;

namespace {

// Rabbits 1, 2, ... with these lives, odd numbers red.
KONIJN Ploeg(const std::vector<int32_t>& levens) {
    KONIJN k;
    for (uint32_t i = 1; i <= levens.size(); ++i) k[i] = {{int32_t(100 * i), 300}, levens[i - 1], i % 2 ? 1u : 2u};
    return k;
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
// so that a full team fills columns 30 to 230.
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

bool Grijs(int32_t x, int32_t y) { return Wimdows::BufferPixel(x, y) == Wimdows::RgbColor(128, 128, 128); }

TEST_F(TurnsTest, TheBarsTurnGreyFromTheirColumns) {
    TekenBitmaps::TekenStatusbalk(0);
    Konijntjes = Ploeg({50, 100, 0, 1});  // columns 80 and 131
    TekenLevensStatusbalk(4, Konijntjes);
    const struct { int32_t x, y; bool grijs; } pixels[] = {
        {79, 653, false}, {80, 647, true}, {230, 659, true}, {80, 646, false}, {80, 660, false},
        {130, 674, false}, {131, 668, true}, {230, 680, true}, {131, 667, false}, {131, 681, false}};
    for (const auto& p : pixels) EXPECT_EQ(Grijs(p.x, p.y), p.grijs) << p.x << ", " << p.y;
    // The numbers on the bars (not in classic mode): 50 red, 101 blue.
    for (bool klassiek : {false, true}) {
        Klassiek = klassiek;
        TekenBitmaps::TekenStatusbalk(0);
        TekenLevensStatusbalk(4, Konijntjes);
        for (auto [y, getal] : {std::pair{LevensGetalRood, 50}, {LevensGetalBlauw, 101}}) {
            const auto getoond = TestSupport::Snapshot(LevensGetalX, y, LevensGetalX + 26, y + 11);
            TekenBitmaps::TekenKleinGetal(LevensGetalX, y, getal, 3);
            EXPECT_EQ(TestSupport::Snapshot(LevensGetalX, y, LevensGetalX + 26, y + 11) == getoond, !klassiek) << getal;
        }
    }
    Klassiek = false;
}

TEST_F(TurnsTest, TheVictoryScreenWaitsForROrEnter) {
    Konijntjes = Ploeg({10, 50, -30, 50});
    Headless::Tap(100, Wimdows::VK_SPACE);  // other keys only draw it again
    Headless::Tap(200, 'R');
    EXPECT_EQ(ControleerOverwinning(4, Konijntjes), Afloop::Titel);
    EXPECT_EQ(Headless::Now(), 200u);
    const Wimdows::Color getoond = Wimdows::WindowPixel(500, 350);
    const auto voet = [] { return TestSupport::Snapshot(1, 653, 999, 699); };
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
    const int32_t bx = TekenBitmaps::BannerX, by = TekenBitmaps::BannerY, lx = TekenBitmaps::AanZetX,
                  ly = TekenBitmaps::AanZetY;
    const auto banner = [&] { return TestSupport::Snapshot(bx, by, bx + 319, by + 43); };
    const auto label = [&] { return TestSupport::Snapshot(lx, ly, lx + 239, ly + 27); };
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
        for (uint32_t k = 1; k <= 8; ++k) {
            Konijntjes[k].Positie = {int32_t(100 * k), 400};
            PlaatsKonijntje(k, true);
        }
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
            const auto getoond = TestSupport::Snapshot(0, 300, 999, 699), bannerGetoond = banner(), aanZet = label();
            EXPECT_EQ(bannerGetoond == leegBanner, g.klassiek);
            EXPECT_EQ(aanZet == leegLabel, g.klassiek);
            TekenLevensStatusbalk(g.aantal, Konijntjes);
            GeefTijd(50);
            TekenBitmaps::TekenKonijntje(p.x, p.y, g.team);
            TekenBitmaps::TekenPijl(p.x, p.y);
            Wimdows::Rectangle(p.x - 15, p.y - 65, p.x + 15, p.y - 61, Wimdows::RgbColor(176, 0, 0), true);
            Wimdows::Rectangle(p.x - 15, p.y - 65, p.x + 5, p.y - 61, Wimdows::RgbColor(0, 176, 0), true);
            EXPECT_TRUE(TestSupport::Snapshot(0, 300, 999, 699) == getoond);
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
            if (line == "move " + nr) {
                EXPECT_TRUE(Konijntjes[g.konijn].Levens == 0 && !Level[p.x][p.y].Konijn);
            }
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
    Klassiek = false;
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

// Title, Down, Enter: page 1; every Enter turns the page, so five end on page 2.
TEST_F(TurnsTest, InstructionPagesFlipWithEnter) {
    TekenBitmaps::TekenInstructies(1);
    const uint64_t page1 = Wimdows::WindowHash();
    TekenBitmaps::TekenInstructies(2);
    const uint64_t page2 = Wimdows::WindowHash();
    ASSERT_NE(page1, page2);
    Headless::Tap(100, Wimdows::VK_DOWN);
    for (uint64_t t = 200; t <= 700; t += 100) Headless::Tap(t, Wimdows::VK_RETURN);
    Headless::SetFailOnStarvation(true);
    EXPECT_THROW(Menus(), std::runtime_error);  // the script runs out while the pages are shown
    EXPECT_EQ(Wimdows::WindowHash(), page2);
}

}  // namespace

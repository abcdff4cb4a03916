// Whose turn it is, when a team has lost, the lives bars, and the screens
// before a game.
#include <gtest/gtest.h>

#include <vector>

#include "game/Level.h"
#include "game/Menus.h"
#include "game/Trace.h"
#include "game/Turns.h"
#include "gfx/Headless.h"
#include "gfx/TekenBitmaps.h"
#include "tests/ScriptedGame.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;
using namespace ScriptedGame;

namespace {

class TurnsTest : public TestSupport::GameTest {
protected:
    // Eight rabbits, odd numbers red, all alive.
    void EightRabbits() {
        for (uint32_t k = 1; k <= 8; ++k) TestSupport::PutRabbit(k, int32_t(100 * k), 300, 100, k % 2 ? 1 : 2);
    }
    std::vector<uint32_t> Order(uint32_t count, int turns) {
        std::vector<uint32_t> order;
        uint32_t k = 0;
        for (int i = 0; i < turns; ++i) order.push_back(k = ControleerWelkKonijntje(k, count, Konijntjes));
        return order;
    }
    // The colour of the lives bars at a column: 0 grey, 1 still coloured.
    bool Grey(int32_t x, int32_t y) { return Wimdows::BufferPixel(x, y) == Wimdows::RgbColor(128, 128, 128); }
};

// Presses keys at the screens of the menus and returns what they chose.
MENU MenuKeys(const std::vector<uint32_t>& keys) {
    uint64_t t = 100;
    for (uint32_t k : keys) Headless::Tap(t += 100, k);
    return Menus();
}

}  // namespace

TEST_F(TurnsTest, TheTurnPassesToTheOtherTeamCountingOnFromTheLastRabbit) {
    EightRabbits();
    EXPECT_EQ(Order(8, 3), (std::vector<uint32_t>{1, 2, 3}));
    Konijntjes[2].Team = 1;  // whatever the colours: rabbit 1 first, then 2
    Konijntjes[1].Team = 2;
    EXPECT_EQ(Order(8, 2), (std::vector<uint32_t>{1, 2}));
    EightRabbits();
    Konijntjes[3].Levens = 0;
    EXPECT_EQ(Order(8, 7), (std::vector<uint32_t>{1, 2, 5, 6, 7, 8, 1}));
    EightRabbits();
    Konijntjes[4].Levens = -12;  // below 0: never chosen again
    EXPECT_EQ(Order(8, 7), (std::vector<uint32_t>{1, 2, 3, 6, 7, 8, 1}));
}

TEST_F(TurnsTest, ATeamWhoseLivesAddUpToNothingHasLost) {
    TestSupport::PutRabbit(1, 100, 300, 10, 1);
    TestSupport::PutRabbit(2, 200, 300, 50, 2);
    TestSupport::PutRabbit(3, 300, 300, -30, 1);
    TestSupport::PutRabbit(4, 400, 300, 50, 2);
    // Other keys only redraw the victory screen; R leaves it.
    Headless::Tap(100, Wimdows::VK_SPACE);
    Headless::Tap(200, 'R');
    EXPECT_TRUE(ControleerOverwinning(4, Konijntjes));
    EXPECT_EQ(Headless::Now(), 200u);
    EXPECT_EQ(Wimdows::WindowPixel(500, 350), Wimdows::BufferPixel(500, 350));
    // The screen shown is the blue team's.
    TekenBitmaps::TekenOverwinning(2);
    const Wimdows::Color blue = Wimdows::WindowPixel(500, 350);
    TekenBitmaps::TekenOverwinning(1);
    ASSERT_NE(Wimdows::WindowPixel(500, 350), blue);

    // Both teams out after one turn: team 2's screen. An R still queued from
    // the turn ends it at once.
    Konijntjes[1].Levens = 0;
    Konijntjes[2].Levens = Konijntjes[4].Levens = -5;
    Headless::Press('R');
    EXPECT_TRUE(ControleerOverwinning(4, Konijntjes));
    EXPECT_EQ(Wimdows::WindowPixel(500, 350), blue);

    Konijntjes[1].Levens = Konijntjes[2].Levens = 1;
    Konijntjes[3].Levens = Konijntjes[4].Levens = 0;
    EXPECT_FALSE(ControleerOverwinning(4, Konijntjes));
}

TEST_F(TurnsTest, LivesBarsKeepRunningTotals) {
    TekenBitmaps::TekenStatusbalk(0);
    // Team 1: 10 then -30 gives 0; -30 then 10 gives 10 (a total below 0 is 0).
    TestSupport::PutRabbit(1, 100, 300, 10, 1);
    TestSupport::PutRabbit(2, 200, 300, 100, 2);
    TestSupport::PutRabbit(3, 300, 300, -30, 1);
    TestSupport::PutRabbit(4, 400, 300, 70, 2);
    TekenLevensStatusbalk(4, Konijntjes);
    EXPECT_TRUE(Grey(30, 650));
    EXPECT_FALSE(Grey(199, 670));  // team 2: 170 of 200
    EXPECT_TRUE(Grey(200, 670));
    TekenBitmaps::TekenStatusbalk(0);
    std::swap(Konijntjes[1].Levens, Konijntjes[3].Levens);
    TekenLevensStatusbalk(4, Konijntjes);
    EXPECT_FALSE(Grey(39, 650));
    EXPECT_TRUE(Grey(40, 650));
    EXPECT_TRUE(Grey(230, 650));
    // Six rabbits: 300 lives fill 200 columns; 100 lives reach column 96.
    TekenBitmaps::TekenStatusbalk(0);
    for (uint32_t k = 1; k <= 6; ++k) TestSupport::PutRabbit(k, int32_t(100 * k), 300, k == 1 ? 100 : 0, k % 2 ? 1 : 2);
    TekenLevensStatusbalk(6, Konijntjes);
    EXPECT_FALSE(Grey(95, 650));
    EXPECT_TRUE(Grey(96, 650));
    EXPECT_TRUE(Grey(30, 670));
    // A full team leaves just column 230 grey.
    TekenBitmaps::TekenStatusbalk(0);
    Konijntjes[3].Levens = Konijntjes[5].Levens = 100;
    TekenLevensStatusbalk(6, Konijntjes);
    EXPECT_FALSE(Grey(229, 650));
    EXPECT_TRUE(Grey(230, 650));
}

TEST_F(TurnsTest, MenusWrapAroundAndReturnTheChoices) {
    using Wimdows::VK_DOWN, Wimdows::VK_LEFT, Wimdows::VK_RETURN, Wimdows::VK_RIGHT, Wimdows::VK_UP;
    // Up from entry 1 is entry 4 (credits, left with R); Down from 4 is 1.
    // Row 1: Left from 1 is 4 rabbits per team, Right from 4 is 1, and two
    // more Rights make 3 per team; wind off; Left from level 1 is level 2.
    MENU m = MenuKeys({VK_UP, VK_RETURN, VK_RETURN, 'R', VK_UP, VK_DOWN, VK_RETURN,
                       VK_LEFT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN,
                       VK_RIGHT, VK_RETURN, VK_LEFT, VK_RETURN});
    EXPECT_EQ(m.AantalKonijntjes, 6u);
    EXPECT_FALSE(m.Wind);
    EXPECT_EQ(m.LevelNr, 2u);
    EXPECT_EQ(Headless::WindowsOpened(), 2u) << "the menus open the window afresh";

    // Right from choice 2 of row 2 is choice 1: wind on. R on the menu screen
    // returns to the title with entry 1 selected.
    m = MenuKeys({VK_RETURN, VK_RETURN, 'R', VK_RETURN, VK_RETURN, VK_RIGHT, VK_RIGHT, VK_RETURN, VK_RETURN});
    EXPECT_EQ(m.AantalKonijntjes, 2u);
    EXPECT_TRUE(m.Wind);
    EXPECT_EQ(m.LevelNr, 1u);

    // Entry 3 is the duel; the instruction pages flip for as long as Enter
    // is pressed, and only R leaves them.
    m = MenuKeys({VK_DOWN, VK_RETURN, VK_RETURN, VK_RETURN, VK_RETURN, 'R', VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(m.LevelNr, 3u);
    EXPECT_EQ(m.AantalKonijntjes, 2u);
    EXPECT_FALSE(m.Wind);
}

// The game loop: the window opens twice at start-up; a second game on
// another level keeps nothing of the first; with wind off the wind panel
// keeps the picture of the start and the weapons get wind 0.
TEST_F(TurnsTest, EveryGameStartsClean) {
    Headless::Reset();
    TestSupport::WriteFile("Files/RandomFile.txt", "    42\r\n 3.5000E-1\r\n");
    std::vector<Reaction> script = {
        {"title", Tap(100, Wimdows::VK_DOWN) + Tap(200, Wimdows::VK_DOWN) + Tap(300, Enter)},
        {"victory", Tap(500, 'R')},
        {"title", Tap(100, Enter) + Tap(200, Enter) + Tap(300, Right) + Tap(400, Enter) + Tap(500, Right) +
                      Tap(600, Enter)},
    };
    for (int i = 0; i < 10; ++i) {  // every turn: a shot at the shooter's own feet
        script.push_back({"move", Tap(300, Enter, 100)});
        script.push_back({"weapon", Choose(0) + AimAndFire(0, 0)});
    }
    Driver driver(script);
    int games = 0, titles = 0;
    std::vector<Wimdows::Color> windPanel;
    auto panel = [] {
        std::vector<Wimdows::Color> p;
        for (int32_t y = 600; y < 700; ++y)
            for (int32_t x = 263; x <= 440; ++x) p.push_back(Wimdows::WindowPixel(x, y));
        return p;
    };
    Trace::SetSink([&](const std::string& line) {
        driver(line);
        if (line == "title" && ++titles == 1) {
            EXPECT_EQ(Headless::WindowsOpened(), 2u);
        }
        if (line.rfind("weapon", 0) == 0) {
            EXPECT_NE(line.find("wind 0"), std::string::npos) << line;
        }
        if (line.rfind("start", 0) == 0) {
            ++games;
            windPanel = panel();
            EXPECT_EQ(AANTALINSLAGEN, 0u);
            LEVEL fresh;
            for (int part = 1; part <= 3; ++part)
                LeesLevelDeel("Files/Level" + std::to_string(Menu.LevelNr) + "Part" + std::to_string(part) + ".txt",
                              fresh, 200 * (part - 1) + 1);
            int differ = 0, marks = 0;
            for (int32_t x = 1; x <= 1000; ++x)
                for (int32_t y = 1; y <= 600; ++y) {
                    differ += Level[x][y].Grond != fresh[x][y].Grond;
                    marks += Level[x][y].Konijn;
                }
            EXPECT_EQ(differ, 0) << "game " << games << " keeps ground of the game before";
            EXPECT_EQ(marks, 2 * 31 * 66) << "game " << games << ": two rabbits' marks, nothing else";
        }
        if (line.rfind("turn", 0) == 0) {
            EXPECT_EQ(panel(), windPanel) << line;
        }
    });
    EXPECT_EQ(Main(), 0);
    Trace::SetSink(nullptr);
    EXPECT_EQ(games, 2);
}

// A turn opens with the rabbit, its arrow and a full clock, not the last
// player's 37: at the turn's first wait the arrow is up and drawing 50
// changes nothing.
TEST_F(TurnsTest, TheTurnOpensWithItsOwnClock) {
    TestSupport::PutRabbit(1, 500, 400, 100, 1);
    TekenBitmaps::TekenCijfer(932, 634, 3);
    TekenBitmaps::TekenCijfer(956, 634, 7);
    Wimdows::UpdateWindow();
    const Wimdows::Color lucht = Wimdows::WindowPixel(500, 331);
    auto klok = [] {
        std::vector<Wimdows::Color> p;
        for (int32_t y : {640, 660})
            for (int32_t x = 932; x < 978; ++x) p.push_back(Wimdows::WindowPixel(x, y));
        return p;
    };
    int waits = 0;
    Headless::AtEveryWait([&] {
        if (waits++) return;
        EXPECT_NE(Wimdows::WindowPixel(500, 331), lucht) << "the arrow is up";
        const auto getoond = klok();
        TekenBitmaps::TekenCijfer(932, 634, 5);
        TekenBitmaps::TekenCijfer(956, 634, 0);
        Wimdows::UpdateWindow();
        EXPECT_EQ(klok(), getoond);
    });
    Headless::Tap(900, Wimdows::VK_RETURN);
    EXPECT_THROW(Beurt(1), Wimdows::QuitGame);  // no key comes for the weapon
    EXPECT_GT(waits, 0);
}

TEST_F(TurnsTest, InstructionPagesFlipWithEnter) {
    using Wimdows::VK_DOWN, Wimdows::VK_RETURN;
    TekenBitmaps::TekenInstructies(1);
    const uint64_t page1 = Wimdows::WindowHash();
    TekenBitmaps::TekenInstructies(2);
    const uint64_t page2 = Wimdows::WindowHash();
    ASSERT_NE(page1, page2);
    // Title, Down, Enter: page 1; every Enter turns the page.
    Headless::Tap(100, VK_DOWN);
    Headless::Tap(200, VK_RETURN);
    for (uint64_t t = 300; t <= 700; t += 100) Headless::Tap(t, VK_RETURN);
    Headless::SetFailOnStarvation(true);
    try {
        Menus();
    } catch (const std::runtime_error&) {
        // the script ran out while the pages were shown
    }
    EXPECT_EQ(Wimdows::WindowHash(), page2) << "five turns from page 1 end on page 2";
}

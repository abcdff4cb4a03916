// The computer player's judgement on small fields where the winning shot is
// known: the hard player finds it, and what it plans does what it expected
// when the simulator plays it.

#include <filesystem>

#include "game/Placement.h"
#include "game/computer/Choice.h"
#include "game/replay/Replay.h"
#include "bench/ComputerMatch.h"
#include "tests/ScriptedGame.h"
#include "game/computer/Planner.h"
#include "game/weapons/ShotSimulator.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using Computer::Speler;

// Ground in columns x0..x1 from row `van` down to row `tot` (the water
// unless given).
struct Blok {
    int32_t x0, x1, van, tot = Veld::Hoogte;
};

struct Positie {
    const char* naam;
    std::vector<Blok> grond;  // on flat ground at row 500
    std::vector<KonijnRecord> konijnen;
    int32_t wind;
    std::vector<Wapen> wapens;  // the weapons that win here
};

TEST(ComputerTest, HardFindsTheWinningShot) {
    const Positie posities[] = {
        {"bazooka over a hill", {{420, 480, 250}}, {{{250, 499}, 100, 1}, {{700, 499}, 25, 2}}, 0,
         {Wapen::Bazooka, Wapen::Granaat}},
        {"with the wind", {{420, 480, 250}}, {{{250, 499}, 100, 1}, {{700, 499}, 20, 2}}, 50,
         {Wapen::Bazooka, Wapen::Granaat}},
        // Under a roof that reaches down to its head, in a dead end: only a
        // grenade rolled in along the floor, or bounced off the far wall, gets there.
        {"grenade off a wall", {{420, 480, 250}, {481, 640, 250, 400}, {720, 997, 250}},
         {{{250, 499}, 100, 1}, {{620, 499}, 20, 2}}, 0, {Wapen::Granaat}},
        // In a pit too narrow to run from the dynamite: the axe.
        {"axe in a pit", {{1, 449, 300}, {511, 1000, 300}}, {{{470, 499}, 100, 1}, {{490, 499}, 30, 2}}, 0,
         {Wapen::Bijl}},
        // Two enemies at its side, 45 lives each: only the dynamite takes
        // both, and the rabbit runs before it goes off.
        {"dynamite and away", {}, {{{500, 499}, 100, 1}, {{520, 499}, 45, 2}, {{200, 499}, 100, 1}, {{485, 499}, 45, 2}},
         0, {Wapen::Dynamiet}},
    };
    for (const Positie& p : posities) {
        SCOPED_TRACE(p.naam);
        TestSupport::ResetGame();
        TestSupport::SetFlatGround(500);
        for (const Blok& b : p.grond)
            for (int32_t x = b.x0; x <= b.x1; ++x)
                for (int32_t y = b.van; y <= b.tot; ++y) Level[x][y].Grond = true;
        const uint32_t n = uint32_t(p.konijnen.size());
        for (uint32_t k = 1; k <= n; ++k) {
            Konijntjes[k] = p.konijnen[k - 1];
            PlaatsKonijntje(k, true);
        }
        const Stand stand{Level, Konijntjes, n, p.wind};
        Computer::Kans kans{1};
        const Computer::Plan plan = Computer::Kies(stand, 1, Speler::Moeilijk, kans);
        EXPECT_NE(std::find(p.wapens.begin(), p.wapens.end(), plan.toetsen.wapen), p.wapens.end())
            << "weapon " << int(plan.toetsen.wapen) << " from " << plan.Na.x << "," << plan.Na.y;
        EXPECT_GT(plan.Waarde, 50000) << "the game won";
        // The simulator, playing its keys from where the move leaves it,
        // agrees: every enemy out, its own lives whole. (That its turns go
        // as it foresaw them, the golden game of two computers checks.)
        PlaatsKonijntje(1, false);
        Konijntjes[1].Positie = plan.Na;
        PlaatsKonijntje(1, true);
        const SchotUitslag u = Simuleer(Stand{Level, Konijntjes, n, p.wind}, 1, plan.toetsen);
        for (uint32_t k = 2; k <= n; k += 2) EXPECT_LE(u.Levens[k], 0) << "rabbit " << k;
        EXPECT_EQ(u.Levens[1], 100) << "its own lives";
        if (p.wind != 0) {
            const SchotUitslag stil = Simuleer(Stand{Level, Konijntjes, n, 0}, 1, plan.toetsen);
            EXPECT_GT(stil.Levens[2], 0) << "the same keys without the wind miss";
        }
        EXPECT_NE(Computer::Kies(stand, 1, Speler::Makkelijk, kans).toetsen.wapen, Wapen::Granaat)
            << "the easy player never throws the grenade";
    }
}

class ComputerGame : public TestSupport::GameDirTest {};

// C on the title cycles who plays blue and remembers it (not with
// --classic, whose title stays as it was).
TEST_F(ComputerGame, TheTitleChoosesWhoPlaysBlue) {
    using namespace ScriptedGame;
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"--classic"}}) {
        const bool klassiek = !args.empty();
        Headless::Reset();
        std::remove("Computer.txt");
        if (klassiek) Computer::BewaarBlauw(Speler::Moeilijk);
        Driver driver({});
        for (uint64_t t : {100, 200, 300, 400, 500}) Headless::Tap(t, 'C');
        EXPECT_EQ(Play(driver, args), 0);
        // Easy, normal, hard, a person, easy; classic: kept, but a person plays.
        EXPECT_EQ(Computer::LeesBlauw(), klassiek ? Speler::Moeilijk : Speler::Makkelijk);
        EXPECT_EQ(Computer::Blauw, klassiek ? Speler::Mens : Speler::Makkelijk);
        EXPECT_EQ(driver.Trace().find("blue hard\nblue person\nblue easy\n") != std::string::npos, !klassiek)
            << driver.Trace();
    }
    // Left for the title in the computer's turn, the title takes the
    // person's keys again.
    Headless::Reset();
    std::remove("Computer.txt");
    Driver driver({{"title", Tap(100, Down) + Tap(200, Down) + Tap(300, Enter)},
                   {"move 1", Tap(700, 0x1B) + Tap(800, Down) + Tap(900, Enter)},
                   {"title", Tap(100, 'C') + Tap(200, 'Q')}});
    EXPECT_EQ(Play(driver, {"--red", "hard"}), 0);
    EXPECT_NE(driver.Trace().find("quit to title\ntitle\nblue easy\nquit\n"), std::string::npos) << driver.Trace();
    EXPECT_EQ(Headless::ClosedByPlayerAt(), UINT64_MAX) << "Q closed the game, not a title without keys";
}

// A whole game of two computers, from the title to the victory, against its
// golden trace. The hard player's turns
// end as it foresaw them: its keys carried out its plan exactly.
TEST_F(ComputerGame, TwoComputersPlayTheGoldenGame) {
    TestSupport::WriteFile("Files/RandomFile.txt", "    42\r\n 3.5000E-1\r\n");
    std::string trace;
    const auto uit = ComputerMatch::Speel({{1, 1, true, Speler::Normaal, Speler::Moeilijk}}, 16,
                                          [&](const std::string& l) { trace += l + "\n"; });
    ASSERT_EQ(uit.size(), 1u);
    EXPECT_NE(uit[0].winnaar, 0u) << trace;
    for (const std::string& a : uit[0].anders) ADD_FAILURE() << a;
    TestSupport::CompareWithGolden(trace, "computer_game.trace");
    // Its record plays back as the game went: the computer kept every rule
    // a person keeps, pressing keys only.
    for (const auto& f : std::filesystem::directory_iterator(Replay::Map))
        EXPECT_NE(TestSupport::ReadFile(f.path()).find("team 1 normal\nteam 2 hard\n"), std::string::npos);
    EXPECT_EQ(TestSupport::CheckRecords(Replay::Map, 1), "");
}

}  // namespace

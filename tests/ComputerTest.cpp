// The computer player's judgement on small fields where the winning shot is
// known: the hard player finds it, and what it plans does what it expected
// when the simulator plays it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "game/Options.h"
#include "game/Placement.h"
#include "game/computer/Choice.h"
#include "game/replay/Replay.h"
#include "game/replay/Verify.h"
#include "bench/ComputerMatch.h"
#include "tests/ScriptedGame.h"
#include "game/computer/Planner.h"
#include "game/weapons/ShotSimulator.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using Computer::Speler;

// Ground from row `van` down to the water, in columns x0..x1.
void Grond(int32_t x0, int32_t x1, int32_t van, int32_t tot = Veld::Hoogte) {
    for (int32_t x = x0; x <= x1; ++x)
        for (int32_t y = van; y <= tot; ++y) Level[x][y].Grond = true;
}

struct Positie {
    const char* naam;
    std::function<void()> veld;  // on flat ground at row 500
    std::vector<KonijnRecord> konijnen;
    int32_t wind;
    std::vector<Wapen> wapens;  // the weapons that win here
};

TEST(ComputerTest, HardFindsTheWinningShot) {
    const Positie posities[] = {
        {"bazooka over a hill", [] { Grond(420, 480, 250); }, {{{250, 499}, 100, 1}, {{700, 499}, 25, 2}}, 0,
         {Wapen::Bazooka, Wapen::Granaat}},
        {"with the wind", [] { Grond(420, 480, 250); }, {{{250, 499}, 100, 1}, {{700, 499}, 20, 2}}, 50,
         {Wapen::Bazooka, Wapen::Granaat}},
        // Under a roof that reaches down to its head, in a dead end: only a
        // grenade rolled in along the floor, or bounced off the far wall, gets there.
        {"grenade off a wall",
         [] {
             Grond(420, 480, 250);
             Grond(481, 640, 250, 400);
             Grond(720, 997, 250);
         },
         {{{250, 499}, 100, 1}, {{620, 499}, 20, 2}}, 0, {Wapen::Granaat}},
        // In a pit too narrow to run from the dynamite: the axe.
        {"axe in a pit",
         [] {
             Grond(1, 449, 300);
             Grond(511, 1000, 300);
         },
         {{{470, 499}, 100, 1}, {{490, 499}, 30, 2}}, 0, {Wapen::Bijl}},
        // Two enemies at its side, 45 lives each: only the dynamite takes
        // both, and the rabbit runs before it goes off.
        {"dynamite and away", [] {}, {{{500, 499}, 100, 1}, {{520, 499}, 45, 2}, {{200, 499}, 100, 1}, {{485, 499}, 45, 2}},
         0, {Wapen::Dynamiet}},
    };
    for (const Positie& p : posities) {
        SCOPED_TRACE(p.naam);
        TestSupport::ResetGame();
        TestSupport::SetFlatGround(500);
        p.veld();
        const uint32_t n = uint32_t(p.konijnen.size());
        for (uint32_t k = 1; k <= n; ++k) {
            Konijntjes[k] = p.konijnen[k - 1];
            PlaatsKonijntje(k, true);
        }
        const Stand stand{Level, Konijntjes, n, p.wind};
        Computer::Kans kans{1};
        const Computer::Plan plan = Computer::Kies(stand, 1, Speler::Moeilijk, kans);
        EXPECT_NE(std::find(p.wapens.begin(), p.wapens.end(), plan.toetsen.wapen), p.wapens.end())
            << "weapon " << int(plan.toetsen.wapen) << " up " << plan.toetsen.Omhoog << " power " << plan.toetsen.Krachtstappen
            << " walk " << plan.Zet.Stappen << " jump " << plan.Zet.Sprong << " to " << plan.Na.x << "," << plan.Na.y
            << " value " << double(plan.Waarde) << " run " << plan.Vlucht.Stappen << "/" << plan.Vlucht.Sprong
            << " to " << (plan.toetsen.WegNaar ? plan.toetsen.WegNaar->x : 0);
        EXPECT_GT(plan.Waarde, 50000) << "the game won";
        // What it plans is what the simulator gives for the same keys from
        // where the move leaves it.
        KONIJN daar = Konijntjes;
        daar[1].Positie = plan.Na;
        PlaatsKonijntje(1, false);
        Konijntjes[1].Positie = plan.Na;
        PlaatsKonijntje(1, true);
        const SchotUitslag u = Simuleer(Stand{Level, Konijntjes, n, p.wind}, 1, plan.toetsen);
        if (plan.toetsen.WegNaar) daar[1].Positie = *plan.toetsen.WegNaar;
        EXPECT_EQ(Computer::Waarde(stand, 1, u, daar), plan.Waarde) << "as planned";
        EXPECT_EQ(u.Levens[1], 100) << "its own lives";
        if (p.wind != 0) {
            const SchotUitslag stil = Simuleer(Stand{Level, Konijntjes, n, 0}, 1, plan.toetsen);
            EXPECT_GT(stil.Levens[2], 0) << "the same keys without the wind miss";
        }
    }
}

class ComputerGame : public TestSupport::GameDirTest {};

// Who plays: the command line for this run; C on the title cycles blue and
// remembers it (not with --classic, whose title stays as it was).
TEST_F(ComputerGame, WhoPlaysFromTheCommandLineAndTheTitle) {
    const struct {
        std::vector<std::string> args;
        Speler rood, blauw;
        bool fout;
    } regels[] = {{{}, Speler::Mens, Speler::Mens, false},
                  {{"--red", "hard", "--blue", "easy"}, Speler::Moeilijk, Speler::Makkelijk, false},
                  {{"--blue", "normal"}, Speler::Mens, Speler::Normaal, false},
                  {{"--red", "best"}, Speler::Mens, Speler::Mens, true},
                  {{"--blue"}, Speler::Mens, Speler::Mens, true}};
    for (const auto& r : regels) {
        const OptieUitkomst u = LeesOpties(r.args);
        EXPECT_EQ(!u.fout.empty(), r.fout) << u.fout;
        EXPECT_EQ(u.opties.Rood.value_or(Speler::Mens), r.rood);
        EXPECT_EQ(u.opties.Blauw.value_or(Speler::Mens), r.blauw);
    }
    for (const bool klassiek : {false, true}) {
        Headless::Reset();
        std::remove("Computer.txt");
        if (klassiek) Computer::BewaarBlauw(Speler::Moeilijk);
        std::string trace;
        Trace::SetSink([&](const std::string& l) { trace += l + "\n"; });
        for (uint64_t t : {100, 200, 300, 400, 500}) Headless::Tap(t, 'C');
        const char* const args[] = {"zanderfell", "--classic"};
        EXPECT_EQ(Main(klassiek ? 2 : 1, args), 0);
        Trace::SetSink(nullptr);
        Klassiek = false;
        // Easy, normal, hard, a person, easy; classic: kept, but a person plays.
        EXPECT_EQ(Computer::LeesBlauw(), klassiek ? Speler::Moeilijk : Speler::Makkelijk);
        EXPECT_EQ(Computer::Blauw, klassiek ? Speler::Mens : Speler::Makkelijk);
        EXPECT_EQ(trace.find("blue hard\nblue person\nblue easy\n") != std::string::npos, !klassiek) << trace;
    }
    // Left for the title in the computer's turn, the title takes the
    // person's keys again.
    Headless::Reset();
    std::remove("Computer.txt");
    ScriptedGame::Driver driver({{"title", ScriptedGame::Tap(100, ScriptedGame::Down) + ScriptedGame::Tap(200, ScriptedGame::Down) +
                                               ScriptedGame::Tap(300, ScriptedGame::Enter)},
                                 {"move 1", ScriptedGame::Tap(700, 0x1B) + ScriptedGame::Tap(800, ScriptedGame::Down) +
                                                ScriptedGame::Tap(900, ScriptedGame::Enter)},
                                 {"title", ScriptedGame::Tap(100, 'C') + ScriptedGame::Tap(200, 'Q')}});
    Trace::SetSink([&](const std::string& l) { driver(l); });
    const char* const args[] = {"zanderfell", "--red", "hard"};
    EXPECT_EQ(Main(3, args), 0);
    Trace::SetSink(nullptr);
    EXPECT_NE(driver.Trace().find("quit to title\ntitle\nblue easy\nquit\n"), std::string::npos) << driver.Trace();
    EXPECT_EQ(Headless::ClosedByPlayerAt(), UINT64_MAX) << "Q closed the game, not a title without keys";
}

// A whole game of two computers, from the title to the victory, against its
// golden trace (ZF_UPDATE_GOLDEN=1 writes it anew). The hard player's turns
// end as it foresaw them: its keys carried out its plan exactly.
TEST_F(ComputerGame, TwoComputersPlayTheGoldenGame) {
    TestSupport::WriteFile("Files/RandomFile.txt", "    42\r\n 3.5000E-1\r\n");
    std::string trace;
    const auto uit = ComputerMatch::Speel({{1, 1, true, Speler::Normaal, Speler::Moeilijk}}, 16,
                                          [&](const std::string& l) { trace += l + "\n"; });
    ASSERT_EQ(uit.size(), 1u);
    EXPECT_NE(uit[0].winnaar, 0u) << trace;
    for (const std::string& a : uit[0].anders) ADD_FAILURE() << a;
    const std::string pad = std::string(ZF_TEST_DATA_DIR) + "/computer_game.trace";
    if (std::getenv("ZF_UPDATE_GOLDEN")) TestSupport::WriteFile(pad, trace);
    const std::string golden = TestSupport::ReadFile(pad);
    const size_t at = std::mismatch(trace.begin(), trace.end(), golden.begin(), golden.end()).first - trace.begin();
    EXPECT_EQ(trace, golden) << pad << " differs first at line " << std::count(trace.begin(), trace.begin() + long(at), '\n') + 1;
    // Its record plays back as the game went: the computer kept every rule
    // a person keeps, pressing keys only.
    std::vector<std::string> opnames;
    for (const auto& f : std::filesystem::directory_iterator(Replay::Map)) opnames.push_back(f.path().string());
    ASSERT_EQ(opnames.size(), 1u);
    EXPECT_NE(TestSupport::ReadFile(opnames[0]).find("team 2 hard\n"), std::string::npos);
    std::string verslag;
    EXPECT_EQ(Replay::Verifieer(opnames, verslag), 0) << verslag;
}

}  // namespace

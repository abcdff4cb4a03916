// Whole games, headless and in virtual time: the players' keys are scripted
// against the moments the game asks for them (title, movement, weapon
// choice), and the game's trace is compared line by line with a trace kept in
// tests/data. Run with ZF_UPDATE_GOLDEN=1 to write the trace anew after a
// deliberate change of the rules, and read the difference before committing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "game/Trace.h"
#include "game/Zanderfell.h"
#include "gfx/Headless.h"
#include "tests/ScriptedGame.h"
#include "tests/TestSupport.h"

namespace {

using namespace ScriptedGame;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

void CompareWithGolden(const std::string& trace, const std::string& name) {
    const std::string path = std::string(ZF_TEST_DATA_DIR) + "/" + name;
    if (std::getenv("ZF_UPDATE_GOLDEN")) {
        TestSupport::WriteFile(path, trace);
        GTEST_SKIP() << "wrote " << path;
    }
    const std::vector<std::string> want = Lines(TestSupport::ReadFile(path)), got = Lines(trace);
    ASSERT_FALSE(want.empty()) << path << " is missing; run with ZF_UPDATE_GOLDEN=1";
    for (size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string w = i < want.size() ? want[i] : "<end of trace>";
        const std::string g = i < got.size() ? got[i] : "<end of trace>";
        ASSERT_EQ(g, w) << "the trace first differs from " << name << " at line " << i + 1;
    }
}

class WholeGameTest : public TestSupport::GameDirTest {
protected:
    // Plays from program start until the script runs out of keys, when the
    // player closes the window.
    std::string Play(Driver& driver, int& exitCode) {
        TestSupport::WriteFile("Files/RandomFile.txt", "    42\r\n 3.5000E-1\r\n");  // the same chance every run
        Zanderfell::Trace::SetSink([&](const std::string& line) { driver(line); });
        exitCode = Zanderfell::Main();
        Zanderfell::Trace::SetSink(nullptr);
        return driver.Trace();
    }
};

}  // namespace

TEST_F(WholeGameTest, DuelToVictoryThenASecondGameOnAnotherLevel) {
    std::vector<Reaction> script;
    // Title entry 3: the duel of two rabbits on the third landscape.
    script.push_back({"title", Tap(100, Down) + Tap(200, Down) + Tap(300, Enter)});
    // Rabbit 1 walks right and ends its move; it swings the axe at nobody in
    // its first turn and then fires the bazooka at its own feet, so the duel
    // ends. Rabbit 2 jumps and tries the other weapons in turn.
    const std::vector<Step> axe = Tap(900, Left) + Tap(1100, Space, 100);
    const std::vector<std::vector<Step>> weapons2 = {
        Choose(4) + Tap(1000, Right, 400) + Tap(2000, Enter, 100),   // dynamite, then run
        Choose(1) + AimAndFire(-2, 300),                             // grenade
        Choose(2) + AimAndFire(4, 0),                                // pistol
        Choose(3) + axe,                                             // axe, swung left
    };
    for (size_t round = 0; round < 6; ++round) {
        script.push_back({"move 1", Tap(300, Right, 300) + Tap(900, Enter, 100)});
        script.push_back({"weapon 1", round == 0 ? Choose(3) + axe : Choose(0) + AimAndFire(0, 0)});
        script.push_back({"move 2", Tap(300, 'V', 60) + Tap(1200, Enter, 100)});
        script.push_back({"weapon 2", weapons2[round % weapons2.size()]});
    }
    // Other keys on the victory screen only redraw it; R leaves.
    script.push_back({"victory", Tap(500, Space) + Tap(900, 'R')});
    // The second game: one rabbit per team, wind off, level 2.
    script.push_back({"title", Tap(100, Enter) + Tap(200, Enter) + Tap(300, Right) + Tap(400, Enter) +
                                   Tap(500, Right) + Tap(600, Enter)});
    Driver driver(std::move(script));
    int exitCode = -1;
    const std::string trace = Play(driver, exitCode);
    EXPECT_EQ(exitCode, 0) << "closing the window ends the program cleanly";
    EXPECT_TRUE(driver.Used("victory")) << trace;
    EXPECT_TRUE(driver.Used("title")) << "the second game never started";
    EXPECT_NE(trace.find("menu level 2 rabbits 2 wind off"), std::string::npos);
    CompareWithGolden(trace, "duel_game.trace");
}

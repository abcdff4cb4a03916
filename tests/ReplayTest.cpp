// Records that cannot be played are refused with a clear word (the line, the
// version, the level), a record whose keys were changed no longer verifies
// and names the turn, and one cut off in the middle of a line still plays up
// to there. And every record of the corpus plays again as recorded.

#include <cstdio>
#include <filesystem>

#include "game/replay/Replay.h"
#include "game/replay/Verify.h"
#include "gfx/Input.h"
#include "tests/ScriptedGame.h"
#include "tests/TestSupport.h"

namespace {

class ReplayTest : public TestSupport::GameDirTest {};

TEST_F(ReplayTest, BadRecordsAreRefusedAndChangedOnesCaught) {
    const std::string goed = TestSupport::ReadFile(ZF_TEST_DATA_DIR "/replays/duel-every-weapon.zfr");
    ASSERT_FALSE(goed.empty());
    auto vervang = [&](const std::string& van, const std::string& naar) {
        std::string t = goed;
        return t.replace(t.find(van), van.size(), naar);
    };
    struct Geval {
        std::string tekst;
        int code;
        const char* gezegd;
    };
    const Geval gevallen[] = {
        {"hello\n", 2, ": line 1: not a Zanderfell replay"},
        {vervang("zanderfell-replay 1", "zanderfell-replay 7"), 2, ": unknown version 7 of the replay"},
        {vervang("key 3 740 1 press 39", "key 3 740 1 prezz 39"), 2, ": line 8: damaged"},
        {vervang("key 3 740 1 press 39", "key 3 740 3 press 39"), 2, ": line 8: damaged"},
        {vervang("rabbits 2 wind", "rabbits 3 wind"), 2, ": line 5: damaged"},
        {vervang("clock 3370 impacts 0", "clock 3370 impacts 501"), 2, ": line 24: damaged"},
        {vervang("end winner 2", "end winner 3"), 2, ": line 133: damaged"},
        // The generator's divisor lies in (0, 1]: 1 is a sound state.
        {vervang("random 42 0.349999994", "random 42 1.0000001"), 2, ": line 4: damaged"},
        {vervang("random 42 0.349999994", "random 42 1"), 0, ": ok ("},
        // 500 impacts read, and differ from the game's.
        {vervang("clock 3370 impacts 0", "clock 3370 impacts 500"), 1, ": turn 1: "},
        // Left instead of Right at the first move.
        {vervang("key 3 740 1 press 39", "key 3 740 1 press 37"), 1, ": turn 1: rabbit 1 at "},
        {goed.substr(0, goed.find("\n", goed.size() / 2) + 8), 0, ": ok up to where it was cut short"},
        {vervang("level 3", "level 2"), 2, ": level 2 is missing (Files/Level2Part2.txt)"},
    };
    std::remove("Files/Level2Part2.txt");
    for (const Geval& g : gevallen) {
        TestSupport::WriteFile("record.zfr", g.tekst);
        std::string gezegd;
        EXPECT_EQ(Zanderfell::Replay::Verifieer({"record.zfr"}, gezegd), g.code) << gezegd;
        EXPECT_EQ(gezegd.rfind(std::string("record.zfr") + g.gezegd, 0), 0u) << gezegd;
    }
}

// A record played back in the window (headless here) runs to its end and
// the program ends cleanly, leaving the player's random state alone.
TEST_F(ReplayTest, APlaybackRunsToItsEnd) {
    const std::string kans = TestSupport::ReadFile("Files/RandomFile.txt");
    ScriptedGame::Driver driver({});
    EXPECT_EQ(ScriptedGame::Play(driver, {"--replay", ZF_TEST_DATA_DIR "/replays/duel-every-weapon.zfr"}), 0);
    const auto regels = TestSupport::Lines(driver.Trace());
    EXPECT_EQ(std::count_if(regels.begin(), regels.end(), [](const std::string& r) { return r.starts_with("turn "); }),
              9) << "the record's nine turns";
    EXPECT_EQ(TestSupport::ReadFile("Files/RandomFile.txt"), kans);
    // Every team's keys are the window's again.
    for (uint32_t team = 0; team <= 2; ++team) EXPECT_EQ(Input::SourceOf(team), Input::Window()) << team;
}

// The newest 100 records are kept: a new one takes the place of the oldest.
TEST_F(ReplayTest, TheNewestHundredRecordsAreKept) {
    std::filesystem::create_directory("Replays");
    for (int i = 0; i < 100; ++i) TestSupport::WriteFile("Replays/2000-01-01_00-00-" + std::to_string(100 + i) + ".zfr", "");
    TestSupport::WriteFile("Replays/notes.txt", "");  // not a record: left alone
    Zanderfell::Replay::Recorder nieuw(Zanderfell::Replay::NieuweKop());
    EXPECT_FALSE(std::filesystem::exists("Replays/2000-01-01_00-00-100.zfr"));
    EXPECT_TRUE(std::filesystem::exists("Replays/2000-01-01_00-00-101.zfr"));
    EXPECT_TRUE(std::filesystem::exists("Replays/notes.txt"));
    EXPECT_TRUE(std::filesystem::exists(nieuw.Pad()));
}

// The corpus: each of its four records played again headless, turn by turn
// (run in the sanitizer build too, so a record made by one compiler plays
// under the other). A failure names the record and the turn.
TEST_F(ReplayTest, TheCorpusPlaysAsRecorded) {
    EXPECT_EQ(TestSupport::CheckRecords(ZF_TEST_DATA_DIR "/replays", 4), "");
}

}  // namespace

// The game never hangs or crashes: the player may close the window at any
// moment, standard output may be a broken pipe, and random keys may come in
// any order. Whole games, headless and in virtual time.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <random>

#include "game/Random.h"
#include "tests/ScriptedGame.h"
#include "tests/TestSupport.h"

using namespace ScriptedGame;
using namespace Zanderfell;

namespace {

class RobustnessTest : public TestSupport::GameDirTest {
protected:
    // Runs the program from its start; returns its exit code.
    int Run(Driver& driver) {
        TestSupport::WriteFile("Files/RandomFile.txt", "    42\r\n 3.5000E-1\r\n");
        return Play(driver);
    }
};

// The duel's opening keys: title entry 3, then the first move ends at once.
std::vector<Reaction> Duel() {
    return {{"title", Tap(100, Down) + Tap(200, Down) + Tap(300, Enter)},
            {"move 1", Tap(300, Enter, 100)}};
}

std::vector<Step> Close(uint64_t at) { return {{at, Headless::Action::Close, 0}}; }

// Standard output sent to `fd` (the game's messages go there); returns the
// old one, for Restore.
int Redirect(int fd) {
    std::fflush(stdout);
    const int saved = dup(1);
    dup2(fd, 1);
    close(fd);
    return saved;
}
void Restore(int saved) { close(Redirect(saved)); }

}  // namespace

TEST_F(RobustnessTest, ClosingTheWindowInAnyPhaseEndsTheProgramAtOnce) {
    // Where the window is closed, counted from a trace line of the game.
    struct Case {
        const char* phase;
        std::vector<Reaction> script;
    };
    const std::vector<Case> cases = {
        {"title screen", {{"title", Close(500)}}},
        {"menu screen", {{"title", Tap(100, Enter) + Tap(200, Right) + Close(500)}}},
        {"movement", {Duel()[0], {"move 1", Tap(300, Right, 5000) + Close(1000)}}},
        {"aiming", {Duel()[0], Duel()[1], {"weapon 1", Choose(0) + Tap(900, Up) + Close(1200)}}},
        {"charging", {Duel()[0], Duel()[1], {"weapon 1", Choose(0) + Tap(1500, Space, 5000) + Close(2000)}}},
        {"a flight", {Duel()[0], Duel()[1], {"weapon 1", Choose(0) + AimAndFire(8, 1500) + Close(3200)}}},
        {"the axe", {Duel()[0], Duel()[1], {"weapon 1", Choose(3) + Tap(900, Right) + Tap(1100, Space, 100) + Close(1500)}}},
        {"a grenade's fuse", {Duel()[0], Duel()[1], {"weapon 1", Choose(1) + AimAndFire(3, 300) + Close(4000)}}},
        {"the victory screen", {Duel()[0], Duel()[1], {"victory", Close(2000)}}},
    };
    for (const Case& c : cases) {
        Headless::Reset();
        std::vector<Reaction> script = c.script;
        // Then each rabbit fires at its own feet in its turn, to the victory
        // screen (the other cases close the window before these are used).
        script.insert(script.end(), 12, {"move", Tap(300, Enter, 100)});
        script.insert(script.end(), 12, {"weapon", Choose(0) + AimAndFire(0, 0)});
        Driver driver(script);
        Headless::SetFailOnStarvation(true);  // only the close may end it
        int code = -1;
        EXPECT_NO_THROW(code = Run(driver)) << c.phase;
        EXPECT_EQ(code, 0) << c.phase;
        EXPECT_NE(Headless::ClosedByPlayerAt(), UINT64_MAX) << c.phase << ": the close never came";
        EXPECT_EQ(Wimdows::State(), Wimdows::STATE_DEAD) << c.phase;
        // The program ended at the first wait after the close: within a second.
        EXPECT_LT(Headless::Now() - Headless::ClosedByPlayerAt(), 1000u) << c.phase;
    }
}

TEST_F(RobustnessTest, ABrokenStandardOutputNeverStopsTheAiming) {
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    close(pipeFds[0]);  // nobody reads: every write fails with EPIPE
    const int saved = Redirect(pipeFds[1]);
    std::vector<Step> keys = Choose(0);
    for (int i = 0; i < 40; ++i) keys = keys + Tap(900 + 20 * uint64_t(i), i % 2 ? Left : Right);
    Driver driver({Duel()[0], Duel()[1], {"weapon 1", keys + Tap(2000, Space)}, {"move 2", Close(100)}});
    const int code = Run(driver);
    Restore(saved);
    EXPECT_EQ(code, 0);
    EXPECT_NE(driver.Trace().find("turn 1"), std::string::npos) << "the shot was fired after the messages";
}

// Random keys from fixed seeds: every game ends (a victory, or the script
// runs out and the player closes the window), and after every turn the game's
// records make sense. One test per seed, so that a failure names its seed;
// fewer under the sanitizers, where a game costs six times as much.
int MonkeyGames() {
    if (const char* n = std::getenv("ZF_MONKEY_GAMES")) return std::max(1, std::atoi(n));
    // (The sanitizer build is clang's, which tells through __has_feature.)
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    return 6;
#endif
#endif
    return 20;
}

class MonkeyGame : public RobustnessTest, public testing::WithParamInterface<int> {};

TEST_P(MonkeyGame, KeepsTheGameSound) {
    const int seed = GetParam();
    const uint32_t keys[] = {Left, Right, Up, Down, Enter, Space, 'V', 'N', 'B', 'R', Enter, Space, Right, Left};
    int turns = 0;
    // Monkeys press Left and Right while aiming a lot: their messages go nowhere.
    const int saved = Redirect(open("/dev/null", O_WRONLY));
    std::mt19937 chance{uint32_t(seed)};
    std::vector<Headless::ScriptedEvent> events;
    for (uint64_t t = 0; t < 8 * 60 * 1000;) {  // eight minutes of play
        t += 40 + chance() % 600;
        const uint32_t vk = keys[chance() % std::size(keys)];
        events.push_back({t, Headless::Action::Press, vk});
        events.push_back({t + chance() % 900, Headless::Action::Release, vk});
    }
    Headless::Schedule(events);
    std::map<int, int32_t> lives;
    std::string broken;
    Driver driver({});
    TestSupport::WriteFile("Files/RandomFile.txt", "    " + std::to_string(seed * 7) + "\r\n 3.5000E-1\r\n");
    const int code = Play(driver, {}, [&](const std::string& line) {
        if (line.rfind("start", 0) == 0) lives.clear();
        if (line.rfind("turn", 0) != 0 || !broken.empty()) return;
        ++turns;
        if (AANTALINSLAGEN > 500) broken = "more than 500 impacts";
        for (int k = 1; k <= 8; ++k) {
            const KonijnRecord& r = Konijntjes[k];
            if (r.Team == 0) continue;
            if (lives.count(k) && r.Levens > lives[k]) broken = "rabbit " + std::to_string(k) + " gained lives";
            lives[k] = r.Levens;
            if (r.Levens > 0 && (r.Positie.x < 1 || r.Positie.x > 1000 || r.Positie.y < 1 || r.Positie.y > 600))
                broken = "rabbit " + std::to_string(k) + " left the grid";
        }
        // (The rabbits' marks in the grid are in the golden games' grid
        // hashes, turn by turn.)
    });
    Restore(saved);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(broken, "");
    EXPECT_GT(turns, 0) << "the monkey never got past the menus";
    RecordProperty("turns", turns);
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyGame, testing::Range(1, MonkeyGames() + 1),
                         [](const testing::TestParamInfo<int>& info) { return "seed" + std::to_string(info.param); });

// A state file that cannot be written ends the program with a message naming
// it, and leaves the old state as it was. (The test runs as root, where a
// read-only folder would still be writable: the temporary file's name is
// taken by a folder instead.)
TEST_F(RobustnessTest, AStateFileThatCannotBeWrittenStopsWithItsNameAndStaysWhole) {
    const std::string before = "    42\r\n 3.5000E-1\r\n";
    TestSupport::WriteFile("Files/RandomFile.txt", before);
    EXPECT_EXIT(
        {
            const std::string blocked = "Files/RandomFile.txt." + std::to_string(getpid()) + ".tmp";
            mkdir(blocked.c_str(), 0755);
            Zanderfell::RandomCard(1, 20);
        },
        testing::ExitedWithCode(3), "cannot write random state file Files/RandomFile.txt");
    EXPECT_EQ(TestSupport::ReadFile("Files/RandomFile.txt"), before);
}

// Whole games, headless and in virtual time: the players' keys are scripted
// against the moments the game asks for them (title, movement, weapon
// choice), and the game's trace is compared line by line with a trace kept in
// tests/data (see TestSupport::CompareWithGolden).

#include <functional>

#include "audio/HeadlessAudio.h"
#include "gfx/TekenBitmaps.h"
#include "tests/ScriptedGame.h"
#include "tests/TestSupport.h"

namespace {

using namespace ScriptedGame;
using TestSupport::Lines;

// Title entry 3: the duel of two rabbits on the third landscape. Rabbit 1
// walks right and ends its move; it swings the axe at nobody in its first
// turn and then fires the bazooka at its own feet, so the duel ends. Rabbit 2
// jumps and tries the other weapons in turn.
std::vector<Reaction> Duel(const std::vector<Step>& onVictory) {
    std::vector<Reaction> script;
    script.push_back({"title", Tap(100, Down) + Tap(200, Down) + Tap(300, Enter)});
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
    script.push_back({"victory", onVictory});
    return script;
}

class WholeGameTest : public TestSupport::GameDirTest {
protected:
    // Plays from program start, the chance the same every run, until the
    // script runs out of keys, when the player closes the window: the
    // program ends cleanly. The scripted games run in classic mode unless
    // told otherwise.
    std::string Play(Driver& driver, std::vector<std::string> args = {"--classic"},
                     const std::function<void(const std::string&)>& also = nullptr) {
        TestSupport::WriteFile("Files/RandomFile.txt", "    42\r\n 3.5000E-1\r\n");
        EXPECT_EQ(ScriptedGame::Play(driver, std::move(args), also), 0);
        return driver.Trace();
    }
};

}  // namespace

// The duel to a victory and a second game, against the golden trace, and
// heard: what the game asked of the sound (the moment in virtual ms, P
// played, S started, X stopped, the sound and its place), between the
// trace's lines (their first lines) and the first frame of each blast's flash, in the order it
// happened, against duel_sounds.trace. Every action sounds at the moment it
// is shown, each blast with the first frame of its flash; a lasting sound
// (the whistle from the launch, a grenade's fuse, the rising power) stops
// when its flight or meter ends, and the blast follows within 5 ms; the
// menus sound only from the title to the start of a game, the game only
// from there to the next title; each turn starts with its sound 400 ms
// before its move, the victory with its own.
TEST_F(WholeGameTest, DuelToVictoryThenASecondGameOnAnotherLevel) {
    const auto& log = HeadlessAudio::Log();
    std::string heard;
    size_t told = 0, flashed = 0;  // sounds written down, blasts seen flashing
    const auto hear = [&] {
        for (; told < log.size(); ++told)
            heard += std::to_string(log[told].atMs) + " " + "PSX"[int(log[told].kind)] + " " +
                     Sound::Stem(log[told].id) + " " + std::to_string(log[told].x) + "\n";
    };
    const auto isBlast = [](const HeadlessAudio::Heard& h) {
        return h.id == Sound::Id::ExplosionSmall || h.id == Sound::Id::ExplosionLarge;
    };
    Headless::AtEveryWait([&] {
        hear();
        const size_t blasts = size_t(std::count_if(log.begin(), log.end(), isBlast));
        const auto blast = std::find_if(log.rbegin(), log.rend(), isBlast);
        for (int32_t y = 1; y <= 600 && blasts > flashed; ++y)
            if (Wimdows::WindowPixel(blast->x, y) == Wimdows::RgbColor(255, 255, 0)) {
                heard += std::to_string(Headless::Now()) + " flash\n";
                flashed = blasts;
            }
    });
    // Other keys on the victory screen only redraw it; R leaves. The second
    // game: one rabbit per team, wind off, level 2.
    std::vector<Reaction> script = Duel(Tap(500, Space) + Tap(900, 'R'));
    script.push_back({"title", Tap(100, Enter) + Tap(200, Enter) + Tap(300, Right) + Tap(400, Enter) +
                                   Tap(500, Right) + Tap(600, Enter)});
    Driver driver(std::move(script));
    const std::string trace = Play(driver, {"--classic"}, [&](const std::string& line) {
        hear();
        heard += std::to_string(Headless::Now()) + " | " + line.substr(0, line.find('\n')) + "\n";
    });
    hear();
    TestSupport::CompareWithGolden(trace, "duel_game.trace");
    TestSupport::CompareWithGolden(heard, "duel_sounds.trace");
    // Both games were recorded (the second one cut short by the closed
    // window), and each plays again as it was played.
    EXPECT_EQ(TestSupport::CheckRecords("Replays", 2), "");
}

// Esc in every phase of a turn: resumed, the game goes on as if nothing had
// happened (trace with rabbits, impacts, random state and screen hashes,
// and the game's waits); quit to the title, nothing of the game is left;
// quit the program, it ends as Q on the title does. The status bar's hint
// gives the keys of the phase paused in.
TEST_F(WholeGameTest, PausingInEveryPhase) {
    struct Pause {
        const char* when;  // the n-th reaction to this line gets the Esc
        int nth;
        uint64_t at;
        std::vector<uint32_t> keys;  // in the menu
        const char* how;             // what the trace says after the menu
        uint32_t hint;               // the phase's hint shown (0: not looked at)
    };
    const std::vector<uint32_t> resume = {Down, Up, Enter}, toTitle = {Down, Enter},
                                quit = {Up, Enter};
    const Pause pauses[] = {
        {"move 1", 0, 450, {0x1B}, "resume", 1},     // walking; Esc again resumes
        {"weapon 1", 0, 450, resume, "resume", 2},   // choosing the weapon
        {"weapon 1", 0, 1150, resume, "resume", 5},  // the axe
        {"weapon 2", 0, 1200, resume, "resume", 6},  // running from the dynamite
        {"weapon 2", 1, 1200, resume, "resume", 3},  // aiming
        {"weapon 2", 1, 1650, resume, "resume", 4},  // charging
        {"weapon 2", 1, 2500, resume, "resume", 0},  // the grenade's flight
        {"move 1", 0, 450, toTitle, "quit to title", 0},
        {"weapon 2", 1, 2500, toTitle, "quit to title", 0},
        {"weapon 2", 0, 1200, quit, "quit", 0},
    };
    using TekenBitmaps::HintX, TekenBitmaps::HintY;
    const auto hintVak = [] { return TestSupport::Snapshot(HintX, HintY, HintX + 83, HintY + 45); };
    Driver plain(Duel(Tap(500, 'R')));
    const std::string want = Play(plain, {});
    const uint64_t waited = Headless::WaitedMs();
    for (const Pause& p : pauses) {
        SCOPED_TRACE(std::string(p.when) + " #" + std::to_string(p.nth) + " at " + std::to_string(p.at) + " ms, " + p.how);
        std::vector<Reaction> script = Duel(Tap(500, 'R'));
        int seen = 0;
        for (Reaction& r : script) {
            if (r.when != p.when || seen++ != p.nth) continue;
            r.steps = r.steps + Tap(p.at, 0x1B);
            for (uint32_t k : p.keys) r.steps = r.steps + Tap(p.at, k);
        }
        Headless::Reset();
        std::string previous, before;
        uint64_t frame = 0;
        Driver driver(std::move(script));
        const std::string got = Play(driver, {}, [&](const std::string& line) {
            if (line == "pause") {
                before = previous;
                frame = Wimdows::WindowHash();
                // The phase's hint, drawn again over the one shown, changes nothing.
                if (p.hint != 0) {
                    const auto shown = hintVak();
                    TekenBitmaps::TekenHint(p.hint);
                    EXPECT_TRUE(hintVak() == shown) << "the hint of the phase";
                }
            }
            if (line == "resume") {
                EXPECT_EQ(Wimdows::WindowHash(), frame) << "the frame after the pause";
            }
            if (line == "title" && previous == "quit to title") {
                for (uint32_t k = 1; k <= 8; ++k) EXPECT_EQ(Zanderfell::Konijntjes[k].Team, 0u);
                EXPECT_EQ(Zanderfell::AANTALINSLAGEN, 0u);
                EXPECT_FALSE(Zanderfell::Level[500][Veld::WaterRij - 1].Grond);
            }
            previous = line;
        });
        EXPECT_EQ(before.rfind(p.when, 0), 0u) << "paused after " << before;
        const size_t at = got.find("pause\n");
        ASSERT_NE(at, std::string::npos);
        const std::string how = p.how;
        if (how == "resume") {
            // The whole game as without the pause, the pause and the resume
            // one after the other in between.
            EXPECT_EQ(got.substr(0, at) + got.substr(at + 13), want);
            EXPECT_EQ(got.substr(at, 13), "pause\nresume\n");
            EXPECT_EQ(Headless::WaitedMs(), waited);
        } else {
            // The game up to the pause, and no more of it: the program ends
            // at once, or after the title that follows.
            EXPECT_EQ(got.substr(0, at), want.substr(0, at));
            EXPECT_EQ(got.substr(at), how == "quit" ? "pause\nquit\n" : "pause\nquit to title\ntitle\nquit\n");
        }
    }
    // A pause is no part of the match: every game above plays again as recorded.
    EXPECT_EQ(TestSupport::CheckRecords("Replays", std::size(pauses) + 1), "");
}

// Enter on the victory screen: the same settings again, from the opening
// with new draws.
TEST_F(WholeGameTest, EnterOnTheVictoryScreenPlaysAgain) {
    Driver driver(Duel(Tap(500, Enter)));
    const std::vector<std::string> trace = Lines(Play(driver));
    const auto rematch = std::find(trace.begin(), trace.end(), "rematch");
    ASSERT_NE(rematch, trace.end());
    EXPECT_EQ(rematch[-1], "game over");
    EXPECT_EQ(rematch[1], "menu level 3 rabbits 2 wind off");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "title"), 1) << "no title screen between the games";
    // A fresh game follows, with full lives, no craters and the generator
    // going on from where the first game left it: as after the title, which
    // the golden duel's second game checks.
    EXPECT_EQ(rematch[2], "start");
}

// Whole games, headless and in virtual time: the players' keys are scripted
// against the moments the game asks for them (title, movement, weapon
// choice), and the game's trace is compared line by line with a trace kept in
// tests/data (see TestSupport::CompareWithGolden).

#include <functional>
#include <set>

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
// heard: every action sounds at the moment it is shown.
TEST_F(WholeGameTest, DuelToVictoryThenASecondGameOnAnotherLevel) {
    using HeadlessAudio::Kind;
    using Sound::Id;
    const auto isBlast = [](const HeadlessAudio::Heard& h) {
        return h.id == Id::ExplosionSmall || h.id == Id::ExplosionLarge;
    };
    // When each blast was heard, and when its flash first showed in its column.
    std::vector<std::pair<uint64_t, uint64_t>> flashes;
    Headless::AtEveryWait([&] {
        const auto& log = HeadlessAudio::Log();
        const auto blast = std::find_if(log.rbegin(), log.rend(), isBlast);
        if (blast == log.rend() || (!flashes.empty() && flashes.back().first == blast->atMs)) return;
        for (int32_t y = 1; y <= 600; ++y)
            if (Wimdows::WindowPixel(blast->x, y) == Wimdows::RgbColor(255, 255, 0)) {
                flashes.push_back({blast->atMs, Headless::Now()});
                return;
            }
    });
    std::vector<std::pair<uint64_t, std::string>> lines;  // the trace's moments
    // Other keys on the victory screen only redraw it; R leaves. The second
    // game: one rabbit per team, wind off, level 2.
    std::vector<Reaction> script = Duel(Tap(500, Space) + Tap(900, 'R'));
    script.push_back({"title", Tap(100, Enter) + Tap(200, Enter) + Tap(300, Right) + Tap(400, Enter) +
                                   Tap(500, Right) + Tap(600, Enter)});
    Driver driver(std::move(script));
    const std::string trace =
        Play(driver, {"--classic"}, [&](const std::string& line) { lines.push_back({Headless::Now(), line}); });
    TestSupport::CompareWithGolden(trace, "duel_game.trace");
    const auto& log = HeadlessAudio::Log();
    auto heard = [&](Id id, Kind kind, uint64_t at) {
        return std::count_if(log.begin(), log.end(),
                             [&](const HeadlessAudio::Heard& h) { return h.id == id && h.kind == kind && h.atMs == at; });
    };
    // Every blast with its flash; the whistle and the fuses from the throw to
    // the blast.
    ASSERT_EQ(flashes.size(), size_t(std::count_if(log.begin(), log.end(), isBlast)));
    for (const auto& [sound, flash] : flashes) EXPECT_EQ(sound, flash);
    std::set<Id> started;
    for (const auto& h : log) {
        if (h.kind == Kind::Started) {
            EXPECT_TRUE(started.insert(h.id).second) << Sound::Stem(h.id) << " started twice at " << h.atMs;
            EXPECT_TRUE(h.id != Id::Whistle || heard(Id::BazookaLaunch, Kind::Played, h.atMs) == 1) << h.atMs;
        } else if (h.kind == Kind::Stopped) {
            ASSERT_EQ(started.erase(h.id), 1u) << Sound::Stem(h.id) << " stopped at " << h.atMs << " unstarted";
            // The flight ends, and the blast follows with the first frame
            // of its flash (5 ms).
            const auto blast = std::find_if(log.begin(), log.end(), [&](const HeadlessAudio::Heard& b) {
                return b.atMs >= h.atMs && isBlast(b);
            });
            EXPECT_TRUE(h.id == Id::PowerRise || (blast != log.end() && blast->atMs - h.atMs <= 5))
                << Sound::Stem(h.id) << " stopped at " << h.atMs << " without its blast";
        }
    }
    EXPECT_TRUE(started.empty()) << "a lasting sound never stopped";
    // The menus sound only from the title to the start of a game, the game
    // only from there to the next title; each turn starts with its sound, the
    // victory with its own.
    std::vector<uint64_t> edges;  // title, start, title, start, ...
    size_t turns = 0, moves = 0;
    for (const auto& [at, line] : lines) {
        if (line.rfind(edges.size() % 2 ? "start" : "title", 0) == 0) edges.push_back(at);
        if (line.rfind("move ", 0) == 0) turns += heard(Id::TurnStart, Kind::Played, at - 400), ++moves;
        EXPECT_TRUE(line.rfind("victory", 0) != 0 || heard(Id::Victory, Kind::Played, at) == 1) << line;
    }
    EXPECT_EQ(turns, moves);
    edges.push_back(UINT64_MAX);
    for (const auto& h : log) {
        const bool menu = h.id == Id::MenuMove || h.id == Id::MenuChoose;
        bool fits = false;
        for (size_t i = menu ? 0 : 1; i + 1 < edges.size(); i += 2) fits |= edges[i] <= h.atMs && h.atMs <= edges[i + 1];
        EXPECT_TRUE(fits) << Sound::Stem(h.id) << " at " << h.atMs;
    }
    // Each kind of action of this duel was heard.
    for (Id id : {Id::MenuMove, Id::MenuChoose, Id::Step, Id::Jump, Id::Land, Id::FallThud, Id::WeaponChange,
                  Id::BazookaLaunch, Id::GrenadeBounce, Id::PistolShot, Id::BulletHit, Id::AxeSwing, Id::RabbitHurt})
        EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const HeadlessAudio::Heard& h) { return h.id == id; }))
            << Sound::Stem(id);
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
            EXPECT_EQ(got.substr(at, 13), "pause\nresume\n");
            std::string without;
            for (const std::string& l : Lines(got))
                if (l != "pause" && l != "resume") without += l + "\n";
            EXPECT_EQ(without, want);
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

// Whole games, headless and in virtual time: the players' keys are scripted
// against the moments the game asks for them (title, movement, weapon
// choice), and the game's trace is compared line by line with a trace kept in
// tests/data. Run with ZF_UPDATE_GOLDEN=1 to write the trace anew after a
// deliberate change of the rules, and read the difference before committing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "audio/HeadlessAudio.h"
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

// Title entry 3: the duel of two rabbits on the third landscape, to a
// victory, then a second game.
std::vector<Reaction> DuelScript() {
    std::vector<Reaction> script;
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
    return script;
}

class WholeGameTest : public TestSupport::GameDirTest {
protected:
    // Plays from program start until the script runs out of keys, when the
    // player closes the window.
    std::string Play(Driver& driver, int& exitCode, std::function<void(const std::string&)> also = nullptr) {
        TestSupport::WriteFile("Files/RandomFile.txt", "    42\r\n 3.5000E-1\r\n");  // the same chance every run
        Zanderfell::Trace::SetSink([&](const std::string& line) {
            if (also) also(line);
            driver(line);
        });
        exitCode = Zanderfell::Main();
        Zanderfell::Trace::SetSink(nullptr);
        return driver.Trace();
    }
};

}  // namespace

TEST_F(WholeGameTest, DuelToVictoryThenASecondGameOnAnotherLevel) {
    Driver driver(DuelScript());
    int exitCode = -1;
    const std::string trace = Play(driver, exitCode);
    EXPECT_EQ(exitCode, 0) << "closing the window ends the program cleanly";
    EXPECT_TRUE(driver.Used("victory")) << trace;
    EXPECT_TRUE(driver.Used("title")) << "the second game never started";
    EXPECT_NE(trace.find("menu level 2 rabbits 2 wind off"), std::string::npos);
    CompareWithGolden(trace, "duel_game.trace");
}

// The same duel heard: every action sounds at the moment it is shown.
TEST_F(WholeGameTest, EveryActionIsHeardAtItsMoment) {
    using HeadlessAudio::Kind;
    using Sound::Id;
    // When each blast was heard, and when its flash first showed in its column.
    std::vector<std::pair<uint64_t, uint64_t>> flashes;
    Headless::AtEveryWait([&] {
        const auto& log = HeadlessAudio::Log();
        const auto blast = std::find_if(log.rbegin(), log.rend(), [](const HeadlessAudio::Heard& h) {
            return h.id == Id::ExplosionSmall || h.id == Id::ExplosionLarge;
        });
        if (blast == log.rend() || (!flashes.empty() && flashes.back().first == blast->atMs)) return;
        for (int32_t y = 1; y <= 600; ++y)
            if (Wimdows::WindowPixel(blast->x, y) == Wimdows::RgbColor(255, 255, 0)) {
                flashes.push_back({blast->atMs, Headless::Now()});
                return;
            }
    });
    std::vector<std::pair<uint64_t, std::string>> lines;  // the trace's moments
    Driver driver(DuelScript());
    int exitCode = -1;
    Play(driver, exitCode, [&](const std::string& line) { lines.push_back({Headless::Now(), line}); });
    const auto& log = HeadlessAudio::Log();
    auto heard = [&](Id id, Kind kind, uint64_t at) {
        return std::count_if(log.begin(), log.end(),
                             [&](const HeadlessAudio::Heard& h) { return h.id == id && h.kind == kind && h.atMs == at; });
    };
    // Every blast with its flash; the whistle and the fuses from the throw to
    // the blast.
    size_t blasts = 0;
    for (const auto& h : log) blasts += h.id == Id::ExplosionSmall || h.id == Id::ExplosionLarge;
    ASSERT_EQ(flashes.size(), blasts);
    for (const auto& [sound, flash] : flashes) EXPECT_EQ(sound, flash);
    std::map<Id, uint64_t> started;
    for (const auto& h : log) {
        if (h.kind == Kind::Started) {
            EXPECT_FALSE(started.count(h.id)) << Sound::Stem(h.id) << " started twice at " << h.atMs;
            started[h.id] = h.atMs;
            EXPECT_TRUE(h.id != Id::Whistle || heard(Id::BazookaLaunch, Kind::Played, h.atMs) == 1) << h.atMs;
        } else if (h.kind == Kind::Stopped) {
            ASSERT_TRUE(started.count(h.id)) << Sound::Stem(h.id) << " stopped at " << h.atMs << " unstarted";
            // The flight ends, and the blast follows with the first frame
            // of its flash (5 ms).
            const auto blast = std::find_if(log.begin(), log.end(), [&](const HeadlessAudio::Heard& b) {
                return b.atMs >= h.atMs && (b.id == Id::ExplosionSmall || b.id == Id::ExplosionLarge);
            });
            EXPECT_TRUE(h.id == Id::PowerRise || (blast != log.end() && blast->atMs - h.atMs <= 5))
                << Sound::Stem(h.id) << " stopped at " << h.atMs << " without its blast";
            started.erase(h.id);
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
}

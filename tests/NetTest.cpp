// Network play: the messages as bytes (what a hostile or damaged message
// gets), two transports talking over the loopback, and whole programs in
// child processes of the test playing one game over the loopback, losing
// the other side, and meeting a hostile one.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "game/Options.h"
#include "game/computer/Planner.h"
#include "net/Messages.h"
#include "net/Transport.h"
#include "tests/ScriptedGame.h"
#include "tests/TestSupport.h"

using namespace Net;

TEST(NetMessages, EveryKindReadsBackAndEveryCutIsRefused) {
    const std::vector<Message> messages = {
        Hello{},
        Start{3, 8, true, false, 4294967295u, 0.35f},
        Start{1, 2, false, true, 0, 1.0f},
        Keys{1, 0, {{0, 0x25}}},
        Keys{MaxTime, MaxTime, std::vector<Key>(MaxKeys, Key{2, 0xFF})},
        Reached{7, 123456},
        TurnHash{12, 345, 0xFEDCBA9876543210u},
        Leave{Reason::OutOfStep},
    };
    for (const Message& m : messages) {
        const std::vector<uint8_t> bytes = Encode(m);
        const Decoded d = Decode(bytes);
        ASSERT_TRUE(d.message) << d.error;
        EXPECT_EQ(*d.message, m);
        for (size_t cut = 0; cut < bytes.size(); ++cut) EXPECT_FALSE(Decode(bytes.data(), cut).message) << cut;
        std::vector<uint8_t> longer = bytes;
        longer.push_back(0);
        EXPECT_FALSE(Decode(longer).message) << m.index();
    }
}

TEST(NetMessages, HostileFieldsAreRefusedWithTheirReason) {
    // A sound message of each kind, one byte changed.
    struct Case {
        Message sound;
        size_t at;
        uint8_t value;
        const char* why;
    };
    const Start start{1, 2, false, false, 5, 0.5f};
    const Keys keys{5, 100, {{0, 0x20}, {1, 0x20}}};
    const std::vector<Case> cases = {
        {Hello{}, 0, 'X', "not a Zanderfell"},
        {Hello{}, 2, Version + 1, "network version 2"},
        {Hello{}, 3, 6, "unknown message kind"},
        {start, 4, 4, "no level 4"},
        {start, 4, 0, "no level 0"},
        {start, 5, 3, "3 rabbits"},
        {start, 5, 10, "10 rabbits"},
        {start, 6, 2, "neither on nor off"},
        {start, 15, 0x7F, "divisor"},  // 0.5f's high byte: a NaN
        {start, 15, 0x40, "divisor"},  // 2.0
        {start, 15, 0xBF, "divisor"},  // -0.5
        {keys, 20, 0, "a count of 0"},
        {keys, 20, MaxKeys + 1, "a count of 65"},
        {keys, 20, 3, "3 keys in a message of 25 bytes"},
        {keys, 21, 3, "not a key event"},
        {keys, 22, 0, "not a key event"},
        {keys, 4, 0, "look or time out of range"},  // look 0
        {keys, 19, 1, "look or time out of range"},  // a clock past MaxTime
        {Reached{1, 1}, 11, 0x01, "look or time out of range"},
        {TurnHash{1, 1, 7}, 8, 0, "turn hash: look out of range"},
        {Leave{}, 4, 3, "unknown reason"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = Encode(c.sound);
        bytes.at(c.at) = c.value;  // a case past the end fails here
        const Decoded d = Decode(bytes);
        EXPECT_FALSE(d.message) << c.why;
        EXPECT_NE(d.error.find(c.why), std::string::npos) << d.error;
    }
}

TEST(NetTransport, ConnectsAndReportsTheEnd) {
    // Generous waits: a busy machine is slow, never wrong.
    constexpr uint32_t Patience = 10000;
    std::string error;
    auto host = Transport::Host(0, error);
    ASSERT_TRUE(host) << error;
    auto join = Transport::Join("127.0.0.1", host->Port(), error);
    ASSERT_TRUE(join) << error;
    Happening h;
    ASSERT_TRUE(host->Wait(h, Patience));
    EXPECT_EQ(h.type, Happening::Connected);
    ASSERT_TRUE(join->Wait(h, Patience));
    EXPECT_EQ(h.type, Happening::Connected);
    // (Messages arrive whole and in order, also late on a slow line: the two
    // programs' match with 100 ms added each way goes out of step otherwise.)
    join.reset();
    ASSERT_TRUE(host->Wait(h, Patience));
    EXPECT_EQ(h.type, Happening::Closed);
    EXPECT_EQ(h.why, "the other side closed the connection");

    // Nobody answers at the port now.
    const uint16_t port = host->Port();
    host.reset();
    auto lonely = Transport::Join("127.0.0.1", port, error);
    ASSERT_TRUE(lonely) << error;
    ASSERT_TRUE(lonely->Wait(h, Patience));
    EXPECT_EQ(h.type, Happening::Closed);
    EXPECT_EQ(h.why, "no game answered at that address");
}

// The command line: who plays each team this run (blue otherwise as last
// chosen on the title), and whether this program hosts a network game or
// joins one; the port is the game's own unless given. What a command line
// sets is said as "network address:port red blue", or "refused".
TEST(CommandLine, WhoPlaysAndOverWhichNetwork) {
    const auto said = [](const std::vector<std::string>& args) {
        using Zanderfell::Computer::Naam, Zanderfell::Computer::Speler;
        const Zanderfell::OptieUitkomst u = Zanderfell::LeesOpties(args);
        const Zanderfell::Opties& o = u.opties;
        const char* const netwerk[] = {"alone", "host", "join"};
        return !u.fout.empty() ? std::string("refused")
                               : netwerk[int(o.Netwerk)] + (" " + o.Adres) + ":" + std::to_string(o.Poort) + " " +
                                     Naam(o.Rood.value_or(Speler::Mens)) + " " + Naam(o.Blauw.value_or(Speler::Mens));
    };
    const std::string poort = ":" + std::to_string(DefaultPort) + " person person";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "alone :0 person person"},
        {{"--red", "hard", "--blue", "easy"}, "alone :0 hard easy"},
        {{"--blue", "normal"}, "alone :0 person normal"},
        {{"--red", "best"}, "refused"},
        {{"--blue"}, "refused"},
        {{"--host"}, "host " + poort},
        {{"--host", "--mute"}, "host " + poort},
        {{"--host", "5000", "--classic"}, "host :5000 person person"},
        {{"--host", "x"}, "refused"},
        {{"--join", "example.org"}, "join example.org" + poort},
        {{"--join", "10.0.0.2:1"}, "join 10.0.0.2:1 person person"},
        {{"--join", "h:65535"}, "join h:65535 person person"},
        {{"--join", "h:65536"}, "refused"},
        {{"--join", "h:0"}, "refused"},
        {{"--join", "h:"}, "refused"},
        {{"--join", "h:12a"}, "refused"},
        {{"--join", ":5000"}, "refused"},
        {{"--join", "::1"}, "refused"},  // IPv6: not taken for host ":" at port 1
        {{"--join"}, "refused"},
        {{"--join", "a", "--host"}, "refused"},
        {{"--host", "--replay", "f.zfr"}, "refused"},
    };
    for (const auto& [args, want] : cases) EXPECT_EQ(said(args), want) << testing::PrintToString(args);
}

namespace {

using namespace ScriptedGame;

// The program in a child process: in its own game directory, with a
// script, writing its trace to `trace` line by line. A child that hangs
// is ended after a minute (SIGALRM), and the test sees it.
pid_t Spawn(const std::string& dir, std::vector<std::string> args, std::vector<Reaction> script,
            const std::string& trace, const char* dieAt = nullptr, uint32_t lineDelayMs = 0) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    alarm(60);
    Transport::SetDefaultSendDelay(lineDelayMs);
    std::filesystem::current_path(dir);
    Headless::Reset();
    std::ofstream out(trace);
    Driver driver(std::move(script));
    args.push_back("--classic");
    _exit(Play(driver, args, [&](const std::string& line) {
        out << line << std::endl;
        if (dieAt && line.rfind(dieAt, 0) == 0) raise(SIGKILL);  // a crash in the middle of a turn
    }));
}

int Reap(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A port of the test's own, away from the game's.
uint16_t TestPort(int n) { return uint16_t(20000 + (getpid() * 7 + n) % 20000); }

// The part of a trace that is the match: from its start to "game over",
// without the random state file's lines (the joiner's file is not the
// game's; the hashes the two sides compare hold the random state).
std::string Match(const std::string& trace) {
    const size_t from = trace.find("start"), to = trace.find("game over");
    if (from == std::string::npos || to == std::string::npos) return "";
    std::string out;
    for (const std::string& line : TestSupport::Lines(trace.substr(from, to - from)))
        if (line.rfind("  random ", 0) != 0) out += line + "\n";
    return out;
}

// One rabbit a team on level 2 with wind (chance at the set-up and in every
// turn): red (the host) fires at its own feet, blue throws grenades and
// walks, until red has lost.
// (A reaction is used once, and the first unused one for a line is taken:
// twelve alike serve twelve turns.)
std::vector<Reaction> Red() {
    std::vector<Reaction> s(12, {"move 1", Tap(300, Enter, 100)});
    s.insert(s.end(), 12, {"weapon 1", Choose(0) + AimAndFire(0, 0)});
    s.push_back({"title", Tap(100, Enter) + Tap(200, Enter) + Tap(400, Enter) + Tap(500, Right) + Tap(600, Enter)});
    s.push_back({"victory", Tap(500, 'R')});
    return s;
}
std::vector<Reaction> Blue() {
    std::vector<Reaction> s(12, {"move 2", Tap(300, Right, 300) + Tap(900, Enter, 100)});
    s.insert(s.end(), 12, {"weapon 2", Choose(1) + AimAndFire(-2, 300)});
    return s;
}

class NetGameTest : public TestSupport::GameDirTest {
protected:
    void SetUp() override {
        GameDirTest::SetUp();
        joinDir = TestSupport::MakeGameDir(dir);
    }
    std::string joinDir;
};

}  // namespace

// One match between two programs, to its end or ended early on both sides.
// The host goes to its title at the end, the joiner too.
TEST_F(NetGameTest, TwoProgramsPlayOneGameToTheEnd) {
    const uint32_t Esc = 0x1B;
    struct Case {
        uint32_t lineDelay;  // added to every message each way
        const char* dieAt;   // the joiner killed when its trace says this
        std::vector<Reaction> blue;
        int joinExit;
        const char* hostSays;
        const char* joinSays;
        bool toTheEnd = false;      // the whole match played: both sides saw the same
        bool damagedLevel = false;  // the joiner's landscape file not the host's
    };
    const char* const left = "network: the other player left the game\ntitle";
    const std::vector<Case> cases = {
        // To the end, on the loopback as it is and with 100 ms added (the
        // kernel's netem is not there to do it). The host quits at its
        // title: the joiner is told and plays alone.
        {0, nullptr, Blue(), 0, "victory 2", left, true},
        {100, nullptr, Blue(), 0, "victory 2", left, true},
        // The joiner killed in its turn, or quitting it through the pause menu.
        {0, "weapon 2", Blue(), 128 + SIGKILL, "network: the connection to the other player was lost\ntitle\nquit", ""},
        {0, nullptr, {{"move 2", Tap(300, Esc) + Tap(400, Down) + Tap(500, Enter)}}, 0, left,
         "quit to title\ntitle\nquit"},
        // The joiner's game not the host's: its landscape file damaged.
        {0, nullptr, Blue(), 0, "went out of step", "went out of step", false, true},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        // Red's rabbit is rabbit 1 with this chance; the joiner's file is not the game's.
        TestSupport::WriteFile("Files/RandomFile.txt", "    42\r\n 3.5000E-1\r\n");
        TestSupport::WriteFile(joinDir + "/Files/RandomFile.txt", "   123\r\n 7.7000E-1\r\n");
        for (const std::string& d : {dir, joinDir}) std::filesystem::remove_all(d + "/Replays");
        if (c.damagedLevel) TestSupport::WriteFile(joinDir + "/Files/Level2Part3.txt", "");
        const std::string port = std::to_string(TestPort(100 + int(i)));
        // The host's computer never plays the joiner's team, even when asked to.
        const pid_t host = Spawn(dir, {"--host", port, "--blue", "hard"}, Red(), dir + "/host.trace", nullptr, c.lineDelay);
        const pid_t join =
            Spawn(joinDir, {"--join", "127.0.0.1:" + port}, c.blue, dir + "/join.trace", c.dieAt, c.lineDelay);
        EXPECT_EQ(Reap(join), c.joinExit);
        EXPECT_EQ(Reap(host), 0);
        const std::string hostTrace = TestSupport::ReadFile(dir + "/host.trace");
        const std::string joinTrace = TestSupport::ReadFile(dir + "/join.trace");
        EXPECT_NE(hostTrace.find(c.hostSays), std::string::npos) << hostTrace;
        EXPECT_NE(joinTrace.find(c.joinSays), std::string::npos) << joinTrace;
        if (!c.toTheEnd) continue;
        // Every turn's state, the screens' hashes among it, the same on both.
        EXPECT_FALSE(Match(hostTrace).empty());
        EXPECT_EQ(Match(hostTrace), Match(joinTrace));
        EXPECT_EQ(TestSupport::ReadFile(joinDir + "/Files/RandomFile.txt"), "   123\r\n 7.7000E-1\r\n");
        // Each machine recorded the match; both records play again to the same end.
        std::string verdicts[2];
        EXPECT_EQ(TestSupport::CheckRecords(dir + "/Replays", 1, &verdicts[0]), "");
        EXPECT_EQ(TestSupport::CheckRecords(joinDir + "/Replays", 1, &verdicts[1]), "");
        for (const auto& [d, teams] : {std::pair{dir, "team 1 person\nteam 2 network\n"},
                                       {joinDir, "team 1 network\nteam 2 person\n"}})
            for (const auto& f : std::filesystem::directory_iterator(d + "/Replays"))
                EXPECT_NE(TestSupport::ReadFile(f.path()).find(teams), std::string::npos) << "who played, " << d;
        EXPECT_EQ(verdicts[0], verdicts[1]);
    }
    // Each side kept the record of the match that went out of step.
    for (const std::string& d : {dir, joinDir})
        EXPECT_FALSE(std::filesystem::is_empty(d + "/Replays")) << d;
}

// A port in use ends the program before any window, with exit code 1.
TEST_F(NetGameTest, APortInUseEndsTheProgram) {
    std::string error;
    const auto bezet = Transport::Host(0, error);
    ASSERT_TRUE(bezet) << error;
    Driver driver({});
    EXPECT_EQ(Play(driver, {"--host", std::to_string(bezet->Port())}), 1);
    EXPECT_EQ(Headless::WindowsOpened(), 0u);
}

TEST_F(NetGameTest, HostileMessagesEndTheConnectionWithAClearMessage) {
    struct Case {
        std::vector<std::vector<uint8_t>> send;
        const char* why;
    };
    // Each reaches a host still waiting for the greeting. (What the reader
    // refuses in a message, and why, is NetMessages' to check.)
    const std::vector<Case> cases = {
        {{{'Z', 'N', 1}}, "a message of 3 bytes is too short"},
        {{Encode(Keys{1, 0, {{0, 0x20}}})}, "it did not greet first"},
        {{Encode(Hello{}), Encode(Hello{})}, "a second greeting"},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string trace = dir + "/host" + std::to_string(i) + ".trace";
        const pid_t host = Spawn(dir, {"--host", std::to_string(TestPort(2 + int(i)))}, {}, trace);
        std::string error;
        std::unique_ptr<Transport> t;
        Happening h{Happening::Closed, {}, ""};
        // The host may not listen yet: try again until it does.
        for (int attempt = 0; attempt < 20 && h.type != Happening::Connected; ++attempt) {
            t = Transport::Join("127.0.0.1", TestPort(2 + int(i)), error);
            ASSERT_TRUE(t && t->Wait(h, 10000)) << error;
        }
        ASSERT_EQ(h.type, Happening::Connected);
        for (const auto& bytes : cases[i].send) t->Send(bytes);
        // The host greets, then says why it leaves, and goes.
        std::vector<Message> heard;
        while (t->Wait(h, 10000) && h.type == Happening::Received) heard.push_back(*Decode(h.bytes).message);
        EXPECT_EQ(h.type, Happening::Closed);
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.back(), Message(Leave{Reason::BadMessage})) << cases[i].why;
        t.reset();
        EXPECT_EQ(Reap(host), 0);
        const std::string said = TestSupport::ReadFile(trace);
        EXPECT_NE(said.find(std::string("network: a bad message from the other side: ") + cases[i].why),
                  std::string::npos) << said;
        EXPECT_TRUE(said.ends_with("title\nquit\n")) << said;
    }
}

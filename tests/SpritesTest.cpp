// The catalogue's drawing procedures: every screen, status-bar piece, digit, weapon slot, rabbit
// pose and sprite lands at its corner through its own mask, shown at once or left for the next
// update; the shell's picture follows its flight, the axe swings through its frames, and the turn
// clock shows its digits. Each picture of the catalogue is replaced by a solid one of its own colour.
#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>

#include "game/movement/TurnClock.h"
#include "game/weapons/Axe.h"
#include "game/weapons/Flight.h"
#include "gfx/TekenBitmaps.h"
#include "tests/TestImages.h"
#include "tests/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace TekenBitmaps;
using TestImages::Box;
using TestImages::Count;
using Wimdows::Color;
using Wimdows::RgbColor;

const Color Bg = RgbColor(3, 5, 7);

Handle& HandleOf(const std::string& stem) { return *TestImages::Lookup(stem)->handle; }
// The colour of the solid picture standing in for catalogue entry i.
Color Tint(size_t i) { return RgbColor(uint32_t(40 + i), 60, 90); }
Color TintOf(const std::string& stem) { return Tint(size_t(TestImages::Lookup(stem) - TestImages::Catalogue().data())); }
// The catalogue picture shown at a pixel; "" for the background.
std::string StemAt(int32_t x, int32_t y, bool window = true) {
    const Color c = TestImages::Pixel(x, y, window);
    for (size_t i = 0; i < TestImages::Catalogue().size(); ++i)
        if (Tint(i) == c) return TestImages::Catalogue()[i].stem;
    return c == Bg ? "" : "?";
}
// The shell's picture for a flight along (dx, dy): B up, O down, L left, R right, one letter doubled.
std::string KogelStem(int dx, int dy) {
    const std::string s = std::string(dy < 0 ? "B" : dy > 0 ? "O" : "") + (dx < 0 ? "L" : dx > 0 ? "R" : "");
    return "Kogel" + (s.size() == 1 ? s + s : s);
}

class SpritesTest : public TestSupport::GameTest {
protected:
    void SetUp() override {
        TestSupport::GameTest::SetUp();
        const auto& c = TestImages::Catalogue();
        for (size_t i = 0; i < c.size(); ++i)
            *c[i].handle = TestImages::Solid(c[i].w, c[i].h, c[i].stem.ends_with("Mask") ? RgbColor(255, 255, 255) : Tint(i));
    }
};

TEST_F(SpritesTest, EveryPictureAtItsCornerThroughItsMask) {
    // Draws, and finds the picture `stem` at corner (x, y) and nothing else near it; buffering on
    // afterwards or not; on the window without an update or not. Then through a black mask.
    const auto see = [&](const std::string& what, const std::function<void()>& draw, const std::string& stem,
                         int32_t x, int32_t y, bool buffered, bool shown) {
        SCOPED_TRACE(what + ": " + stem);
        const TestImages::Entry& e = *TestImages::Lookup(stem);
        const Box want{x, std::max(y, 0), std::min<int32_t>(x + int32_t(e.w) - 1, 999), std::min<int32_t>(y + int32_t(e.h) - 1, 699)};
        const Box near{std::max(want.left - 9, 0), std::max(want.top - 9, 0), std::min(want.right + 9, 999), std::min(want.bottom + 9, 699)};
        const int64_t area = int64_t(near.right - near.left + 1) * (near.bottom - near.top + 1);
        const auto clear = [&] {  // only where the checks look
            Wimdows::SetBuffering(false);
            Wimdows::Rectangle(near.left, near.top, near.right, near.bottom, Bg, true);
        };
        clear();
        draw();
        EXPECT_EQ(TestImages::Find(TintOf(stem), near.left, near.top, near.right, near.bottom), want);
        EXPECT_EQ(Count(Bg, near.left, near.top, near.right, near.bottom), area - int64_t(want.right - want.left + 1) * (want.bottom - want.top + 1));
        EXPECT_EQ(Wimdows::Buffering(), buffered);
        EXPECT_EQ(TestImages::Find(TintOf(stem), near.left, near.top, near.right, near.bottom, true), shown ? want : Box{});
        // Through its own mask: a black one lets nothing through.
        const std::string mask = TestImages::MaskFor(stem);
        if (mask.empty()) return;
        const Handle white = HandleOf(mask);
        HandleOf(mask) = TestImages::Solid(e.w, e.h, RgbColor(0, 0, 0));
        clear();
        draw();
        EXPECT_EQ(Count(Bg, near.left, near.top, near.right, near.bottom), area) << mask;
        HandleOf(mask) = white;
    };
    const auto screen = [&](std::string what, std::function<void()> draw, std::string stem) { see(what, draw, stem, 1, 1, false, true); };
    for (uint32_t i = 1; i <= 4; ++i) screen("title " + std::to_string(i), [i] { TekenTitelScherm(i); }, "TitelScherm" + std::to_string(i));
    uint32_t n = 0;  // the menu screens, row by row: four choices, then two and two
    for (uint32_t i = 1; i <= 3; ++i)
        for (uint32_t j = 1; j <= (i == 1 ? 4u : 2u); ++j)
            screen("menu " + std::to_string(i) + std::to_string(j), [i, j] { TekenMenuScherm(i, j); }, "MenuScherm" + std::to_string(++n));
    for (uint32_t i : {1u, 0u, 2u, 3u, 99u})
        screen("instructions " + std::to_string(i), [i] { TekenInstructies(i); }, i == 1 ? "Instructions1" : "Instructions2");
    screen("credits", [] { TekenCredits(); }, "Credits");
    for (uint32_t i = 1; i <= 3; ++i) see("level", [i] { TekenLevel(i); }, "Level" + std::to_string(i), 1, 1, true, false);
    const int32_t piece[] = {1, 263, 486, 923};
    for (uint32_t d = 0; d <= 3; ++d)
        see("status bar", [d] { TekenStatusbalk(d); }, d ? "Statusbalk" + std::to_string(d) : "Statusbalk", piece[d], 600, false, true);
    for (uint32_t c = 0; c <= 9; ++c) see("digit", [c] { TekenCijfer(100 + 30 * c, 50, c); }, "Digit" + std::to_string(c), 100 + 30 * int32_t(c), 50, false, true);
    for (uint32_t t : {1u, 2u, 0u, 5u}) see("victory", [t] { TekenOverwinning(t); }, t == 1 ? "OverwinningRood" : "OverwinningBlauw", 1, 1, true, true);
    for (uint32_t w = 0; w <= 5; ++w) see("weapon", [w] { TekenWapen(w); }, "Wapen" + std::to_string(w), 748, 617, true, true);

    using Pose = std::function<void(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur)>;
    const struct { std::string stem; Pose draw; uint32_t frames; int32_t left3; } poses[] = {
        {"Konijntje", [](uint32_t x, uint32_t y, uint32_t, uint32_t k) { TekenKonijntje(int32_t(x), int32_t(y), int32_t(k)); }, 1, 15},
        {"KonijntjeWandelL", [](uint32_t x, uint32_t y, uint32_t n, uint32_t k) { TekenKonijntjeWandelLinks(int32_t(x), int32_t(y), n, k); }, 3, 15},
        {"KonijntjeWandelR", [](uint32_t x, uint32_t y, uint32_t n, uint32_t k) { TekenKonijntjeWandelRechts(int32_t(x), int32_t(y), n, k); }, 3, 15},
        {"KonijntjeBazL", TekenKonijntjeBazookaLinks, 3, 15},
        {"KonijntjeBazR", TekenKonijntjeBazookaRechts, 3, 15},
        {"KonijntjePisL", TekenKonijntjePistoolLinks, 3, 15},
        {"KonijntjePisR", TekenKonijntjePistoolRechts, 3, 15},
        {"KonijntjeBijL", TekenKonijntjeBijlLinks, 3, 21},  // the swing's last frame holds the axe out
        {"KonijntjeBijR", TekenKonijntjeBijlRechts, 3, 9},
        {"KonijntjeDyn", [](uint32_t x, uint32_t y, uint32_t, uint32_t k) { TekenKonijntjeDynamiet(x, y, k); }, 1, 15},
        {"KonijntjeGraL", [](uint32_t x, uint32_t y, uint32_t, uint32_t k) { TekenKonijntjeGranaatLinks(x, y, k); }, 1, 15},
        {"KonijntjeGraR", [](uint32_t x, uint32_t y, uint32_t, uint32_t k) { TekenKonijntjeGranaatRechts(x, y, k); }, 1, 15},
        {"KonijntjeNadenk", [](uint32_t x, uint32_t y, uint32_t, uint32_t k) { TekenKonijntjeNadenk(x, y, k); }, 1, 15}};
    for (const auto& p : poses)
        for (uint32_t f = 1; f <= p.frames; ++f)
            for (uint32_t kleur : {1u, 2u, 0u, 7u}) {
                const std::string stem = p.stem + (p.frames > 1 ? std::to_string(f) : "") + (kleur == 1 ? "Rood" : "Blauw");
                // The plain rabbit leaves the showing to its caller.
                see("kleur " + std::to_string(kleur), [&p, f, kleur] { p.draw(400, 300, f, kleur); }, stem,
                    400 - (f == 3 ? p.left3 : 15), 240, true, p.stem != "Konijntje");
            }
    see("explosion", [] { TekenKaboom(100, 100); }, "Kaboom", 70, 70, true, true);
    see("arrow", [] { TekenPijl(500, 300); }, "Pijl", 489, 225, true, true);
    see("arrow clipped at the top", [] { TekenPijl(500, 70); }, "Pijl", 489, -5, true, true);
    see("grenade", [] { TekenGranaat(200, 200); }, "Granaat", 194, 194, true, true);
    see("dynamite", [] { TekenDynamiet(400, 400); }, "Dynamiet", 397, 374, true, true);
    see("sight", [] { TekenVizier(600, 300); }, "Vizier", 592, 292, true, true);
    for (uint32_t r = 1; r <= 8; ++r) {  // clockwise from up, an eighth of a turn apart
        const double a = (r - 1) * std::numbers::pi / 4;
        see("shell " + std::to_string(r), [r] { TekenKogel(300, 400, r); }, KogelStem(int(std::lround(std::sin(a))), int(-std::lround(std::cos(a)))), 292, 392, true, true);
    }
}

// A shell is drawn with the picture nearest its direction of flight, from its last place to the next.
TEST_F(SpritesTest, TheShellPointsWhereItFlies) {
    for (int dx = -20; dx <= 20; ++dx)
        for (int dy = -20; dy <= 20; ++dy) {
            if (dx == 0 && dy == 0) continue;
            const double eighth = std::round(std::atan2(dy, dx) / (std::numbers::pi / 4)) * std::numbers::pi / 4;
            Wimdows::SetBuffering(false);
            Wimdows::Rectangle(270, 270, 330, 330, Bg, true);
            Zanderfell::Kogel(300, 300, 300 + dx, 300 + dy);
            EXPECT_EQ(StemAt(300 + dx - 8, 300 + dy - 8), KogelStem(int(std::lround(std::cos(eighth))), int(std::lround(std::sin(eighth)))))
                << dx << "," << dy;
        }
}

// The swing: frames 1, 2 and 3 of the chosen side, 300 ms each, the last one holding the axe out.
TEST_F(SpritesTest, TheAxeSwingsThroughItsThreeFrames) {
    Zanderfell::Menu.LevelNr = 1;
    TestSupport::PutRabbit(1, 500, 400, 100, 2);
    // Until a side is chosen it faces left, the axe in the swing's first frame.
    TestSupport::RunUntilItWaits([] { Zanderfell::BaanBijl(1); });
    EXPECT_EQ(StemAt(485, 340, false), "KonijntjeBijL1Blauw");
    for (const char* side : {"L", "R"}) {
        std::vector<std::string> shown;
        Headless::AtEveryWait([&] {
            for (int32_t left = 470; left <= 500; ++left)
                if (StemAt(left, 340).starts_with("KonijntjeBij")) {
                    shown.push_back(StemAt(left, 340) + "@" + std::to_string(left));
                    break;
                }
        });
        if (side[0] == 'R') Headless::Tap(Headless::Now() + 100, Wimdows::VK_RIGHT);
        Headless::Tap(Headless::Now() + 200, Wimdows::VK_SPACE, 700);
        const uint64_t start = Headless::Now();
        Zanderfell::BaanBijl(1);
        ASSERT_GE(shown.size(), 3u);
        const std::string pose = std::string("KonijntjeBij") + side;
        EXPECT_EQ(std::vector<std::string>(shown.end() - 3, shown.end()),
                  (std::vector<std::string>{pose + "1Blauw@485", pose + "2Blauw@485", pose + (side[0] == 'R' ? "3Blauw@491" : "3Blauw@479")}));
        EXPECT_EQ(Headless::Now() - start, 200u + 900);
        EXPECT_EQ(StemAt(side[0] == 'R' ? 491 : 479, 340), pose + "3Blauw") << "the last frame stays";
    }
}

TEST_F(SpritesTest, TheClockShowsTheWholeSeconds) {
    // {time, tens, units}: below zero shows 00, a hundred or more leaves the tens place empty.
    const struct { float t; int tens, units; } cases[] = {
        {49.9f, 4, 9}, {50.0f, 5, 0}, {9.5f, 0, 9}, {10.0f, 1, 0}, {0.05f, 0, 0}, {0.0f, 0, 0}, {-0.0f, 0, 0},
        {-0.5f, 0, 0}, {-120.0f, 0, 0}, {100.0f, -1, 0}, {123.9f, -1, 3}};
    const auto digit = [](int d) { return d < 0 ? std::string() : "Digit" + std::to_string(d); };
    for (const auto& c : cases) {
        Wimdows::SetBuffering(false);  // the whole window in the background colour
        Wimdows::Rectangle(0, 0, 999, 699, Bg, true);
        Wimdows::SetBuffering(true);  // as in a turn: the clock must show itself
        Zanderfell::GeefTijd(c.t);
        EXPECT_EQ(StemAt(932, 634) + "," + StemAt(956, 634), digit(c.tens) + "," + digit(c.units)) << c.t;
        EXPECT_EQ(Count(Bg, 0, 0, 999, 699, true), 1000 * 700 - 22 * 33 * (c.tens < 0 ? 1 : 2)) << "more changed, " << c.t;
    }
}

// Handles count from 2 in catalogue order (1 is the loading screen); a missing file takes none.
TEST_F(SpritesTest, HandlesFollowTheCatalogueAndAMissingImageShiftsLaterOnesDown) {
    const auto expect = [](const std::string& missing) {
        Handle next = 2;
        for (const auto& e : TestImages::Catalogue()) EXPECT_EQ(*e.handle, e.stem == missing ? 0u : next++) << e.stem;
        EXPECT_EQ(Wimdows::BitmapCount(), next - 1);
    };
    Zanderfell::MaakSchermAan();
    expect("");
    // The loading picture (handle 1) shows from (1, 1) while the rest loads.
    const auto shown = TestSupport::Snapshot(0, 0, 999, 699);
    Wimdows::DrawBitmap(1, 1, 1);
    EXPECT_TRUE(TestSupport::Snapshot(0, 0, 999, 699) == shown);
    const fs::path art = fs::read_symlink("Images");
    fs::remove("Images");
    fs::create_directory("Images");
    for (const auto& f : fs::directory_iterator(art))
        if (f.path().filename() != "KogelBB.bmp") fs::create_symlink(f.path(), fs::path("Images") / f.path().filename());
    Zanderfell::MaakSchermAan();
    expect("KogelBB");
}

}  // namespace

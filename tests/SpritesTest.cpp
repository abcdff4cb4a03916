// The image catalogue, screens and status-bar pieces, rabbit poses, weapon and effect sprites
// and the turn clock, placed exactly with solid test pictures put into the catalogue's handles.
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "game/Zanderfell.h"
#include "game/movement/TurnClock.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "tests/TestImages.h"
#include "tests/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace TekenBitmaps;
using TestImages::Box;
using TestImages::Count;
using TestImages::Find;
using Wimdows::Color;
using Wimdows::Handle;
using Wimdows::RgbColor;

const Color Bg = RgbColor(3, 5, 7);
const Box Screen{1, 1, 999, 699};

// Paints the whole client area in the background colour, on the window too; buffering as asked.
void ClearAll(bool buffering = false) {
    Wimdows::SetBuffering(false);
    Wimdows::Rectangle(0, 0, 999, 699, Bg, true);
    Wimdows::SetBuffering(buffering);
}
void SolidDigits(uint32_t green) {
    Handle* digits[] = {&Digit0Bitmap, &Digit1Bitmap, &Digit2Bitmap, &Digit3Bitmap, &Digit4Bitmap,
                        &Digit5Bitmap, &Digit6Bitmap, &Digit7Bitmap, &Digit8Bitmap, &Digit9Bitmap};
    for (uint32_t c = 0; c < 10; ++c) *digits[c] = TestImages::Solid(22, 33, RgbColor(100 + c, green, 7));
}

// Every handle in catalogue order from 2, the `missing` image 0 and later ones one lower.
void ExpectHandles(const std::string& missing) {
    Handle expected = 2;
#define CATALOGUE(stem, w, h) EXPECT_EQ(stem##Bitmap, #stem == missing ? 0u : expected++) << #stem;
#include "gfx/Catalogue.def"
#undef CATALOGUE
    EXPECT_EQ(Wimdows::BitmapCount(), expected - 1);
}

class CatalogueTest : public TestSupport::GameTest {};
TEST_F(CatalogueTest, Handles2To156AndAMissingImageShiftsLaterOnesDown) {
    ExpectHandles("");
    EXPECT_EQ(PijlMaskBitmap, 156u);
    Zanderfell::MaakSchermAan();  // opening again loads afresh with the same numbers
    ExpectHandles("");
    // Images/ without KogelBB.bmp.
    fs::path art = fs::read_symlink("Images");
    fs::remove("Images");
    fs::create_directory("Images");
    for (const auto& e : fs::directory_iterator(art))
        if (e.path().filename() != "KogelBB.bmp") fs::create_symlink(e.path(), fs::path("Images") / e.path().filename());
    Zanderfell::MaakSchermAan();
    ExpectHandles("KogelBB");
    EXPECT_EQ(PijlMaskBitmap, 155u);
    // A shell flying upward is invisible; the game goes on.
    ClearAll();
    TekenKogel(300, 300, 1);
    EXPECT_EQ(Count(Bg, 280, 280, 320, 320), 41 * 41);
    TekenKogel(300, 300, 5);
    EXPECT_LT(Count(Bg, 280, 280, 320, 320), 41 * 41);
}

class ScreensTest : public TestSupport::GameTest {};
TEST_F(ScreensTest, FullScreensArePlainAtOneOne) {
    const auto colour = [](uint32_t i) { return RgbColor(10 + i, 20, 30); };
    Handle* screens[] = {&TitelScherm1Bitmap, &TitelScherm2Bitmap, &TitelScherm3Bitmap, &TitelScherm4Bitmap,
                         &MenuScherm1Bitmap, &MenuScherm2Bitmap, &MenuScherm3Bitmap, &MenuScherm4Bitmap,
                         &MenuScherm5Bitmap, &MenuScherm6Bitmap, &MenuScherm7Bitmap, &MenuScherm8Bitmap,
                         &Instructions1Bitmap, &Instructions2Bitmap, &CreditsBitmap};
    for (uint32_t i = 0; i < 15; ++i) *screens[i] = TestImages::SolidScaled(1000, 700, colour(i));
    const std::pair<uint32_t, uint32_t> menus[] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 1}, {2, 2}, {3, 1}, {3, 2}};
    std::vector<std::pair<std::function<void()>, uint32_t>> draws;
    for (uint32_t i = 1; i <= 4; ++i) draws.push_back({[i] { TekenTitelScherm(i); }, i - 1});
    for (uint32_t n = 0; n < 8; ++n) draws.push_back({[m = menus[n]] { TekenMenuScherm(m.first, m.second); }, 4 + n});
    draws.push_back({[] { TekenInstructies(1); }, 12});
    for (uint32_t i : {0u, 2u, 3u, 99u}) draws.push_back({[i] { TekenInstructies(i); }, 13});
    draws.push_back({[] { TekenCredits(); }, 14});
    // Unbuffered (a fresh window): each shows at once.
    for (size_t d = 0; d < draws.size(); ++d) {
        ClearAll();
        draws[d].first();
        EXPECT_FALSE(Wimdows::Buffering()) << "drawing " << d;
        EXPECT_EQ(Find(colour(draws[d].second), 0, 0, 999, 699, true), Screen) << "drawing " << d;
        EXPECT_EQ(Wimdows::WindowPixel(0, 0), Bg) << "drawing " << d;
    }
    // Buffered: a plain drawing waits for the next update.
    Wimdows::SetBuffering(true);
    TekenTitelScherm(2);
    EXPECT_EQ(Wimdows::WindowPixel(500, 350), colour(14));
    EXPECT_EQ(Wimdows::BufferPixel(500, 350), colour(1));
    Wimdows::UpdateWindow();
    EXPECT_EQ(Wimdows::WindowPixel(500, 350), colour(1));
}

TEST_F(ScreensTest, VictoryShowsEvenWhileBufferingAndLevelWaits) {
    OverwinningRoodBitmap = TestImages::SolidScaled(1000, 700, RgbColor(200, 0, 0));
    OverwinningBlauwBitmap = TestImages::SolidScaled(1000, 700, RgbColor(0, 0, 200));
    ClearAll(true);
    TekenOverwinning(1);
    EXPECT_TRUE(Wimdows::Buffering());
    EXPECT_EQ(Find(RgbColor(200, 0, 0), 0, 0, 999, 699, true), Screen);
    for (uint32_t team : {2u, 0u, 5u}) {
        TekenOverwinning(team);
        EXPECT_EQ(Wimdows::WindowPixel(500, 350), RgbColor(0, 0, 200)) << team;
    }
    // A level picture turns buffering on and waits for an update, as does what follows it.
    Level1Bitmap = TestImages::SolidScaled(1000, 600, RgbColor(1, 100, 1));
    Level2Bitmap = TestImages::SolidScaled(1000, 600, RgbColor(2, 100, 1));
    Level3Bitmap = TestImages::SolidScaled(1000, 600, RgbColor(3, 100, 1));
    for (uint32_t n = 1; n <= 3; ++n) {
        ClearAll();
        TekenLevel(n);
        EXPECT_TRUE(Wimdows::Buffering());
        EXPECT_EQ(Find(RgbColor(n, 100, 1), 0, 0, 999, 699), (Box{1, 1, 999, 600})) << n;
        TekenStatusbalk(0);
        EXPECT_EQ(Count(Bg, 0, 0, 999, 699, true), 1000 * 700) << "shown without an update";
        Wimdows::UpdateWindow();
        EXPECT_EQ(Wimdows::WindowPixel(500, 300), RgbColor(n, 100, 1));
        EXPECT_NE(Wimdows::WindowPixel(500, 650), Bg);
    }
}

TEST_F(ScreensTest, StatusBarPiecesDigitsAndTheWeaponSlot) {
    StatusbalkBitmap = TestImages::SolidScaled(1000, 100, RgbColor(70, 1, 1));
    Statusbalk1Bitmap = TestImages::Solid(178, 100, RgbColor(71, 1, 1));
    Statusbalk2Bitmap = TestImages::Solid(197, 100, RgbColor(72, 1, 1));
    Statusbalk3Bitmap = TestImages::Solid(60, 100, RgbColor(73, 1, 1));
    const Box at[] = {{1, 600, 999, 699}, {263, 600, 440, 699}, {486, 600, 682, 699}, {923, 600, 982, 699}};
    for (uint32_t deel = 0; deel <= 3; ++deel) {
        ClearAll(true);
        TekenStatusbalk(deel);
        EXPECT_EQ(Find(RgbColor(70 + deel, 1, 1), 0, 0, 999, 699), at[deel]) << deel;
        EXPECT_EQ(Count(Bg, 0, 0, 999, 699, true), 1000 * 700) << "plain: no update";
    }
    // The wind panel leaves the lives bars and the weapon slot alone.
    ClearAll();
    TekenStatusbalk(0);
    Wimdows::Rectangle(30, 650, 230, 660, RgbColor(0, 176, 0), true);
    TekenStatusbalk(1);
    EXPECT_EQ(Wimdows::BufferPixel(230, 655), RgbColor(0, 176, 0));
    EXPECT_EQ(Wimdows::BufferPixel(263, 655), RgbColor(71, 1, 1));
    EXPECT_EQ(Wimdows::BufferPixel(441, 655), RgbColor(70, 1, 1));

    SolidDigits(2);
    ClearAll(true);
    for (int32_t c = 0; c < 10; ++c) {
        TekenCijfer(uint32_t(100 + 30 * c), 50, uint32_t(c));
        EXPECT_EQ(Find(RgbColor(100 + uint32_t(c), 2, 7), 0, 0, 999, 699), (Box{100 + 30 * c, 50, 121 + 30 * c, 82})) << c;
    }
    Handle* weapons[] = {&Wapen0Bitmap, &Wapen1Bitmap, &Wapen2Bitmap, &Wapen3Bitmap, &Wapen4Bitmap, &Wapen5Bitmap};
    for (uint32_t n = 0; n < 6; ++n) *weapons[n] = TestImages::Solid(66, 66, RgbColor(120 + n, 2, 2));
    WapenMaskBitmap = TestImages::Mask(66, 66);
    for (uint32_t n = 0; n < 6; ++n) {
        ClearAll(true);
        TekenWapen(n);
        EXPECT_TRUE(Wimdows::Buffering());
        EXPECT_EQ(Find(RgbColor(120 + n, 2, 2), 0, 0, 999, 699, true), (Box{748, 617, 813, 682})) << "shown at once, " << n;
    }
    WapenMaskBitmap = TestImages::Solid(66, 66, RgbColor(0, 0, 0));  // a black mask draws nothing
    ClearAll();
    TekenWapen(3);
    EXPECT_EQ(Count(Bg, 700, 600, 850, 699), 151 * 100);
}

using Draw = std::function<void(int32_t x, int32_t y, uint32_t nummer, uint32_t kleur)>;
struct Member {
    const char* name;
    std::vector<std::array<Handle*, 3>> frames;  // red, blue, mask; 1 or 3 frames
    Draw draw;
    int32_t left3;  // left offset of the third frame
};
#define F3(pose) {{&pose##1RoodBitmap, &pose##1BlauwBitmap, &pose##1MaskBitmap}, \
                  {&pose##2RoodBitmap, &pose##2BlauwBitmap, &pose##2MaskBitmap}, \
                  {&pose##3RoodBitmap, &pose##3BlauwBitmap, &pose##3MaskBitmap}}
#define F1(pose) {{&pose##RoodBitmap, &pose##BlauwBitmap, &pose##MaskBitmap}}
#define D3(fn) [](int32_t x, int32_t y, uint32_t n, uint32_t k) { fn(x, y, n, k); }
#define D1(fn) [](int32_t x, int32_t y, uint32_t, uint32_t k) { fn(x, y, k); }

class RabbitPosesTest : public TestSupport::GameTest {};
TEST_F(RabbitPosesTest, EveryPoseFrameAndColourAtItsCorner) {
    const Member members[] = {
        {"Konijntje", F1(Konijntje), D1(TekenKonijntje), 15},
        {"WandelLinks", F3(KonijntjeWandelL), D3(TekenKonijntjeWandelLinks), 15},
        {"WandelRechts", F3(KonijntjeWandelR), D3(TekenKonijntjeWandelRechts), 15},
        {"BazookaLinks", F3(KonijntjeBazL), D3(TekenKonijntjeBazookaLinks), 15},
        {"BazookaRechts", F3(KonijntjeBazR), D3(TekenKonijntjeBazookaRechts), 15},
        {"PistoolLinks", F3(KonijntjePisL), D3(TekenKonijntjePistoolLinks), 15},
        {"PistoolRechts", F3(KonijntjePisR), D3(TekenKonijntjePistoolRechts), 15},
        {"BijlLinks", F3(KonijntjeBijL), D3(TekenKonijntjeBijlLinks), 21},
        {"BijlRechts", F3(KonijntjeBijR), D3(TekenKonijntjeBijlRechts), 9},
        {"Dynamiet", F1(KonijntjeDyn), D1(TekenKonijntjeDynamiet), 15},
        {"GranaatLinks", F1(KonijntjeGraL), D1(TekenKonijntjeGranaatLinks), 15},
        {"GranaatRechts", F1(KonijntjeGraR), D1(TekenKonijntjeGranaatRechts), 15},
        {"Nadenk", F1(KonijntjeNadenk), D1(TekenKonijntjeNadenk), 15},
    };
    auto colour = [](size_t m, size_t f, bool red) { return RgbColor(uint32_t(20 + 15 * m), uint32_t(30 + 50 * f), red ? 201u : 202u); };
    for (size_t m = 0; m < std::size(members); ++m)
        for (size_t f = 0; f < members[m].frames.size(); ++f) {
            *members[m].frames[f][0] = TestImages::Solid(29, 60, colour(m, f, true));
            *members[m].frames[f][1] = TestImages::Solid(29, 60, colour(m, f, false));
            *members[m].frames[f][2] = TestImages::Mask(29, 60);
        }
    const int32_t x = 400, y = 300;
    for (size_t m = 0; m < std::size(members); ++m)
        for (uint32_t nummer = 1; nummer <= members[m].frames.size(); ++nummer)
            for (uint32_t kleur : {1u, 2u, 0u, 7u}) {
                const int32_t left = nummer == 3 ? members[m].left3 : 15;
                const Box box{x - left, y - 60, x - left + 28, y - 1};
                const Color c = colour(m, nummer - 1, kleur == 1);
                SCOPED_TRACE(std::string(members[m].name) + " frame " + std::to_string(nummer) + " kleur " + std::to_string(kleur));
                ClearAll();
                members[m].draw(x, y, nummer, kleur);
                EXPECT_TRUE(Wimdows::Buffering());
                EXPECT_EQ(Find(c, 300, 200, 500, 400), box);
                EXPECT_EQ(Count(Bg, 300, 200, 500, 400), 201 * 201 - 29 * 60);
                if (m == 0) {  // the plain rabbit leaves the showing to its caller
                    EXPECT_EQ(Count(Bg, 300, 200, 500, 400, true), 201 * 201);
                    Wimdows::UpdateWindow();
                }
                EXPECT_EQ(Find(c, 300, 200, 500, 400, true), box) << "not shown";
            }
}

TEST_F(RabbitPosesTest, DrawnThroughTheMask) {
    // The real art: the mask leaves part of the 29 x 60 box transparent, nothing painted outside it.
    ClearAll();
    TekenKonijntje(400, 300, 1);
    int64_t background = Count(Bg, 385, 240, 413, 299);
    EXPECT_TRUE(background > 0 && background < 29 * 60) << background;
    EXPECT_EQ(Count(Bg, 300, 200, 500, 400), 201 * 201 - (29 * 60 - background));
    KonijntjeMaskBitmap = TestImages::Solid(29, 60, RgbColor(0, 0, 0));  // a black mask draws nothing
    ClearAll();
    TekenKonijntje(400, 300, 1);
    EXPECT_EQ(Count(Bg, 300, 200, 500, 400), 201 * 201);
}

class EffectsTest : public TestSupport::GameTest {};
TEST_F(EffectsTest, SpritesAtTheirCornersShownAtOnce) {
    auto sprite = [](Handle& pic, Handle& mask, uint32_t w, uint32_t h, Color c) {
        pic = TestImages::Solid(w, h, c);
        mask = TestImages::Mask(w, h);
    };
    uint32_t r = 50;  // shells by direction: up, up-right, right, ... up-left
#define SHELL(d) sprite(Kogel##d##Bitmap, Kogel##d##MaskBitmap, 16, 16, RgbColor(r++, 150, 50));
    SHELL(BB) SHELL(BR) SHELL(RR) SHELL(OR) SHELL(OO) SHELL(OL) SHELL(LL) SHELL(BL)
#undef SHELL
    sprite(KaboomBitmap, KaboomMaskBitmap, 60, 60, RgbColor(255, 255, 0));
    sprite(PijlBitmap, PijlMaskBitmap, 22, 15, RgbColor(9, 99, 9));
    sprite(GranaatBitmap, GranaatMaskBitmap, 16, 16, RgbColor(1, 2, 250));
    sprite(DynamietBitmap, DynamietMaskBitmap, 8, 26, RgbColor(250, 2, 1));
    sprite(VizierBitmap, VizierMaskBitmap, 20, 20, RgbColor(2, 250, 1));
    struct Case { std::string what; std::function<void()> draw; Color c; Box want; };
    std::vector<Case> cases = {
        {"Kaboom", [] { TekenKaboom(100, 100); }, RgbColor(255, 255, 0), {70, 70, 129, 129}},
        {"Pijl", [] { TekenPijl(500, 300); }, RgbColor(9, 99, 9), {489, 225, 510, 239}},
        {"Pijl clipped at the top", [] { TekenPijl(500, 70); }, RgbColor(9, 99, 9), {489, 0, 510, 9}},
        {"Granaat", [] { TekenGranaat(200, 200); }, RgbColor(1, 2, 250), {194, 194, 209, 209}},
        {"Dynamiet", [] { TekenDynamiet(400, 400); }, RgbColor(250, 2, 1), {397, 374, 404, 399}},
        {"Vizier", [] { TekenVizier(600, 300); }, RgbColor(2, 250, 1), {592, 292, 611, 311}}};
    for (r = 1; r <= 8; ++r)
        cases.push_back({"Kogel " + std::to_string(r), [r] { TekenKogel(300, 400, r); }, RgbColor(49 + r, 150, 50), {292, 392, 307, 407}});
    for (const Case& c : cases) {
        ClearAll(true);
        c.draw();
        EXPECT_TRUE(Wimdows::Buffering()) << c.what;
        EXPECT_EQ(Find(c.c, 0, 0, 999, 699), c.want) << c.what;
        EXPECT_EQ(Find(c.c, 0, 0, 999, 699, true), c.want) << c.what << " (window)";
        const int64_t area = int64_t(c.want.right - c.want.left + 1) * (c.want.bottom - c.want.top + 1);
        EXPECT_EQ(Count(Bg, 0, 0, 999, 699), 1000 * 700 - area) << c.what;
    }
}

class ClockTest : public TestSupport::GameTest {
protected:
    void SetUp() override {
        TestSupport::GameTest::SetUp();
        SolidDigits(7);
    }
    // The digit shown on the window at the units or tens place; -1 for the background, -2 for anything else.
    static int Shown(bool units) {
        const int32_t x0 = units ? 956 : 932;
        for (uint32_t c = 0; c < 10; ++c)
            if (Find(RgbColor(100 + c, 7, 7), x0 - 2, 630, x0 + 23, 670, true) == Box{x0, 634, x0 + 21, 666}) return int(c);
        return Count(Bg, x0, 634, x0 + 21, 666, true) == 22 * 33 ? -1 : -2;
    }
};

TEST_F(ClockTest, DigitsOfTheWholePart) {
    // {time, tens, units}: below zero shows 00, a hundred or more leaves the tens place empty.
    const struct { float t; int tens, units; } cases[] = {
        {49.9f, 4, 9}, {50.0f, 5, 0}, {9.5f, 0, 9}, {10.0f, 1, 0}, {0.05f, 0, 0}, {0.0f, 0, 0}, {-0.0f, 0, 0},
        {-0.5f, 0, 0}, {-3.0f, 0, 0}, {-120.0f, 0, 0}, {100.0f, -1, 0}, {123.9f, -1, 3}};
    for (const auto& c : cases) {
        ClearAll(true);  // as in a turn: the clock must show itself
        Zanderfell::GeefTijd(c.t);
        EXPECT_EQ(Shown(false), c.tens) << c.t;
        EXPECT_EQ(Shown(true), c.units) << c.t;
        EXPECT_EQ(Count(Bg, 0, 0, 999, 699, true), 1000 * 700 - 22 * 33 * (c.tens < 0 ? 1 : 2)) << "more changed, " << c.t;
    }
    // TekenDigit: place 1 is the units, any other the tens; above 9 draws nothing.
    ClearAll(true);
    Zanderfell::TekenDigit(7, 1);
    Zanderfell::TekenDigit(3, 2);
    Zanderfell::TekenDigit(10, 1);
    Wimdows::UpdateWindow();
    EXPECT_EQ(Shown(true), 7);
    EXPECT_EQ(Shown(false), 3);
    Zanderfell::TekenDigit(5, 0);
    Wimdows::UpdateWindow();
    EXPECT_EQ(Shown(false), 5);
}

}  // namespace

// The image catalogue, the screens and status-bar pieces, the rabbit poses,
// the weapon and effect sprites and the turn clock. Placements are checked with solid test
// pictures put into the catalogue's handle variables, so that every pixel of
// an image shows and the covered rectangle is exact.
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
using TestImages::Find;
using Wimdows::Color;
using Wimdows::Handle;
using Wimdows::RgbColor;

const Color Bg = RgbColor(3, 5, 7);

// Paints the whole client area in the background colour, on the window too.
void ClearAll() {
    Wimdows::SetBuffering(false);
    Wimdows::Rectangle(0, 0, 999, 699, Bg, true);
}

// --- the catalogue ------------------------------------------------------------

class CatalogueTest : public TestSupport::GameTest {};

TEST_F(CatalogueTest, HandlesTwoTo156AfterAFreshOpening) {
    EXPECT_EQ(KonijntjeRoodBitmap, 2u);
    EXPECT_EQ(PijlMaskBitmap, 156u);
    EXPECT_EQ(Wimdows::BitmapCount(), 156u);
    Handle expected = 2;
#define CATALOGUE(stem, w, h) EXPECT_EQ(stem##Bitmap, expected++) << #stem;
#include "gfx/Catalogue.def"
#undef CATALOGUE
    EXPECT_EQ(KogelBBBitmap, 89u);
    EXPECT_EQ(Level1Bitmap, 132u);
    // Opening the window again loads everything afresh with the same numbers.
    Zanderfell::MaakSchermAan();
    EXPECT_EQ(KonijntjeRoodBitmap, 2u);
    EXPECT_EQ(PijlMaskBitmap, 156u);
    EXPECT_EQ(Wimdows::BitmapCount(), 156u);
}

TEST_F(CatalogueTest, MissingImageGivesZeroAndShiftsLaterHandles) {
    // Images/ holds links to every generated picture but Images/KogelBB.bmp.
    fs::path art = fs::read_symlink("Images");
    fs::remove("Images");
    fs::create_directory("Images");
    for (const auto& e : fs::directory_iterator(art)) {
        if (e.path().filename() == "KogelBB.bmp") continue;
        fs::create_symlink(e.path(), fs::path("Images") / e.path().filename());
    }
    Zanderfell::MaakSchermAan();
    EXPECT_EQ(KogelBBBitmap, 0u);
    EXPECT_EQ(KonijntjeNadenkMaskBitmap, 88u);  // before it: unchanged
    EXPECT_EQ(KogelBLBitmap, 89u);              // after it: one lower
    EXPECT_EQ(KogelBBMaskBitmap, 96u);
    EXPECT_EQ(PijlMaskBitmap, 155u);
    EXPECT_EQ(Wimdows::BitmapCount(), 155u);
    Handle expected = 2;
#define CATALOGUE(stem, w, h)                                  \
    if (std::string(#stem) == "KogelBB") {                     \
        EXPECT_EQ(stem##Bitmap, 0u);                           \
    } else {                                                   \
        EXPECT_EQ(stem##Bitmap, expected++) << #stem;          \
    }
#include "gfx/Catalogue.def"
#undef CATALOGUE
    // A shell flying upward is invisible; the game goes on.
    ClearAll();
    TekenKogel(300, 300, 1);
    EXPECT_EQ(TestImages::Count(Bg, 280, 280, 320, 320), 41 * 41);
    TekenKogel(300, 300, 5);
    EXPECT_LT(TestImages::Count(Bg, 280, 280, 320, 320), 41 * 41);
}

// --- screens and the status bar -----------------------------------------------

class ScreensTest : public TestSupport::GameTest {};

TEST_F(ScreensTest, FullScreensArePlainAtOneOne) {
    Handle* titles[] = {&TitelScherm1Bitmap, &TitelScherm2Bitmap, &TitelScherm3Bitmap, &TitelScherm4Bitmap};
    for (uint32_t i = 0; i < 4; ++i) *titles[i] = TestImages::SolidScaled(1000, 700, RgbColor(10 + i, 20, 30));
    Handle* menus[] = {&MenuScherm1Bitmap, &MenuScherm2Bitmap, &MenuScherm3Bitmap, &MenuScherm4Bitmap,
                       &MenuScherm5Bitmap, &MenuScherm6Bitmap, &MenuScherm7Bitmap, &MenuScherm8Bitmap};
    for (uint32_t i = 0; i < 8; ++i) *menus[i] = TestImages::SolidScaled(1000, 700, RgbColor(40 + i, 20, 30));
    Instructions1Bitmap = TestImages::SolidScaled(1000, 700, RgbColor(60, 20, 30));
    Instructions2Bitmap = TestImages::SolidScaled(1000, 700, RgbColor(61, 20, 30));
    CreditsBitmap = TestImages::SolidScaled(1000, 700, RgbColor(62, 20, 30));
    const Box screen{1, 1, 999, 699};

    // Unbuffered (a fresh window): each shows at once, without an update.
    auto shows = [&](const std::function<void()>& draw, Color c, const std::string& what) {
        ClearAll();
        draw();
        EXPECT_FALSE(Wimdows::Buffering()) << what;
        EXPECT_EQ(Find(c, 0, 0, 999, 699, true), screen) << what;
        EXPECT_EQ(Wimdows::WindowPixel(0, 0), Bg) << what;
    };
    for (uint32_t i = 1; i <= 4; ++i)
        shows([&] { TekenTitelScherm(i); }, RgbColor(9 + i, 20, 30), "title " + std::to_string(i));
    const std::pair<uint32_t, uint32_t> rows[] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 1}, {2, 2}, {3, 1}, {3, 2}};
    for (uint32_t n = 0; n < 8; ++n)
        shows([&] { TekenMenuScherm(rows[n].first, rows[n].second); }, RgbColor(40 + n, 20, 30),
              "menu " + std::to_string(rows[n].first) + "," + std::to_string(rows[n].second));
    shows([] { TekenInstructies(1); }, RgbColor(60, 20, 30), "instructions 1");
    for (uint32_t i : {0u, 2u, 3u, 99u}) shows([&] { TekenInstructies(i); }, RgbColor(61, 20, 30), "instructions");
    shows([] { TekenCredits(); }, RgbColor(62, 20, 30), "credits");

    // Buffered: plain drawings wait for the next update.
    Wimdows::SetBuffering(true);
    TekenTitelScherm(2);
    EXPECT_EQ(Wimdows::WindowPixel(500, 350), RgbColor(62, 20, 30));
    EXPECT_EQ(Wimdows::BufferPixel(500, 350), RgbColor(11, 20, 30));
    Wimdows::UpdateWindow();
    EXPECT_EQ(Wimdows::WindowPixel(500, 350), RgbColor(11, 20, 30));
}

TEST_F(ScreensTest, VictoryIsShownEvenWhileBuffering) {
    OverwinningRoodBitmap = TestImages::SolidScaled(1000, 700, RgbColor(200, 0, 0));
    OverwinningBlauwBitmap = TestImages::SolidScaled(1000, 700, RgbColor(0, 0, 200));
    ClearAll();
    Wimdows::SetBuffering(true);
    TekenOverwinning(1);
    EXPECT_TRUE(Wimdows::Buffering());
    EXPECT_EQ(Find(RgbColor(200, 0, 0), 0, 0, 999, 699, true), (Box{1, 1, 999, 699}));
    for (uint32_t team : {2u, 0u, 5u}) {
        TekenOverwinning(team);
        EXPECT_EQ(Wimdows::WindowPixel(500, 350), RgbColor(0, 0, 200)) << team;
    }
}

TEST_F(ScreensTest, LevelTurnsBufferingOnWithoutUpdate) {
    Level1Bitmap = TestImages::SolidScaled(1000, 600, RgbColor(1, 100, 1));
    Level2Bitmap = TestImages::SolidScaled(1000, 600, RgbColor(2, 100, 1));
    Level3Bitmap = TestImages::SolidScaled(1000, 600, RgbColor(3, 100, 1));
    for (uint32_t n = 1; n <= 3; ++n) {
        ClearAll();
        TekenLevel(n);
        EXPECT_TRUE(Wimdows::Buffering());
        EXPECT_EQ(Find(RgbColor(n, 100, 1), 0, 0, 999, 699), (Box{1, 1, 999, 600})) << n;
        EXPECT_EQ(TestImages::Count(Bg, 0, 0, 999, 699, true), 1000 * 700) << "shown without an update";
        // A following plain drawing reaches the window only at the next update.
        TekenStatusbalk(0);
        EXPECT_EQ(TestImages::Count(Bg, 0, 0, 999, 699, true), 1000 * 700);
        Wimdows::UpdateWindow();
        EXPECT_EQ(Wimdows::WindowPixel(500, 300), RgbColor(n, 100, 1));
        EXPECT_NE(Wimdows::WindowPixel(500, 650), Bg);
    }
}

TEST_F(ScreensTest, StatusBarPieces) {
    StatusbalkBitmap = TestImages::SolidScaled(1000, 100, RgbColor(70, 1, 1));
    Statusbalk1Bitmap = TestImages::Solid(178, 100, RgbColor(71, 1, 1));
    Statusbalk2Bitmap = TestImages::Solid(197, 100, RgbColor(72, 1, 1));
    Statusbalk3Bitmap = TestImages::Solid(60, 100, RgbColor(73, 1, 1));
    const Box at[] = {{1, 600, 999, 699}, {263, 600, 440, 699}, {486, 600, 682, 699}, {923, 600, 982, 699}};
    for (uint32_t deel = 0; deel <= 3; ++deel) {
        ClearAll();
        Wimdows::SetBuffering(true);
        TekenStatusbalk(deel);
        EXPECT_EQ(Find(RgbColor(70 + deel, 1, 1), 0, 0, 999, 699), at[deel]) << deel;
        EXPECT_EQ(TestImages::Count(Bg, 0, 0, 999, 699, true), 1000 * 700) << "plain: no update";
    }
    // The wind panel leaves the lives bars and the weapon slot alone.
    ClearAll();
    TekenStatusbalk(0);
    Wimdows::Rectangle(30, 650, 230, 660, RgbColor(0, 176, 0), true);
    TekenStatusbalk(1);
    EXPECT_EQ(Wimdows::BufferPixel(230, 655), RgbColor(0, 176, 0));
    EXPECT_EQ(Wimdows::BufferPixel(263, 655), RgbColor(71, 1, 1));
    EXPECT_EQ(Wimdows::BufferPixel(441, 655), RgbColor(70, 1, 1));
}

TEST_F(ScreensTest, DigitsAndTheWeaponSlot) {
    Handle* digits[] = {&Digit0Bitmap, &Digit1Bitmap, &Digit2Bitmap, &Digit3Bitmap, &Digit4Bitmap,
                        &Digit5Bitmap, &Digit6Bitmap, &Digit7Bitmap, &Digit8Bitmap, &Digit9Bitmap};
    for (uint32_t c = 0; c < 10; ++c) *digits[c] = TestImages::Solid(22, 33, RgbColor(100 + c, 2, 2));
    ClearAll();
    Wimdows::SetBuffering(true);
    for (uint32_t c = 0; c < 10; ++c) {
        TekenCijfer(100 + 30 * c, 50, c);
        EXPECT_EQ(Find(RgbColor(100 + c, 2, 2), 0, 0, 999, 699), (Box{int32_t(100 + 30 * c), 50, int32_t(121 + 30 * c), 82})) << c;
    }

    Handle* weapons[] = {&Wapen0Bitmap, &Wapen1Bitmap, &Wapen2Bitmap, &Wapen3Bitmap, &Wapen4Bitmap, &Wapen5Bitmap};
    for (uint32_t n = 0; n < 6; ++n) *weapons[n] = TestImages::Solid(66, 66, RgbColor(120 + n, 2, 2));
    WapenMaskBitmap = TestImages::Mask(66, 66);
    for (uint32_t n = 0; n < 6; ++n) {
        ClearAll();
        Wimdows::SetBuffering(true);
        TekenWapen(n);
        EXPECT_TRUE(Wimdows::Buffering());
        // Visible at once, at (748, 617).
        EXPECT_EQ(Find(RgbColor(120 + n, 2, 2), 0, 0, 999, 699, true), (Box{748, 617, 813, 682})) << n;
    }
    // Through the mask: a black mask draws nothing.
    WapenMaskBitmap = TestImages::Solid(66, 66, RgbColor(0, 0, 0));
    ClearAll();
    TekenWapen(3);
    EXPECT_EQ(TestImages::Count(Bg, 700, 600, 850, 699), 151 * 100);
}

// --- rabbit poses -------------------------------------------------------------

struct Frame {
    Handle *rood, *blauw, *mask;
};
struct Member {
    std::string name;
    std::vector<Frame> frames;  // 1 or 3
    std::function<void(int32_t x, int32_t y, uint32_t nummer, uint32_t kleur)> draw;
    int32_t left3;  // left offset of the third frame
    bool shown;
};

#define F3(pose)                                                                 \
    std::vector<Frame> {                                                         \
        {&pose##1RoodBitmap, &pose##1BlauwBitmap, &pose##1MaskBitmap},           \
            {&pose##2RoodBitmap, &pose##2BlauwBitmap, &pose##2MaskBitmap},       \
            {&pose##3RoodBitmap, &pose##3BlauwBitmap, &pose##3MaskBitmap},       \
    }
#define F1(pose) std::vector<Frame>{{&pose##RoodBitmap, &pose##BlauwBitmap, &pose##MaskBitmap}}

std::vector<Member> Members() {
    return {
        {"TekenKonijntje", F1(Konijntje), [](int32_t x, int32_t y, uint32_t, uint32_t k) { TekenKonijntje(x, y, int32_t(k)); }, 15, false},
        {"WandelLinks", F3(KonijntjeWandelL), [](int32_t x, int32_t y, uint32_t n, uint32_t k) { TekenKonijntjeWandelLinks(x, y, n, k); }, 15, true},
        {"WandelRechts", F3(KonijntjeWandelR), [](int32_t x, int32_t y, uint32_t n, uint32_t k) { TekenKonijntjeWandelRechts(x, y, n, k); }, 15, true},
        {"BazookaLinks", F3(KonijntjeBazL), [](int32_t x, int32_t y, uint32_t n, uint32_t k) { TekenKonijntjeBazookaLinks(x, y, n, k); }, 15, true},
        {"BazookaRechts", F3(KonijntjeBazR), [](int32_t x, int32_t y, uint32_t n, uint32_t k) { TekenKonijntjeBazookaRechts(x, y, n, k); }, 15, true},
        {"PistoolLinks", F3(KonijntjePisL), [](int32_t x, int32_t y, uint32_t n, uint32_t k) { TekenKonijntjePistoolLinks(x, y, n, k); }, 15, true},
        {"PistoolRechts", F3(KonijntjePisR), [](int32_t x, int32_t y, uint32_t n, uint32_t k) { TekenKonijntjePistoolRechts(x, y, n, k); }, 15, true},
        {"BijlLinks", F3(KonijntjeBijL), [](int32_t x, int32_t y, uint32_t n, uint32_t k) { TekenKonijntjeBijlLinks(x, y, n, k); }, 21, true},
        {"BijlRechts", F3(KonijntjeBijR), [](int32_t x, int32_t y, uint32_t n, uint32_t k) { TekenKonijntjeBijlRechts(x, y, n, k); }, 9, true},
        {"Dynamiet", F1(KonijntjeDyn), [](int32_t x, int32_t y, uint32_t, uint32_t k) { TekenKonijntjeDynamiet(x, y, k); }, 15, true},
        {"GranaatLinks", F1(KonijntjeGraL), [](int32_t x, int32_t y, uint32_t, uint32_t k) { TekenKonijntjeGranaatLinks(x, y, k); }, 15, true},
        {"GranaatRechts", F1(KonijntjeGraR), [](int32_t x, int32_t y, uint32_t, uint32_t k) { TekenKonijntjeGranaatRechts(x, y, k); }, 15, true},
        {"Nadenk", F1(KonijntjeNadenk), [](int32_t x, int32_t y, uint32_t, uint32_t k) { TekenKonijntjeNadenk(x, y, k); }, 15, true},
    };
}

class RabbitPosesTest : public TestSupport::GameTest {};

TEST_F(RabbitPosesTest, EveryPoseFrameAndColourAtItsCorner) {
    std::vector<Member> members = Members();
    // Distinct colours per member, frame and team.
    auto colour = [](size_t m, size_t f, bool red) {
        return RgbColor(uint32_t(20 + 15 * m), uint32_t(30 + 50 * f), red ? 201u : 202u);
    };
    for (size_t m = 0; m < members.size(); ++m)
        for (size_t f = 0; f < members[m].frames.size(); ++f) {
            *members[m].frames[f].rood = TestImages::Solid(29, 60, colour(m, f, true));
            *members[m].frames[f].blauw = TestImages::Solid(29, 60, colour(m, f, false));
            *members[m].frames[f].mask = TestImages::Mask(29, 60);
        }
    const int32_t x = 400, y = 300;
    for (size_t m = 0; m < members.size(); ++m) {
        const Member& mem = members[m];
        for (uint32_t nummer = 1; nummer <= mem.frames.size(); ++nummer) {
            int32_t left = nummer == 3 ? mem.left3 : 15;
            const Box box{x - left, y - 60, x - left + 28, y - 1};
            for (uint32_t kleur : {1u, 2u, 0u, 7u}) {
                const std::string what = mem.name + " frame " + std::to_string(nummer) + " kleur " + std::to_string(kleur);
                const Color c = colour(m, nummer - 1, kleur == 1);
                ClearAll();
                mem.draw(x, y, nummer, kleur);
                EXPECT_TRUE(Wimdows::Buffering()) << what;
                EXPECT_EQ(Find(c, 300, 200, 500, 400), box) << what;
                EXPECT_EQ(TestImages::Count(Bg, 300, 200, 500, 400), 201 * 201 - 29 * 60) << what;
                if (mem.shown) {
                    EXPECT_EQ(Find(c, 300, 200, 500, 400, true), box) << what << ": not shown at once";
                } else {
                    // TekenKonijntje leaves the showing to its caller.
                    EXPECT_EQ(TestImages::Count(Bg, 300, 200, 500, 400, true), 201 * 201) << what;
                    Wimdows::UpdateWindow();
                    EXPECT_EQ(Find(c, 300, 200, 500, 400, true), box) << what;
                }
            }
        }
    }
}

TEST_F(RabbitPosesTest, DrawnThroughTheMask) {
    // The real art: a rabbit's mask leaves part of its 29 x 60 box transparent,
    // and nothing is painted outside the box.
    ClearAll();
    TekenKonijntje(400, 300, 1);
    int64_t background = TestImages::Count(Bg, 385, 240, 413, 299);
    EXPECT_GT(background, 0) << "the mask hides nothing";
    EXPECT_LT(background, 29 * 60) << "nothing drawn";
    EXPECT_EQ(TestImages::Count(Bg, 300, 200, 500, 400), 201 * 201 - (29 * 60 - background));
    // A black mask draws nothing.
    KonijntjeMaskBitmap = TestImages::Solid(29, 60, RgbColor(0, 0, 0));
    ClearAll();
    TekenKonijntje(400, 300, 1);
    EXPECT_EQ(TestImages::Count(Bg, 300, 200, 500, 400), 201 * 201);
}

// --- weapons and effects ------------------------------------------------------

class EffectsTest : public TestSupport::GameTest {
protected:
    // Draws, checks the covered rectangle in the buffer and on the window.
    void Check(const std::function<void()>& draw, Color c, Box want, const std::string& what) {
        ClearAll();
        Wimdows::SetBuffering(true);
        draw();
        EXPECT_TRUE(Wimdows::Buffering()) << what;
        EXPECT_EQ(Find(c, 0, 0, 999, 699), want) << what;
        EXPECT_EQ(Find(c, 0, 0, 999, 699, true), want) << what << " (window)";
        int64_t area = int64_t(want.right - want.left + 1) * (want.bottom - want.top + 1);
        EXPECT_EQ(TestImages::Count(Bg, 0, 0, 999, 699), 1000 * 700 - area) << what;
    }
};

TEST_F(EffectsTest, ExplosionAndArrow) {
    KaboomBitmap = TestImages::Solid(60, 60, RgbColor(255, 255, 0));
    KaboomMaskBitmap = TestImages::Mask(60, 60);
    PijlBitmap = TestImages::Solid(22, 15, RgbColor(9, 99, 9));
    PijlMaskBitmap = TestImages::Mask(22, 15);
    Check([] { TekenKaboom(100, 100); }, RgbColor(255, 255, 0), Box{70, 70, 129, 129}, "Kaboom");
    Check([] { TekenPijl(500, 300); }, RgbColor(9, 99, 9), Box{489, 225, 510, 239}, "Pijl");
    // Near the top the arrow is clipped, not rejected.
    Check([] { TekenPijl(500, 70); }, RgbColor(9, 99, 9), Box{489, 0, 510, 9}, "Pijl clipped");
}

TEST_F(EffectsTest, ShellsGrenadeDynamiteSight) {
    Handle* shells[][2] = {{&KogelBBBitmap, &KogelBBMaskBitmap}, {&KogelBRBitmap, &KogelBRMaskBitmap},
                           {&KogelRRBitmap, &KogelRRMaskBitmap}, {&KogelORBitmap, &KogelORMaskBitmap},
                           {&KogelOOBitmap, &KogelOOMaskBitmap}, {&KogelOLBitmap, &KogelOLMaskBitmap},
                           {&KogelLLBitmap, &KogelLLMaskBitmap}, {&KogelBLBitmap, &KogelBLMaskBitmap}};
    for (uint32_t r = 0; r < 8; ++r) {
        *shells[r][0] = TestImages::Solid(16, 16, RgbColor(50 + r, 150, 50));
        *shells[r][1] = TestImages::Mask(16, 16);
    }
    for (uint32_t r = 1; r <= 8; ++r)
        Check([&] { TekenKogel(300, 400, r); }, RgbColor(49 + r, 150, 50), Box{292, 392, 307, 407},
              "Kogel " + std::to_string(r));

    GranaatBitmap = TestImages::Solid(16, 16, RgbColor(1, 2, 250));
    GranaatMaskBitmap = TestImages::Mask(16, 16);
    Check([] { TekenGranaat(200, 200); }, RgbColor(1, 2, 250), Box{194, 194, 209, 209}, "Granaat");

    DynamietBitmap = TestImages::Solid(8, 26, RgbColor(250, 2, 1));
    DynamietMaskBitmap = TestImages::Mask(8, 26);
    Check([] { TekenDynamiet(400, 400); }, RgbColor(250, 2, 1), Box{397, 374, 404, 399}, "Dynamiet");

    VizierBitmap = TestImages::Solid(20, 20, RgbColor(2, 250, 1));
    VizierMaskBitmap = TestImages::Mask(20, 20);
    Check([] { TekenVizier(600, 300); }, RgbColor(2, 250, 1), Box{592, 292, 611, 311}, "Vizier");
}

// --- the turn clock ---------------------------------------------------------

class ClockTest : public TestSupport::GameTest {
protected:
    void SetUp() override {
        TestSupport::GameTest::SetUp();
        Handle* digits[] = {&Digit0Bitmap, &Digit1Bitmap, &Digit2Bitmap, &Digit3Bitmap, &Digit4Bitmap,
                            &Digit5Bitmap, &Digit6Bitmap, &Digit7Bitmap, &Digit8Bitmap, &Digit9Bitmap};
        for (uint32_t c = 0; c < 10; ++c) *digits[c] = TestImages::Solid(22, 33, Digit(c));
    }
    static Color Digit(uint32_t c) { return RgbColor(100 + c, 7, 7); }
    // The digit shown on the window at the units or tens place, or -1 for
    // the background, -2 for anything else.
    static int Shown(bool units) {
        const int32_t x0 = units ? 956 : 932;
        for (uint32_t c = 0; c < 10; ++c)
            if (Find(Digit(c), x0 - 2, 630, x0 + 23, 670, true) == Box{x0, 634, x0 + 21, 666}) return int(c);
        if (TestImages::Count(Bg, x0, 634, x0 + 21, 666, true) == 22 * 33) return -1;
        return -2;
    }
    void Clock(float t) {
        ClearAll();
        Wimdows::SetBuffering(true);  // as in a turn: the clock must show itself
        Zanderfell::GeefTijd(t);
    }
};

TEST_F(ClockTest, DigitsOfTheWholePart) {
    Clock(49.9f);
    EXPECT_EQ(Shown(false), 4);
    EXPECT_EQ(Shown(true), 9);
    Clock(50.0f);
    EXPECT_EQ(Shown(false), 5);
    EXPECT_EQ(Shown(true), 0);
    Clock(9.5f);
    EXPECT_EQ(Shown(false), 0);
    EXPECT_EQ(Shown(true), 9);
    Clock(10.0f);
    EXPECT_EQ(Shown(false), 1);
    EXPECT_EQ(Shown(true), 0);
}

TEST_F(ClockTest, ZeroAndBelowShowZeroZero) {
    for (float t : {0.05f, 0.0f, -0.0f, -0.5f, -3.0f, -120.0f}) {
        Clock(t);
        EXPECT_EQ(Shown(false), 0) << t;
        EXPECT_EQ(Shown(true), 0) << t;
    }
}

TEST_F(ClockTest, HundredOrMoreLeavesTheTensPlace) {
    Clock(100.0f);
    EXPECT_EQ(Shown(false), -1);
    EXPECT_EQ(Shown(true), 0);
    Clock(123.9f);
    EXPECT_EQ(Shown(false), -1);
    EXPECT_EQ(Shown(true), 3);
    // Nothing else of the window changes.
    EXPECT_EQ(TestImages::Count(Bg, 0, 0, 999, 699, true), 1000 * 700 - 22 * 33);
}

TEST_F(ClockTest, TekenDigitPlaces) {
    ClearAll();
    Wimdows::SetBuffering(true);
    Zanderfell::TekenDigit(7, 1);
    Zanderfell::TekenDigit(3, 2);
    Zanderfell::TekenDigit(10, 1);  // above 9: nothing
    Wimdows::UpdateWindow();
    EXPECT_EQ(Shown(true), 7);
    EXPECT_EQ(Shown(false), 3);
    Zanderfell::TekenDigit(5, 0);  // any place but 1 is the tens place
    Wimdows::UpdateWindow();
    EXPECT_EQ(Shown(false), 5);
}

}  // namespace

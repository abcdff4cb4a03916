// The graphics layer's rules that the game's pictures depend on.

#include "gfx/Input.h"
#include "runtime/Runtime.h"
#include "tests/TestImages.h"
#include "tests/TestSupport.h"

using namespace Wimdows;

namespace {

// The window open as the game opens it, its picture store empty.
class WimdowsTest : public TestSupport::GameDirTest {
protected:
    void SetUp() override {
        GameDirTest::SetUp();
        Open();
    }
    void Open() { Window("Zanderfell", 1000, 700); }
};

// 0xRRGGBB as the game's colour value.
Color Rgb(uint32_t c) { return RgbColor(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF); }

using TestImages::Bmp;
using TestImages::Count;

// A run-length coded BMP (bits 8 or 4) of palette indices `at(x, y)`, y from the top.
template <class At>
std::string MakeRleBmp(int bits, uint32_t w, uint32_t h, const std::vector<uint32_t>& palette, At at) {
    std::string px;
    for (uint32_t y = h; y-- > 0;) {
        for (uint32_t x = 0, n; x < w; x += n) {
            for (n = 1; x + n < w && n < 255 && at(x + n, y) == at(x, y);) ++n;
            px += char(n);
            px += char(bits == 8 ? at(x, y) : at(x, y) * 0x11);
        }
        px += std::string(2, '\0');  // end of row
    }
    px += std::string("\0\1", 2);  // end of picture
    return TestImages::BmpHeader(w, h, uint32_t(bits), bits == 8 ? 1 : 2, palette, uint32_t(px.size())) + px;
}

}  // namespace

TEST_F(WimdowsTest, ColourValuesKeepBlueInTheMiddleByte) {
    EXPECT_EQ(RgbColor(166, 202, 240), 0xCAF0A6u);
    EXPECT_EQ(RgbColor(300, 256, 999), 0xFFFFFFu) << "each part is at most 255";
}

TEST_F(WimdowsTest, NothingIsDrawnWithoutAWindow) {
    KillWindow();
    SetPixel(1, 1, 0xFFFFFF);
    Rectangle(0, 0, 10, 10, 0xFFFFFF, true);
    Disc(50, 50, 10, 0xFFFFFF);
    SetBuffering(true);
    EXPECT_FALSE(Buffering());
    Open();
    EXPECT_EQ(Count(0, 0, 0, 20, 20), 21 * 21) << "a fresh buffer is black";
}

TEST_F(WimdowsTest, BufferingDecidesWhenTheWindowShowsADrawing) {
    const Color red = RgbColor(255, 0, 0);
    Rectangle(10, 10, 12, 12, red, true);
    EXPECT_EQ(WindowPixel(11, 11), red) << "unbuffered drawing shows at once";
    SetBuffering(true);
    Rectangle(20, 20, 22, 22, red, true);
    EXPECT_EQ(WindowPixel(21, 21), 0u) << "buffered drawing waits for the update";
    UpdateWindow();
    EXPECT_EQ(WindowPixel(21, 21), red);
    Rectangle(30, 30, 30, 30, red, true);
    SetBuffering(false);
    EXPECT_EQ(WindowPixel(30, 30), red) << "switching buffering off catches the window up";
}

TEST_F(WimdowsTest, ShapesCoverExactlyTheirPixelsClippedAtTheEdges) {
    const Color c = RgbColor(1, 2, 3), d = RgbColor(9, 9, 9);
    Rectangle(12, 21, 10, 20, c, true);  // corners in either order, both included
    EXPECT_EQ(TestImages::Find(c, 5, 15, 20, 25), (TestImages::Box{10, 20, 12, 21}));
    Rectangle(40, 40, 40, 40, c, true);
    EXPECT_EQ(Count(c, 35, 35, 45, 45), 1);
    Rectangle(60, 60, 64, 64, c, false);
    EXPECT_EQ(Count(c, 60, 60, 64, 64), 16) << "an outline is a one-pixel frame";
    Disc(100, 100, 8, d);
    EXPECT_EQ(TestImages::Find(d, 80, 80, 120, 120), (TestImages::Box{92, 92, 107, 107}));
    for (auto [x, y] : {std::pair{92, 100}, {107, 100}, {100, 92}, {100, 107}}) EXPECT_EQ(BufferPixel(x, y), d) << x << "," << y;
    Disc(300, 300, 0, d);
    EXPECT_EQ(Count(d, 295, 295, 305, 305), 0) << "a disc of radius 0 draws nothing";
    Ellipse(200, 200, 220, 210, d, false);
    EXPECT_NE(BufferPixel(210, 205), d) << "an outline ellipse leaves its inside";
    EXPECT_EQ(BufferPixel(200, 205), d);
    // Clipped at the buffer's edges.
    const Color e = RgbColor(7, 7, 7);
    Rectangle(-50, -50, 2, 2, e, true);
    Rectangle(995, 695, 2000, 2000, e, true);
    Disc(0, 0, 5, e);
    EXPECT_EQ(Count(e, 0, 0, 2, 2), 9);
    EXPECT_EQ(Count(e, 995, 695, 999, 699), 25);
    Rectangle(990, 100, 1000, 110, e, false);  // its right side just past the buffer
    EXPECT_EQ(Count(e, 0, 100, 5, 111), 0) << "an outline wrapped to the start of the next row";
}

TEST_F(WimdowsTest, BitmapsLoadAtTheAskedSizeWithHandlesInLoadOrder) {
    const std::vector<uint32_t> quad = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    TestSupport::WriteFile("b24.bmp", Bmp(24, 2, 2, quad));
    EXPECT_EQ(LoadBitmap("b24.bmp", 2, 2), 1u);
    // Damaged pictures give no handle and cause no huge allocation; a failed load takes no number.
    std::string huge = Bmp(24, 2, 2, {0, 0, 0, 0});
    huge[18] = huge[22] = char(0xA0), huge[19] = huge[23] = char(0x86), huge[20] = huge[24] = 0x01;  // 100000 x 100000
    TestSupport::WriteFile("huge.bmp", huge);
    TestSupport::WriteFile("cut.bmp", Bmp(24, 64, 64, std::vector<uint32_t>(64 * 64, 0xFFFFFF)).substr(0, 200));
    TestSupport::WriteFile("junk.bmp", "not a picture at all");
    for (const char* refused : {"missing.bmp", "junk.bmp", "huge.bmp", "cut.bmp", "Images"})  // Images: a directory
        EXPECT_EQ(LoadBitmap(refused, 29, 60), 0u) << refused;
    EXPECT_EQ(LoadBitmap("b24.bmp", 4, 4), 2u) << "the same file twice is two entries";
    DrawBitmap(1, 10, 10);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(BufferPixel(10 + i % 2, 10 + i / 2), Rgb(quad[size_t(i)])) << i;
    DrawBitmap(2, 20, 20);  // scaled to 4 x 4 on loading
    EXPECT_EQ(BufferPixel(20, 20), Rgb(0xFF0000));
    EXPECT_EQ(BufferPixel(23, 23), Rgb(0xFFFFFF));
    EXPECT_EQ(BufferPixel(24, 24), 0u);

    // Invalid handles are ignored: a picture whose file was missing has none (0), and the game goes
    // on without it, a shell flying upward unseen, say.
    Rectangle(0, 0, 50, 50, 0, true);
    DrawBitmap(0, 0, 0);
    DrawBitmap(3, 0, 0);
    DrawMaskBitmap(1, 99, 0, 0);
    DrawMaskBitmap(0, 2, 0, 0);
    EXPECT_EQ(Count(0, 0, 0, 50, 50), 51 * 51);
    // An OS/2 picture: a header of 12 bytes with 16-bit sizes.
    TestSupport::WriteFile("os2.bmp", std::string("BM*\0\0\0\0\0\0\0\x1a\0\0\0\x0c\0\0\0\x02\0\x02\0\x01\0\x18\0", 26) +
                                          std::string("\xff\0\0\xff\xff\xff\0\0\0\0\xff\0\xff\0\0\0", 16));
    DrawBitmap(LoadBitmap("os2.bmp", 2, 2), 60, 60);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(BufferPixel(60 + i % 2, 60 + i / 2), Rgb(quad[size_t(i)])) << "OS/2 " << i;
}

TEST_F(WimdowsTest, MaskedCopiesOnlyReplaceWhereTheMaskIsWhite) {
    TestSupport::WriteFile("pic.bmp", Bmp(24, 2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00}));
    TestSupport::WriteFile("mask.bmp", Bmp(1, 2, 2, {0xFFFFFF, 0, 0, 0xFFFFFF}));
    Handle pic = LoadBitmap("pic.bmp", 2, 2), mask = LoadBitmap("mask.bmp", 2, 2);
    const Color grey = RgbColor(50, 50, 50);
    Rectangle(0, 0, 10, 10, grey, true);
    DrawMaskBitmap(pic, mask, 4, 4);
    EXPECT_EQ(BufferPixel(4, 4), Rgb(0xFF0000));
    EXPECT_EQ(BufferPixel(5, 4), grey);
    EXPECT_EQ(BufferPixel(5, 5), Rgb(0xFFFF00));
    // A mask smaller than its picture hides what it does not cover.
    TestSupport::WriteFile("small.bmp", Bmp(1, 1, 1, {0xFFFFFF}));
    Handle small = LoadBitmap("small.bmp", 1, 1);
    Rectangle(0, 0, 10, 10, grey, true);
    DrawMaskBitmap(pic, small, 4, 4);
    EXPECT_EQ(BufferPixel(4, 4), Rgb(0xFF0000));
    EXPECT_EQ(BufferPixel(5, 5), grey);
    // Clipped, not shifted, at the edges.
    DrawMaskBitmap(pic, mask, -1, -1);
    EXPECT_EQ(BufferPixel(0, 0), Rgb(0xFFFF00));
    DrawBitmap(pic, 999, 699);
    EXPECT_EQ(BufferPixel(999, 699), Rgb(0xFF0000));
}

// A run-length coded screen is far smaller than even a 1-bit one, yet whole.
TEST_F(WimdowsTest, RunLengthCodedPicturesLoad) {
    const std::vector<uint32_t> palette = {0xFF0000, 0x0000FF, 0xFFFFFF};
    auto at = [](uint32_t x, uint32_t y) { return y >= 350 ? 2u : x < 500 ? 0u : 1u; };
    for (int bits : {8, 4}) {
        std::string rle = MakeRleBmp(bits, 1000, 700, palette, at);
        ASSERT_LT(rle.size(), 1000u * 700 / 8);
        const std::string name = "rle" + std::to_string(bits);
        TestSupport::WriteFile(name + ".bmp", rle);
        const Handle h = LoadBitmap(name + ".bmp", 1000, 700);
        ASSERT_NE(h, 0u) << bits;
        DrawBitmap(h, 0, 0);
        for (auto [x, y] : {std::pair{0, 0}, {499, 349}, {500, 0}, {999, 349}, {0, 350}, {999, 699}})
            EXPECT_EQ(BufferPixel(x, y), Rgb(palette[at(uint32_t(x), uint32_t(y))])) << bits << " " << x << "," << y;
        rle[20] = rle[24] = 0x01;  // absurd dimensions are still refused: 66536 x 66236
        TestSupport::WriteFile(name + "huge.bmp", rle);
        EXPECT_EQ(LoadBitmap(name + "huge.bmp", 1000, 700), 0u) << bits;
    }
}

TEST_F(WimdowsTest, KeyQueueIsFirstInFirstOut) {
    for (uint32_t vk : {'A', 'B', 'C'}) Headless::Press(vk);
    for (uint32_t vk : {'A', 'B', 'C'}) EXPECT_EQ(GetKey(), vk);
    // A held key repeats: every repeat queues it again.
    for (int i = 0; i < 4; ++i) Headless::Press(VK_SPACE);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(GetKey(), VK_SPACE);
    EXPECT_TRUE(KeyDown(VK_SPACE));
    EXPECT_FALSE(KeyDown(256));
    Headless::Release(VK_SPACE);
    EXPECT_FALSE(KeyDown(VK_SPACE));
    // Another window taking the focus lets go of every key held, the last code too.
    for (uint32_t vk : {uint32_t(VK_LEFT), 255u}) Headless::Press(vk);
    EXPECT_TRUE(KeyDown(255));
    Headless::Schedule({{Headless::Now() + 5, Headless::Action::FocusLost, 0}});
    Runtime::Delay(10);
    EXPECT_FALSE(KeyDown(VK_LEFT) || KeyDown(255));
    FlushKeys();
    // Flushed presses are gone; GetKey then waits for the next one.
    Headless::Tap(500, 'Y');
    EXPECT_EQ(GetKey(), uint32_t('Y'));
    EXPECT_EQ(Headless::Now(), 500u) << "GetKey waited for the key";
}

// During a match Esc asks for a pause, taken at the next wait: the keys from
// the Esc on go to the pause's queue (a held Esc repeating is still the one
// that paused) and are gone after it; the game's queue is as it was, and the
// pause took no time. Without a match Esc is a key like any.
TEST_F(WimdowsTest, EscPausesAtTheNextWaitAndLeavesTheGameKeysAlone) {
    std::vector<uint32_t> seen;
    SetPauseHandler([&] {
        for (uint32_t k; (k = PauseKey()) != VK_RETURN;) seen.push_back(k);
    });
    Headless::Press('A');
    for (int i = 0; i < 2; ++i) Headless::Press(VK_ESCAPE);
    Headless::Press('B');
    Headless::Release(VK_ESCAPE);
    for (uint32_t vk : {uint32_t(VK_ESCAPE), uint32_t(VK_RETURN), uint32_t('C')}) Headless::Press(vk);
    const uint64_t t = Headless::Now();
    Runtime::Delay(10);
    EXPECT_EQ(seen, (std::vector<uint32_t>{'B', VK_ESCAPE}));
    EXPECT_EQ(Headless::Now(), t + 10);
    EXPECT_EQ(KeysQueued(), 1u);
    EXPECT_FALSE(KeyDown(VK_RETURN)) << "the Enter that resumed, still held, is not the game's";
    EXPECT_EQ(GetKey(), 'A');
    SetPauseHandler(nullptr);
    Headless::Release(VK_ESCAPE);
    Headless::Press(VK_ESCAPE);
    EXPECT_EQ(GetKey(), VK_ESCAPE);
}

// Whose keys count: a source stands in for team 1; the window's keys do
// nothing in its turn, and what it held is let go when the turn passes. Every
// key taken in is seen with its look, clock and team.
TEST_F(WimdowsTest, EachTeamsKeysComeFromItsSource) {
    struct Script : Input::Source {
        std::vector<std::pair<uint64_t, Input::Event>> keys;  // at look
        void Take(uint64_t look, uint64_t, std::vector<Input::Event>& out) override {
            for (const auto& [l, e] : keys)
                if (l == look) out.push_back(e);
        }
    };
    auto script = std::make_shared<Script>();
    script->keys = {{1, {Input::Kind::Press, 'V'}}, {2, {Input::Kind::Tap, 'N'}}};
    std::vector<std::string> seen;
    Input::Observe([&](const Input::Stamped& s) {
        seen.push_back(std::to_string(s.look) + " " + std::to_string(s.clockMs) + " " + std::to_string(s.team) + " " +
                       std::to_string(int(s.event.kind)) + " " + char(s.event.vk));
    });
    Input::SetSource(1, script);
    Input::SetTurn(1);
    Input::StartCount();
    Headless::Tap(3, 'B', 2);
    Runtime::Delay(10);
    EXPECT_TRUE(KeyDown('V') && !KeyDown('B'));
    EXPECT_EQ(GetKey(), uint32_t('V'));
    EXPECT_TRUE(KeyDown('N') && KeysQueued() == 0) << "a tap counts as held until the next look; B was the window's";
    Input::SetTurn(2);
    Runtime::Delay(10);
    EXPECT_FALSE(KeyDown('V') || KeyDown('N'));
    EXPECT_EQ(seen, (std::vector<std::string>{"1 10 1 0 V", "2 10 1 2 N", "3 20 2 1 V"}));
}

// Closing the window lets go of the keys, the queue and the pictures (their numbers start again
// at 1); the player closing it ends the game at its next wait.
TEST_F(WimdowsTest, ClosingTheWindowReleasesKeysQueueAndPictures) {
    TestImages::Mask(2, 2);
    Headless::Press(VK_LEFT);
    Headless::Press('Q');
    SetBuffering(true);
    KillWindow();
    EXPECT_EQ(State(), STATE_DEAD);
    EXPECT_FALSE(KeyDown(VK_LEFT));
    EXPECT_FALSE(Buffering());
    EXPECT_EQ(BitmapCount(), 0u);
    EXPECT_THROW(GetKey(), QuitGame) << "no key can come without a window";
    KillWindow();  // closing twice is harmless
    Open();
    EXPECT_EQ(TestImages::Mask(2, 2), 1u);
    Headless::Schedule({{100, Headless::Action::Close, 0}});
    EXPECT_THROW({ for (int i = 0; i < 1000; ++i) Runtime::Delay(10); }, QuitGame);
    EXPECT_EQ(Headless::Now(), 100u);
    EXPECT_EQ(State(), STATE_DEAD);
}

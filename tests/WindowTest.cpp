// The picture scaled into windows of every shape, and the remembered window.

#include "gfx/Scaler.h"
#include "gfx/WindowChoice.h"
#include "tests/TestSupport.h"

namespace {

// Redrawing only what a changed rectangle reaches leaves the window exactly
// as drawing the whole picture again would: nothing stale at the edges of
// the rectangle, where blended pixels read both sides.
TEST(Scaler, ChangedRectangleRedrawsAllItReaches) {
    constexpr int32_t W = 100, H = 70;
    std::vector<uint32_t> picture(size_t(W * H));
    for (size_t i = 0; i < picture.size(); ++i) picture[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    struct Case { int32_t ww, wh; bool sharp; Scaler::Box box; } cases[] = {
        {100, 70, true, {0, 0, 100, 70}},  {300, 210, true, {0, 0, 300, 210}},  {256, 144, false, {25, 0, 206, 144}},
        {160, 300, false, {0, 94, 160, 112}}, {57, 31, false, {6, 0, 44, 31}}, {1001, 701, false, {0, 0, 1001, 701}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.ww) + "x" + std::to_string(c.wh));
        EXPECT_EQ(Scaler::Fit(W, H, c.ww, c.wh), c.box);
        Scaler::Scaler s;
        s.Layout(W, H, c.box);
        EXPECT_EQ(s.Sharp(), c.sharp);
        std::vector<uint32_t> part(size_t(c.ww * c.wh), 0), whole = part;
        EXPECT_EQ(s.Draw(picture.data(), {0, 0, W, H}, part.data(), c.ww), c.box);
        for (int32_t y = 20; y < 27; ++y)
            for (int32_t x = 40; x < 53; ++x) picture[size_t(y * W + x)] ^= 0x804020;
        s.Draw(picture.data(), {40, 20, 13, 7}, part.data(), c.ww);
        s.Draw(picture.data(), {0, 0, W, H}, whole.data(), c.ww);
        EXPECT_EQ(part, whole);
    }
}

// Between two pixels the window shows their blend by distance: black and
// white in three columns give black, the half-way grey, white.
TEST(Scaler, BlendsByDistance) {
    const std::vector<uint32_t> picture = {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000};
    Scaler::Scaler s;
    s.Layout(2, 2, Scaler::Fit(2, 2, 3, 3));
    std::vector<uint32_t> window(9, 0x123456);
    s.Draw(picture.data(), {0, 0, 2, 2}, window.data(), 3);
    const uint32_t g = 0x7F7F7F;  // half of each, across and down
    EXPECT_EQ(window, (std::vector<uint32_t>{0, g, 0xFFFFFF, g, g, g, 0xFFFFFF, g, 0}));
}

TEST(WindowChoice, DamagedFilesAreIgnored) {
    const std::string path = ::testing::TempDir() + "Window.txt";
    const WindowChoice::Choice chosen{true, 1600, 900};
    ASSERT_TRUE(WindowChoice::Save(chosen, path));
    EXPECT_EQ(WindowChoice::Load(path), chosen);
    for (const char* damaged : {"fullscreen 2\n", "fullscreen 1\nwidth 1600\n", "width 99\nheight 700\n",
                                "width 1600 900\nheight 900\n", "fullscreen yes\n", "size 1600\n"}) {
        TestSupport::WriteFile(path, damaged);
        EXPECT_EQ(WindowChoice::Load(path), WindowChoice::Choice{}) << damaged;
    }
}

}  // namespace

// The field's drawing is recorded and replayed between impacts: whatever
// happened, the replayed field must be the very field the full redraw draws.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "game/Level.h"
#include "game/weapons/Damage.h"
#include "gfx/TekenBitmaps.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;

namespace {

std::vector<Wimdows::Color> Window() {
    std::vector<Wimdows::Color> p;
    p.reserve(1000 * 700);
    for (int32_t y = 0; y < 700; ++y)
        for (int32_t x = 0; x < 1000; ++x) p.push_back(Wimdows::WindowPixel(x, y));
    return p;
}

class FieldRecordingTest : public TestSupport::GameTest {
protected:
    void TearDown() override {
        HermaakLevelOpnemen(true);
        GameTest::TearDown();
    }
    // Redraws both ways, each time over a scribbled buffer, and compares.
    // The recording made at the end of the previous call is the one a stale
    // key would wrongly replay here.
    void ExpectSameField(const char* when) {
        HermaakLevelOpnemen(true);
        HermaakLevel();                        // replays, or records anew
        Wimdows::Disc(0, 0, 40, 0x123456);     // scribble, also on row 0 and column 0
        TekenBitmaps::TekenKaboom(500, 560);
        HermaakLevel();                        // replays
        const auto replayed = Window();
        Wimdows::Disc(0, 0, 40, 0x123456);
        TekenBitmaps::TekenKaboom(500, 560);
        HermaakLevelOpnemen(false);
        HermaakLevel();
        const auto full = Window();
        HermaakLevelOpnemen(true);
        HermaakLevel();
        size_t differ = 0;
        for (size_t i = 0; i < full.size(); ++i) differ += full[i] != replayed[i];
        if (differ) TestSupport::SaveBuffer(std::string("field-") + when, true);
        EXPECT_EQ(differ, 0u) << "after " << when;
    }
};

}  // namespace

TEST_F(FieldRecordingTest, ReplayedFieldEqualsTheFullRedrawOverManyCraters) {
    for (uint32_t level : {1u, 2u}) {
        Menu = MENU{level, 4, false};
        MaakLevelAan(level, Level);
        ResetInslagen();
        TestSupport::PutRabbit(1, 300, 200, 100, 1);
        TestSupport::PutRabbit(2, 700, 300, 45, 2);
        TestSupport::PutRabbit(3, 500, 90, -5, 1);  // out: not drawn
        ExpectSameField("no impact");
        // A cell that only the water-line pass looks at changes the field
        // too: beside a crater that reaches the water, outside its disc.
        Schade(COORDINATEN{500, 570}, 30);
        ExpectSameField("a crater in the water");
        int32_t c = 0, r = 0;  // a ground cell in the pass's box, outside the crater
        for (int32_t x = 470; x <= 530 && !c; ++x)
            for (int32_t y = 541; y <= 595 && !c; ++y)
                if (Level[x][y].Grond && (x - 500) * (x - 500) + (y - 570) * (y - 570) > 32 * 32) c = x, r = y;
        ASSERT_NE(c, 0);
        Level[c][r].Grond = false;
        ExpectSameField("a changed cell");
        std::mt19937 chance(level);
        for (int i = 0; i < 40; ++i) {
            // Mostly near the water, where the redraw's pixel pass works,
            // and some at the edges of the field.
            COORDINATEN p{int32_t(chance() % 1000) + 1, int32_t(480 + chance() % 120)};
            if (i % 7 == 0) p = COORDINATEN{int32_t(chance() % 40), int32_t(chance() % 600)};
            Schade(p, i % 5 == 0 ? 60 : 30);
            ExpectSameField(("impact " + std::to_string(i)).c_str());
            if (HasFailure()) return;
        }
    }
}

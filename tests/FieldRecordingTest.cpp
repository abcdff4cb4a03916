// The field's drawing is recorded and replayed between impacts, and a new
// impact only has its box drawn again: whatever happened, the replayed field
// must be the very field the full redraw draws.

#include <random>

#include "game/Level.h"
#include "game/weapons/Damage.h"
#include "gfx/TekenBitmaps.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;

namespace {

class FieldRecordingTest : public TestSupport::GameTest {
protected:
    // Redraws the field over a scribbled buffer three ways and compares: the
    // first redraw after a change (which brings the recording up to date or
    // records anew), the replay after it, and the full redraw.
    void ExpectSameField(const std::string& when) {
        uint64_t picture[3];
        for (int way = 0; way < 3; ++way) {
            Wimdows::Disc(0, 0, 40, 0x123456);  // also on row 0 and column 0
            TekenBitmaps::TekenKaboom(500, 560);
            HermaakLevelOpnemen(way < 2);
            HermaakLevel();
            picture[way] = Wimdows::WindowHash();
        }
        HermaakLevelOpnemen(true);
        EXPECT_EQ(picture[0], picture[2]) << "first redraw after " << when;
        EXPECT_EQ(picture[1], picture[2]) << "replay after " << when;
    }
};

}  // namespace

TEST_F(FieldRecordingTest, ReplayedFieldEqualsTheFullRedrawOverManyCraters) {
    for (uint32_t level : {1u, 2u, 2u}) {  // a level change, then the same level again
        Menu = MENU{level, 4, false};
        MaakLevelAan(level, Level);
        ResetInslagen();
        TestSupport::PutRabbit(1, 300, 200, 100, 1);
        TestSupport::PutRabbit(2, 700, 300, 45, 2);
        ExpectSameField("no impact");
        // A cell that only the water-line pass looks at changes the field
        // too: beside a crater that reaches the water, outside its disc.
        Schade(COORDINATEN{500, 570}, 30);
        ExpectSameField("a crater in the water");
        Schade(COORDINATEN{300, 504}, 30);  // its disc ends on the water zone's first row
        ExpectSameField("a crater touching the water zone");
        int32_t c = 0, r = 0;  // a ground cell in the pass's box, outside the crater
        for (int32_t x = 470; x <= 530 && !c; ++x)
            for (int32_t y = 541; y <= 595 && !c; ++y)
                if (Level[x][y].Grond && (x - 500) * (x - 500) + (y - 570) * (y - 570) > 32 * 32) c = x, r = y;
        ASSERT_NE(c, 0);
        Level[c][r].Grond = false;
        ExpectSameField("a changed cell");
        MaakSchermAan();  // a new window: the same pictures, a recording of the old one
        ExpectSameField("a new window");
        const Wimdows::Color water = _WATER;
        _WATER = Wimdows::RgbColor(0, 90, 200);
        ExpectSameField("another water colour");
        _WATER = water;
        std::mt19937 chance(level);
        for (int i = 0; i < 30; ++i) {
            // Mostly near and under the water line, where the redraw's pixel
            // pass works, overlapping each other; some at the field's edges.
            COORDINATEN p{int32_t(chance() % 1000) + 1, int32_t(480 + chance() % 120)};
            if (i % 7 == 0) p = COORDINATEN{int32_t(chance() % 40 + (i % 2 ? 0 : 960)), int32_t(chance() % 600)};
            Schade(p, i % 5 == 0 ? 60 : 30);
            ExpectSameField("impact " + std::to_string(i));
            if (HasFailure()) return;
        }
        // Late in a long game: the list fills up with craters in the sky;
        // the 500th is still drawn, the ones after it only cut the ground,
        // here in the pass of the crater in the water.
        while (AANTALINSLAGEN < 499) Schade(COORDINATEN{int32_t(chance() % 1000), int32_t(100 + chance() % 300)}, 30);
        Schade(COORDINATEN{520, 550}, 60);
        ExpectSameField("the 500th impact");
        Schade(COORDINATEN{500, 570}, 60);
        ExpectSameField("an impact past the 500th");
    }
}

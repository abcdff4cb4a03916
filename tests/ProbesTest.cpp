// Terrain probes: what a rabbit bumps into.
#include "game/movement/Probes.h"

#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;

class ProbesTest : public TestSupport::GameDirTest {
protected:
    // Rabbit at (500, 300) on flat ground from row 301 down.
    void SetUp() override {
        TestSupport::GameDirTest::SetUp();
        TestSupport::SetFlatGround(301);
    }
    static void Ground(int32_t x, int32_t y, bool g = true) { Level[x][y].Grond = g; }

    // The verdict, checked to be the same with every cell marked as rabbit.
    static int32_t Verdict(COORDINATEN p, int32_t richting) {
        int32_t v = Controleeromgeving(p, richting);
        HINDERING h = Obstakel(p, richting);
        for (int32_t x = 1; x <= 1000; ++x)
            for (int32_t y = 1; y <= 600; ++y) Level[x][y].Konijn = true;
        EXPECT_EQ(Controleeromgeving(p, richting), v) << "rabbit marks changed the verdict";
        HINDERING h2 = Obstakel(p, richting);
        EXPECT_EQ(h2.Boven, h.Boven);
        EXPECT_EQ(h2.Zij, h.Zij);
        for (int32_t x = 1; x <= 1000; ++x)
            for (int32_t y = 1; y <= 600; ++y) Level[x][y].Konijn = false;
        return v;
    }

    const COORDINATEN pos{500, 300};
};

TEST_F(ProbesTest, FlatGroundBothWays) {
    EXPECT_EQ(Verdict(pos, 1), 0);
    EXPECT_EQ(Verdict(pos, -1), 0);
    for (int32_t r : {1, -1}) {
        HINDERING h = Obstakel(pos, r);
        EXPECT_FALSE(h.Boven);
        EXPECT_FALSE(h.Zij);
    }
}

TEST_F(ProbesTest, OneRowLedgeClimbsTwoRowsBlock) {
    Ground(501, 299);
    EXPECT_EQ(Verdict(pos, 1), 1);
    EXPECT_EQ(Verdict(pos, -1), 0);
    Ground(501, 298);
    EXPECT_EQ(Verdict(pos, 1), 2);
    EXPECT_TRUE(Obstakel(pos, 1).Zij);

    Ground(499, 299);
    EXPECT_EQ(Verdict(pos, -1), 1);
    Ground(499, 298);
    EXPECT_EQ(Verdict(pos, -1), 2);
}

TEST_F(ProbesTest, SideColumnReachesRowYMinus60) {
    Ground(501, 240);  // y - 60: the top of the side column
    EXPECT_EQ(Verdict(pos, 1), 2);
    EXPECT_TRUE(Obstakel(pos, 1).Zij);
    Ground(501, 240, false);
    Ground(501, 239);  // y - 61: above the side column (and in the head-room row)
    EXPECT_EQ(Verdict(pos, 1), 0);
    EXPECT_FALSE(Obstakel(pos, 1).Zij);
    EXPECT_TRUE(Obstakel(pos, 1).Boven);
    // With a one-row ledge under it, the head room now forbids the step up.
    Ground(501, 299);
    EXPECT_EQ(Verdict(pos, 1), 2);
}

TEST_F(ProbesTest, HeadRoomRowIsXMinus14ToXPlus16) {
    Ground(516, 239);  // x + 16
    EXPECT_TRUE(Obstakel(pos, 1).Boven);
    EXPECT_TRUE(Obstakel(pos, -1).Boven);
    Ground(516, 239, false);
    Ground(485, 239);  // x - 15
    EXPECT_FALSE(Obstakel(pos, 1).Boven);
    EXPECT_FALSE(Obstakel(pos, -1).Boven);
    Ground(486, 239);  // x - 14
    EXPECT_TRUE(Obstakel(pos, -1).Boven);
    Ground(486, 239, false);
    Ground(485, 239, false);
    Ground(517, 239);  // x + 17
    EXPECT_FALSE(Obstakel(pos, 1).Boven);
    Ground(517, 239, false);
    Ground(500, 238);  // y - 62
    EXPECT_FALSE(Obstakel(pos, 1).Boven);
    // Boven alone never blocks a level step.
    Ground(500, 239);
    EXPECT_TRUE(Obstakel(pos, 1).Boven);
    EXPECT_EQ(Verdict(pos, 1), 0);
    EXPECT_EQ(Verdict(pos, -1), 0);
    // ...but it blocks a step up on either side.
    Ground(499, 299);
    Ground(501, 299);
    EXPECT_EQ(Verdict(pos, -1), 2);
    EXPECT_EQ(Verdict(pos, 1), 2);
}

TEST_F(ProbesTest, HoleUnderTheNextColumn) {
    Ground(501, 301, false);
    EXPECT_EQ(Verdict(pos, 1), -1);
    Ground(501, 300);  // ground at foot level of the next column: never tested
    EXPECT_EQ(Verdict(pos, 1), -1);
    Ground(501, 301);
    EXPECT_EQ(Verdict(pos, 1), 0);  // feet end one row inside the ground
    // Cell (X, y) is not in the side column either.
    EXPECT_FALSE(Obstakel(pos, 1).Zij);
}

TEST_F(ProbesTest, NoClimbingAboveRow61) {
    TestSupport::SetFlatGround(62);
    const COORDINATEN top{500, 61};
    Ground(501, 60);
    EXPECT_EQ(Verdict(top, 1), 2);  // head room would be row 0
    EXPECT_EQ(Verdict(top, -1), 0);
    HINDERING h = Obstakel(top, -1);
    EXPECT_FALSE(h.Boven);
    EXPECT_FALSE(h.Zij);

    TestSupport::SetFlatGround(63);
    const COORDINATEN below{500, 62};
    Ground(501, 61);
    EXPECT_EQ(Verdict(below, 1), 1);
}

TEST_F(ProbesTest, CellsOutsideTheGridReadAsAir) {
    EXPECT_FALSE(IsGrond(0, 400));
    EXPECT_FALSE(IsGrond(1001, 400));
    EXPECT_FALSE(IsGrond(500, 0));
    EXPECT_FALSE(IsGrond(500, 601));
    EXPECT_FALSE(IsGrond(-5, -5));
    EXPECT_TRUE(IsGrond(1, 600));
    EXPECT_TRUE(IsGrond(1000, 301));
    EXPECT_FALSE(IsGrond(1000, 300));
    // Probes near every edge read no cell outside the grid.
    TestSupport::SetFlatGround(1);
    for (COORDINATEN p : {COORDINATEN{1, 1}, COORDINATEN{1000, 600}, COORDINATEN{5, 30},
                          COORDINATEN{995, 599}, COORDINATEN{500, 1}}) {
        for (int32_t r : {1, -1}) {
            (void)Obstakel(p, r);
            (void)Controleeromgeving(p, r);
        }
    }
    // At the right edge, the next column is outside: air, so no side contact.
    TestSupport::SetFlatGround(301);
    EXPECT_EQ(Controleeromgeving(COORDINATEN{1000, 300}, 1), -1);
}

TEST_F(ProbesTest, OtherRabbitsNeverChangeAVerdict) {
    // Verdict() checks each verdict again with every cell marked as rabbit;
    // here also an empty sky full of rabbit marks: nothing to stand on.
    TestSupport::SetFlatGround(601);
    for (int32_t x = 1; x <= 1000; ++x)
        for (int32_t y = 1; y <= 600; ++y) Level[x][y].Konijn = true;
    EXPECT_EQ(Controleeromgeving(pos, 1), -1);
    EXPECT_EQ(Controleeromgeving(pos, -1), -1);
    HINDERING h = Obstakel(pos, 1);
    EXPECT_FALSE(h.Boven);
    EXPECT_FALSE(h.Zij);
}

}  // namespace

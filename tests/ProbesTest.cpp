// Terrain probes: what a rabbit bumps into.
#include "game/movement/Probes.h"

#include <utility>

#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;

void MarkAll(bool rabbit) {
    for (int32_t x = 1; x <= 1000; ++x)
        for (int32_t y = 1; y <= 600; ++y) Level[x][y].Konijn = rabbit;
}

class ProbesTest : public TestSupport::GameDirTest {
protected:
    void SetUp() override {
        TestSupport::GameDirTest::SetUp();
        TestSupport::SetFlatGround(301);  // the rabbit at (500, 300) stands on it
    }
    static void Ground(int32_t x, int32_t y, bool g = true) { Level[x][y].Grond = g; }
    // The verdict, checked to be the same with every cell marked as rabbit.
    static int32_t Verdict(COORDINATEN p, int32_t richting) {
        int32_t v = Controleeromgeving(Level, p, richting);
        HINDERING h = Obstakel(Level, p, richting);
        MarkAll(true);
        EXPECT_EQ(Controleeromgeving(Level, p, richting), v) << "rabbit marks changed the verdict";
        EXPECT_EQ(Obstakel(Level, p, richting).Boven, h.Boven);
        EXPECT_EQ(Obstakel(Level, p, richting).Zij, h.Zij);
        MarkAll(false);
        return v;
    }
    static bool Boven(int32_t r, COORDINATEN p = {500, 300}) { return Obstakel(Level, p, r).Boven; }
    static bool Zij(int32_t r, COORDINATEN p = {500, 300}) { return Obstakel(Level, p, r).Zij; }
    const COORDINATEN pos{500, 300};
};

TEST_F(ProbesTest, LedgesAndTheSideColumn) {
    for (int32_t r : {1, -1}) EXPECT_TRUE(Verdict(pos, r) == 0 && !Boven(r) && !Zij(r)) << "flat ground, " << r;
    for (int32_t r : {1, -1}) {
        TestSupport::SetFlatGround(301);
        Ground(500 + r, 299);  // one row: climb
        EXPECT_EQ(Verdict(pos, r), 1) << r;
        EXPECT_EQ(Verdict(pos, -r), 0) << r;
        Ground(500 + r, 298);  // two rows: blocked
        EXPECT_EQ(Verdict(pos, r), 2) << r;
        EXPECT_TRUE(Zij(r)) << r;
    }
    // The side column reaches row y-60; y-61 is the head-room row.
    TestSupport::SetFlatGround(301);
    Ground(501, 240);
    EXPECT_EQ(Verdict(pos, 1), 2);
    EXPECT_TRUE(Zij(1));
    Ground(501, 240, false);
    Ground(501, 239);
    EXPECT_EQ(Verdict(pos, 1), 0);
    EXPECT_TRUE(!Zij(1) && Boven(1));
    Ground(501, 299);  // head room now forbids the step up
    EXPECT_EQ(Verdict(pos, 1), 2);
}

TEST_F(ProbesTest, HeadRoomRowIsXMinus14ToXPlus16) {
    const struct { int32_t x, y; bool boven; } cells[] = {
        {516, 239, true}, {486, 239, true}, {500, 239, true}, {485, 239, false}, {517, 239, false}, {500, 238, false}};
    for (const auto& c : cells) {
        Ground(c.x, c.y);
        for (int32_t r : {1, -1}) EXPECT_EQ(Boven(r), c.boven) << c.x << ", " << c.y << " facing " << r;
        EXPECT_EQ(Verdict(pos, 1), 0) << "head room alone blocks a level step";
        Ground(c.x, c.y, false);
    }
    // ...but it blocks a step up on either side.
    Ground(500, 239), Ground(499, 299), Ground(501, 299);
    EXPECT_EQ(Verdict(pos, -1), 2);
    EXPECT_EQ(Verdict(pos, 1), 2);
}

TEST_F(ProbesTest, HoleUnderTheNextColumnAndTheTopRows) {
    Ground(501, 301, false);
    EXPECT_EQ(Verdict(pos, 1), -1);
    Ground(501, 300);  // foot level of the next column: never tested
    EXPECT_EQ(Verdict(pos, 1), -1);
    EXPECT_FALSE(Zij(1));
    Ground(501, 301);
    EXPECT_EQ(Verdict(pos, 1), 0);

    // No climbing at y == 61: the head room would be row 0.
    TestSupport::SetFlatGround(62);
    Ground(501, 60);
    EXPECT_EQ(Verdict({500, 61}, 1), 2);
    EXPECT_EQ(Verdict({500, 61}, -1), 0);
    EXPECT_TRUE(!Boven(-1, {500, 61}) && !Zij(-1, {500, 61}));
    TestSupport::SetFlatGround(63);
    Ground(501, 61);
    EXPECT_EQ(Verdict({500, 62}, 1), 1);
}

TEST_F(ProbesTest, CellsOutsideTheGridReadAsAir) {
    const std::pair<int32_t, int32_t> air[] = {{0, 400}, {1001, 400}, {500, 0}, {500, 601}, {-5, -5}, {1000, 300}};
    for (auto [x, y] : air) EXPECT_FALSE(IsGrond(Level, x, y)) << x << ", " << y;
    EXPECT_TRUE(IsGrond(Level, 1, 600) && IsGrond(Level, 1000, 301));
    EXPECT_EQ(Controleeromgeving(Level, COORDINATEN{1000, 300}, 1), -1);  // the next column is outside: air
    TestSupport::SetFlatGround(1);
    const COORDINATEN edges[] = {{1, 1}, {1000, 600}, {5, 30}, {995, 599}, {500, 1}};
    for (COORDINATEN p : edges)
        for (int32_t r : {1, -1}) (void)Obstakel(Level, p, r), (void)Controleeromgeving(Level, p, r);
    // An empty sky full of rabbit marks: nothing to stand on.
    TestSupport::SetFlatGround(601);
    MarkAll(true);
    EXPECT_EQ(Controleeromgeving(Level, pos, 1), -1);
    EXPECT_EQ(Controleeromgeving(Level, pos, -1), -1);
    EXPECT_TRUE(!Boven(1) && !Zij(1));
}

}  // namespace

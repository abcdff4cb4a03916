// Terrain probes on a grid of the test's own: what a rabbit bumps into, and
// the verdict for one walking step.
#include "game/movement/Probes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Zanderfell;

namespace {

struct Cel {
    int32_t x, y;
    bool grond;
};

// Ground from `rij` down, air above, and the given cells changed.
LEVEL& Veld(int32_t rij, const std::vector<Cel>& cellen = {}, bool konijn = false) {
    static const auto veld = std::make_unique<LEVEL>();
    for (int32_t x = 1; x <= 1000; ++x)
        for (int32_t y = 1; y <= 600; ++y) (*veld)[x][y] = CEL{y >= rij, konijn};
    for (const Cel& c : cellen) (*veld)[c.x][c.y].Grond = c.grond;
    return *veld;
}

// The rabbit stands at (500, 300) on ground from row 301 unless said otherwise.
TEST(ProbesTest, VerdictSideColumnAndHeadRoom) {
    const struct {
        std::vector<Cel> cellen;
        int32_t richting, oordeel;
        bool zij, boven;
        COORDINATEN p = {500, 300};
        int32_t rij = 301;
    } gevallen[] = {
        {{}, 1, 0, false, false}, {{}, -1, 0, false, false},
        {{{501, 299, true}}, 1, 1, false, false}, {{{499, 299, true}}, -1, 1, false, false},  // one row: climb
        {{{499, 299, true}}, 1, 0, false, false},  // behind: no matter
        {{{501, 298, true}}, 1, 2, true, false}, {{{501, 240, true}}, 1, 2, true, false},  // the side column: y - 2 to y - 60
        {{{501, 239, true}}, 1, 0, false, true},  // y - 61 is the head-room row: no climbing under it
        {{{501, 239, true}, {501, 299, true}}, 1, 2, false, true}, {{{500, 239, true}, {499, 299, true}}, -1, 2, false, true},
        {{{486, 239, true}}, 1, 0, false, true}, {{{516, 239, true}}, -1, 0, false, true},  // head room: x - 14 to x + 16
        {{{485, 239, true}}, 1, 0, false, false}, {{{517, 239, true}}, -1, 0, false, false}, {{{500, 238, true}}, 1, 0, false, false},
        {{{501, 301, false}}, 1, -1, false, false},  // a hole under the next column; the feet's row is not probed
        {{{501, 301, false}, {501, 300, true}}, 1, -1, false, false},
        {{}, 1, -1, false, false, {1000, 300}},  // the next column lies outside: air
        {{{501, 60, true}}, 1, 2, false, false, {500, 61}, 62}, {{{501, 60, true}}, -1, 0, false, false, {500, 61}, 62},  // no climbing at row 61
        {{{501, 61, true}}, 1, 1, false, false, {500, 62}, 63},
    };
    for (bool konijn : {false, true}) {  // rabbit marks are not ground
        for (const auto& g : gevallen) {
            const LEVEL& veld = Veld(g.rij, g.cellen, konijn);
            const HINDERING h = Obstakel(veld, g.p, g.richting);
            EXPECT_EQ(Controleeromgeving(veld, g.p, g.richting), g.oordeel) << &g - gevallen;
            EXPECT_EQ(h.Zij, g.zij) << &g - gevallen;
            EXPECT_EQ(h.Boven, g.boven) << &g - gevallen;
        }
    }
}

TEST(ProbesTest, CellsOutsideTheGridReadAsAir) {
    const LEVEL& veld = Veld(1);  // ground everywhere
    const struct { int32_t x, y; bool grond; } cellen[] = {
        {1, 1, true}, {1000, 600, true}, {0, 400, false}, {1001, 400, false}, {500, 0, false}, {500, 601, false}};
    for (const auto& c : cellen) EXPECT_EQ(IsGrond(veld, c.x, c.y), c.grond) << c.x << ", " << c.y;
    // At the grid's corners the probes reach outside it and find air.
    const struct { COORDINATEN p; int32_t richting, oordeel; } hoeken[] = {
        {{1, 1}, 1, 0}, {{1, 1}, -1, -1}, {{1000, 600}, 1, -1}, {{1000, 600}, -1, 2}};
    for (const auto& h : hoeken) EXPECT_EQ(Controleeromgeving(veld, h.p, h.richting), h.oordeel) << h.p.x;
}

}  // namespace

// Explosions (lives by distance, when they are shown, the impact list, the
// crater), the axe and the dynamite.
#include <gtest/gtest.h>

#include <vector>

#include "game/Placement.h"
#include "game/weapons/Axe.h"
#include "game/weapons/Damage.h"
#include "game/weapons/Weapons.h"
#include "tests/Snapshot.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::PutRabbit;

class DamageSteps : public ::testing::Test {
protected:
    void SetUp() override { TestSupport::ResetGame(); }
};

TEST_F(DamageSteps, LivesByDistance) {
    // The impact at (dx, dy) from the feet at (500, 300): size minus half the
    // whole-pixel distance to the nearest point from the feet up to 60 rows
    // above them, nothing beyond the size.
    const struct { uint32_t size; int32_t dx, dy; uint32_t verlies; } rows[] = {
        {30, 0, 0, 30},   {30, 1, 0, 30},   {30, 2, 0, 29},   {30, 3, 0, 29},  {30, 30, 0, 15},
        {30, 31, 0, 0},   {30, 1, 1, 30},   {30, 3, 4, 28},   {30, 5, -30, 28}, {30, 0, -61, 30},
        {30, 0, -90, 15}, {30, 0, -91, 0},  {30, 0, 30, 15},  {30, 0, 31, 0},  {60, 1, 0, 60},
        {60, 60, 0, 30},  {60, 61, 0, 0},   {60, 0, -120, 30}};
    for (const auto& r : rows)
        EXPECT_EQ(LevensVerlies(500 + r.dx, 300 + r.dy, r.size, {500, 300}), r.verlies) << r.size << ": " << r.dx << "," << r.dy;
    // Every rabbit of the game pays, living or not; none beyond their number.
    for (uint32_t k = 1; k <= 3; ++k) PutRabbit(k, 500, 300, k == 1 ? 0 : 100, k == 1 ? 0 : 2);
    NeemLevens(Konijntjes, 2, 500, 300, 30);
    EXPECT_TRUE(Konijntjes[1].Levens == -30 && Konijntjes[2].Levens == 70 && Konijntjes[3].Levens == 100);
}

TEST_F(DamageSteps, ShownOnlyWhenTheBlastFitsInTheLandscape) {
    // At least 30 wide, between columns 2 and 998 and rows 2 and 596.
    const struct { int32_t x, y; uint32_t size; bool shown; } rows[] = {
        {33, 300, 30, true},  {32, 300, 30, false}, {967, 300, 30, true}, {968, 300, 30, false},
        {500, 33, 30, true},  {500, 32, 30, false}, {500, 565, 30, true}, {500, 566, 30, false},
        {33, 300, 7, true},   {32, 300, 7, false},  {63, 300, 60, true},  {62, 300, 60, false},
        {500, 535, 60, true}, {500, 536, 60, false}};
    for (const auto& r : rows) EXPECT_EQ(OntploffingInBeeld(r.x, r.y, r.size), r.shown) << r.x << "," << r.y << " " << r.size;
}

TEST_F(DamageSteps, CraterAndImpactList) {
    // The disc of radius 30, its rim trimmed by truncation, never beyond.
    TestSupport::SetFlatGround(1);
    SnijKrater(Level, 500, 300, 30);
    for (int x = 460; x <= 540; ++x)
        for (int y = 260; y <= 340; ++y) {
            const int d2 = (x - 500) * (x - 500) + (y - 300) * (y - 300);
            if (d2 > 30 * 30 || d2 <= 28 * 28) { ASSERT_EQ(Level[x][y].Grond, d2 > 30 * 30) << x << "," << y; }
        }
    EXPECT_FALSE(Level[530][300].Grond);
    // Blasts in the corners clear up to the landscape's frame, never the frame.
    const struct { int32_t x, y; bool uit; } rand[] = {{2, 300, false}, {3, 300, true},   {997, 300, true},
                                                       {998, 300, false}, {500, 2, false}, {500, 3, true},
                                                       {500, 595, true}, {500, 596, false}};
    for (const auto& r : rand) EXPECT_EQ(Uitgraafbaar(r.x, r.y), r.uit) << r.x << "," << r.y;
    SnijKrater(Level, 3, 3, 60);
    SnijKrater(Level, 997, 595, 60);
    for (int x = 1; x <= 1000; ++x)
        for (int y = 1; y <= 600; ++y)
            if (x <= 2 || x >= 998 || y <= 2 || y >= 596) { ASSERT_TRUE(Level[x][y].Grond) << x << "," << y; }
    EXPECT_TRUE(!Level[3][3].Grond && !Level[997][595].Grond);

    // The list keeps 500 impacts after the dummy; the 501st is not recorded.
    BewaarInslag(SchadeArray, AANTALINSLAGEN, 20, 300, 30);
    ASSERT_EQ(AANTALINSLAGEN, 1u);
    EXPECT_TRUE(SchadeArray[1].x == 20 && SchadeArray[1].y == 300 && SchadeArray[1].Grootte == 30);
    AANTALINSLAGEN = 499;
    BewaarInslag(SchadeArray, AANTALINSLAGEN, 7, 7, 7);
    BewaarInslag(SchadeArray, AANTALINSLAGEN, 8, 8, 8);
    EXPECT_TRUE(AANTALINSLAGEN == 500 && SchadeArray[500].x == 7);
}

TEST_F(DamageSteps, AxeReachesThirtyToItsSideAndSixtyUpOrDown) {
    // The other rabbit's feet at (dx, dy) from the striker's.
    const struct { int32_t dx, dy, kant; bool geraakt; } rows[] = {
        {30, 0, 1, true},   {31, 0, 1, false},  {0, 0, 1, true},    {-1, 0, 1, false}, {15, -60, 1, true},
        {15, -61, 1, false}, {15, 60, 1, true}, {15, 61, 1, false}, {-30, 0, -1, true}, {-31, 0, -1, false},
        {0, 0, -1, true},   {1, 0, -1, false},  {-15, 60, -1, true}, {-15, -61, -1, false}};
    for (const auto& r : rows)
        EXPECT_EQ(BijlBereikt({500, 400}, r.kant, {500 + r.dx, 400 + r.dy}), r.geraakt) << r.dx << "," << r.dy << " " << r.kant;
}

class DamageTest : public TestSupport::GameTest {};

TEST_F(DamageTest, ExplosionShownThenRecordedLivesTakenCraterCut) {
    TestSupport::SetFlatGround(1);
    PutRabbit(1, 500, 300, 100, 1);
    uint64_t start = Headless::Now();
    Schade({500, 300}, 30);
    EXPECT_EQ(Headless::Now() - start, 505u);
    int yellow = 0;
    for (int x = 465; x <= 535; ++x)
        for (int y = 265; y <= 335; ++y) yellow += Wimdows::BufferPixel(x, y) == Wimdows::RgbColor(255, 255, 0);
    EXPECT_GT(yellow, 100);
    EXPECT_TRUE(AANTALINSLAGEN == 1 && SchadeArray[1].x == 500 && Konijntjes[1].Levens == 70);
    EXPECT_FALSE(Level[500][300].Grond);
    // Near the edge: nothing shown but sky over the projectile, no wait.
    TestSupport::Clear(1, 260, 60, 340);
    start = Headless::Now();
    Schade({20, 300}, 30);
    EXPECT_EQ(Headless::Now(), start);
    EXPECT_EQ(Wimdows::BufferPixel(20, 300), _ACHTERGRONDKLEUR);
    EXPECT_EQ(Wimdows::BufferPixel(40, 300), 0u);
    EXPECT_TRUE(AANTALINSLAGEN == 2 && !Level[20][300].Grond);
}

TEST_F(DamageTest, AxeStrikesOnTheChosenSide) {
    Menu.AantalKonijntjes = 3;
    TestSupport::SetFlatGround(401);
    auto swing = [&](std::vector<uint32_t> keys) {
        const int32_t xs[] = {500, 530, 470};
        for (uint32_t k = 1; k <= 3; ++k) PutRabbit(k, xs[k - 1], 400, 100, 2 - k % 2);
        uint64_t t = Headless::Now();
        for (uint32_t vk : keys) Headless::Tap(t += 100, vk, vk == Wimdows::VK_SPACE ? 500 : 0);
        Bijl(1);
        return std::vector<int32_t>{Konijntjes[1].Levens, Konijntjes[2].Levens, Konijntjes[3].Levens};
    };
    // Left unless turned; three frames of 300 ms.
    const uint64_t start = Headless::Now();
    EXPECT_EQ(swing({Wimdows::VK_SPACE}), (std::vector<int32_t>{100, 100, 70}));
    EXPECT_EQ(Headless::Now() - start, 100u + 900);
    EXPECT_EQ(swing({Wimdows::VK_RIGHT, Wimdows::VK_DOWN, Wimdows::VK_SPACE}), (std::vector<int32_t>{100, 70, 100}));
    EXPECT_EQ(swing({Wimdows::VK_RIGHT, Wimdows::VK_LEFT, Wimdows::VK_SPACE}), (std::vector<int32_t>{100, 100, 70}));
}

TEST_F(DamageTest, DynamiteExplodesWhereItWasLaid) {
    Menu.AantalKonijntjes = 3;
    TestSupport::SetFlatGround(401);
    PutRabbit(1, 500, 400, 0, 1);
    PutRabbit(2, 560, 400, 100, 2);
    PutRabbit(3, 501, 400, 100, 1);
    for (uint32_t k = 1; k <= 3; ++k) PlaatsKonijntje(k, true);
    // The rabbit runs right for a while, then ends its walk with Enter.
    const uint64_t t = Headless::Now();
    Headless::Tap(t + 250, Wimdows::VK_RIGHT, 250);
    Headless::Tap(t + 800, Wimdows::VK_RETURN, 100);
    int32_t levens = 100;
    Dynamiet(1, levens);
    const int32_t walked = Konijntjes[1].Positie.x - 500;
    EXPECT_GT(walked, 3);
    ASSERT_EQ(AANTALINSLAGEN, 1u);
    EXPECT_TRUE(SchadeArray[1].x == 500 && SchadeArray[1].y == 400 && SchadeArray[1].Grootte == 60);
    EXPECT_EQ(Konijntjes[1].Levens, -(60 - walked / 2));
    EXPECT_EQ(Konijntjes[2].Levens, 70);
    EXPECT_EQ(Konijntjes[3].Levens, 40);
    EXPECT_EQ(levens, 100);
    EXPECT_TRUE(Level[Konijntjes[1].Positie.x][Konijntjes[1].Positie.y].Konijn);
}

}  // namespace

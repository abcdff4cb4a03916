// Explosions (lives by distance, the impact list, the crater) and the axe.
#include <gtest/gtest.h>

#include "game/Placement.h"
#include "game/weapons/Axe.h"
#include "game/weapons/Damage.h"
#include "game/weapons/Weapons.h"
#include "tests/Snapshot.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::PutRabbit;

class DamageTest : public TestSupport::GameTest {};

TEST_F(DamageTest, LivesByDistance) {
    Menu.AantalKonijntjes = 8;
    // Feet 0, 1, 2, 3, 30 and 31 pixels from a size-30 impact at (500, 300),
    // one with its head at the impact, one already without lives.
    const int32_t xs[] = {500, 501, 502, 503, 530, 531, 500, 470};
    for (uint32_t k = 1; k <= 8; ++k) PutRabbit(k, xs[k - 1], 300, k == 8 ? 0 : 100, 2 - k % 2);
    Konijntjes[7].Positie.y = 360;
    Schade({500, 300}, 30);
    const int32_t expected[] = {70, 70, 71, 71, 85, 100, 70, -15};
    for (uint32_t k = 1; k <= 8; ++k) EXPECT_EQ(Konijntjes[k].Levens, expected[k - 1]) << k;

    // Dynamite: 60 at distance 0 and 1, 30 at 60, none at 61.
    const int32_t ds[] = {0, 1, 60, 61};
    for (uint32_t k = 1; k <= 4; ++k) PutRabbit(k, 300 + ds[k - 1], 300, 100, 2 - k % 2);
    Menu.AantalKonijntjes = 4;
    Schade({300, 300}, 60);
    EXPECT_EQ(Konijntjes[1].Levens, 40);
    EXPECT_EQ(Konijntjes[2].Levens, 40);
    EXPECT_EQ(Konijntjes[3].Levens, 70);
    EXPECT_EQ(Konijntjes[4].Levens, 100);
}

TEST_F(DamageTest, ExplosionImpactListAndCrater) {
    TestSupport::SetFlatGround(1);
    const Wimdows::Color yellow = Wimdows::RgbColor(255, 255, 0);

    // Inside the landscape: the flash and its 505 ms.
    uint64_t start = Headless::Now();
    Schade({500, 300}, 30);
    EXPECT_EQ(Headless::Now() - start, 505u);
    int yellowPixels = 0;
    for (int x = 465; x <= 535; ++x)
        for (int y = 265; y <= 335; ++y) yellowPixels += Wimdows::BufferPixel(x, y) == yellow;
    EXPECT_GT(yellowPixels, 100);
    // The crater: the disc of radius 30, its rim trimmed by the rounding
    // toward zero, never beyond 30; straight right it reaches 30.
    for (int x = 460; x <= 540; ++x)
        for (int y = 260; y <= 340; ++y) {
            const int d2 = (x - 500) * (x - 500) + (y - 300) * (y - 300);
            if (d2 > 30 * 30) {
                ASSERT_TRUE(Level[x][y].Grond) << x << "," << y;
            }
            if (d2 <= 28 * 28) {
                ASSERT_FALSE(Level[x][y].Grond) << x << "," << y;
            }
        }
    EXPECT_FALSE(Level[530][300].Grond);

    // Near the left edge: nothing shown, nothing waited, yet recorded, lives
    // taken and the crater cut from column 3.
    PutRabbit(1, 20, 300, 100, 1);
    TestSupport::Clear(1, 260, 60, 340);
    start = Headless::Now();
    Schade({20, 300}, 30);
    EXPECT_EQ(Headless::Now(), start);
    EXPECT_EQ(Wimdows::BufferPixel(20, 300), _ACHTERGRONDKLEUR);
    EXPECT_EQ(Wimdows::BufferPixel(20, 330), 0u);
    EXPECT_EQ(Wimdows::BufferPixel(40, 300), 0u);
    EXPECT_EQ(Konijntjes[1].Levens, 70);
    EXPECT_FALSE(Level[3][300].Grond);
    EXPECT_TRUE(Level[2][300].Grond);
    EXPECT_FALSE(Level[50][300].Grond);

    // Two impacts at one point make two entries.
    Schade({20, 300}, 30);
    ASSERT_EQ(AANTALINSLAGEN, 3u);
    EXPECT_EQ(SchadeArray[2].x, 20);
    EXPECT_EQ(SchadeArray[3].x, 20);
    EXPECT_EQ(SchadeArray[3].y, 300);
    EXPECT_EQ(SchadeArray[3].Grootte, 30);

    // Dynamite in the corners never clears the frame of the landscape.
    Schade({3, 3}, 60);
    Schade({997, 595}, 60);
    for (int x = 1; x <= 1000; ++x)
        for (int y = 1; y <= 600; ++y)
            if (x <= 2 || x >= 998 || y <= 2 || y >= 596) {
                ASSERT_TRUE(Level[x][y].Grond) << x << "," << y;
            }
    EXPECT_FALSE(Level[3][3].Grond);
    EXPECT_FALSE(Level[997][595].Grond);

    // A full list keeps its 500 entries; the 501st still hurts and cuts.
    AANTALINSLAGEN = 500;
    SchadeArray[500] = Inslag{7, 7, 7};
    PutRabbit(1, 800, 100, 100, 1);
    Schade({800, 100}, 30);
    EXPECT_EQ(AANTALINSLAGEN, 500u);
    EXPECT_EQ(SchadeArray[500].x, 7);
    EXPECT_EQ(Konijntjes[1].Levens, 70);
    EXPECT_FALSE(Level[800][100].Grond);
}

TEST_F(DamageTest, AxeStrikesWithinReachOnTheChosenSide) {
    Menu.AantalKonijntjes = 8;
    TestSupport::SetFlatGround(401);
    auto place = [] {
        PutRabbit(1, 500, 400, 0, 1);   // the striker
        PutRabbit(2, 530, 400, 100, 2); // 30 to the right
        PutRabbit(3, 531, 400, 100, 1); // 31 to the right
        PutRabbit(4, 500, 339, 100, 2); // feet 61 higher
        PutRabbit(5, 500, 461, 100, 1); // feet 61 lower
        PutRabbit(6, 470, 400, 100, 2); // 30 to the left
        PutRabbit(7, 515, 340, 100, 1); // 60 higher, to the right
        PutRabbit(8, 500, 400, 0, 2);   // same column, already out
    };

    // No arrow: the swing goes left.
    place();
    uint64_t start = Headless::Now();
    Headless::Tap(start + 100, Wimdows::VK_SPACE, 500);
    Bijl(1);
    EXPECT_EQ(Headless::Now() - start, 100u + 900);
    const int32_t left[] = {0, 100, 100, 100, 100, 70, 100, -30};
    for (uint32_t k = 1; k <= 8; ++k) EXPECT_EQ(Konijntjes[k].Levens, left[k - 1]) << "left " << k;

    // Right, then the space bar.
    place();
    start = Headless::Now();
    Headless::Tap(start + 100, Wimdows::VK_RIGHT);
    Headless::Tap(start + 200, Wimdows::VK_DOWN);
    Headless::Tap(start + 300, Wimdows::VK_SPACE, 500);
    Bijl(1);
    const int32_t right[] = {0, 70, 100, 100, 100, 100, 70, -30};
    for (uint32_t k = 1; k <= 8; ++k) EXPECT_EQ(Konijntjes[k].Levens, right[k - 1]) << "right " << k;

    // Left again after turning right.
    place();
    start = Headless::Now();
    Headless::Tap(start + 100, Wimdows::VK_RIGHT);
    Headless::Tap(start + 200, Wimdows::VK_LEFT);
    Headless::Tap(start + 300, Wimdows::VK_SPACE, 500);
    EXPECT_EQ(BaanBijl(1), -1);
}

TEST_F(DamageTest, DynamiteExplodesWhereItWasLaid) {
    Menu.AantalKonijntjes = 3;
    TestSupport::SetFlatGround(401);
    PutRabbit(1, 500, 400, 0, 1);
    PutRabbit(2, 560, 400, 100, 2);
    PutRabbit(3, 501, 400, 100, 1);
    for (uint32_t k = 1; k <= 3; ++k) PlaatsKonijntje(k, true);
    int32_t levens = 100;
    const uint64_t start = Headless::Now();
    // The rabbit runs right for a while, then ends its walk with Enter.
    Headless::Schedule({{start + 250, Headless::Action::Press, Wimdows::VK_RIGHT},
                        {start + 500, Headless::Action::Release, Wimdows::VK_RIGHT},
                        {start + 800, Headless::Action::Press, Wimdows::VK_RETURN},
                        {start + 900, Headless::Action::Release, Wimdows::VK_RETURN}});
    Dynamiet(1, levens);
    const int32_t walked = Konijntjes[1].Positie.x - 500;
    EXPECT_GT(walked, 3);
    ASSERT_EQ(AANTALINSLAGEN, 1u);
    EXPECT_EQ(SchadeArray[1].x, 500);
    EXPECT_EQ(SchadeArray[1].y, 400);
    EXPECT_EQ(SchadeArray[1].Grootte, 60);
    EXPECT_EQ(Konijntjes[1].Levens, -(60 - walked / 2));
    EXPECT_EQ(Konijntjes[2].Levens, 70);
    EXPECT_EQ(Konijntjes[3].Levens, 40);
    EXPECT_EQ(levens, 100);
    EXPECT_TRUE(Level[Konijntjes[1].Positie.x][Konijntjes[1].Positie.y].Konijn);
}

}  // namespace

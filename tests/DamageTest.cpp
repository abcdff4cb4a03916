// Explosions (lives by distance, the impact list, the crater), the axe and
// the dynamite.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/Placement.h"
#include "game/weapons/Damage.h"
#include "game/weapons/Weapons.h"
#include "tests/Snapshot.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::PutRabbit;

class DamageTest : public TestSupport::GameTest {};

TEST_F(DamageTest, LivesByDistance) {
    // Size 30: feet 0, 1, 2, 3, 30, 31 away, a head at the impact, a rabbit
    // already out.
    Menu.AantalKonijntjes = 8;
    const int32_t xs[] = {500, 501, 502, 503, 530, 531, 500, 470};
    for (uint32_t k = 1; k <= 8; ++k) PutRabbit(k, xs[k - 1], k == 7 ? 360 : 300, k == 8 ? 0 : 100, 2 - k % 2);
    Schade({500, 300}, 30);
    const int32_t lives[] = {70, 70, 71, 71, 85, 100, 70, -15};
    for (uint32_t k = 1; k <= 8; ++k) EXPECT_EQ(Konijntjes[k].Levens, lives[k - 1]) << k;
    // Dynamite: 60 at distance 0 and 1, 30 at 60, none at 61.
    Menu.AantalKonijntjes = 4;
    const int32_t ds[] = {0, 1, 60, 61}, left[] = {40, 40, 70, 100};
    for (uint32_t k = 1; k <= 4; ++k) PutRabbit(k, 300 + ds[k - 1], 300, 100, 2 - k % 2);
    Schade({300, 300}, 60);
    for (uint32_t k = 1; k <= 4; ++k) EXPECT_EQ(Konijntjes[k].Levens, left[k - 1]) << k;
}

TEST_F(DamageTest, ExplosionImpactListAndCrater) {
    TestSupport::SetFlatGround(1);
    uint64_t start = Headless::Now();
    Schade({500, 300}, 30);
    EXPECT_EQ(Headless::Now() - start, 505u);
    int yellow = 0;
    for (int x = 465; x <= 535; ++x)
        for (int y = 265; y <= 335; ++y) yellow += Wimdows::BufferPixel(x, y) == Wimdows::RgbColor(255, 255, 0);
    EXPECT_GT(yellow, 100);
    // The disc of radius 30, its rim trimmed by truncation, never beyond.
    for (int x = 460; x <= 540; ++x)
        for (int y = 260; y <= 340; ++y) {
            const int d2 = (x - 500) * (x - 500) + (y - 300) * (y - 300);
            if (d2 > 30 * 30 || d2 <= 28 * 28) { ASSERT_EQ(Level[x][y].Grond, d2 > 30 * 30) << x << "," << y; }
        }

    // At x 20: nothing shown, nothing waited, but recorded, lives taken and
    // the crater cut from column 3. A second impact there is a second entry.
    PutRabbit(1, 20, 300, 100, 1);
    TestSupport::Clear(1, 260, 60, 340);
    start = Headless::Now();
    Schade({20, 300}, 30);
    Schade({20, 300}, 30);
    EXPECT_EQ(Headless::Now(), start);
    EXPECT_EQ(Wimdows::BufferPixel(20, 300), _ACHTERGRONDKLEUR);
    EXPECT_EQ(Wimdows::BufferPixel(20, 330), 0u);
    EXPECT_EQ(Wimdows::BufferPixel(40, 300), 0u);
    EXPECT_EQ(Konijntjes[1].Levens, 40);
    EXPECT_FALSE(Level[3][300].Grond);
    EXPECT_TRUE(Level[2][300].Grond);
    ASSERT_EQ(AANTALINSLAGEN, 3u);
    EXPECT_TRUE(SchadeArray[2].x == 20 && SchadeArray[3].x == 20 && SchadeArray[3].Grootte == 30);

    // Blasts in the corners never clear the frame of the landscape.
    Schade({3, 3}, 60);
    Schade({997, 595}, 60);
    for (int x = 1; x <= 1000; ++x)
        for (int y = 1; y <= 600; ++y)
            if (x <= 2 || x >= 998 || y <= 2 || y >= 596) { ASSERT_TRUE(Level[x][y].Grond) << x << "," << y; }
    EXPECT_FALSE(Level[997][595].Grond);

    // The 501st impact is not recorded, but still hurts and cuts.
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
    // The striker 1; 30 and 31 right; feet 61 higher and lower; 30 left; 60
    // higher on the right; the same column, already out.
    const int32_t xs[] = {500, 530, 531, 500, 500, 470, 515, 500};
    const int32_t ys[] = {400, 400, 400, 339, 461, 400, 340, 400};
    auto swing = [&](std::vector<uint32_t> keys) {
        for (uint32_t k = 1; k <= 8; ++k) PutRabbit(k, xs[k - 1], ys[k - 1], k == 1 || k == 8 ? 0 : 100, 2 - k % 2);
        uint64_t t = Headless::Now();
        for (uint32_t vk : keys) Headless::Tap(t += 100, vk, vk == Wimdows::VK_SPACE ? 500 : 0);
        Bijl(1);
        std::vector<int32_t> lives;
        for (uint32_t k = 1; k <= 8; ++k) lives.push_back(Konijntjes[k].Levens);
        return lives;
    };
    const uint64_t start = Headless::Now();
    EXPECT_EQ(swing({Wimdows::VK_SPACE}), (std::vector<int32_t>{0, 100, 100, 100, 100, 70, 100, -30}));
    EXPECT_EQ(Headless::Now() - start, 100u + 900);
    EXPECT_EQ(swing({Wimdows::VK_RIGHT, Wimdows::VK_DOWN, Wimdows::VK_SPACE}),
              (std::vector<int32_t>{0, 70, 100, 100, 100, 100, 70, -30}));
    EXPECT_EQ(swing({Wimdows::VK_RIGHT, Wimdows::VK_LEFT, Wimdows::VK_SPACE}),
              (std::vector<int32_t>{0, 100, 100, 100, 100, 70, 100, -30}));
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

// The crater cut works from cells worked out once per size; it must clear
// exactly what the ring-by-ring rule clears, at the edges of the field too.
TEST_F(DamageTest, CraterCutClearsExactlyTheCellsOfTheRule) {
    const COORDINATEN punten[] = {{500, 300}, {20, 20}, {990, 590}, {3, 300}, {500, 598}};
    for (uint32_t grootte : {30u, 60u, 7u}) {
        for (COORDINATEN p : punten) {
            TestSupport::SetFlatGround(1);
            std::vector<bool> verwacht(1001 * 601, true);
            for (uint32_t straal = 0; straal <= grootte; ++straal)
                for (int32_t hoek = 0; hoek <= 2000; ++hoek) {
                    const long double a = static_cast<long double>(hoek) * 0.0031415920f;
                    const int64_t X = p.x + static_cast<int32_t>(straal * cosl(a));
                    const int64_t Y = p.y + static_cast<int32_t>(straal * sinl(a));
                    if (X < 998 && Y > 2 && X > 2 && Y < 596) verwacht[size_t(X * 601 + Y)] = false;
                }
            Schade(p, grootte);
            int verschillen = 0;
            for (int32_t x = 1; x <= 1000; ++x)
                for (int32_t y = 1; y <= 600; ++y) verschillen += Level[x][y].Grond != verwacht[size_t(x * 601 + y)];
            EXPECT_EQ(verschillen, 0) << "size " << grootte << " at " << p.x << "," << p.y;
        }
    }
}

// The falls after a turn: who falls, how far, what is drawn and what stays
// marked in the grid.
#include <vector>

#include "audio/HeadlessAudio.h"
#include "game/Placement.h"
#include "game/movement/Falling.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;

namespace {

using FallingTest = TestSupport::GameTest;

void Zet(uint32_t k, int32_t x, int32_t y, int32_t levens, uint32_t team) {
    TestSupport::PutRabbit(k, x, y, levens, team);
    PlaatsKonijntje(k, true);
}

bool Gemarkeerd(uint32_t k) {
    const COORDINATEN p = Konijntjes[k].Positie;
    return Level[p.x - 15][p.y - 65].Konijn && Level[p.x + 15][p.y].Konijn;
}

TEST_F(FallingTest, ShortDropsLandAtOnceLongerOnesAreDrawn) {
    TestSupport::SetFlatGround(401);
    Menu.AantalKonijntjes = 4;
    Zet(1, 100, 400, 100, 1);  // on the ground
    Zet(2, 300, 395, 100, 2);  // drops 5 rows
    Zet(3, 500, 394, 60, 1);   // drops 6 rows
    Zet(4, 700, 300, 0, 2);    // out of the game: stays in the air
    VallenNaBeurt(Menu);
    const COORDINATEN verwacht[] = {{100, 400}, {300, 400}, {500, 400}, {700, 300}};
    for (uint32_t k = 1; k <= 4; ++k) EXPECT_EQ(Konijntjes[k].Positie, verwacht[k - 1]) << k;
    EXPECT_EQ(Headless::WaitedMs(), 7u * 5);  // only the 6-row drop is drawn
    EXPECT_EQ(Konijntjes[3].Levens, 60);
    EXPECT_TRUE(Gemarkeerd(1) && Gemarkeerd(2) && Gemarkeerd(3));
    EXPECT_FALSE(Level[500][329].Konijn);  // the old top row of rabbit 3
}

TEST_F(FallingTest, RabbitsFallInOrderThroughOthersAndIntoTheWater) {
    TestSupport::SetFlatGround(401);
    for (int32_t x = 590; x <= 610; ++x)
        for (int32_t y = 401; y <= 600; ++y) Level[x][y].Grond = false;  // a shaft to the water
    Menu.AantalKonijntjes = 4;
    Zet(1, 600, 400, 100, 1);  // over the shaft
    Zet(2, 300, 334, 100, 2);  // standing on rabbit 3's head
    Zet(3, 310, 400, 100, 1);
    Zet(4, 800, 400, 100, 2);
    VallenNaBeurt(Menu);
    EXPECT_EQ(Konijntjes[1].Positie, (COORDINATEN{600, 596}));
    EXPECT_EQ(Konijntjes[1].Levens, 0);
    bool cellen = false;  // a drowned rabbit keeps no cells
    for (int32_t x = 585; x <= 615; ++x)
        for (int32_t y = 1; y <= 600; ++y) cellen = cellen || Level[x][y].Konijn;
    EXPECT_FALSE(cellen);
    EXPECT_EQ(Konijntjes[2].Positie, (COORDINATEN{300, 400}));
    EXPECT_TRUE(Gemarkeerd(2));
    EXPECT_EQ(Headless::WaitedMs(), (197u + 67) * 5);
    // Heard as each fall ends: the splash with the drowning, a thud after
    // the drawn drop onto the ground.
    using HeadlessAudio::Kind;
    const std::vector<HeadlessAudio::Heard> gehoord = {{197 * 5, Sound::Id::Splash, Kind::Played, 600},
                                                       {197 * 5, Sound::Id::RabbitOut, Kind::Played, 600},
                                                       {(197 + 67) * 5, Sound::Id::FallThud, Kind::Played, 300}};
    EXPECT_EQ(HeadlessAudio::Log(), gehoord);
    // Rabbit 4 fell last: the closing redraw leaves it out, while rabbit 2
    // shows its health bar at its new place.
    const Wimdows::Color groen = Wimdows::RgbColor(0, 176, 0);
    EXPECT_EQ(Wimdows::BufferPixel(290, 337), groen);
    EXPECT_NE(Wimdows::BufferPixel(790, 337), groen);
}

}  // namespace

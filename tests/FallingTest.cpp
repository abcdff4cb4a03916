// Falling: where a drop ends, and the falls after a turn (who falls, in
// which order, what is drawn and what stays marked in the grid).
#include <memory>
#include <vector>

#include "audio/HeadlessAudio.h"
#include "game/Placement.h"
#include "game/movement/Falling.h"
#include "tests/TestSupport.h"

using namespace Zanderfell;

namespace {

// On a grid of its own, empty but for one ground cell: the drop stops on
// it only under the rabbit's middle, else in the water.
TEST(FallingSteps, DropsEndOnGroundUnderTheMiddleOrInTheWater) {
    const auto veld = std::make_unique<LEVEL>();
    const struct { int32_t kolom, rij, van; COORDINATEN einde; } vallen[] = {
        {500, 450, 400, {500, 449}}, {500, 450, 449, {500, 449}}, {501, 450, 400, {500, 596}}, {500, 597, 400, {500, 596}}};
    for (const auto& v : vallen) {
        (*veld)[v.kolom][v.rij].Grond = true;
        EXPECT_EQ(ValLanding(*veld, {500, v.van}), v.einde) << &v - vallen;
        (*veld)[v.kolom][v.rij].Grond = false;
    }
    EXPECT_FALSE(Verdronken({500, 595}));
    EXPECT_TRUE(Verdronken({500, 596}));
}

using FallingTest = TestSupport::GameTest;

void Zet(uint32_t k, int32_t x, int32_t y, int32_t levens, uint32_t team) {
    TestSupport::PutRabbit(k, x, y, levens, team);
    PlaatsKonijntje(k, true);
}

bool Gemarkeerd(uint32_t k) {
    const COORDINATEN p = Konijntjes[k].Positie;
    return Level[p.x - 15][p.y - 65].Konijn && Level[p.x + 15][p.y].Konijn;
}

// In number order: a drop of 5 rows lands at once, longer ones are drawn
// row by row; rabbits fall through others and drown in the water.
TEST_F(FallingTest, RabbitsFallInOrderThroughOthersAndIntoTheWater) {
    TestSupport::SetFlatGround(401);
    for (int32_t x = 590; x <= 610; ++x)
        for (int32_t y = 401; y <= 600; ++y) Level[x][y].Grond = false;  // a shaft to the water
    Menu.AantalKonijntjes = 6;
    Zet(1, 600, 400, 100, 1);  // over the shaft
    Zet(2, 300, 334, 100, 2);  // standing on rabbit 3's head
    Zet(3, 310, 400, 100, 1);  // on the ground
    Zet(4, 100, 395, 100, 2);  // drops 5 rows
    Zet(5, 500, 394, 60, 1);   // drops 6 rows, last: no redraw shows it where it was
    Zet(6, 700, 300, 0, 2);    // out of the game: stays in the air
    VallenNaBeurt(Menu);
    const COORDINATEN verwacht[] = {{600, 596}, {300, 400}, {310, 400}, {100, 400}, {500, 400}, {700, 300}};
    for (uint32_t k = 1; k <= 6; ++k) EXPECT_EQ(Konijntjes[k].Positie, verwacht[k - 1]) << k;
    EXPECT_EQ(Headless::WaitedMs(), (197u + 67 + 7) * 5);
    EXPECT_TRUE(Konijntjes[1].Levens == 0 && Konijntjes[5].Levens == 60);
    for (int32_t x = 585; x <= 615; ++x)
        for (int32_t y = 1; y <= 600; ++y) EXPECT_FALSE(Level[x][y].Konijn) << "a drowned rabbit keeps no cells";
    EXPECT_TRUE(Gemarkeerd(2) && Gemarkeerd(3) && Gemarkeerd(4) && Gemarkeerd(5));
    EXPECT_FALSE(Level[500][329].Konijn);  // the old top row of rabbit 5
    EXPECT_TRUE(Wimdows::BufferPixel(290, 337) == Wimdows::RgbColor(0, 176, 0) && Wimdows::BufferPixel(490, 331) == _ACHTERGRONDKLEUR);
    // Heard as each fall ends: the splash with the drowning, a thud after
    // each drawn drop onto the ground, nothing for a short one.
    using HeadlessAudio::Kind;
    const std::vector<HeadlessAudio::Heard> gehoord = {{197 * 5, Sound::Id::Splash, Kind::Played, 600},
                                                       {197 * 5, Sound::Id::RabbitOut, Kind::Played, 600},
                                                       {(197 + 67) * 5, Sound::Id::FallThud, Kind::Played, 300},
                                                       {(197 + 67 + 7) * 5, Sound::Id::FallThud, Kind::Played, 500}};
    EXPECT_EQ(HeadlessAudio::Log(), gehoord);
}

}  // namespace

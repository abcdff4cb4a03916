// The playing field's frame, the rabbits' spawn spots and the game's colours,
// stated once for the game, the art generator and the tests. Plain numbers
// only: the generator builds without the game's graphics layer.
//
// The field is the grid of cells x 1..1000, y 1..600 (window rows 1..600);
// the status bar takes the window from row 600 down.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace Veld {

constexpr int32_t Breedte = 1000;  // columns 1..1000
constexpr int32_t Hoogte = 600;    // rows 1..600
constexpr int32_t StatusbalkRij = 600;  // the status bar's top row in the window

// The frame inside which craters cut cells and the water-line pass repaints:
// columns 3..997, rows 3..595. The outermost two rows and columns stay as the
// level picture painted them.
constexpr int32_t FrameLinks = 3;
constexpr int32_t FrameRechts = 997;
constexpr int32_t FrameBoven = 3;
constexpr int32_t FrameOnder = 595;

// A flight ends (and a grenade turns) when its centre comes within this many
// pixels of leaving the frame: a shell at x 12 is at the margin, at x 13 not.
constexpr int32_t Marge = 10;

// The water zone: the black water line on rows 534..536, water below it;
// feet that reach row 596, the row under the frame, have drowned.
constexpr int32_t WaterZoneRij = 534;
constexpr int32_t WaterLijnOnder = 536;
constexpr int32_t WaterRij = FrameOnder + 1;

// The game's colours as red, green and blue.
struct Rgb {
    uint8_t r, g, b;
};
constexpr Rgb Lucht{166, 202, 240};   // the sky
constexpr Rgb WaterLijn{0, 0, 0};     // the line on top of the water
constexpr Rgb Water{17, 94, 170};

// The colour of an air cell of row y in the level pictures and after the
// water-line pass: sky, the water line, water.
constexpr Rgb Luchtkleur(int32_t y) {
    return y < WaterZoneRij ? Lucht : y <= WaterLijnOnder ? WaterLijn : Water;
}

// Where rabbits are put at the start: the middle column of the feet and the
// row they stand in (the cell under it is ground).
struct Plek {
    int32_t x, y;
};

// Levels 1 and 2: nineteen spots each, numbered 1..19 in this order.
constexpr std::array<Plek, 19> PlekkenLevel1{{
    {80, 140},  {138, 160}, {197, 105}, {243, 141}, {283, 154}, {340, 178}, {354, 387},
    {417, 400}, {477, 435}, {538, 481}, {596, 485}, {655, 476}, {565, 212}, {616, 147},
    {667, 154}, {722, 133}, {793, 154}, {852, 200}, {799, 474}}};
constexpr std::array<Plek, 19> PlekkenLevel2{{
    {74, 424},  {122, 411}, {169, 410}, {222, 503}, {314, 191}, {387, 183}, {446, 289},
    {490, 331}, {534, 373}, {480, 113}, {535, 113}, {579, 99},  {622, 115}, {677, 116},
    {635, 337}, {685, 312}, {751, 283}, {818, 263}, {901, 481}}};
// Level 3, the duel: rabbit 1 (red) and rabbit 2 (blue), always here.
constexpr std::array<Plek, 2> PlekkenLevel3{{{226, 331}, {550, 432}}};

// The spots of level 1, 2 or 3; none for any other number.
constexpr std::span<const Plek> Plekken(uint32_t level) {
    switch (level) {
        case 1: return PlekkenLevel1;
        case 2: return PlekkenLevel2;
        case 3: return PlekkenLevel3;
        default: return {};
    }
}

}  // namespace Veld

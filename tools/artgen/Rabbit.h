// The rabbits: one model drawn in every pose, small for the game and
// large for the screens.
#pragma once

#include "artgen/Paint.h"

namespace art {

enum class Pose { Stand, Walk, Bazooka, Pistol, Axe, Dynamite, Grenade, Think };

struct Team {
  Rgb fur, light, dark;
};
Team redTeam();
Team blueTeam();

// The rabbit facing right in model space: column 0 is its middle, the feet
// rest on row 60, one unit is one game pixel. frame is 1..3 where a pose has
// frames (walk cycle; aim up/level/down; axe swing).
Scene rabbitScene(Pose pose, int frame, const Team& team);
// Only the ears and the head of the same model, for the application icon.
Scene rabbitHeadScene(const Team& team);

// The 29 x 60 game sprite: image column 15 is the rabbit's middle, the last
// row is the row above its feet. The axe's third frame is drawn with the
// rabbit 6 columns back, because the game places that frame 6 columns
// further out.
Image rabbitSprite(Pose pose, int frame, bool facingRight, const Team& team);

// A large rabbit for the screens, feet at (x, y), height in pixels.
void paintBigRabbit(Image& img, Pose pose, int frame, bool facingRight, const Team& team, double x, double y,
                    double height);

Rgb rimColour();

}  // namespace art

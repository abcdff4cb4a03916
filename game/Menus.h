// The title screen, the menu screen, instructions and credits.
#pragma once

#include "game/Zanderfell.h"

namespace Zanderfell {

// Re-creates the window, reloads the images and runs the screens until the
// players have chosen a game.
MENU Menus();

}  // namespace Zanderfell

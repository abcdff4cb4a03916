// A game over the network, as the program's main loop sees it: the
// connection opened from the command line, the waiting screens, the start of
// each match on both machines, the hash after every turn, and what the
// player is told when the network game ends. Offline (no --host or --join)
// each of these does nothing.
#pragma once

#include <cstdint>

#include "game/Options.h"
#include "net/Session.h"

namespace Zanderfell {

// Opens the connection (--host: takes the port; --join: starts connecting).
// False, with a message on stderr, when that cannot be done.
bool OnlineOpen(const Opties& opties);
// A joiner's matches start on the host's word, not in its own menus.
bool OnlineJoiner();
// The host, before its title screen: the waiting screen until a player joined.
void OnlineWachtOpSpeler();
// The joiner: the waiting screen until the host starts a match; then Menu,
// the chance and the screens are the host's.
void OnlineWachtOpStart();
// Around each match (the host sends its start first).
void OnlineBeginSpel();
void OnlineEindeSpel();
// After each turn: this machine's state, to compare with the other's.
void OnlineNaBeurt(uint32_t beurt);
// The network game is over: the reason on screen for a moment (and on
// stderr), then this machine plays alone again, from its title screen.
void OnlineVerloren(const Net::Ended& einde);
// This side leaves the network game (the program ends, or the player quit
// the match to the title): a goodbye to the other side.
void OnlineSluit();

// The hash of the game's state compared after each turn: the grid, the
// rabbits, the impacts, the random state, the look and whose turn it was.
uint64_t ToestandHash();

}  // namespace Zanderfell

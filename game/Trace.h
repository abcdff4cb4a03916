// A short text trace of a game at its key points, for the scripted whole-game
// tests. Silent unless a sink is set.
#pragma once

#include <functional>
#include <string>

namespace Zanderfell::Trace {

using Sink = std::function<void(const std::string& line)>;
void SetSink(Sink sink);
// Writes "<what>" followed by the game's state (rabbits, impacts, random
// state, grid and screen hashes) when a sink is set.
void Point(const std::string& what);
// Writes just the line.
void Line(const std::string& line);

}  // namespace Zanderfell::Trace

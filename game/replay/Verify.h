// Verification of records: each recorded match is played again, headless
// and in virtual time, and compared with its record turn by turn.
#pragma once

#include <string>
#include <vector>

#include "game/replay/Record.h"

namespace Zanderfell::Replay {

// One line per file ("FILE: ok ..." or "FILE: <the first difference>") into
// `uit`. Returns the exit code: 0 when every record matches, 1 when one
// differs, 2 when one cannot be read (an unknown version, a damaged line, a
// level whose files are missing).
int Verifieer(const std::vector<std::string>& bestanden, std::string& uit);

// Reads a record, and checks that this game has its level. "" when it can
// be played, else what is wrong.
std::string LeesVoorSpelen(const std::string& bestand, Opname& o);

}  // namespace Zanderfell::Replay

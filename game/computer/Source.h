// The computer as a team's source of keys: the input layer asks it at every
// look while its team is on turn, and it answers with the keys its player
// gives, each at its moment of the game's clock.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/Random.h"
#include "game/computer/Player.h"
#include "gfx/Input.h"

namespace Zanderfell::Computer {

class Bron : public Input::Source {
public:
    Bron(Speler sterkte, uint64_t zaad) : speler_(sterkte, zaad) {}
    void Take(uint64_t look, uint64_t klok, std::vector<Input::Event>& out) override;
    uint64_t NextAt(uint64_t look) override;
    std::string Name() const override { return Naam(speler_.Sterkte()); }
    const Toetsenist& Toetsen() const { return speler_; }

private:
    Toetsenist speler_;
    std::vector<ToetsActie> straks_;  // keys whose moment has not come, in order
};

// For a match about to start from the random state `toestand`: each team
// the computer plays gets a source of its own, seeded from that state (the
// same state, the same match); a person's team gets the window. Returns the
// sources (nullptr for a person), 1 red and 2 blue.
std::array<std::shared_ptr<Bron>, 3> ZetSpelers(const RANDOMTOESTAND& toestand);
// The players of one match: set as it starts; when it ends, however it
// ends (a victory, the title, the window closed), the window is every
// team's source again and no team is on turn, so the title takes the
// person's keys.
class SpelersVanDePartij {
public:
    explicit SpelersVanDePartij(const RANDOMTOESTAND& toestand) { ZetSpelers(toestand); }
    ~SpelersVanDePartij();
    SpelersVanDePartij(const SpelersVanDePartij&) = delete;
    SpelersVanDePartij& operator=(const SpelersVanDePartij&) = delete;
};
// The computer's source of a team in the match being played (nullptr: a person).
std::shared_ptr<const Bron> BronVan(uint32_t team);

}  // namespace Zanderfell::Computer

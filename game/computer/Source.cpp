// The computer's keys through the input layer: what its player gives for
// now is taken in at once, the rest waits for its moment (and a look
// blocked on a key lets the clock run to it).
#include "game/computer/Source.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "game/computer/Choice.h"

namespace Zanderfell::Computer {

void Bron::Take(uint64_t, uint64_t klok, std::vector<Input::Event>& out) {
    for (const ToetsActie& a : speler_.Kijk(klok)) straks_.push_back(a);
    std::stable_sort(straks_.begin(), straks_.end(), [](const ToetsActie& a, const ToetsActie& b) { return a.op < b.op; });
    size_t n = 0;
    for (; n < straks_.size() && straks_[n].op <= klok; ++n)
        out.push_back({straks_[n].neer ? Input::Kind::Press : Input::Kind::Release, uint8_t(straks_[n].vk)});
    straks_.erase(straks_.begin(), straks_.begin() + long(n));
}

uint64_t Bron::NextAt(uint64_t) { return straks_.empty() ? UINT64_MAX : straks_.front().op; }

namespace {
std::array<std::shared_ptr<Bron>, 3> bronnen;
}  // namespace

std::shared_ptr<const Bron> BronVan(uint32_t team) { return team <= 2 ? bronnen[team] : nullptr; }

std::array<std::shared_ptr<Bron>, 3> ZetSpelers(const RANDOMTOESTAND& toestand) {
    bronnen = {};
    uint32_t deler = 0;
    static_assert(sizeof deler == sizeof toestand.VorigeDeler);
    std::memcpy(&deler, &toestand.VorigeDeler, sizeof deler);
    for (uint32_t team = 1; team <= 2; ++team) {
        const Computer::Speler wie = SpelerVan(team);
        // A person's team keeps the source it has: the window, or over the
        // network the other machine.
        if (wie == Computer::Speler::Mens) continue;
        const uint64_t zaad = (uint64_t{toestand.VorigeRandom} << 32 | deler) * 2 + team;
        bronnen[team] = std::make_shared<Bron>(wie, zaad);
        Input::SetSource(team, bronnen[team]);
    }
    return bronnen;
}

SpelersVanDePartij::~SpelersVanDePartij() {
    Input::SetTurn(0);
    for (uint32_t team = 1; team <= 2; ++team)
        if (bronnen[team]) Input::SetSource(team, nullptr);
    bronnen = {};
}

}  // namespace Zanderfell::Computer

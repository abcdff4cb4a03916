// Scripting whole games: keys follow the moments the game asks for them.
// The game writes a trace line when the title screen, a movement or a
// weapon choice begins; a reaction to such a line schedules key events at
// virtual times counted from that moment.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "game/Trace.h"
#include "game/Zanderfell.h"
#include "gfx/Headless.h"

namespace ScriptedGame {

using Headless::Action;
constexpr uint32_t Enter = 0x0D, Space = 0x20, Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;

// One key event, `after` ms after the trace line that triggers it.
struct Step {
    uint64_t after;
    Action action;
    uint32_t vk;
};
// When the game writes a trace line starting with `when`, these steps follow.
// Each reaction is used once; a line takes the first unused one that fits, so
// reactions for turns a game never reaches are simply left over.
struct Reaction {
    std::string when;
    std::vector<Step> steps;
};

inline std::vector<Step> Tap(uint64_t at, uint32_t vk, uint64_t hold = 0) {
    return {{at, Action::Press, vk}, {at + hold, Action::Release, vk}};
}
inline std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Keys for the weapon phase: `bs` presses of B, then Enter held.
inline std::vector<Step> Choose(int bs) {
    std::vector<Step> s;
    for (int i = 0; i < bs; ++i) s = s + Tap(300 + 50 * uint64_t(i), 'B');
    return s + Tap(600, Enter, 200);
}
// Aiming: `ups` (negative: downs) presses, then Space held for `holdMs`.
inline std::vector<Step> AimAndFire(int ups, uint64_t holdMs) {
    std::vector<Step> s;
    for (int i = 0; i < std::abs(ups); ++i) s = s + Tap(900 + 40 * uint64_t(i), ups > 0 ? Up : Down);
    return s + Tap(1500, Space, holdMs);
}

// Collects the trace and plays the reactions.
class Driver {
public:
    explicit Driver(std::vector<Reaction> script) : script_(std::move(script)) {}
    void operator()(const std::string& line) {
        trace_ << line << "\n";
        Headless::CheckWindow();  // at every step of the game, as the player sees it
        for (auto it = script_.begin(); it != script_.end(); ++it) {
            if (line.rfind(it->when, 0) != 0) continue;
            std::vector<Headless::ScriptedEvent> events;
            for (const Step& s : it->steps) events.push_back({Headless::Now() + s.after, s.action, s.vk});
            Headless::Schedule(events);
            script_.erase(it);
            break;
        }
    }
    std::string Trace() const { return trace_.str(); }

private:
    std::vector<Reaction> script_;
    std::ostringstream trace_;
};

// Runs the program from its start with these arguments, every trace line
// seen by `also` (if given) and then by the driver; returns the exit code.
// The game is left out of classic mode, however it was played.
inline int Play(Driver& driver, std::vector<std::string> args = {},
                const std::function<void(const std::string&)>& also = nullptr) {
    Zanderfell::Trace::SetSink([&](const std::string& line) {
        if (also) also(line);
        driver(line);
    });
    args.insert(args.begin(), "zanderfell");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    const int code = Zanderfell::Main(int(argv.size()), argv.data());
    Zanderfell::Klassiek = false;
    Zanderfell::Trace::SetSink(nullptr);
    return code;
}

}  // namespace ScriptedGame

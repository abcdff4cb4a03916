// How each sound of the game's table (audio/Sounds.def) is made.
#pragma once

#include <cstdint>

#include "soundgen/Synth.h"

namespace Recipes {

enum class Id : uint32_t {
#define SOUND(id, stem, ms, loops, what) id,
#include "audio/Sounds.def"
#undef SOUND
};

struct Row {
    Id id;
    const char* stem;
    uint32_t longestMs;
    bool loops;
    const char* what;
};
constexpr Row Table[] = {
#define SOUND(id, stem, ms, loops, what) {Id::id, #stem, ms, loops, what},
#include "audio/Sounds.def"
#undef SOUND
};

// The samples of one sound, peak below 1.
Synth::Wave Make(Id id);

}  // namespace Recipes

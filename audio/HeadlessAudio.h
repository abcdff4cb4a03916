// The tests' ear: the headless sound platform hears nothing but records
// every request with the game's (virtual) time and place.
#pragma once

#include <cstdint>
#include <vector>

#include "audio/Sound.h"

namespace HeadlessAudio {

enum class Kind : uint8_t { Played, Started, Stopped };

struct Heard {
    uint64_t atMs;  // Runtime::NowMs() when the game asked
    Sound::Id id;
    Kind kind;
    int32_t x;      // where (0 for Stopped)
    bool operator==(const Heard&) const = default;
};

const std::vector<Heard>& Log();
void Clear();

}  // namespace HeadlessAudio

// The parts of sound every platform shares: the table's columns and the
// player's remembered choice of volume.
#include "audio/Sound.h"

#include <sstream>
#include <string>

#include "runtime/Runtime.h"

namespace Sound {

namespace {
struct Row {
    const char* stem;
    uint32_t longestMs;
    bool loops;
};
constexpr Row Table[] = {
#define SOUND(id, stem, ms, loops, what) {#stem, ms, loops},
#include "audio/Sounds.def"
#undef SOUND
};
const Row& At(Id id) { return Table[Runtime::CheckIndex(int64_t(id), 0, Count - 1, "sound")]; }
}  // namespace

const char* Stem(Id id) { return At(id).stem; }
uint32_t LongestMs(Id id) { return At(id).longestMs; }
bool Loops(Id id) { return At(id).loops; }

Settings LoadSettings(const std::string& path) {
    Settings s;
    std::string text;
    if (!Runtime::ReadFile(path, text)) return s;
    std::istringstream in(text);
    std::string key;
    long long value = 0;
    while (in >> key >> value) {
        if (key == "volume") s.volume = int32_t(value < 0 ? 0 : value > MaxVolume ? MaxVolume : value);
        if (key == "muted") s.muted = value != 0;
    }
    return s;
}

bool SaveSettings(const Settings& s, const std::string& path) {
    return Runtime::WriteFileWhole(path, "volume " + std::to_string(s.volume) + "\nmuted " + (s.muted ? "1" : "0") + "\n");
}

}  // namespace Sound

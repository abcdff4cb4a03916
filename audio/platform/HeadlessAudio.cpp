// The sound platform of the tests: nothing is heard, every request is
// written down with the game's virtual time, for the tests to check that an
// action sounds at its moment.
#include "audio/HeadlessAudio.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "runtime/Clock.h"

namespace {
std::vector<HeadlessAudio::Heard> log;
bool on[Sound::Count] = {};  // lasting sounds now started
int32_t Clamp(int32_t x) { return std::clamp(x, 1, 1000); }
}  // namespace

namespace HeadlessAudio {
const std::vector<Heard>& Log() { return log; }
void Clear() {
    log.clear();
    std::fill(std::begin(on), std::end(on), false);
}
}  // namespace HeadlessAudio

namespace Sound {

void Play(Id id, int32_t x) { log.push_back({Runtime::NowMs(), id, HeadlessAudio::Kind::Played, Clamp(x)}); }
// A lasting sound is heard starting once, however often the game moves it,
// and stopping once.
void Start(Id id, int32_t x) {
    if (std::exchange(on[uint32_t(id)], true)) return;
    log.push_back({Runtime::NowMs(), id, HeadlessAudio::Kind::Started, Clamp(x)});
}
void Stop(Id id) {
    if (!std::exchange(on[uint32_t(id)], false)) return;
    log.push_back({Runtime::NowMs(), id, HeadlessAudio::Kind::Stopped, 0});
}
void Open(bool) {}
void ToggleMute() {}
void ChangeVolume(int32_t) {}

}  // namespace Sound

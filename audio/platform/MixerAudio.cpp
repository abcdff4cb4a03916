// The game's sound over SDL2_mixer. Mixing runs on SDL's audio thread; the
// game thread only puts requests into a ring of its own (one writer, one
// reader, no lock) and goes on. The audio thread takes them at the start of
// every buffer it mixes (through the mixer's music hook, which runs before
// the channels are mixed), so the game never waits for the mixer's lock.
// The player's controls come from the window thread as plain numbers.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "audio/Sound.h"

namespace {

enum class Ask : uint8_t { Play, Start, Stop };
struct Request {
    Ask ask;
    Sound::Id id;
    int16_t x;
};

// Written by the game thread only, read by the audio thread only.
std::array<Request, 256> ring;
std::atomic<uint32_t> ringWritten{0}, ringRead{0};

std::atomic<bool> ready{false};   // the device is open and the sounds loaded
std::atomic<int32_t> volume{Sound::MaxVolume};
std::atomic<bool> muted{false};
bool rememberedMuted = false;  // what Sound.txt keeps: --mute is for one game only
std::mutex& controlMutex = *new std::mutex;  // the open and the controls; never destroyed
bool opened = false, failed = false;

Mix_Chunk* chunks[Sound::Count] = {};
int loopChannel[Sound::Count];  // the channel a lasting sound plays on, or -1
int appliedVolume = -1;         // as last given to the mixer (audio thread)

void Pan(int channel, int16_t x) {
    // Equal power from left to right.
    const long double p = (x - 1) / 999.0L;
    Mix_SetPanning(channel, Uint8(std::lround(255 * std::sqrt(1 - p))), Uint8(std::lround(255 * std::sqrt(p))));
}

void Carry(const Request& r) {
    const uint32_t i = uint32_t(r.id);
    Mix_Chunk* chunk = chunks[i];
    if (!chunk) return;
    const bool looping = loopChannel[i] >= 0 && Mix_Playing(loopChannel[i]) && Mix_GetChunk(loopChannel[i]) == chunk;
    switch (r.ask) {
        case Ask::Play: {
            const int ch = Mix_PlayChannel(-1, chunk, 0);
            if (ch >= 0) Pan(ch, r.x);
            break;
        }
        case Ask::Start:
            if (!looping) loopChannel[i] = Mix_PlayChannel(-1, chunk, -1);
            if (loopChannel[i] >= 0) Pan(loopChannel[i], r.x);
            break;
        case Ask::Stop:
            if (looping) Mix_HaltChannel(loopChannel[i]);
            loopChannel[i] = -1;
            break;
    }
}

// On the audio thread, before each buffer is mixed; the mixer's lock is
// held, so the channels can be changed here. The buffer is left silent: no
// music plays under this hook.
void SDLCALL TakeRequests(void*, Uint8*, int) {
    // Full volume leaves some headroom: a launch and its blast at the same
    // moment (a shot at the rabbit's own feet) should not clip.
    const int want = muted ? 0 : volume * (MIX_MAX_VOLUME * 3 / 4) / Sound::MaxVolume;
    if (want != appliedVolume) {
        Mix_Volume(-1, want);
        appliedVolume = want;
    }
    uint32_t r = ringRead.load(std::memory_order_relaxed);
    const uint32_t w = ringWritten.load(std::memory_order_acquire);
    for (; r != w; ++r) Carry(ring[r % ring.size()]);
    ringRead.store(r, std::memory_order_release);
}

void Hand(Ask ask, Sound::Id id, int32_t x) {
    if (!ready.load(std::memory_order_acquire)) return;
    const uint32_t w = ringWritten.load(std::memory_order_relaxed);
    if (w - ringRead.load(std::memory_order_acquire) >= ring.size()) return;  // full: this one is not heard
    ring[w % ring.size()] = {ask, id, int16_t(std::clamp(x, 1, 1000))};
    ringWritten.store(w + 1, std::memory_order_release);
}

// ALSA writes its own complaints to stderr when it finds no device; the game
// says it once in its own words instead. The handler is set in the same
// library SDL loads.
extern "C" void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}
void SilenceAlsa() {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (!alsa) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    auto set = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (set) set(QuietAlsa);
}

void CloseAtExit() {
    ready = false;
    Mix_CloseAudio();
}

// Under controlMutex. Done once, when sound is first wanted.
void OpenDevice() {
    if (opened || failed) return;
    SilenceAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        std::fprintf(stderr, "zanderfell: no sound device (%s): playing silent\n", SDL_GetError());
        failed = true;
        return;
    }
    Mix_AllocateChannels(16);
    int missing = 0;
    for (uint32_t i = 0; i < Sound::Count; ++i) {
        loopChannel[i] = -1;
        const std::string path = std::string("Sounds/") + Sound::Stem(Sound::Id(i)) + ".wav";
        chunks[i] = Mix_LoadWAV(path.c_str());
        if (!chunks[i]) ++missing;
    }
    if (missing) std::fprintf(stderr, "zanderfell: %d sounds missing from Sounds/: they stay silent\n", missing);
    Mix_HookMusic(TakeRequests, nullptr);
    opened = true;
    ready = true;
    std::atexit(CloseAtExit);
}

// A failed write keeps the choice for this game only; nothing to tell.
void Remember() { Sound::SaveSettings({volume, rememberedMuted}); }

}  // namespace

namespace Sound {

void Play(Id id, int32_t x) {
    if (!muted) Hand(Ask::Play, id, x);
}
void Start(Id id, int32_t x) { Hand(Ask::Start, id, x); }
void Stop(Id id) { Hand(Ask::Stop, id, 0); }

void Open(bool mute) {
    std::lock_guard lk(controlMutex);
    const Settings s = LoadSettings();
    volume = s.volume;
    rememberedMuted = s.muted;
    muted = mute || s.muted;
    // A silent game opens no device at all (and a server without one says
    // nothing); unmuting opens it then.
    if (!muted) OpenDevice();
}

void ToggleMute() {
    std::lock_guard lk(controlMutex);
    muted = !muted;
    rememberedMuted = muted;
    if (!muted) OpenDevice();
    Remember();
}

void ChangeVolume(int32_t steps) {
    std::lock_guard lk(controlMutex);
    volume = std::clamp(volume + steps, 0, MaxVolume);
    Remember();
}

}  // namespace Sound

// What the game calls to be heard. Plain procedures, no SDL: the sound
// platform linked into the program (audio/platform/MixerAudio.cpp in the
// game, audio/platform/HeadlessAudio.cpp in the tests) does the rest. Every
// call only hands a request over and returns at once: sound never waits,
// never fails and never changes anything the game decides.
#pragma once

#include <cstdint>
#include <string>

namespace Sound {

enum class Id : uint8_t {
#define SOUND(id, stem, ms, loops, what) id,
#include "audio/Sounds.def"
#undef SOUND
};
constexpr uint32_t Count = 0
#define SOUND(id, stem, ms, loops, what) +1
#include "audio/Sounds.def"
#undef SOUND
    ;

// The table's columns, by id.
const char* Stem(Id id);
uint32_t LongestMs(Id id);
bool Loops(Id id);

// A sound heard once, from where it happens on the field (x 1..1000: left
// to right; anything else is clamped).
void Play(Id id, int32_t x);
// A sound that lasts until Stop (a fuse, a whistle). Starting one that is
// already on only moves it to x.
void Start(Id id, int32_t x);
void Stop(Id id);

// Opened once as the game starts: `muted` from the command line (--mute)
// wins over the choice remembered in the player's directory.
void Open(bool muted);

// The player's controls (Alt+M, Alt+Up, Alt+Down), from the window's thread.
// The choice is kept in Sound.txt in the player's directory.
void ToggleMute();
void ChangeVolume(int32_t steps);

// The player's remembered choice: Sound.txt beside Files/, two lines
// "volume <0..10>" and "muted <0|1>". Missing or unreadable: full volume, on.
struct Settings {
    int32_t volume = 10;
    bool muted = false;
};
constexpr int32_t MaxVolume = 10;
Settings LoadSettings(const std::string& path = "Sound.txt");
// Written to a temporary file renamed over the old one; false on failure.
bool SaveSettings(const Settings& s, const std::string& path = "Sound.txt");

}  // namespace Sound

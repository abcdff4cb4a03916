// What two machines playing one game say to each other, as bytes: a pure
// codec, no sockets. Every message starts with the same four bytes (the
// letters "ZN", the version of this language, the kind) and has one exact
// length per kind, so a reader can refuse anything else before looking
// further. Everything read comes from another machine and is checked:
// sizes, counts, the version, ranges and times; a message that fails says
// why in one line and is never half taken.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace Net {

// Raised whenever a message changes in any way; both sides must agree.
constexpr uint8_t Version = 1;
// The port a host listens on unless told otherwise.
constexpr uint16_t DefaultPort = 47519;
// Looks and game times above this are refused (some 8900 years of play).
constexpr uint64_t MaxTime = uint64_t{1} << 48;
// The most key events one look can take in that one message carries.
constexpr size_t MaxKeys = 64;

// The first thing each side says once connected.
struct Hello {
    bool operator==(const Hello&) const = default;
};
// The host starts a match: the settings chosen in its menus and its random
// state, which the joiner plays from instead of its own file.
struct Start {
    uint8_t level = 1;    // 1..3
    uint8_t rabbits = 2;  // 2, 4, 6 or 8
    bool wind = false;
    bool classic = false;  // the host's screens without the later additions
    uint32_t previousRandom = 0;
    float divisor = 1.0f;  // above 0 and at most 1
    bool operator==(const Start&) const = default;
};
// A key event as the game took it in: kind 0 press, 1 release, 2 tap.
struct Key {
    uint8_t kind = 0;
    uint8_t vk = 0;  // 1..255
    bool operator==(const Key&) const = default;
};
// The keys the active side's game took in at one look.
struct Keys {
    uint64_t look = 0;     // 1..MaxTime
    uint64_t clockMs = 0;  // 0..MaxTime
    std::vector<Key> keys;  // 1..MaxKeys
    bool operator==(const Keys&) const = default;
};
// The active side's game has passed this look (and every earlier one): no
// more keys will come for them.
struct Reached {
    uint64_t look = 0;
    uint64_t clockMs = 0;
    bool operator==(const Reached&) const = default;
};
// The state of the game after a turn, and the look the turn ended at, for
// the other side to compare.
struct TurnHash {
    uint32_t turn = 0;
    uint64_t look = 0;  // 1..MaxTime
    uint64_t hash = 0;
    bool operator==(const TurnHash&) const = default;
};
// Why a side ends the connection.
enum class Reason : uint8_t { Quit = 0, OutOfStep = 1, BadMessage = 2, Count };
struct Leave {
    Reason reason = Reason::Quit;
    bool operator==(const Leave&) const = default;
};

using Message = std::variant<Hello, Start, Keys, Reached, TurnHash, Leave>;

std::vector<uint8_t> Encode(const Message& message);

// A message read, or why it was refused (`error` set, `message` empty).
struct Decoded {
    std::optional<Message> message;
    std::string error;
};
Decoded Decode(const uint8_t* data, size_t size);
inline Decoded Decode(const std::vector<uint8_t>& bytes) { return Decode(bytes.data(), bytes.size()); }

// What a Leave says to the player.
const char* Describe(Reason reason);

}  // namespace Net

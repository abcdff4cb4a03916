// The network messages as bytes and back. Numbers are little-endian and of
// fixed width; the reader checks the length of a message against its kind
// before reading a field, then every field against its range.
#include "net/Messages.h"

#include <bit>
#include <cmath>

namespace Net {

namespace {

constexpr uint8_t Magic0 = 'Z', Magic1 = 'N';
constexpr size_t HeaderSize = 4;

// The kinds on the wire: the index of the alternative in Message.
enum Kind : uint8_t { KHello, KStart, KKeys, KReached, KHash, KLeave, KCount };

class Writer {
public:
    explicit Writer(uint8_t kind) { bytes = {Magic0, Magic1, Version, kind}; }
    void U8(uint8_t v) { bytes.push_back(v); }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void U64(uint64_t v) {
        for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    std::vector<uint8_t> bytes;
};

// Reads fields whose room the caller has checked already.
class Reader {
public:
    explicit Reader(const uint8_t* p) : p(p) {}
    uint8_t U8() { return *p++; }
    uint32_t U32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t{*p++} << (8 * i);
        return v;
    }
    uint64_t U64() {
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v |= uint64_t{*p++} << (8 * i);
        return v;
    }

private:
    const uint8_t* p;
};

Decoded Refuse(const std::string& why) { return {std::nullopt, why}; }

// A flag byte must be 0 or 1: anything else is a different message.
bool Flag(uint8_t b, bool& out) {
    out = b == 1;
    return b <= 1;
}

}  // namespace

std::vector<uint8_t> Encode(const Message& message) {
    Writer w(static_cast<uint8_t>(message.index()));
    if (const Start* s = std::get_if<Start>(&message)) {
        w.U8(s->level);
        w.U8(s->rabbits);
        w.U8(s->wind ? 1 : 0);
        w.U8(s->classic ? 1 : 0);
        w.U32(s->previousRandom);
        w.U32(std::bit_cast<uint32_t>(s->divisor));
    } else if (const Keys* k = std::get_if<Keys>(&message)) {
        w.U64(k->look);
        w.U64(k->clockMs);
        w.U8(static_cast<uint8_t>(k->keys.size()));
        for (const Key& key : k->keys) {
            w.U8(key.kind);
            w.U8(key.vk);
        }
    } else if (const Reached* r = std::get_if<Reached>(&message)) {
        w.U64(r->look);
        w.U64(r->clockMs);
    } else if (const TurnHash* h = std::get_if<TurnHash>(&message)) {
        w.U32(h->turn);
        w.U64(h->look);
        w.U64(h->hash);
    } else if (const Leave* l = std::get_if<Leave>(&message)) {
        w.U8(static_cast<uint8_t>(l->reason));
    }
    return std::move(w.bytes);
}

Decoded Decode(const uint8_t* data, size_t size) {
    if (size < HeaderSize) return Refuse("a message of " + std::to_string(size) + " bytes is too short");
    if (data[0] != Magic0 || data[1] != Magic1) return Refuse("not a Zanderfell network message");
    if (data[2] != Version)
        return Refuse("the other side speaks network version " + std::to_string(data[2]) + ", this game " +
                      std::to_string(Version) + ": both need the same release");
    const uint8_t kind = data[3];
    if (kind >= KCount) return Refuse("unknown message kind " + std::to_string(kind));
    // The exact length of each kind (the keys: its fixed part, then 2 bytes a key).
    static constexpr size_t Fixed[KCount] = {0, 12, 17, 16, 20, 1};
    const size_t body = size - HeaderSize;
    if (body < Fixed[kind] || (kind != KKeys && body != Fixed[kind]))
        return Refuse("message kind " + std::to_string(kind) + " of wrong length " + std::to_string(size));
    Reader r(data + HeaderSize);
    auto badTime = [](uint64_t look, uint64_t clock) { return look == 0 || look > MaxTime || clock > MaxTime; };
    switch (kind) {
    case KHello:
        return {Hello{}, {}};
    case KStart: {
        Start s;
        s.level = r.U8();
        s.rabbits = r.U8();
        const bool flagsOk = Flag(r.U8(), s.wind) && Flag(r.U8(), s.classic);
        s.previousRandom = r.U32();
        s.divisor = std::bit_cast<float>(r.U32());
        if (s.level < 1 || s.level > 3) return Refuse("start: no level " + std::to_string(s.level));
        if (s.rabbits < 2 || s.rabbits > 8 || s.rabbits % 2 != 0)
            return Refuse("start: " + std::to_string(s.rabbits) + " rabbits cannot play");
        if (!flagsOk) return Refuse("start: a setting is neither on nor off");
        // Also refuses NaN, which compares false both ways.
        if (!(s.divisor > 0.0f && s.divisor <= 1.0f)) return Refuse("start: the random state's divisor is out of range");
        return {s, {}};
    }
    case KKeys: {
        Keys k;
        k.look = r.U64();
        k.clockMs = r.U64();
        const size_t n = r.U8();
        if (n == 0 || n > MaxKeys) return Refuse("keys: a count of " + std::to_string(n));
        if (body != Fixed[KKeys] + 2 * n)
            return Refuse("keys: " + std::to_string(n) + " keys in a message of " + std::to_string(size) + " bytes");
        if (badTime(k.look, k.clockMs)) return Refuse("keys: look or time out of range");
        for (size_t i = 0; i < n; ++i) {
            Key key;
            key.kind = r.U8();
            key.vk = r.U8();
            if (key.kind > 2 || key.vk == 0) return Refuse("keys: not a key event");
            k.keys.push_back(key);
        }
        return {k, {}};
    }
    case KReached: {
        Reached re;
        re.look = r.U64();
        re.clockMs = r.U64();
        if (badTime(re.look, re.clockMs)) return Refuse("reached: look or time out of range");
        return {re, {}};
    }
    case KHash: {
        TurnHash h;
        h.turn = r.U32();
        h.look = r.U64();
        h.hash = r.U64();
        if (badTime(h.look, 0)) return Refuse("turn hash: look out of range");
        return {h, {}};
    }
    default: {
        const uint8_t reason = r.U8();
        if (reason >= static_cast<uint8_t>(Reason::Count)) return Refuse("leave: unknown reason " + std::to_string(reason));
        return {Leave{static_cast<Reason>(reason)}, {}};
    }
    }
}

const char* Describe(Reason reason) {
    switch (reason) {
    case Reason::Quit: return "the other player left the game";
    case Reason::OutOfStep: return "the two games went out of step";
    case Reason::BadMessage: return "the other side could not read what this game sent";
    default: return "the other side ended the game";
    }
}

}  // namespace Net

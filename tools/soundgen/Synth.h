// The sound generator's kit: a mono buffer of samples in -1..1 at 44.1 kHz
// and the few things every recipe builds from (noise, filters, tones,
// envelopes). Everything is computed from the recipe alone, with a random
// generator of our own seeded per sound, so a build always writes the same
// bytes.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace Synth {

constexpr int Rate = 44100;
constexpr double Pi = 3.14159265358979323846;

using Wave = std::vector<double>;

inline size_t Samples(double seconds) { return size_t(std::lround(seconds * Rate)); }

// xorshift64*: the same numbers on every machine.
class Noise {
public:
    explicit Noise(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    double Next() {  // -1..1
        s_ ^= s_ >> 12;
        s_ ^= s_ << 25;
        s_ ^= s_ >> 27;
        return double((s_ * 0x2545F4914F6CDD1DULL) >> 11) / double(1ULL << 52) - 1.0;
    }
    double Unit() { return (Next() + 1) / 2; }

private:
    uint64_t s_;
};

// A function of time (s) over the sound's length: the cutoff of a filter,
// the pitch of a tone, the level of an envelope.
using Curve = std::function<double(double)>;
inline Curve Const(double v) {
    return [v](double) { return v; };
}
// From a to b over `seconds`, exponentially (pitches and cutoffs).
inline Curve Glide(double a, double b, double seconds) {
    return [=](double t) { return a * std::pow(b / a, std::min(t / seconds, 1.0)); };
}

// White noise.
Wave WhiteNoise(size_t n, Noise& rng);
// State-variable filter with a moving cutoff (Hz) and resonance q (0.5..20).
enum class Pass { Low, Band, High };
Wave Filter(const Wave& in, Pass pass, const Curve& cutoff, double q);
// A tone of moving pitch (Hz): shape 0 = sine, 1 = softened square,
// 2 = triangle.
Wave Tone(size_t n, const Curve& pitch, int shape = 0);
// Multiplies by an envelope: `attack` s up, then exponential decay with
// time constant `decay` s; the whole ends at zero.
Wave Envelope(Wave w, double attack, double decay);
// Multiplies by any curve.
Wave Shape(Wave w, const Curve& level);
// a + gain * b, the longer length; b starting `at` seconds in.
Wave Mix(Wave a, const Wave& b, double gain = 1, double at = 0);
// Scales to the given peak (never above 1: a sound is never clipped).
Wave Peak(Wave w, double peak);
// A loop round: the last `fade` s cross-faded into the beginning, so the
// end runs on into the start without a click.
Wave Loop(const Wave& w, double fade);

}  // namespace Synth

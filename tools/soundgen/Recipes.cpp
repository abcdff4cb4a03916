// The recipes: every sound of the game from noise, filters, tones and
// envelopes. Loudness is set by each recipe's peak, so that a step stays
// quieter than a blast.
#include "soundgen/Recipes.h"

#include <stdexcept>

namespace Recipes {

using namespace Synth;

namespace {

// A short pitched note with a soft start and a decay.
Wave Note(double hz, double seconds, int shape, double decay) {
    return Envelope(Tone(Samples(seconds), Const(hz), shape), 0.004, decay);
}

// A blast: a crack of bright noise, a body of noise whose cutoff falls, and
// a low rumble. `size` 1 is the bazooka's, 2 the dynamite's.
Wave Blast(double size, Noise& rng) {
    const double length = size > 1 ? 1.7 : 0.95;
    const size_t n = Samples(length);
    Wave body = Envelope(Filter(WhiteNoise(n, rng), Pass::Low, Glide(3000 / size, 120 / size, length), 0.8),
                         0.004, 0.22 * size);
    Wave crack = Envelope(Filter(WhiteNoise(Samples(0.08), rng), Pass::High, Const(1500), 0.7), 0.001, 0.02);
    Wave rumble = Envelope(Tone(n, Glide(70 / size + 20, 30, length), 0), 0.01, 0.3 * size);
    return Mix(Mix(body, crack, 0.5), rumble, 0.3);
}

// A fuse: a hiss with sparks crackling in it, as one loop round.
Wave Fuse(double seconds, double sparksPerSecond, double hissHz, Noise& rng) {
    const size_t n = Samples(seconds + 0.05);
    Wave hiss = Shape(Filter(WhiteNoise(n, rng), Pass::Band, Const(hissHz), 1.5), Const(0.35));
    Wave sparks(n, 0.0);
    for (size_t i = 0; i < n; ++i)
        if (rng.Unit() < sparksPerSecond / Rate) sparks[i] = rng.Next() > 0 ? 1.0 : -1.0;
    sparks = Filter(sparks, Pass::High, Const(2500), 0.9);
    return Loop(Mix(hiss, sparks, 1.5), 0.05);
}

}  // namespace

Wave Make(Id id) {
    Noise rng(uint64_t(id) + 17);
    switch (id) {
        case Id::MenuMove:
            return Peak(Note(880, 0.06, 1, 0.02), 0.35);
        case Id::MenuChoose:
            return Peak(Mix(Note(660, 0.11, 1, 0.05), Note(990, 0.13, 1, 0.06), 1, 0.11), 0.4);
        case Id::TurnStart: {
            Wave w;
            const double notes[] = {523.25, 659.25, 783.99};
            for (int i = 0; i < 3; ++i)
                w = Mix(w, Mix(Note(notes[i], 0.2, 0, 0.08), Note(2 * notes[i], 0.2, 0, 0.05), 0.3), 1, 0.14 * i);
            return Peak(w, 0.45);
        }
        case Id::Step:
            return Peak(Envelope(Filter(WhiteNoise(Samples(0.05), rng), Pass::Low, Const(900), 0.7), 0.002, 0.012),
                        0.25);
        case Id::Jump:
            return Peak(Envelope(Tone(Samples(0.22), Glide(280, 720, 0.2), 2), 0.005, 0.09), 0.4);
        case Id::Land:
            return Peak(Mix(Envelope(Filter(WhiteNoise(Samples(0.1), rng), Pass::Low, Const(500), 0.7), 0.001, 0.03),
                            Envelope(Tone(Samples(0.12), Glide(110, 60, 0.12)), 0.002, 0.04), 0.8),
                        0.45);
        case Id::FallThud:
            return Peak(Mix(Envelope(Filter(WhiteNoise(Samples(0.2), rng), Pass::Low, Const(350), 0.8), 0.001, 0.05),
                            Envelope(Tone(Samples(0.34), Glide(80, 38, 0.3)), 0.002, 0.09), 1.2),
                        0.7);
        case Id::Splash: {
            Wave w = Envelope(Filter(WhiteNoise(Samples(0.95), rng), Pass::Band, Glide(4500, 500, 0.9), 0.9), 0.01,
                              0.22);
            for (int b = 0; b < 9; ++b) {  // bubbles rising through the water
                const double at = 0.15 + 0.08 * b + 0.03 * rng.Unit(), hz = 500 + 600 * rng.Unit();
                w = Mix(w, Envelope(Tone(Samples(0.06), Glide(hz, hz * 1.8, 0.06)), 0.003, 0.02), 0.25, at);
            }
            return Peak(w, 0.7);
        }
        case Id::WeaponChange:
            return Peak(Mix(Note(2100, 0.03, 0, 0.006), Note(1500, 0.05, 0, 0.01), 0.8, 0.045), 0.35);
        case Id::PowerRise:
            // One round of a rising whine; looped it climbs again and again.
            return Peak(Shape(Tone(Samples(1.0), Glide(220, 880, 1.0), 2),
                              [](double t) { return std::min({1.0, t / 0.01, (1.0 - t) / 0.01}); }),
                        0.3);
        case Id::BazookaLaunch: {
            Wave w = Envelope(Filter(WhiteNoise(Samples(0.42), rng), Pass::Low, Glide(5000, 300, 0.4), 0.9), 0.003,
                              0.09);
            return Peak(Mix(w, Envelope(Tone(Samples(0.2), Glide(140, 50, 0.2)), 0.002, 0.05), 0.9), 0.8);
        }
        case Id::Whistle: {
            // 1 s holding a whole number of cycles, the vibrato one whole
            // round: the loop joins without a seam.
            Wave tone = Tone(Samples(1.0), [](double t) { return 1400 + 40 * std::sin(2 * Pi * 2 * t); });
            Wave air = Filter(WhiteNoise(Samples(1.05), rng), Pass::Band, Const(1400), 4);
            return Peak(Mix(tone, Loop(air, 0.05), 0.4), 0.22);
        }
        case Id::GrenadeBounce: {
            Wave w;
            const double partials[] = {1800, 2750, 4100};
            for (double hz : partials) w = Mix(w, Note(hz, 0.12, 0, 0.025));
            return Peak(Mix(w, Envelope(WhiteNoise(Samples(0.01), rng), 0.0005, 0.003), 0.6), 0.4);
        }
        case Id::GrenadeFuse:
            return Peak(Fuse(0.5, 60, 6000, rng), 0.25);
        case Id::PistolShot:
            return Peak(Mix(Envelope(Filter(WhiteNoise(Samples(0.28), rng), Pass::High, Const(700), 0.6), 0.0005,
                                     0.035),
                            Envelope(Tone(Samples(0.1), Glide(180, 70, 0.1)), 0.001, 0.03), 0.7),
                        0.75);
        case Id::BulletHit:
            return Peak(Envelope(Filter(WhiteNoise(Samples(0.16), rng), Pass::Band, Glide(2500, 700, 0.15), 1.5),
                                 0.001, 0.035),
                        0.5);
        case Id::AxeSwing:
            return Peak(Shape(Filter(WhiteNoise(Samples(0.28), rng), Pass::Band,
                                     [](double t) { return 500 + 2500 * std::sin(Pi * t / 0.28); }, 2.5),
                              [](double t) { return std::pow(std::sin(Pi * t / 0.28), 2); }),
                        0.45);
        case Id::AxeHit:
            return Peak(Mix(Envelope(Tone(Samples(0.24), Glide(170, 90, 0.2)), 0.001, 0.06),
                            Envelope(Filter(WhiteNoise(Samples(0.05), rng), Pass::Band, Const(1800), 1.2), 0.0005,
                                     0.012),
                            0.9),
                        0.65);
        case Id::DynamiteFuse:
            return Peak(Fuse(0.5, 140, 3500, rng), 0.3);
        case Id::ExplosionSmall:
            return Peak(Blast(1, rng), 0.8);
        case Id::ExplosionLarge:
            return Peak(Blast(2, rng), 0.95);
        case Id::RabbitHurt:
            return Peak(Envelope(Tone(Samples(0.3), [](double t) { return (950 - 900 * t) * (1 + 0.04 * std::sin(2 * Pi * 28 * t)); }, 2),
                                 0.01, 0.1),
                        0.45);
        case Id::RabbitOut: {
            Wave w;
            const double notes[] = {659.25, 523.25, 392.0};
            for (int i = 0; i < 3; ++i)
                w = Mix(w, Envelope(Tone(Samples(0.32), Glide(notes[i], notes[i] * 0.94, 0.3), 2), 0.01, 0.12), 1,
                        0.24 * i);
            return Peak(w, 0.5);
        }
        case Id::Victory: {
            Wave w;
            const double notes[] = {523.25, 659.25, 783.99, 1046.5};
            const double at[] = {0, 0.16, 0.32, 0.5};
            for (int i = 0; i < 4; ++i)
                w = Mix(w, Mix(Note(notes[i], i == 3 ? 1.5 : 0.3, 1, i == 3 ? 0.45 : 0.1),
                               Note(notes[i] * 1.5, i == 3 ? 1.5 : 0.3, 0, i == 3 ? 0.35 : 0.08), 0.3),
                        1, at[i]);
            return Peak(w, 0.55);
        }
    }
    throw std::logic_error("no recipe for a sound of the table");
}

}  // namespace Recipes

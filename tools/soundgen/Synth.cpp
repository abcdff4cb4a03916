// The generator's kit (see Synth.h).
#include "soundgen/Synth.h"

#include <algorithm>

namespace Synth {

Wave WhiteNoise(size_t n, Noise& rng) {
    Wave w(n);
    for (double& s : w) s = rng.Next();
    return w;
}

Wave Filter(const Wave& in, Pass pass, const Curve& cutoff, double q) {
    // Chamberlin's state-variable filter, stable up to about a sixth of the
    // sample rate, which is as high as the recipes go.
    Wave out(in.size());
    double low = 0, band = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        const double fc = std::clamp(cutoff(double(i) / Rate), 20.0, Rate / 6.0);
        const double f = 2 * std::sin(Pi * fc / Rate);
        low += f * band;
        const double high = in[i] - low - band / q;
        band += f * high;
        out[i] = pass == Pass::Low ? low : pass == Pass::Band ? band : high;
    }
    return out;
}

Wave Tone(size_t n, const Curve& pitch, int shape) {
    Wave w(n);
    double phase = 0;  // in cycles
    for (size_t i = 0; i < n; ++i) {
        const double p = phase - std::floor(phase);
        switch (shape) {
            case 1: w[i] = std::tanh(4 * std::sin(2 * Pi * p)) / std::tanh(4.0); break;
            case 2: w[i] = 1 - 4 * std::abs(p - 0.5); break;
            default: w[i] = std::sin(2 * Pi * p); break;
        }
        phase += pitch(double(i) / Rate) / Rate;
    }
    return w;
}

Wave Envelope(Wave w, double attack, double decay) {
    const double length = double(w.size()) / Rate;
    const double floor = std::exp(-length / decay);
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / Rate;
        const double up = attack > 0 ? std::min(t / attack, 1.0) : 1.0;
        // Decays from 1 and is pulled down to end exactly at zero.
        const double down = (std::exp(-t / decay) - floor) / (1 - floor);
        w[i] *= up * std::max(down, 0.0);
    }
    return w;
}

Wave Shape(Wave w, const Curve& level) {
    for (size_t i = 0; i < w.size(); ++i) w[i] *= level(double(i) / Rate);
    return w;
}

Wave Mix(Wave a, const Wave& b, double gain, double at) {
    const size_t start = Samples(at);
    if (a.size() < start + b.size()) a.resize(start + b.size(), 0.0);
    for (size_t i = 0; i < b.size(); ++i) a[start + i] += gain * b[i];
    return a;
}

Wave Peak(Wave w, double peak) {
    double most = 0;
    for (double s : w) most = std::max(most, std::abs(s));
    if (most > 0) {
        const double k = std::min(peak, 1.0) / most;
        for (double& s : w) s *= k;
    }
    return w;
}

Wave Loop(const Wave& w, double fade) {
    const size_t f = std::min(Samples(fade), w.size() / 2);
    const size_t n = w.size() - f;
    Wave out(w.begin(), w.begin() + long(n));
    for (size_t i = 0; i < f; ++i) {
        const double k = double(i) / double(f);
        out[i] = w[i] * k + w[n + i] * (1 - k);
    }
    return out;
}

}  // namespace Synth

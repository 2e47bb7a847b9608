#include "content/Instruments.h"

#include "content/Rng.h"
#include "content/Synth.h"

using namespace synth;

namespace instruments {

std::vector<float> mallet(double hz, double held, int rate) {
    Envelope env{0.004, 0.35, 0.35, 0.2};
    const int n = static_cast<int>(env.length(held) * rate);
    std::vector<float> out(n);
    LowPass soften(4500.0, rate);
    // Decays kept as running products: a bright strike that mellows, and a
    // short metallic partial at four times the pitch.
    const double strikeFade = std::exp(-1.0 / (0.12 * rate));
    const double partialFade = std::exp(-1.0 / (0.05 * rate));
    double strike = 1.0, partial = 0.25, phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        // A little vibrato grows on long notes.
        const double vibrato =
            t < 0.15 ? 0.0 : 0.004 * std::sin(2.0 * kPi * 5.5 * t) * std::min(1.0, t / 0.4);
        phase += hz * (1.0 + vibrato) / rate;
        const double index = 0.3 + 1.6 * strike;
        double v = sine(phase + index * sine(phase) / (2.0 * kPi));
        if (partial > 1e-4) {
            v += partial * sine(4.0 * phase);
        }
        strike *= strikeFade;
        partial *= partialFade;
        out[i] = static_cast<float>(soften(v * env.at(t, held)));
    }
    return out;
}

std::vector<float> bass(double hz, double held, int rate) {
    Envelope env{0.004, 0.18, 0.55, 0.06};
    const int n = static_cast<int>(env.length(held) * rate);
    std::vector<float> out(n);
    LowPass round(700.0, rate);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        const double v =
            triangle(hz * t) + 0.35 * saw(hz * t, hz / rate) + 0.5 * sine(0.5 * hz * t);
        out[i] = static_cast<float>(round(v) * env.at(t, held));
    }
    return out;
}

std::vector<float> pad(double hz, double held, int rate) {
    Envelope env{0.35, 0.6, 0.8, 0.35};
    const int n = static_cast<int>(env.length(held) * rate);
    std::vector<float> out(n);
    LowPass warm(1600.0, rate);
    const double detune[] = {0.996, 1.0, 1.005};
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        double v = 0.0;
        for (double d : detune) {
            v += saw(hz * d * t + d, hz * d / rate);
        }
        out[i] = static_cast<float>(warm(v / 3.0) * env.at(t, held));
    }
    return out;
}

std::vector<float> pluck(double hz, double held, int rate, uint64_t seed) {
    // A plucked string: a burst of noise circulating in a delay line one
    // period long, softened a little on every pass.
    const int period = std::max(2, static_cast<int>(std::lround(rate / hz)));
    const int n = static_cast<int>((held + 0.6) * rate);
    std::vector<float> out(n);
    std::vector<double> line(period);
    Rng rng(seed);
    LowPass shape(3000.0, rate);
    for (double& s : line) {
        s = shape(rng.range(-1.0, 1.0));
    }
    for (int i = 0; i < n; ++i) {
        const int at = i % period;
        const double next = line[(at + 1) % period];
        const double v = line[at];
        line[at] = 0.5 * (v + next) * 0.996;
        const double t = double(i) / rate;
        const double damp = t < held ? 1.0 : std::exp(-(t - held) / 0.08);
        out[i] = static_cast<float>(v * damp);
    }
    return out;
}

std::vector<float> kick(int rate) {
    const int n = static_cast<int>(0.35 * rate);
    std::vector<float> out(n);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        phase += (48.0 + 110.0 * std::exp(-t / 0.03)) / rate;
        out[i] = static_cast<float>(sine(phase) * std::exp(-t / 0.12) * std::min(1.0, t / 0.001));
    }
    return out;
}

std::vector<float> snare(int rate, uint64_t seed) {
    const int n = static_cast<int>(0.25 * rate);
    std::vector<float> out(n);
    Rng rng(seed);
    BandPass body(1900.0, 0.9, rate);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        const double noise = body(rng.range(-1.0, 1.0)) * std::exp(-t / 0.06);
        const double tone = sine(185.0 * t) * std::exp(-t / 0.04);
        out[i] = static_cast<float>(0.8 * noise + 0.5 * tone);
    }
    return out;
}

std::vector<float> hat(int rate, bool open, uint64_t seed) {
    const double decay = open ? 0.12 : 0.025;
    const int n = static_cast<int>(decay * 8.0 * rate);
    std::vector<float> out(n);
    Rng rng(seed);
    BandPass sizzle(8500.0, 1.2, rate);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        out[i] = static_cast<float>(sizzle(rng.range(-1.0, 1.0)) * std::exp(-t / decay));
    }
    return out;
}

}  // namespace instruments

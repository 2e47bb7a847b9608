#pragma once

#include <cmath>
#include <vector>

#include "content/Vec3.h"

// Building blocks for the synthesised sounds: oscillators, envelopes and
// filters, all plain functions of time so that every run renders the same.
namespace synth {

inline double noteHz(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

// Attack-decay-sustain-release level at time t into a note held for `held` seconds.
struct Envelope {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.7;
    double release = 0.1;

    double at(double t, double held) const {
        auto level = [&](double x) {
            if (x < attack) {
                return x / attack;
            }
            return sustain + (1.0 - sustain) * std::exp(-(x - attack) / decay);
        };
        if (t < 0.0) {
            return 0.0;
        }
        if (t < held) {
            return level(t);
        }
        return level(held) * std::exp(-(t - held) / release);
    }
    // After this the note is inaudible.
    double length(double held) const { return held + 5.0 * release; }
};

// Sawtooth with its step smoothed (polyBLEP), so high notes do not alias.
inline double saw(double phase, double phaseStep) {
    const double p = phase - std::floor(phase);
    double v = 2.0 * p - 1.0;
    if (p < phaseStep) {
        const double t = p / phaseStep;
        v -= t + t - t * t - 1.0;
    } else if (p > 1.0 - phaseStep) {
        const double t = (p - 1.0) / phaseStep;
        v -= t * t + t + t + 1.0;
    }
    return v;
}

inline double sine(double phase) {
    return std::sin(2.0 * kPi * phase);
}
inline double triangle(double phase) {
    const double p = phase - std::floor(phase);
    return 4.0 * std::fabs(p - 0.5) - 1.0;
}

// One-pole low-pass; `cutoff` in Hz.
class LowPass {
public:
    LowPass(double cutoff, int rate) : k(1.0 - std::exp(-2.0 * kPi * cutoff / rate)) {}
    double operator()(double x) { return state += k * (x - state); }

private:
    double k;
    double state = 0.0;
};

// Two-pole band-pass (state-variable form) around `centre` Hz.
class BandPass {
public:
    BandPass(double centre, double q, int rate)
        : f(2.0 * std::sin(kPi * centre / rate)), damping(1.0 / q) {}
    double operator()(double x) {
        low += f * band;
        const double high = x - low - damping * band;
        band += f * high;
        return band;
    }

private:
    double f;
    double damping;
    double low = 0.0;
    double band = 0.0;
};

// Adds `source` into `mix` from sample `at`, scaled by `gain` (mono).
inline void addInto(std::vector<float>& mix, const std::vector<float>& source, size_t at,
                    double gain) {
    for (size_t i = 0; i < source.size() && at + i < mix.size(); ++i) {
        mix[at + i] += static_cast<float>(source[i] * gain);
    }
}

// Scales so the loudest sample reaches `peak`.
inline void normalise(std::vector<float>& samples, double peak) {
    float loudest = 0.0f;
    for (float s : samples) {
        loudest = std::fmax(loudest, std::fabs(s));
    }
    if (loudest > 0.0f) {
        const float g = static_cast<float>(peak / loudest);
        for (float& s : samples) {
            s *= g;
        }
    }
}

}  // namespace synth

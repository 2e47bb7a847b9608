#include "content/SoundEffects.h"

#include "content/Rng.h"
#include "content/Synth.h"

using namespace synth;

std::vector<float> buzzLoop() {
    // A few wings beating at slightly different whole-number rates (so they
    // beat against each other), each a soft band of harmonics; every
    // component is a whole number of hertz, so all of them repeat each second.
    const int n = kEffectRate * kBuzzSeconds;
    std::vector<float> out(n);
    struct Wing {
        int hz;
        int wobbleHz;
        double phase;
        double gain;
    };
    const Wing wings[] = {
        {218, 5, 0.1, 1.0}, {223, 7, 0.6, 0.8}, {227, 3, 0.3, 0.6}, {214, 4, 0.8, 0.5}};
    Rng rng(0xB022);
    for (const Wing& w : wings) {
        double harmonicPhase[24];
        for (double& p : harmonicPhase) {
            p = rng.uniform();
        }
        for (int i = 0; i < n; ++i) {
            const double t = double(i) / kEffectRate;
            double v = 0.0;
            for (int k = 1; k <= 24; ++k) {
                // Brightest around the third harmonic, falling off above.
                const double a = std::pow(double(k), 0.6) / (1.0 + std::pow(k / 3.0, 2.2));
                v += a * sine(w.hz * k * t + harmonicPhase[k - 1]);
            }
            const double wobble = 0.75 + 0.25 * sine(w.wobbleHz * t + w.phase);
            out[i] += static_cast<float>(v * wobble * w.gain);
        }
    }
    normalise(out, 0.45);
    return out;
}

std::vector<float> flowerChime() {
    // Bell-like FM notes rising through a major arpeggio, then a sparkle.
    const double notes[] = {84, 88, 91, 96, 100};
    const double spacing = 0.055;
    const int n = static_cast<int>(kEffectRate * 1.1);
    std::vector<float> out(n);
    for (int k = 0; k < 5; ++k) {
        const double hz = noteHz(notes[k]);
        const double start = spacing * k;
        for (int i = 0; i < n; ++i) {
            const double t = double(i) / kEffectRate - start;
            if (t < 0.0) {
                continue;
            }
            const double amp = std::min(1.0, t / 0.002) * std::exp(-t / (0.28 - 0.03 * k));
            const double index = 2.0 * std::exp(-t / 0.08);
            const double v = sine(hz * t + index * sine(3.5 * hz * t) / (2.0 * kPi));
            out[i] += static_cast<float>(amp * v * (k == 4 ? 0.6 : 1.0));
        }
    }
    normalise(out, 0.85);
    return out;
}

std::vector<float> bombPop() {
    // A bubble: a sine swept upward fast under a short swell, with a click.
    const int n = static_cast<int>(kEffectRate * 0.22);
    std::vector<float> out(n);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kEffectRate;
        const double hz = 260.0 + 1500.0 * (1.0 - std::exp(-t / 0.03));
        phase += hz / kEffectRate;
        const double amp = std::min(1.0, t / 0.004) * std::exp(-t / 0.045);
        const double click = t < 0.002 ? 0.4 * (1.0 - t / 0.002) : 0.0;
        out[i] = static_cast<float>(amp * sine(phase) + click * sine(3000.0 * t));
    }
    normalise(out, 0.9);
    return out;
}

std::vector<float> refusal() {
    // "Uh-uh": two low buzzy notes, the second lower, filtered soft.
    const int n = static_cast<int>(kEffectRate * 0.42);
    std::vector<float> out(n);
    LowPass soften(1400.0, kEffectRate);
    const struct { double start, length, midi; } notes[] = {{0.0, 0.15, 52}, {0.19, 0.2, 47}};
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kEffectRate;
        double v = 0.0;
        for (const auto& note : notes) {
            const double local = t - note.start;
            if (local < 0.0 || local > note.length) {
                continue;
            }
            const double hz = noteHz(note.midi);
            const double env =
                std::min(1.0, local / 0.006) * std::min(1.0, (note.length - local) / 0.02);
            v += env * (0.6 * saw(hz * local, hz / kEffectRate) +
                        0.6 * saw(hz * 1.007 * local, hz / kEffectRate));
        }
        out[i] = static_cast<float>(soften(v));
    }
    normalise(out, 0.8);
    return out;
}

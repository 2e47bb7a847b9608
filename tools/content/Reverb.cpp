#include "content/Reverb.h"

namespace {

constexpr float kFeedback = 0.82f;
constexpr float kDamping = 0.3f;
constexpr float kAllPassGain = 0.5f;

}  // namespace

Reverb::Reverb(int rate, int spread) {
    // Delay lengths in samples at 44.1 kHz, scaled to the rate.
    for (int length : {1116, 1188, 1277, 1356, 1422, 1491}) {
        Comb c;
        c.buffer.assign(static_cast<size_t>((length + spread) * rate / 44100), 0.0f);
        combs.push_back(c);
    }
    for (int length : {556, 441, 341}) {
        AllPass a;
        a.buffer.assign(static_cast<size_t>((length + spread) * rate / 44100), 0.0f);
        allPasses.push_back(a);
    }
}

float Reverb::process(float in) {
    float out = 0.0f;
    for (Comb& c : combs) {
        const float delayed = c.buffer[c.at];
        c.filtered = delayed * (1.0f - kDamping) + c.filtered * kDamping;
        c.buffer[c.at] = in + c.filtered * kFeedback;
        c.at = (c.at + 1) % c.buffer.size();
        out += delayed;
    }
    out /= static_cast<float>(combs.size());
    for (AllPass& a : allPasses) {
        const float delayed = a.buffer[a.at];
        a.buffer[a.at] = out + delayed * kAllPassGain;
        a.at = (a.at + 1) % a.buffer.size();
        out = delayed - out * kAllPassGain;
    }
    return out;
}

std::vector<float> reverberate(const std::vector<float>& stereo, int rate) {
    Reverb left(rate, 0), right(rate, 23);
    std::vector<float> wet(stereo.size());
    for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
        wet[i] = left.process(stereo[i]);
        wet[i + 1] = right.process(stereo[i + 1]);
    }
    return wet;
}

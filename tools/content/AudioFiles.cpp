#include "content/AudioFiles.h"

#include <cmath>
#include <string>

namespace {

void put(std::vector<uint8_t>& b, const char* tag) {
    b.insert(b.end(), tag, tag + 4);
}

void le(std::vector<uint8_t>& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

void be(std::vector<uint8_t>& b, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

}  // namespace

int16_t toPcm16(float sample) {
    const float clipped = std::fmax(-1.0f, std::fmin(1.0f, sample));
    return static_cast<int16_t>(std::lrint(clipped * 32767.0f));
}

std::vector<uint8_t> wavBytes(const std::vector<float>& samples, int channels, int sampleRate) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> b;
    put(b, "RIFF");
    le(b, 36 + dataBytes, 4);
    put(b, "WAVE");
    put(b, "fmt ");
    le(b, 16, 4);
    le(b, 1, 2);  // PCM
    le(b, channels, 2);
    le(b, sampleRate, 4);
    le(b, sampleRate * channels * 2, 4);  // bytes per second
    le(b, channels * 2, 2);               // bytes per frame
    le(b, 16, 2);
    put(b, "data");
    le(b, dataBytes, 4);
    for (float s : samples) {
        le(b, static_cast<uint16_t>(toPcm16(s)), 2);
    }
    return b;
}

void extended80(double value, uint8_t out[10]) {
    for (int i = 0; i < 10; ++i) {
        out[i] = 0;
    }
    if (value <= 0.0) {
        return;  // only positive rates are ever written
    }
    int exponent;
    const double fraction =
        std::frexp(value, &exponent);  // value = fraction * 2^exponent, [0.5, 1)
    const uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
    const int biased = exponent - 1 + 16383;
    out[0] = static_cast<uint8_t>(biased >> 8);
    out[1] = static_cast<uint8_t>(biased);
    for (int i = 0; i < 8; ++i) {
        out[2 + i] = static_cast<uint8_t>(mantissa >> (56 - 8 * i));
    }
}

std::vector<uint8_t> aiffBytes(const std::vector<float>& samples, int channels, int sampleRate) {
    const uint32_t frames = static_cast<uint32_t>(samples.size() / channels);
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> b;
    put(b, "FORM");
    be(b, 4 + (8 + 18) + (8 + 8 + dataBytes), 4);
    put(b, "AIFF");
    put(b, "COMM");
    be(b, 18, 4);
    be(b, channels, 2);
    be(b, frames, 4);
    be(b, 16, 2);
    uint8_t rate[10];
    extended80(sampleRate, rate);
    b.insert(b.end(), rate, rate + 10);
    put(b, "SSND");
    be(b, 8 + dataBytes, 4);
    be(b, 0, 4);  // offset
    be(b, 0, 4);  // block size
    for (float s : samples) {
        be(b, static_cast<uint16_t>(toPcm16(s)), 2);
    }
    return b;
}

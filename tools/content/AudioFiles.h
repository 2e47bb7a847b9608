#pragma once

#include <cstdint>
#include <vector>

// Uncompressed sound files, written byte by byte: 16-bit PCM, samples in
// [-1, 1] (clipped), channels interleaved.

// RIFF WAVE, little-endian: "RIFF", "WAVE", a 16-byte "fmt " chunk, "data".
std::vector<uint8_t> wavBytes(const std::vector<float>& samples, int channels, int sampleRate);

// AIFF, big-endian: "FORM", "AIFF", "COMM" (rate as an 80-bit extended
// float) and "SSND".
std::vector<uint8_t> aiffBytes(const std::vector<float>& samples, int channels, int sampleRate);

// The 80-bit IEEE extended encoding AIFF uses for its sample rate.
void extended80(double value, uint8_t out[10]);

int16_t toPcm16(float sample);

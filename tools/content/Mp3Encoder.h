#pragma once

#include <cstdint>
#include <vector>

// Constant-bit-rate MP3 through libmp3lame. The first frame carries LAME's
// info tag with the encoder delay and padding, so decoders that honour it
// (mpg123, which SDL2_mixer uses) give back exactly the samples put in, and a
// loop stays seamless. Nothing time-dependent is written: same input, same bytes.
//
// samples: interleaved, channels 1 or 2; quality: LAME's 0 (best, slowest)
// to 9. False when the encoder fails.
bool encodeMp3(const std::vector<float>& samples, int channels, int sampleRate, int kbps,
               int quality, std::vector<uint8_t>& out);

#pragma once

#include <cstdint>
#include <vector>

// The voices of the music, each rendering one note (mono) at a sample rate:
// `held` is how long the note is held in seconds; the result includes its
// release tail.
namespace instruments {

std::vector<float> mallet(double hz, double held, int rate);  // the tune: a soft FM mallet
std::vector<float> bass(double hz, double held, int rate);
std::vector<float> pad(double hz, double held, int rate);                   // sustained chords
std::vector<float> pluck(double hz, double held, int rate, uint64_t seed);  // plucked string
std::vector<float> kick(int rate);
std::vector<float> snare(int rate, uint64_t seed);
std::vector<float> hat(int rate, bool open, uint64_t seed);

}  // namespace instruments

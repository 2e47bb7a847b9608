#pragma once

#include <vector>

// The background tune: a cheerful two-minute piece in C major at 120 beats
// a minute (mallet melody, plucked arpeggios, pad chords, bass and drums),
// long enough to last a whole game. Stereo, interleaved, at kMusicRate.
constexpr int kMusicRate = 44100;
constexpr double kMusicTempo = 120.0;  // beats per minute, four beats a bar

std::vector<float> composeMusic();
// Its length in bars; the piece rings out for one more bar after them.
int musicBars();

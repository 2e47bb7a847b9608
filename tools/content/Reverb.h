#pragma once

#include <cstddef>
#include <vector>

// A small room: parallel damped combs into series all-passes (Schroeder),
// the right channel with slightly longer delays so the tail is wide.
class Reverb {
public:
    Reverb(int rate, int spread);
    float process(float in);

private:
    struct Comb {
        std::vector<float> buffer;
        size_t at = 0;
        float filtered = 0.0f;
    };
    struct AllPass {
        std::vector<float> buffer;
        size_t at = 0;
    };
    std::vector<Comb> combs;
    std::vector<AllPass> allPasses;
};

// Renders a stereo send (interleaved) through two reverbs and returns the wet signal.
std::vector<float> reverberate(const std::vector<float>& stereo, int rate);

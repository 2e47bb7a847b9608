#pragma once

#include <vector>

// The game's short sounds, mono, at kEffectRate samples per second.
constexpr int kEffectRate = 44100;

// The bee's buzz: kBuzzSeconds long and made only of whole periods of it, so
// the game can loop it forever without a click.
constexpr int kBuzzSeconds = 3;
std::vector<float> buzzLoop();

std::vector<float> flowerChime();  // a bright rising chime: a flower is hit
std::vector<float> bombPop();      // a bubble's pop: a bomb is dropped
std::vector<float> refusal();      // two falling buzzes: no bombs left

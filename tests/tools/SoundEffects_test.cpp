#include "content/SoundEffects.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

float peak(const std::vector<float>& s) {
    float p = 0.0f;
    for (float x : s) {
        p = std::fmax(p, std::fabs(x));
    }
    return p;
}

}  // namespace

TEST(SoundEffects, TheBuzzLoopsWithoutASeamAndShortSoundsEndInSilence) {
    const std::vector<float> buzz = buzzLoop();
    ASSERT_EQ(buzz.size(), size_t(kEffectRate * kBuzzSeconds));
    // Every part of it repeats each second, so the end runs on into the start
    // just as any second runs on into the next.
    float worst = 0.0f;
    for (size_t i = 0; i + kEffectRate < buzz.size(); ++i) {
        worst = std::fmax(worst, std::fabs(buzz[i] - buzz[i + kEffectRate]));
    }
    EXPECT_LT(worst, 1e-4f);
    float step = 0.0f;
    for (size_t i = 1; i < buzz.size(); ++i) {
        step = std::fmax(step, std::fabs(buzz[i] - buzz[i - 1]));
    }
    EXPECT_LE(std::fabs(buzz.front() - buzz.back()), step);
    EXPECT_GT(peak(buzz), 0.3f);
    EXPECT_LE(peak(buzz), 0.5f) << "it plays all game long: not too loud";

    // The short sounds are short, audible and end in silence.
    for (const auto& [name, sound] :
         {std::make_pair("chime", flowerChime()), std::make_pair("pop", bombPop()),
          std::make_pair("refusal", refusal())}) {
        SCOPED_TRACE(name);
        EXPECT_GT(sound.size(), size_t(kEffectRate / 10));
        EXPECT_LT(sound.size(), size_t(kEffectRate * 3 / 2));
        EXPECT_GT(peak(sound), 0.5f);
        EXPECT_LE(peak(sound), 0.95f);
        // No click at the end: the last 5 ms are near silence.
        const std::vector<float> tail(sound.end() - kEffectRate / 200, sound.end());
        EXPECT_LT(peak(tail), 0.05f);
    }
}

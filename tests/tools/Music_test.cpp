#include "content/Music.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Music, PlaysAWholeGameInStereoWithoutDropoutsOrClipping) {
    const std::vector<float> music = composeMusic();
    ASSERT_EQ(music.size() % 2, 0u);
    const size_t frames = music.size() / 2;
    const double seconds = double(frames) / kMusicRate;
    EXPECT_GE(seconds, 120.0) << "a game lasts two minutes";
    EXPECT_NEAR(seconds, (musicBars() + 1) * 4 * 60.0 / kMusicTempo, 0.01);

    float peak = 0.0f;
    double difference = 0.0;
    for (size_t f = 0; f < frames; ++f) {
        peak = std::fmax(peak, std::fmax(std::fabs(music[2 * f]), std::fabs(music[2 * f + 1])));
        difference += std::fabs(music[2 * f] - music[2 * f + 1]);
    }
    EXPECT_GT(peak, 0.8f);
    EXPECT_LE(peak, 0.9f) << "headroom for the MP3 encoder";
    EXPECT_GT(difference / frames, 0.005) << "the voices are spread across both channels";

    // Every second until the closing bar carries sound: no gap in the score.
    const size_t closing = frames - static_cast<size_t>(4 * 60.0 / kMusicTempo * kMusicRate);
    for (size_t start = 0; start + kMusicRate <= closing; start += kMusicRate) {
        double sum = 0.0;
        for (size_t f = start; f < start + kMusicRate; ++f) {
            sum += double(music[2 * f]) * music[2 * f];
        }
        ASSERT_GT(std::sqrt(sum / kMusicRate), 0.03) << "silent second at " << start / kMusicRate;
    }
}

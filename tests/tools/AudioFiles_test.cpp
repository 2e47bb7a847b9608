#include "content/AudioFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return (uint32_t(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}
bool tag(const std::vector<uint8_t>& b, size_t at, const char* t) {
    return std::memcmp(&b[at], t, 4) == 0;
}

}  // namespace

TEST(AudioFiles, WavHeaderAndSamplesAreLittleEndianPcm) {
    const std::vector<float> samples = {0.0f, 1.0f, -1.0f, 2.0f, 0.5f, -3.0f};
    const std::vector<uint8_t> b = wavBytes(samples, 2, 22050);
    ASSERT_EQ(b.size(), 44u + 12u);
    EXPECT_TRUE(tag(b, 0, "RIFF") && tag(b, 8, "WAVE") && tag(b, 12, "fmt ") && tag(b, 36, "data"));
    EXPECT_EQ(le32(b, 4), b.size() - 8);
    EXPECT_EQ(le32(b, 16), 16u);
    EXPECT_EQ(b[20] | (b[21] << 8), 1);  // PCM
    EXPECT_EQ(b[22] | (b[23] << 8), 2);
    EXPECT_EQ(le32(b, 24), 22050u);
    EXPECT_EQ(le32(b, 28), 22050u * 4);
    EXPECT_EQ(b[32] | (b[33] << 8), 4);
    EXPECT_EQ(b[34] | (b[35] << 8), 16);
    EXPECT_EQ(le32(b, 40), 12u);
    auto sample = [&](int i) { return int16_t(b[44 + 2 * i] | (b[45 + 2 * i] << 8)); };
    EXPECT_EQ(sample(1), 32767);
    EXPECT_EQ(sample(2), -32767);
    EXPECT_EQ(sample(3), 32767) << "clipped";
    EXPECT_EQ(sample(4), 16384);
    EXPECT_EQ(sample(5), -32767) << "clipped";
}

TEST(AudioFiles, AiffHeaderIsBigEndianWithAnExtendedRate) {
    uint8_t rate[10];
    extended80(44100.0, rate);
    const uint8_t expected44100[10] = {0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(rate, expected44100, 10), 0);
    extended80(8000.0, rate);
    const uint8_t expected8000[10] = {0x40, 0x0B, 0xFA, 0x00, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(rate, expected8000, 10), 0);

    const std::vector<float> samples = {0.25f, -0.25f, 0.0f};
    const std::vector<uint8_t> b = aiffBytes(samples, 1, 44100);
    ASSERT_EQ(b.size(), 12u + 26u + 16u + 6u);
    EXPECT_TRUE(tag(b, 0, "FORM") && tag(b, 8, "AIFF") && tag(b, 12, "COMM") && tag(b, 38, "SSND"));
    EXPECT_EQ(be32(b, 4), b.size() - 8);
    EXPECT_EQ(be32(b, 16), 18u);
    EXPECT_EQ((b[20] << 8) | b[21], 1);  // channels
    EXPECT_EQ(be32(b, 22), 3u);          // frames
    EXPECT_EQ((b[26] << 8) | b[27], 16);
    EXPECT_EQ(std::memcmp(&b[28], expected44100, 10), 0);
    EXPECT_EQ(be32(b, 42), 8u + 6u);
    EXPECT_EQ(be32(b, 46), 0u);
    EXPECT_EQ(int16_t((b[54] << 8) | b[55]), 8192);
    EXPECT_EQ(int16_t((b[56] << 8) | b[57]), -8192);
}

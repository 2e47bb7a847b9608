#include "audio/GameAudio.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/ScratchDirectory.h"

namespace {

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name(name) {
        const char* old = std::getenv(name);
        hadOld = old != nullptr;
        oldValue = hadOld ? old : "";
        setenv(name, value, 1);
    }
    ~ScopedEnv() { hadOld ? setenv(name, oldValue.c_str(), 1) : unsetenv(name); }

private:
    const char* name;
    bool hadOld;
    std::string oldValue;
};

void put(std::string* s, uint32_t v, int bytes, bool bigEndian) {
    for (int i = 0; i < bytes; ++i) {
        const int shift = 8 * (bigEndian ? bytes - 1 - i : i);
        s->push_back(static_cast<char>((v >> shift) & 0xFF));
    }
}

// Two seconds of a 16-bit mono square wave at 22050 Hz, as WAV or as plain
// (not compressed) AIFF; long enough to be still playing when checked.
constexpr uint32_t kRate = 22050;
constexpr uint32_t kFrames = kRate * 2;

std::string samples(bool bigEndian) {
    std::string s;
    for (uint32_t i = 0; i < kFrames; ++i) {
        put(&s, (i / 50) % 2 ? 8000 : 0x10000 - 8000, 2, bigEndian);
    }
    return s;
}

std::string wavFile() {
    std::string s = "RIFF";
    put(&s, 36 + kFrames * 2, 4, false);
    s += "WAVEfmt ";
    for (const uint32_t v : {16u, 1u | (1u << 16), kRate, kRate * 2, 2u | (16u << 16)}) {
        put(&s, v, 4, false);  // size; PCM, mono; rate; bytes per second; block, bits
    }
    s += "data";
    put(&s, kFrames * 2, 4, false);
    return s + samples(false);
}

std::string aiffFile() {
    std::string s = "FORM";
    put(&s, 4 + 26 + 16 + kFrames * 2, 4, true);
    s += "AIFFCOMM";
    put(&s, 18, 4, true);
    put(&s, 1, 2, true);  // mono
    put(&s, kFrames, 4, true);
    put(&s, 16, 2, true);
    s += std::string("\x40\x0D\xAC\x44\0\0\0\0\0\0", 10);  // 22050 as an 80-bit float
    s += "SSND";
    put(&s, 8 + kFrames * 2, 4, true);
    put(&s, 0, 4, true);  // offset
    put(&s, 0, 4, true);  // block size
    return s + samples(true);
}

int countLines(const std::string& text) {
    int n = 0;
    for (const char c : text) {
        n += c == '\n';
    }
    return n;
}

}  // namespace

TEST(GameAudio, MissingFilesAndNoDeviceLeaveTheGameSilent) {
    ScratchDirectory cwd(true);
    // A working device without files; no back-end at all; a back-end whose
    // device will not open.
    const char* drivers[][2] = {
        {"dummy", ""}, {"no-such-driver", ""}, {"disk", "/nonexistent/dir/out.raw"}};
    for (const auto& d : drivers) {
        ScopedEnv driver("SDL_AUDIODRIVER", d[0]);
        ScopedEnv diskFile("SDL_DISKAUDIOFILE", d[1]);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        GameAudio audio;
        audio.lastResult = 12345;
        audio.playFlowerHit();
        audio.playBombDrop();
        audio.playNoBombs();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(audio.system, &d == &drivers[0]);
        EXPECT_EQ(audio.buzz, nullptr);
        EXPECT_EQ(audio.flowerHitSound, nullptr);
        EXPECT_EQ(audio.music, nullptr);
        EXPECT_EQ(audio.bombDropSound, nullptr);
        EXPECT_EQ(audio.noBombsSound, nullptr);
        EXPECT_EQ(audio.lastResult, 12345);  // nothing was played
        if (audio.system) {
            EXPECT_EQ(countLines(err), 5) << err;  // one per file, naming it
            for (const char* file :
                 {GameAudio::kBuzzFile, GameAudio::kFlowerHitFile, GameAudio::kMusicFile,
                  GameAudio::kBombDropFile, GameAudio::kNoBombsFile}) {
                EXPECT_NE(err.find(std::string(file) + ": cannot open"), std::string::npos);
            }
        } else {
            EXPECT_EQ(countLines(err), 1) << d[0] << ": " << err;  // files are not tried
        }
    }
}

TEST(GameAudio, ShortSoundsLoadAndPlayOnFreeChannels) {
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    ScratchDirectory cwd(true);
    ASSERT_EQ(mkdir("data", 0755), 0);
    ScratchDirectory::put(GameAudio::kBombDropFile, wavFile());
    ScratchDirectory::put(GameAudio::kNoBombsFile, aiffFile());
    const std::string junk(4000, 'j');  // present but not a sound: told apart from missing
    ScratchDirectory::put(GameAudio::kFlowerHitFile, junk);
    ScratchDirectory::put(GameAudio::kMusicFile, junk);

    testing::internal::CaptureStderr();
    GameAudio audio;
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(audio.system);
    EXPECT_EQ(Mix_AllocateChannels(-1), GameAudio::kMixingChannels);
    ASSERT_NE(audio.bombDropSound, nullptr);
    ASSERT_NE(audio.noBombsSound, nullptr);
    EXPECT_EQ(audio.flowerHitSound, nullptr);
    EXPECT_EQ(audio.music, nullptr);
    EXPECT_EQ(countLines(err), 3) << err;
    for (const std::string& line : {std::string(GameAudio::kBuzzFile) + ": cannot open",
                                    std::string(GameAudio::kFlowerHitFile) + ": not a sound",
                                    std::string(GameAudio::kMusicFile) + ": not music"}) {
        EXPECT_NE(err.find(line), std::string::npos) << err;
    }
    // Converted to the device's format: two seconds long at its rate.
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
    const double frameBytes = channels * (SDL_AUDIO_BITSIZE(format) / 8);
    EXPECT_NEAR(audio.bombDropSound->alen, frequency * 2 * frameBytes, 16 * frameBytes);
    EXPECT_NEAR(audio.noBombsSound->alen, frequency * 2 * frameBytes, 16 * frameBytes);

    // Every play takes its own channel, so sounds asked for at once overlap.
    audio.playBombDrop();
    const int first = audio.lastResult;
    audio.playBombDrop();
    const int second = audio.lastResult;
    audio.playNoBombs();
    const int third = audio.lastResult;
    EXPECT_GE(first, 0);
    EXPECT_NE(first, second);
    EXPECT_NE(second, third);
    EXPECT_EQ(Mix_GetChunk(second), audio.bombDropSound);
    EXPECT_EQ(Mix_GetChunk(third), audio.noBombsSound);
    EXPECT_EQ(Mix_Playing(-1), 3);
}

TEST(GameAudio, GeneratedContentLoadsAndStartsTheBuzzAndMusic) {
    const std::string data = std::string(ZUMBRA_BUILD_DIR) + "/data";
    struct stat st;
    if (stat((data + "/fly_swarm.mp3").c_str(), &st) != 0) {
        GTEST_SKIP() << "no generated content in " << data << " yet";
    }
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    ScratchDirectory cwd(true);
    ASSERT_EQ(symlink(data.c_str(), "data"), 0);

    testing::internal::CaptureStderr();
    GameAudio audio;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_TRUE(audio.system);
    EXPECT_NE(audio.buzz, nullptr);
    EXPECT_NE(audio.flowerHitSound, nullptr);
    EXPECT_NE(audio.music, nullptr);
    EXPECT_NE(audio.bombDropSound, nullptr);
    EXPECT_NE(audio.noBombsSound, nullptr);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(Mix_Playing(-1), 1);  // the buzz
    audio.playFlowerHit();
    EXPECT_EQ(Mix_GetChunk(audio.lastResult), audio.flowerHitSound);
}

// The generated sound files, loaded the way the game loads them: SDL2_mixer
// with the dummy driver (set for every test), MP3 through its decoder, WAV
// and AIFF through its own readers.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "content/AudioFiles.h"
#include "content/SoundEffects.h"

namespace {

std::string dataFile(const char* name) {
    return std::string(ZUMBRA_BUILD_DIR) + "/data/" + name;
}

class GeneratedSounds : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
        int channels = 0;
        Uint16 format = 0;
        ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
        ASSERT_EQ(format, AUDIO_S16SYS);
        ASSERT_EQ(channels, 2);
    }
    void TearDown() override {
        Mix_CloseAudio();
        SDL_Quit();
    }
    int rate = 0;
};

}  // namespace

TEST_F(GeneratedSounds, EveryFileLoadsTheBuzzIsWholeSecondsAndEffectsKeepTheirSamples) {
    for (const char* name : {"fly_swarm.mp3", "music_b.mp3", "bubble_pop.wav", "synth_loop.aif"}) {
        SCOPED_TRACE(name);
        Mix_Chunk* chunk = Mix_LoadWAV(dataFile(name).c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        EXPECT_GT(chunk->alen, 4u * rate / 20) << "at least 50 ms";
        const Sint16* pcm = reinterpret_cast<const Sint16*>(chunk->abuf);
        int loudest = 0;
        for (Uint32 i = 0; i < chunk->alen / 2; ++i) {
            loudest = std::max(loudest, std::abs(int(pcm[i])));
        }
        EXPECT_GT(loudest, 8000) << "audible";
        if (std::string(name) == "fly_swarm.mp3") {
            // The encoder's delay and padding are stripped again, so the loop
            // is exactly the whole periods it was made of and has no gap.
            EXPECT_EQ(chunk->alen, Uint32(kBuzzSeconds) * rate * 2 * 2);
            EXPECT_GT(std::abs(int(pcm[0])) + std::abs(int(pcm[2])) + std::abs(int(pcm[4])), 0)
                << "no silence at the start";
        }
        Mix_FreeChunk(chunk);
    }
    Mix_Music* music = Mix_LoadMUS(dataFile("music_a.mp3").c_str());
    ASSERT_NE(music, nullptr) << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_MP3);
    EXPECT_GE(Mix_MusicDuration(music), 60.0) << "the music lasts a minute or longer";
    Mix_FreeMusic(music);

    // The WAV and AIFF effects decode to the very samples they were made from.
    ASSERT_EQ(rate, kEffectRate) << "no resampling, so frames compare one to one";
    for (const auto& [name, source] : {std::make_pair("bubble_pop.wav", bombPop()),
                                       std::make_pair("synth_loop.aif", refusal())}) {
        SCOPED_TRACE(name);
        Mix_Chunk* chunk = Mix_LoadWAV(dataFile(name).c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        // A wrong rate, channel count or byte order changes the length or the samples.
        ASSERT_EQ(chunk->alen, source.size() * 2 * 2);
        const Sint16* pcm = reinterpret_cast<const Sint16*>(chunk->abuf);
        for (size_t f = 0; f < source.size(); ++f) {
            ASSERT_NEAR(pcm[2 * f], source[f] * 32767.0f, 1.5f) << "frame " << f;
            ASSERT_EQ(pcm[2 * f], pcm[2 * f + 1]);
        }
        Mix_FreeChunk(chunk);
    }
    // Out-of-range samples clip instead of wrapping round.
    const std::vector<uint8_t> wav = wavBytes({2.0f, -3.0f, 0.5f}, 1, kEffectRate);
    Mix_Chunk* clipped = Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), int(wav.size())), 1);
    ASSERT_NE(clipped, nullptr) << Mix_GetError();
    ASSERT_EQ(clipped->alen, 3u * 4u);
    const Sint16* pcm = reinterpret_cast<const Sint16*>(clipped->abuf);
    // The mixer's conversion to stereo may move a sample by one step.
    EXPECT_NEAR(pcm[0], 32767, 1);
    EXPECT_NEAR(pcm[2], -32767, 1);
    EXPECT_NEAR(pcm[4], 16384, 1);
    Mix_FreeChunk(clipped);
}

#include "audio/GameAudio.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/ScratchDirectory.h"

namespace {

using testing::HasSubstr;

// Sets an environment variable for one scope.
struct ScopedEnv {
    const char* name;
    std::optional<std::string> old;
    ScopedEnv(const char* n, const char* value) : name(n) {
        if (const char* was = std::getenv(n)) {
            old = was;
        }
        setenv(n, value, 1);
    }
    ~ScopedEnv() { old ? setenv(name, old->c_str(), 1) : unsetenv(name); }
};

const char* const kFiles[] = {GameAudio::kBuzzFile, GameAudio::kFlowerHitFile,
                              GameAudio::kMusicFile, GameAudio::kBombDropFile,
                              GameAudio::kNoBombsFile};

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
        EXPECT_EQ((std::vector<const void*>{audio.buzz, audio.flowerHitSound, audio.music,
                                            audio.bombDropSound, audio.noBombsSound}),
                  std::vector<const void*>(5, nullptr));
        EXPECT_EQ(audio.lastResult, 12345);  // nothing was played
        if (audio.system) {
            // One line per file, naming it.
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 5) << err;
            for (const char* file : kFiles) {
                EXPECT_THAT(err, HasSubstr(std::string(file) + ": cannot be opened"));
            }
        } else {
            // One line; the files are not tried.
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << d[0] << ": " << err;
        }
    }
}

TEST(GameAudio, GeneratedSoundsPlayWithoutStackingAndJunkIsToldFromMissing) {
    const std::string build = ZUMBRA_BUILD_DIR;
    struct stat st;
    if (stat((build + "/" + GameAudio::kBuzzFile).c_str(), &st) != 0) {
        GTEST_SKIP() << "no generated content in " << build << "/data yet";
    }
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    for (const bool junk : {false, true}) {
        SCOPED_TRACE(junk ? "two files junk" : "all generated");
        ScratchDirectory cwd(true);
        ASSERT_EQ(mkdir("data", 0755), 0);
        for (const char* file : kFiles) {
            const bool spoilt =
                junk && (file == GameAudio::kFlowerHitFile || file == GameAudio::kMusicFile);
            // Present but not a sound: told apart from a missing file.
            if (spoilt) {
                ScratchDirectory::put(file, std::string(4000, 'j'));
            } else {
                ASSERT_EQ(symlink((build + "/" + file).c_str(), file), 0);
            }
        }
        testing::internal::CaptureStderr();
        GameAudio audio;
        const std::string err = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(audio.system);
        EXPECT_EQ(Mix_AllocateChannels(-1), GameAudio::kMixingChannels);
        ASSERT_TRUE(audio.buzz && audio.bombDropSound && audio.noBombsSound);
        EXPECT_EQ(Mix_Playing(-1), 1);  // the buzz
        if (junk) {
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
            EXPECT_THAT(err, HasSubstr(std::string(GameAudio::kFlowerHitFile) + ": not a sound"));
            EXPECT_THAT(err, HasSubstr(std::string(GameAudio::kMusicFile) + ": not music"));
            EXPECT_TRUE(audio.flowerHitSound == nullptr && audio.music == nullptr);
            continue;
        }
        EXPECT_EQ(err, "");
        ASSERT_TRUE(audio.flowerHitSound && audio.music);
        EXPECT_EQ(Mix_PlayingMusic(), 1);
        // Asked for again and again (E held with no bombs left), an event
        // sound restarts on its own channel instead of stacking up.
        for (int i = 0; i < 200; ++i) {
            audio.playNoBombs();
            audio.playBombDrop();
            audio.playFlowerHit();
        }
        std::multiset<const Mix_Chunk*> playing;
        for (int c = 0; c < GameAudio::kMixingChannels; ++c) {
            if (Mix_Playing(c) != 0) {
                playing.insert(Mix_GetChunk(c));
            }
        }
        EXPECT_EQ(playing, (std::multiset<const Mix_Chunk*>{audio.noBombsSound, audio.bombDropSound,
                                                            audio.flowerHitSound, audio.buzz}));
        EXPECT_EQ(Mix_PlayingMusic(), 1);
    }
}

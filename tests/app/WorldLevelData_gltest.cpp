// The whole level built from a copy of the generated data with some files
// missing, damaged, or no plain files at all. The game must come up every
// time, name each broken file on stderr and nothing else, and hold exactly
// what the rest of the data gives: an empty model where a model was refused,
// untextured materials where an image was, no flowers of a kind without its
// placement file, a silent sound. It then plays a few frames. How each reader
// takes a damaged file of its own kind is in that reader's tests.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/World.h"
#include "assets/Model.h"
#include "audio/GameAudio.h"
#include "player/Bee.h"
#include "scene/Bomb.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "support/GlTestContext.h"
#include "support/ScratchDirectory.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGenerated = fs::path(ZUMBRA_BUILD_DIR) / "data";

// Every model the level holds, the bee's wings and one dropped bomb included.
std::vector<const Model*> modelsOf(const World& world) {
    std::vector<const Model*> models{world.bee->wings->lod0Model};
    for (const Node* child : *world.root->children) {
        const auto* object = dynamic_cast<const SceneObject*>(child);
        for (const Model* m : {object->lod0Model, object->lod1Model}) {
            if (m != nullptr) {
                models.push_back(m);
            }
        }
    }
    return models;
}

std::map<char, size_t> flowerKinds(const World& world) {
    std::map<char, size_t> kinds{{'A', 0}, {'B', 0}, {'C', 0}, {'D', 0}};
    for (const Flower* f : *world.flowers) {
        ++kinds[f->modelFile[std::string("data/flower").size()]];  // "data/flowerA_LOD0.ms3d"
    }
    return kinds;
}

class WorldLevelData : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kGenerated / "bee.ms3d")) {
            GTEST_SKIP() << "no generated content in " << kGenerated;
        }
        GlTestContext::reset();
    }

    // Builds the World in a fresh copy of the data after breaking each file
    // in the table its own way, checks what it holds, drops a bomb and plays
    // a few frames.
    void check(const std::map<std::string, std::function<void(const std::string& path)>>& breaks) {
        ScratchDirectory scratch(true);
        fs::copy(kGenerated, fs::path(scratch.path) / "data");
        std::set<std::string> broken;  // as the level names them: "data/bee.ms3d"
        for (const auto& [file, change] : breaks) {
            change((fs::path(scratch.path) / "data" / file).string());
            broken.insert("data/" + file);
        }

        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        World* world = new World();  // never deleted, as in the game
        world->spawnBomb();
        const std::string err = testing::internal::GetCapturedStderr();
        testing::internal::GetCapturedStdout();

        std::set<std::string> named;
        for (size_t begin = 0, end; begin < err.size(); begin = end + 1) {
            end = err.find('\n', begin);
            const std::string line = err.substr(begin, end - begin);
            bool known = false;
            for (const std::string& file : broken) {
                if (line.find(file + ":") != std::string::npos) {
                    named.insert(file);
                    known = true;
                }
            }
            EXPECT_TRUE(known) << line;
        }
        EXPECT_EQ(named, broken);

        const auto isBroken = [&broken](const std::string& file) { return broken.count(file) > 0; };
        ASSERT_EQ(world->bombs->size(), 1u);
        for (const Model* m : modelsOf(*world)) {
            EXPECT_EQ(m->numTriangles == 0, isBroken(m->fileName)) << m->fileName;
            for (int i = 0; i < m->numMaterials; ++i) {
                const Material& mat = m->materials[i];
                EXPECT_EQ(mat.textureId == 0, isBroken(mat.textureName))
                    << m->fileName << " " << mat.textureName;
            }
        }
        std::map<char, size_t> flowers;
        for (const char kind : {'A', 'B', 'C', 'D'}) {
            flowers[kind] = isBroken(std::string("data/flower") + kind + ".txt") ? 0 : 10;
        }
        EXPECT_EQ(flowerKinds(*world), flowers);
        const GameAudio& audio = *world->sound;
        const std::pair<const void*, const char*> sounds[] = {
            {audio.buzz, GameAudio::kBuzzFile},
            {audio.flowerHitSound, GameAudio::kFlowerHitFile},
            {audio.music, GameAudio::kMusicFile},
            {audio.bombDropSound, GameAudio::kBombDropFile},
            {audio.noBombsSound, GameAudio::kNoBombsFile}};
        for (const auto& [sound, file] : sounds) {
            EXPECT_EQ(sound == nullptr, isBroken(file)) << file;
        }

        testing::internal::CaptureStdout();
        for (int frame = 0; frame < 3; ++frame) {
            world->update(30);
            world->render();
        }
        testing::internal::GetCapturedStdout();
        const Vector3 p = world->bee->getPosition();
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
        EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
        delete world->sound;  // frees the mixer for the next World
        world->sound = nullptr;
    }
};

}  // namespace

// Every file the content tool writes goes missing once, seven rounds of a
// few files each. No round takes two files where one would hide the other's
// failure (a model and the only image it names, a placement file and its
// kind's models): every missing file must be named on stderr.
TEST_F(WorldLevelData, EveryGeneratedFileMissing) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kGenerated)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    constexpr size_t kRounds = 7;
    for (size_t round = 0; round < kRounds; ++round) {
        std::map<std::string, std::function<void(const std::string& path)>> missing;
        for (size_t i = round; i < names.size(); i += kRounds) {
            missing[names[i]] = [](const std::string& path) { fs::remove(path); };
        }
        SCOPED_TRACE("round " + std::to_string(round) + ": " + missing.begin()->first + "...");
        check(missing);
    }
}

// Models cut in half, with the vertex count raised past the end of the file
// or the header overwritten, an image and a sound that are text: failures
// independent of each other, so all in one level.
TEST_F(WorldLevelData, DamagedFiles) {
    const auto change = [](const std::function<std::string(std::string bytes)>& f) {
        return [f](const std::string& path) {
            ScratchDirectory::put(path, f(ScratchDirectory::contents(path)));
        };
    };
    check({
        {"bee.ms3d", change([](std::string b) { return b.substr(0, b.size() / 2); })},
        {"flowerC_LOD0.ms3d", change([](std::string b) { return b.replace(14, 2, "\xff\xff"); })},
        {"dome.ms3d",
         change([](std::string b) { return b.replace(0, 64, std::string(64, '\x9c')); })},
        {"floor.png", change([](std::string) { return std::string("not an image\n"); })},
        {"music_a.mp3", change([](std::string) { return std::string(5000, 'm'); })},
    });
}

// Directories, FIFOs and devices where files belong: each refused at once
// and named, never a crash on a directory's size, a wait for a FIFO's
// writer or an endless read of a device.
TEST_F(WorldLevelData, NoPlainFiles) {
    const auto replace = [](const std::function<int(const char* path)>& make) {
        return [make](const std::string& path) {
            fs::remove(path);
            ASSERT_EQ(make(path.c_str()), 0) << path;
        };
    };
    const auto directory = replace([](const char* p) { return mkdir(p, 0755); });
    const auto fifo = replace([](const char* p) { return mkfifo(p, 0644); });
    const auto device = replace([](const char* p) { return symlink("/dev/zero", p); });
    check({{"bee.ms3d", directory},
           {"flowerC_LOD1.ms3d", fifo},
           {"dome_top.ms3d", device},
           {"floor.png", directory},
           {"leaf.png", fifo},
           {"flowerA.txt", fifo},
           {"flowerB.txt", device},
           {"music_a.mp3", fifo},
           {"bubble_pop.wav", directory},
           {"synth_loop.aif", device}});
}

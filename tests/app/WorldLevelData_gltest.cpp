// The whole level built from a copy of the generated data with one thing
// wrong at a time: a file missing, cut short, overwritten or replaced by
// junk. The game must come up every time, name what went wrong on stderr,
// and hold exactly what the rest of the data gives: an empty model where a
// model was refused, untextured materials where an image was, a shorter
// flower list, a silent sound. It then plays a few frames.
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

// What the broken files should cost. Names are as the level holds them.
struct Expected {
    std::set<std::string> refusedModels;  // "data/bee.ms3d"
    std::set<std::string> failedImages;   // "data/bee.png"
    std::set<std::string> silentSounds;   // "data/music_a.mp3"
    std::map<char, size_t> flowers{{'A', 10}, {'B', 10}, {'C', 10}, {'D', 10}};
    // Each named on stderr at least once; every stderr line names one.
    std::set<std::string> reported;
};

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

    // Builds the World in a fresh copy of the data after breaking it, checks
    // what it holds, drops a bomb and plays a few frames.
    void check(const std::function<void(const fs::path& data)>& breakData,
               const Expected& expected) {
        ScratchDirectory scratch(true);
        const fs::path data = fs::path(scratch.path) / "data";
        fs::copy(kGenerated, data);
        breakData(data);

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
            for (const std::string& file : expected.reported) {
                if (line.find(file + ":") != std::string::npos) {
                    named.insert(file);
                    known = true;
                }
            }
            EXPECT_TRUE(known) << line;
        }
        EXPECT_EQ(named, expected.reported);

        ASSERT_EQ(world->bombs->size(), 1u);
        for (const Model* m : modelsOf(*world)) {
            const bool refused = expected.refusedModels.count(m->fileName) > 0;
            EXPECT_EQ(m->numTriangles == 0, refused) << m->fileName;
            for (int i = 0; i < m->numMaterials; ++i) {
                const Material& mat = m->materials[i];
                const bool failed = expected.failedImages.count(mat.textureName) > 0;
                EXPECT_EQ(mat.textureId == 0, failed) << m->fileName << " " << mat.textureName;
            }
        }
        EXPECT_EQ(flowerKinds(*world), expected.flowers);
        const GameAudio& audio = *world->sound;
        const std::pair<const void*, const char*> sounds[] = {
            {audio.buzz, GameAudio::kBuzzFile},
            {audio.flowerHitSound, GameAudio::kFlowerHitFile},
            {audio.music, GameAudio::kMusicFile},
            {audio.bombDropSound, GameAudio::kBombDropFile},
            {audio.noBombsSound, GameAudio::kNoBombsFile}};
        for (const auto& [sound, file] : sounds) {
            EXPECT_EQ(sound == nullptr, expected.silentSounds.count(file) > 0) << file;
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
        Expected expected;
        std::vector<std::string> missing;
        for (size_t i = round; i < names.size(); i += kRounds) {
            const std::string& name = names[i];
            const std::string file = "data/" + name;
            const std::string ext = fs::path(name).extension().string();
            if (ext == ".ms3d") {
                expected.refusedModels.insert(file);
            } else if (ext == ".png") {
                expected.failedImages.insert(file);
            } else if (ext == ".txt") {
                expected.flowers[name[std::string("flower").size()]] = 0;
            } else {
                expected.silentSounds.insert(file);
            }
            expected.reported.insert(file);
            missing.push_back(name);
        }
        SCOPED_TRACE("round " + std::to_string(round) + ": " + missing.front() + "...");
        check(
            [&](const fs::path& data) {
                for (const std::string& name : missing) {
                    fs::remove(data / name);
                }
            },
            expected);
    }
}

// Files that are there but wrong, all in one level: their failures are
// independent of each other.
TEST_F(WorldLevelData, DamagedFiles) {
    const std::map<std::string, std::function<std::string(std::string bytes)>> damage = {
        // Models: cut in half; the vertex count raised past the end of the
        // file; the header overwritten.
        {"bee.ms3d", [](const std::string& b) { return b.substr(0, b.size() / 2); }},
        {"flowerC_LOD0.ms3d", [](std::string b) { return b.replace(14, 2, "\xff\xff"); }},
        {"dome.ms3d", [](std::string b) { return b.replace(0, 64, std::string(64, '\x9c')); }},
        // An image that is text.
        {"floor.png", [](const std::string&) { return std::string("not an image\n"); }},
        // Placement files: a line over 29 characters in the third record
        // ends the list there; no "$$$" at all keeps every whole record;
        // lines of junk are numbers 0, so two whole records of zeros give two
        // flowers of scale 0 and the cut third none.
        {"flowerB.txt",
         [](std::string b) {
             size_t at = 0;
             for (int line = 0; line < 16; ++line) {
                 at = b.find('\n', at) + 1;
             }
             return b.insert(at, "12345678901234567890123456789.0");
         }},
        {"flowerA.txt", [](const std::string& b) { return b.substr(0, b.find("$$$")); }},
        {"flowerD.txt",
         [](const std::string&) {
             std::string junk;
             for (int i = 0; i < 20; ++i) {
                 junk += "\x01\xfejunk\t#" + std::to_string(i * 7919) + "x\n";
             }
             return junk;
         }},
        // A sound file that is text.
        {"music_a.mp3", [](const std::string&) { return std::string(5000, 'm'); }},
    };
    Expected expected;
    expected.refusedModels = {"data/bee.ms3d", "data/flowerC_LOD0.ms3d", "data/dome.ms3d"};
    expected.failedImages = {"data/floor.png"};
    expected.silentSounds = {"data/music_a.mp3"};
    expected.flowers['B'] = 2;
    expected.flowers['D'] = 2;
    expected.reported = {"data/bee.ms3d",  "data/flowerC_LOD0.ms3d", "data/dome.ms3d",
                         "data/floor.png", "data/flowerB.txt",       "data/music_a.mp3"};
    check(
        [&](const fs::path& data) {
            for (const auto& [file, change] : damage) {
                const std::string path = (data / file).string();
                ScratchDirectory::put(path, change(ScratchDirectory::contents(path)));
            }
        },
        expected);
}

// Directories, FIFOs and devices where files belong: each refused at once
// and named, never a crash on a directory's size, a wait for a FIFO's
// writer or an endless read of a device.
TEST_F(WorldLevelData, NoPlainFiles) {
    const std::map<std::string, std::function<int(const std::string& path)>> replace = {
        {"bee.ms3d", [](const std::string& p) { return mkdir(p.c_str(), 0755); }},
        {"flowerC_LOD1.ms3d", [](const std::string& p) { return mkfifo(p.c_str(), 0644); }},
        {"dome_top.ms3d", [](const std::string& p) { return symlink("/dev/zero", p.c_str()); }},
        {"floor.png", [](const std::string& p) { return mkdir(p.c_str(), 0755); }},
        {"leaf.png", [](const std::string& p) { return mkfifo(p.c_str(), 0644); }},
        {"flowerA.txt", [](const std::string& p) { return mkfifo(p.c_str(), 0644); }},
        {"flowerB.txt", [](const std::string& p) { return symlink("/dev/zero", p.c_str()); }},
        {"music_a.mp3", [](const std::string& p) { return mkfifo(p.c_str(), 0644); }},
        {"bubble_pop.wav", [](const std::string& p) { return mkdir(p.c_str(), 0755); }},
        {"synth_loop.aif", [](const std::string& p) { return symlink("/dev/zero", p.c_str()); }},
    };
    Expected expected;
    expected.refusedModels = {"data/bee.ms3d", "data/flowerC_LOD1.ms3d", "data/dome_top.ms3d"};
    expected.failedImages = {"data/floor.png", "data/leaf.png"};
    expected.silentSounds = {"data/music_a.mp3", "data/bubble_pop.wav", "data/synth_loop.aif"};
    expected.flowers['A'] = 0;
    expected.flowers['B'] = 0;
    for (const auto& [file, make] : replace) {
        expected.reported.insert("data/" + file);
    }
    check(
        [&](const fs::path& data) {
            for (const auto& [file, make] : replace) {
                fs::remove(data / file);
                ASSERT_EQ(make((data / file).string()), 0) << file;
            }
        },
        expected);
}

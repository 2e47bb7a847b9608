// The whole level built from a copy of the generated data with some files
// broken. The game must come up every time, name each broken file on stderr
// and nothing else, and hold exactly what the rest of the data gives: an
// empty model where a model was refused, untextured materials where an image
// was, no flowers of a kind without its placement file, a silent sound. It
// then plays a few frames. How each reader takes a damaged file of its own
// kind is in that reader's tests.
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

// Every file the content tool writes, broken once, in seven rounds of a few
// files each: gone, a directory, a FIFO, a link to a device, or junk (not
// for placement files, which read junk as zeros), each kind of file taking
// each way in turn. A directory, FIFO or device must be refused at once:
// never a crash on a directory's size, a wait for a FIFO's writer or an
// endless read. No round takes two files where one would hide the other's
// failure (a model and the only image it names, a placement file and its
// kind's models): every broken file must be named on stderr.
TEST_F(WorldLevelData, EveryGeneratedFileBroken) {
    // Ways to break a file, once it is removed.
    const std::function<void(const char* path)> ways[] = {
        [](const char*) {},
        [](const char* p) { ASSERT_EQ(mkdir(p, 0755), 0); },
        [](const char* p) { ASSERT_EQ(mkfifo(p, 0644), 0); },
        [](const char* p) { ASSERT_EQ(symlink("/dev/zero", p), 0); },
        [](const char* p) { ScratchDirectory::put(p, std::string(5000, 'j')); },
    };
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kGenerated)) {
        // The window's icon pictures are read by the window, not the level.
        if (entry.path().filename().string().rfind("icon", 0) != 0) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    std::map<std::string, size_t> taken;  // files of each kind broken so far
    std::vector<std::map<std::string, std::function<void(const std::string&)>>> rounds(7);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string ext = fs::path(names[i]).extension().string();
        const std::string kind = ext == ".ms3d" || ext == ".tga" || ext == ".txt" ? ext : "sound";
        const auto& way = ways[taken[kind]++ % (kind == ".txt" ? 4 : 5)];
        rounds[i % rounds.size()][names[i]] = [&way](const std::string& path) {
            fs::remove(path);
            way(path.c_str());
        };
    }
    for (size_t round = 0; round < rounds.size(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + ": " + rounds[round].begin()->first);
        check(rounds[round]);
    }
}

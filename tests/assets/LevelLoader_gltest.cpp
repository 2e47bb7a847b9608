#include "assets/LevelLoader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <list>
#include <string>

#include "assets/AssetGlFixture.h"
#include "assets/Model.h"
#include "scene/Floor.h"
#include "scene/Flower.h"
#include "scene/Node.h"

namespace {

// Runs each test inside its own scratch directory, as the game runs in the
// directory that holds data/.
class LevelLoaderGl : public AssetGlTest {
protected:
    void SetUp() override {
        AssetGlTest::SetUp();
        char buffer[4096];
        ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
        previousDir = buffer;
        ASSERT_EQ(mkdir((dir + "/data").c_str(), 0755), 0);
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override {
        EXPECT_EQ(chdir(previousDir.c_str()), 0);
        AssetGlTest::TearDown();
    }
    void writeText(const std::string& name, const std::string& text) {
        ASSERT_TRUE(samples::writeBytes(dir + "/data/" + name,
                                        std::vector<uint8_t>(text.begin(), text.end())));
    }

    std::string previousDir;
};

template <typename T>
bool sameOrder(const std::list<T*>& objects, const Node& root) {
    if (objects.size() != root.children->size()) {
        return false;
    }
    auto child = root.children->begin();
    for (T* object : objects) {
        if (*child++ != object) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST_F(LevelLoaderGl, FlowersOfEachKindWithTheirConstants) {
    writeText("flowerA.txt",
              "1\n0\n2\n0\n0\n0\n1.5\n\n-3\n0\n4\n0\n1.5707964\n0\n2\nsep\n$$$\n9\n");
    writeText("flowerB.txt", "5\n0\n5\n0\n0\n0\n1\n\n$$$\n0\n6\n0\n0\n0\n3\n$$$\n");
    writeText("flowerC.txt", "7\n0\n7\n0\n0\n0\n4\n$$$\n");
    writeText("flowerD.txt", "8\r\n0\r\n8\r\n0\r\n0\r\n0\r\n4\r\n$$$\r\n");
    writeModel("data/flowerA_LOD0.ms3d", samples::square());

    std::list<Flower*> flowers;
    Node root;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();  // the missing model files
    LevelLoader::loadFlowers(flowers, root);
    testing::internal::GetCapturedStderr();
    testing::internal::GetCapturedStdout();

    ASSERT_EQ(flowers.size(), 6u);
    EXPECT_TRUE(sameOrder(flowers, root));
    const std::vector<Flower*> f(flowers.begin(), flowers.end());

    struct Expected {
        float x, z, scale, points, sphereY, sphereZ, radius;
        const char* lod0;
        const char* lod1;
    };
    const Expected expected[] = {
        {1, 2, 1.5f, 100, 8.237f, 0, 1.333f, "data/flowerA_LOD0.ms3d", "data/flowerA_LOD1.ms3d"},
        {-3, 4, 2, 100, 8.237f, 0, 1.333f, "data/flowerA_LOD0.ms3d", "data/flowerA_LOD1.ms3d"},
        {5, 5, 1, 300, 9.2f, 0.059f, 0.859f, "data/flowerB_LOD0.ms3d", "data/flowerB_LOD1.ms3d"},
        // "$$$" as a first line is the number 0 in this file.
        {0, 6, 3, 300, 9.2f, 0.059f, 0.859f, "data/flowerB_LOD0.ms3d", "data/flowerB_LOD1.ms3d"},
        {7, 7, 2, 50, 15.364f, 0, 1.421f, "data/flowerC_LOD0.ms3d", "data/flowerC_LOD1.ms3d"},
        {8, 8, 6, 120, 9.2f, 0.059f, 0.859f, "data/flowerD_LOD0.ms3d", "data/flowerD_LOD1.ms3d"},
    };
    for (size_t i = 0; i < f.size(); ++i) {
        const Expected& e = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(f[i]->position.x, e.x);
        EXPECT_EQ(f[i]->position.z, e.z);
        EXPECT_EQ(f[i]->scale, e.scale);
        EXPECT_EQ(f[i]->points, e.points);
        EXPECT_FALSE(f[i]->collected);
        EXPECT_EQ(f[i]->collisionCentre.y, e.sphereY);
        EXPECT_EQ(f[i]->collisionCentre.z, e.sphereZ);
        EXPECT_EQ(f[i]->collisionRadius, e.radius);
        // loadModel ran the flower's own bounds: the level's sphere, not the model's.
        EXPECT_EQ(f[i]->sphereCentre.y, e.sphereY);
        EXPECT_EQ(f[i]->radius, e.radius);
        EXPECT_STREQ(f[i]->modelFile, e.lod0);
        EXPECT_STREQ(f[i]->lodModelFile, e.lod1);
        EXPECT_TRUE(f[i]->hasLods);
        EXPECT_TRUE(f[i]->castsShadow);
        EXPECT_FALSE(f[i]->shadowEveryFrame);
        ASSERT_NE(f[i]->lod0Model, nullptr);
        ASSERT_NE(f[i]->lod1Model, nullptr);
        EXPECT_EQ(f[i]->lod0Model->textureScale, 1.0f);
    }
    // The second A flower was turned a quarter about up.
    EXPECT_NEAR(f[1]->forward.x, 1.0f, 1e-6f);
    // Flowers of one kind share their models; the file that exists was read.
    EXPECT_EQ(f[0]->lod0Model, f[1]->lod0Model);
    EXPECT_EQ(f[0]->lod1Model, f[1]->lod1Model);
    EXPECT_EQ(f[0]->lod0Model->numVertices, 4);
    EXPECT_NE(f[0]->lod0Model, f[2]->lod0Model);
}

TEST_F(LevelLoaderGl, MissingPlacementFilesLeaveNoFlowersButTheFloorIsAlwaysEightTiles) {
    writeModel("data/floor2_1_LOD0.ms3d", samples::square());

    std::list<Flower*> flowers;
    std::list<Floor*> tiles;
    Node root;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    LevelLoader::loadFloor(tiles, root);
    LevelLoader::loadFlowers(flowers, root);
    const std::string err = testing::internal::GetCapturedStderr();
    testing::internal::GetCapturedStdout();

    EXPECT_TRUE(flowers.empty());
    for (const char* kind : {"flowerA.txt", "flowerB.txt", "flowerC.txt", "flowerD.txt"}) {
        EXPECT_NE(err.find(kind), std::string::npos) << kind;
    }

    ASSERT_EQ(tiles.size(), 8u);
    EXPECT_TRUE(sameOrder(tiles, root));
    const char* const names[] = {"0_0", "0_1", "1_0", "1_1", "2_0", "2_1", "3_0", "3_1"};
    int i = 0;
    for (const Floor* tile : tiles) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(std::string(tile->modelFile),
                  std::string("data/floor") + names[i] + "_LOD0.ms3d");
        EXPECT_EQ(std::string(tile->lodModelFile),
                  std::string("data/floor") + names[i] + "_LOD1.ms3d");
        EXPECT_EQ(tile->textureScale, 10.0f);
        EXPECT_TRUE(tile->hasLods);
        EXPECT_FALSE(tile->castsShadow);
        EXPECT_EQ(tile->position.x, 0.0f);
        EXPECT_EQ(tile->position.y, 0.0f);
        EXPECT_EQ(tile->scale, 1.0f);
        ASSERT_NE(tile->lod0Model, nullptr);
        ASSERT_NE(tile->lod1Model, nullptr);
        EXPECT_EQ(tile->lod0Model->textureScale, 10.0f);
        EXPECT_EQ(tile->lod1Model->textureScale, 10.0f);
        EXPECT_EQ(tile->lod0Model->numVertices, i == 5 ? 4 : 0);
        ++i;
    }
    // Each tile keeps names of its own.
    EXPECT_NE(tiles.front()->modelFile, tiles.back()->modelFile);
}

// The level the content tool makes: ten flowers of each kind standing on the
// floor, none in the column the bee starts in, each drawn at a scale between
// 0.85 and 1.2 once its kind's factor is applied, with real models.
TEST_F(LevelLoaderGl, GeneratedPlacementFilesYieldTheIntendedFlowers) {
    const std::string build = ZUMBRA_BUILD_DIR;
    if (access((build + "/data/flowerA.txt").c_str(), R_OK) != 0) {
        GTEST_SKIP() << "no generated content in " << build << "/data";
    }
    ASSERT_EQ(chdir(build.c_str()), 0);
    std::list<Flower*> flowers;
    Node root;
    testing::internal::CaptureStdout();
    LevelLoader::loadFlowers(flowers, root);
    testing::internal::GetCapturedStdout();

    ASSERT_EQ(flowers.size(), 40u);
    const float points[] = {100, 300, 50, 120};
    int i = 0;
    for (const Flower* f : flowers) {
        SCOPED_TRACE(i);
        EXPECT_EQ(f->points, points[i / 10]);
        EXPECT_EQ(f->position.y, 0.0f);
        EXPECT_EQ(f->forward.z, 1.0f);
        EXPECT_GE(f->scale, 0.85f * 0.999f);
        EXPECT_LE(f->scale, 1.2f * 1.001f);
        EXPECT_GE(std::hypot(f->position.x + 20.0f, f->position.z), 8.0f);
        ASSERT_NE(f->lod0Model, nullptr);
        EXPECT_GT(f->lod0Model->numTriangles, 0);
        EXPECT_GT(f->lod1Model->numTriangles, 0);
        EXPECT_LT(f->lod1Model->numTriangles, f->lod0Model->numTriangles);
        ++i;
    }
}

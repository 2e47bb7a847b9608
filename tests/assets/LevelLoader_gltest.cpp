#include "assets/LevelLoader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <iterator>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "assets/AssetGlFixture.h"
#include "assets/Model.h"
#include "scene/Floor.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "support/MeshModel.h"

namespace {

// Each test has a data/ of its own in its working directory.
class LevelLoaderGl : public AssetGlTest {
protected:
    void SetUp() override {
        AssetGlTest::SetUp();
        ASSERT_EQ(mkdir("data", 0755), 0);
    }

    // Missing placement files are named on stderr: the World's level data test.
    void loadLevel(std::list<Flower*>& flowers, std::list<Floor*>* tiles = nullptr) {
        const Quiet quiet;
        if (tiles) {
            LevelLoader::loadFloor(*tiles, root);
        }
        LevelLoader::loadFlowers(flowers, root);
    }

    Node root;
};

// One triangle on the ground.
Ms3dWriter groundTriangle() {
    return MeshModel({{-1, 0, -1}, {1, 0, -1}, {1, 0, 1}}, {{0, 1, 2}}).toFile();
}

}  // namespace

TEST_F(LevelLoaderGl, FlowersOfEachKindTakeTheirKindsConstants) {
    ScratchDirectory::put("data/flowerA.txt", "1\n0\n2\n0\n1.5707964\n0\n1.5\n\n$$$\n9\n");
    ScratchDirectory::put("data/flowerB.txt",
                          "5\n0\n5\n0\n0\n0\n1\n\n$$$\n0\n6\n0\n0\n0\n3\n$$$\n");
    ScratchDirectory::put("data/flowerC.txt", "7\n0\n7\n0\n0\n0\n4\n$$$\n");
    ScratchDirectory::put("data/flowerD.txt", "8\r\n0\r\n8\r\n0\r\n0\r\n0\r\n4\r\n$$$\r\n");
    ASSERT_TRUE(groundTriangle().writeFile("data/flowerB_LOD0.ms3d"));
    std::list<Flower*> list;
    loadLevel(list);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(std::vector<Node*>(list.begin(), list.end()),
              std::vector<Node*>(root.children->begin(), root.children->end()));

    // x, z, scale, points, then the sphere's y and z and its radius: the
    // flower's own bounds ran in loadModel, so the level's sphere stands.
    const std::pair<std::vector<float>, char> expected[] = {
        {{1, 2, 1.5f, 100, 8.237f, 0, 1.333f}, 'A'},
        {{5, 5, 1, 300, 9.2f, 0.059f, 0.859f}, 'B'},
        {{0, 6, 3, 300, 9.2f, 0.059f, 0.859f}, 'B'},   // "$$$" read as 0
        {{7, 7, 2, 50, 15.364f, 0, 1.421f}, 'C'},      // 4 halved
        {{8, 8, 6, 120, 9.2f, 0.059f, 0.859f}, 'D'}};  // 4 x 1.5
    const std::vector<Flower*> f(list.begin(), list.end());
    for (size_t i = 0; i < f.size(); ++i) {
        const auto& [values, kind] = expected[i];
        SCOPED_TRACE(kind);
        EXPECT_EQ((std::vector<float>{f[i]->position.x, f[i]->position.z, f[i]->scale, f[i]->points,
                                      f[i]->sphereCentre.y, f[i]->sphereCentre.z, f[i]->radius}),
                  values);
        const std::string stem = std::string("data/flower") + kind;
        EXPECT_EQ(f[i]->modelFile, stem + "_LOD0.ms3d");
        EXPECT_EQ(f[i]->lodModelFile, stem + "_LOD1.ms3d");
        EXPECT_TRUE(f[i]->hasLods && f[i]->castsShadow);
        ASSERT_NE(f[i]->lod1Model, nullptr);
    }
    EXPECT_NEAR(f[0]->forward.x, 1.0f, 1e-6f);    // turned a quarter about up
    EXPECT_EQ(f[1]->lod0Model, f[2]->lod0Model);  // one kind shares its models
    EXPECT_EQ(f[1]->lod0Model->numTriangles, 1);
}

TEST_F(LevelLoaderGl, NoPlacementFilesNoFlowersButAlwaysEightFloorTilesInOrder) {
    ASSERT_TRUE(groundTriangle().writeFile("data/floor2_1_LOD0.ms3d"));
    std::list<Flower*> flowers;
    std::list<Floor*> tiles;
    loadLevel(flowers, &tiles);
    EXPECT_TRUE(flowers.empty());
    ASSERT_EQ(tiles.size(), 8u);
    const char* const cells[] = {"0_0", "0_1", "1_0", "1_1", "2_0", "2_1", "3_0", "3_1"};
    int i = 0;
    for (const Floor* tile : tiles) {
        SCOPED_TRACE(cells[i]);
        EXPECT_EQ(tile->modelFile, std::string("data/floor") + cells[i] + "_LOD0.ms3d");
        EXPECT_EQ(tile->lodModelFile, std::string("data/floor") + cells[i] + "_LOD1.ms3d");
        EXPECT_TRUE(tile->hasLods && !tile->castsShadow);
        EXPECT_EQ(tile->lod0Model->textureScale, 10.0f);
        EXPECT_EQ(tile->lod1Model->textureScale, 10.0f);
        EXPECT_EQ(tile->lod0Model->numTriangles, i == 5 ? 1 : 0);
        EXPECT_EQ(tile, *std::next(root.children->begin(), i));
        ++i;
    }
}

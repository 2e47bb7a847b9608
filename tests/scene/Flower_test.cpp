#include "scene/Flower.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

#include "player/Camera.h"
#include "support/MeshModel.h"

namespace {

constexpr float kPi = 3.14159265358979f;

Flower* kindA(float x, float y, float z, float points) {
    return new Flower(x, y, z, 0, 0, 0, 1.0f, points, 0, 8.237f, 0, 1.333f);
}

// A camera that sees nothing (every plane rejects everything), eye at `eye`.
class BlindCamera {
public:
    explicit BlindCamera(Vector3 eye) {
        for (float* plane : camera.planes) {
            plane[0] = plane[1] = plane[2] = 0.0f;
            plane[3] = -1.0f;
        }
        camera.eye = eye;
        theCamera = &camera;
    }
    ~BlindCamera() {
        theCamera = nullptr;
        lodsEnabled = false;
    }
    Camera camera;
};

}  // namespace

TEST(Flower, CollectPaysOnceAndDarkens) {
    std::unique_ptr<Flower> flower(kindA(0, 0, 0, 120.0f));
    EXPECT_FALSE(flower->collected);
    EXPECT_EQ(flower->collect(), 120);
    EXPECT_EQ(flower->points, 0.0f);
    EXPECT_TRUE(flower->collected);
    EXPECT_FLOAT_EQ(flower->color.x, 0.01f);
    EXPECT_FLOAT_EQ(flower->color.y, 0.01f);
    EXPECT_FLOAT_EQ(flower->color.z, 0.01f);
    EXPECT_EQ(flower->collect(), 0);

    std::unique_ptr<Flower> odd(kindA(0, 0, 0, 99.9f));
    EXPECT_EQ(odd->collect(), 99);
}

TEST(Flower, NeverCulledAndSwitchesDetailAtTwentyFromItsPosition) {
    BlindCamera blind(Vector3(0, 0, 0));
    std::unique_ptr<Flower> flower(kindA(20, 0, 0, 100));
    flower->setLodModelFile("data/flowerA_LOD1.ms3d");
    // The stored sphere centre is far away; only the position counts.
    flower->sphereCentre = Vector3(-1000, 0, 0);

    lodsEnabled = true;
    testing::internal::CaptureStdout();
    flower->update(60);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(flower->visible);
    EXPECT_EQ(flower->lodLevel, 0);

    flower->position = Vector3(20.001f, 0, 0);
    flower->update(60);
    EXPECT_EQ(flower->lodLevel, 1);
    lodsEnabled = false;
    flower->update(60);
    EXPECT_EQ(flower->lodLevel, 0);

    // Built turned, but update never copies the axes into the matrix.
    std::unique_ptr<Flower> turned(new Flower(0, 0, 0, 0, kPi / 2, 0, 1, 50, 0, 1, 0, 1));
    turned->update(60);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(turned->orientation->m[i], (i % 5 == 0) ? 1.0f : 0.0f);
    }
}

TEST(Flower, BoundsTakeTheSphereFromTheLevelData) {
    std::unique_ptr<MeshModel> stem(MeshModel::cube({0, 5, 0}, 1));
    std::unique_ptr<Flower> flower(new Flower(3, 0, 4, 0, kPi / 2, 0, 1.5f, 100, 1, 8, 0, 1.333f));
    flower->lod0Model = stem->get();
    flower->computeBounds();
    // The model box is still computed...
    EXPECT_FLOAT_EQ(flower->boxMin.y, 4 * 1.5f);
    EXPECT_FLOAT_EQ(flower->boxMax.y, 6 * 1.5f);
    // ...but the sphere is the given one, carried along the (turned) axes.
    EXPECT_FLOAT_EQ(flower->radius, 1.333f);
    EXPECT_FLOAT_EQ(flower->worldRadius(), 1.333f * 1.5f);
    const Vector3 centre = flower->worldSphereCentre();
    EXPECT_NEAR(centre.x, 3.0f, 1e-5f);  // side is -z after the quarter yaw
    EXPECT_NEAR(centre.y, 12.0f, 1e-5f);
    EXPECT_NEAR(centre.z, 4.0f - 1.5f, 1e-5f);
}

TEST(Flower, DoubleSidedSheetCastsEachOutlineEdgeTwice) {
    std::unique_ptr<MeshModel> sheet(MeshModel::doubleSidedSquare());
    const Model& m = sheet->model;
    std::unique_ptr<Flower> flower(kindA(0, 0, 0, 100));
    flower->lod0Model = sheet->get();
    flower->silhouetteCapacity = 2 * m.numVertices;
    flower->silhouetteIndices = new uint32_t[flower->silhouetteCapacity];
    flower->extrudedVertices = new Vector3[m.numVertices];

    flower->castShadow(0, 10, 0);
    ASSERT_EQ(flower->silhouetteIndexCount, 16);  // twice the room loadModel made
    // Lit top appends its rim edges as wound; the unlit bottom appends its
    // own rim edges reversed: the same outline, walked the same way seen
    // from the light, so the two volumes add up.
    std::multiset<std::pair<int, int>> byIndex;
    std::multiset<std::pair<float, float>> fromTop, fromBottom;
    for (int k = 0; k < 16; k += 2) {
        const int a = static_cast<int>(flower->silhouetteIndices[k]);
        const int b = static_cast<int>(flower->silhouetteIndices[k + 1]);
        byIndex.insert({a, b});
        const float* pa = m.vertices[a].position;
        const float* pb = m.vertices[b].position;
        // Encode a directed edge by its two corners (x, z are each +-1).
        const std::pair<float, float> edge(pa[0] * 2 + pa[2], pb[0] * 2 + pb[2]);
        (a < 4 ? fromTop : fromBottom).insert(edge);
    }
    EXPECT_EQ(byIndex, (std::multiset<std::pair<int, int>>{
                           {0, 1}, {1, 2}, {2, 3}, {3, 0}, {5, 6}, {4, 5}, {7, 4}, {6, 7}}));
    EXPECT_EQ(fromTop.size(), 4u);
    EXPECT_EQ(fromTop, fromBottom);

    // Built once: the extrusions are released, the quads kept.
    EXPECT_EQ(flower->extrudedVertices, nullptr);
    ASSERT_NE(flower->shadowQuads, nullptr);
    flower->castShadow(50, 50, 0);
    EXPECT_EQ(flower->silhouetteIndexCount, 16);
    // A forced rebuild still works without them.
    flower->shadowDirty = true;
    flower->castShadow(0, -10, 0);
    EXPECT_EQ(flower->silhouetteIndexCount, 16);
    EXPECT_EQ(flower->extrudedVertices, nullptr);

    // A plain object casts only the lit side's rim.
    SceneObject plain(0, 0, 0, 1);
    plain.lod0Model = sheet->get();
    plain.castShadow(0, 10, 0);
    EXPECT_EQ(plain.silhouetteIndexCount, 8);
}

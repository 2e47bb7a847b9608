#include "scene/Flower.h"

#include <gtest/gtest.h>

#include <memory>

#include "player/Camera.h"
#include "support/BoxFrustum.h"
#include "support/MeshModel.h"
#include "support/VectorNear.h"

TEST(Flower, NeverCulledDetailFromItsPositionSphereFromTheLevelAndCollectingPaysOnce) {
    Camera blind;
    setBoxFrustum(blind, -1000.0f);  // every sphere lies outside
    theCamera = &blind;
    Flower flower(20, 0, 0, 0, 3.14159265f / 2, 0, 1.5f, 99.9f, 1, 8, 0, 1.333f);
    flower.setLodModelFile("data/flowerA_LOD1.ms3d");
    flower.sphereCentre = Vector3(-1000, 0, 0);  // only the position counts

    lodsEnabled = true;
    testing::internal::CaptureStdout();
    flower.update(60);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(flower.visible);
    EXPECT_EQ(flower.lodLevel, 0);
    flower.position = Vector3(20.001f, 0, 0);
    flower.update(60);
    EXPECT_EQ(flower.lodLevel, 1);
    lodsEnabled = false;
    flower.update(60);
    EXPECT_EQ(flower.lodLevel, 0);
    // Built turned, but update never copies the axes into the matrix.
    EXPECT_EQ(flower.orientation->m[0], 1.0f);
    theCamera = nullptr;

    std::unique_ptr<MeshModel> stem(MeshModel::cube({0, 5, 0}, 1));
    flower.lod0Model = stem->get();
    flower.computeBounds();
    EXPECT_FLOAT_EQ(flower.boxMax.y, 6 * 1.5f);  // the model box still counts
    EXPECT_FLOAT_EQ(flower.worldRadius(), 1.333f * 1.5f);
    // The given centre, carried along the turned axes (side is -z).
    expectNear(flower.worldSphereCentre(), 20.001f, 12.0f, -1.5f);

    EXPECT_EQ(flower.collect(), 99);
    EXPECT_EQ(flower.points, 0.0f);
    EXPECT_TRUE(flower.collected);
    EXPECT_FLOAT_EQ(flower.color.x + flower.color.y + flower.color.z, 0.03f);  // darkened
    EXPECT_EQ(flower.collect(), 0);
}

TEST(Flower, SheetsCastBothRimsClosedPartsOneAndExtrusionsGoOnceBuilt) {
    // Both rims of a lit two-sided sheet (the stencil test checks they add up).
    std::unique_ptr<MeshModel> sheet(MeshModel::doubleSidedSquare());
    Flower flower(0, 0, 0, 0, 0, 0, 1, 100, 0, 0, 0, 1);
    flower.lod0Model = sheet->get();
    flower.castShadow(0, 10, 0);
    EXPECT_EQ(flower.silhouetteIndexCount, 16);
    EXPECT_EQ(flower.extrudedVertices, nullptr);
    // A forced rebuild still works without them.
    flower.shadowDirty = true;
    flower.castShadow(0, -10, 0);
    EXPECT_EQ(flower.silhouetteIndexCount, 16);

    // A closed part (a stem, a bud) casts only its lit side's rim: its far
    // side, closed all round by lit faces, would fill the same volume again.
    std::unique_ptr<MeshModel> bud(MeshModel::cube({0, 5, 0}, 1));
    Flower closed(0, 0, 0, 0, 0, 0, 1, 100, 0, 0, 0, 1);
    closed.lod0Model = bud->get();
    closed.castShadow(0, 50, 0);
    EXPECT_EQ(closed.silhouetteIndexCount, 8);
}

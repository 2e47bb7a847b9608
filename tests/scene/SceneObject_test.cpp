#include "scene/SceneObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "player/Camera.h"
#include "support/MeshModel.h"

namespace {

constexpr float kPi = 3.14159265358979f;

void expectVector(Vector3 v, float x, float y, float z, float tolerance = 1e-6f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

void expectOrthonormal(const SceneObject& o) {
    EXPECT_NEAR(length(o.forward), 1.0f, 1e-5f);
    EXPECT_NEAR(length(o.up), 1.0f, 1e-5f);
    EXPECT_NEAR(length(o.side), 1.0f, 1e-5f);
    const Vector3 upFromFrame = cross(o.forward, o.side);
    expectVector(o.up, upFromFrame.x, upFromFrame.y, upFromFrame.z, 1e-5f);
    const Vector3 sideFromFrame = cross(o.up, o.forward);
    expectVector(o.side, sideFromFrame.x, sideFromFrame.y, sideFromFrame.z, 1e-5f);
}

// A camera whose frustum is the box |x|, |y|, |z| < 10, eye at the origin.
class BoxCamera {
public:
    BoxCamera() {
        const float normals[6][3] = {{-1, 0, 0}, {1, 0, 0},  {0, 1, 0},
                                     {0, -1, 0}, {0, 0, -1}, {0, 0, 1}};
        for (int p = 0; p < 6; ++p) {
            for (int j = 0; j < 3; ++j) {
                camera.planes[p][j] = normals[p][j];
            }
            camera.planes[p][3] = 10.0f;
        }
        theCamera = &camera;
    }
    ~BoxCamera() { theCamera = nullptr; }
    Camera camera;
};

// Restores the global switches whatever a test does to them.
class Switches {
public:
    ~Switches() {
        frustumCullingEnabled = true;
        lodsEnabled = false;
    }
};

}  // namespace

TEST(SceneObject, ConstructionAndRotations) {
    SceneObject plain(1, 2, 3, 0.5f);
    expectVector(plain.position, 1, 2, 3);
    EXPECT_EQ(plain.scale, 0.5f);
    expectVector(plain.forward, 0, 0, 1);
    expectVector(plain.up, 0, 1, 0);
    expectVector(plain.side, 1, 0, 0);
    expectVector(plain.color, 1, 1, 1);
    EXPECT_EQ(plain.textureScale, 1.0f);
    EXPECT_TRUE(plain.visible && plain.shadowDirty && plain.fogEnabled);
    EXPECT_FALSE(plain.hasLods || plain.castsShadow || plain.shadowEveryFrame);
    EXPECT_EQ(plain.lod0Model, nullptr);
    EXPECT_EQ(plain.lodModelFile, nullptr);
    EXPECT_EQ(plain.silhouetteIndexCount, 0);
    expectVector(plain.movementDirection(), 0, 0, 0);

    // A quarter yaw turns forward onto +x and side onto -z.
    SceneObject turned(0, 0, 0, 1);
    turned.yaw(kPi / 2);
    expectVector(turned.forward, 1, 0, 0);
    expectVector(turned.side, 0, 0, -1);
    expectVector(turned.up, 0, 1, 0);
    // A quarter pitch noses down; a quarter roll lays side onto up.
    SceneObject pitched(0, 0, 0, 1);
    pitched.pitch(kPi / 2);
    expectVector(pitched.forward, 0, -1, 0);
    expectVector(pitched.up, 0, 0, 1);
    SceneObject rolled(0, 0, 0, 1);
    rolled.roll(kPi / 2);
    expectVector(rolled.side, 0, 1, 0);
    expectVector(rolled.up, -1, 0, 0);

    // The angle constructor pitches, then yaws, then rolls.
    SceneObject built(0, 0, 0, 0.3f, 1.1f, -0.7f, 1);
    SceneObject stepped(0, 0, 0, 1);
    stepped.pitch(0.3f);
    stepped.yaw(1.1f);
    stepped.roll(-0.7f);
    SceneObject otherOrder(0, 0, 0, 1);
    otherOrder.yaw(1.1f);
    otherOrder.pitch(0.3f);
    otherOrder.roll(-0.7f);
    expectVector(built.forward, stepped.forward.x, stepped.forward.y, stepped.forward.z, 0);
    expectVector(built.side, stepped.side.x, stepped.side.y, stepped.side.z, 0);
    EXPECT_GT(length(built.forward - otherOrder.forward), 0.01f);

    // Long runs of small turns keep the frame orthonormal.
    for (int i = 0; i < 1000; ++i) {
        built.pitch(0.013f * (i % 7));
        built.yaw(-0.021f);
        built.roll(0.017f);
    }
    expectOrthonormal(built);

    // The matrix stays identity until update copies the axes in.
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(built.orientation->m[i], (i % 5 == 0) ? 1.0f : 0.0f);
    }
    built.update(60);
    const float* m = built.orientation->m;
    expectVector(Vector3(m[0], m[1], m[2]), built.side.x, built.side.y, built.side.z, 0);
    expectVector(Vector3(m[4], m[5], m[6]), built.up.x, built.up.y, built.up.z, 0);
    expectVector(Vector3(m[8], m[9], m[10]), built.forward.x, built.forward.y, built.forward.z, 0);
    EXPECT_EQ(m[3] + m[7] + m[11] + m[12] + m[13] + m[14], 0.0f);
    EXPECT_EQ(m[15], 1.0f);
}

TEST(SceneObject, MovesAndWorldCentresFollowTheFrame) {
    SceneObject o(10, 0, 0, 2.0f);
    o.yaw(kPi / 2);  // forward +x, side -z
    o.moveForward(3);
    expectVector(o.position, 13, 0, 0, 1e-5f);
    o.moveSideways(2);
    expectVector(o.position, 13, 0, -2, 1e-5f);
    o.moveUp(-1);
    expectVector(o.position, 13, -1, -2, 1e-5f);

    // Centres are in model units along side, up, forward, then scaled.
    o.sphereCentre = Vector3(1, 2, 3);
    o.boxCentre = Vector3(0, 0, 1);
    o.radius = 1.5f;
    expectVector(o.worldSphereCentre(), 13 + 2 * 3, -1 + 2 * 2, -2 - 2 * 1, 1e-5f);
    expectVector(o.worldBoxCentre(), 13 + 2, -1, -2, 1e-5f);
    EXPECT_FLOAT_EQ(o.worldRadius(), 3.0f);
}

TEST(SceneObject, ComputeBoundsRotatesTheBoxButNotTheRadius) {
    std::unique_ptr<MeshModel> mesh(MeshModel::cube({1, 0, 0}, 1));  // x in [0, 2]
    SceneObject o(5, 5, 5, 2.0f);
    o.lod0Model = mesh->get();
    o.computeBounds();
    expectVector(o.boxCentre, 1, 0, 0);
    expectVector(o.sphereCentre, 1, 0, 0);
    EXPECT_FLOAT_EQ(o.radius, std::sqrt(3.0f));
    expectVector(o.boxMin, 5, 3, 3);
    expectVector(o.boxMax, 9, 7, 7);

    // Yawed a quarter turn: the model's +x runs along world -z.
    o.yaw(kPi / 2);
    o.update(60);
    o.computeBounds();
    expectVector(o.boxCentre, 0, 0, -1, 1e-5f);
    // The radius is measured from the rotated centre to the unrotated
    // vertices: the farthest is (2, 1, 1), at distance 3.
    EXPECT_FLOAT_EQ(o.radius, 3.0f);
    expectVector(o.boxMin, 3, 3, 1, 1e-5f);
    expectVector(o.boxMax, 7, 7, 5, 1e-5f);

    // No model, or an empty one: a point box at the position.
    SceneObject empty(1, 2, 3, 4);
    empty.computeBounds();
    expectVector(empty.boxMin, 1, 2, 3);
    expectVector(empty.boxMax, 1, 2, 3);
    EXPECT_EQ(empty.radius, 0.0f);
    Model none;
    empty.lod0Model = &none;
    empty.computeBounds();
    expectVector(empty.boxMax, 1, 2, 3);
}

TEST(SceneObject, BoxesOverlapOnlyWhenStrictlyInsideOnAllAxes) {
    SceneObject a(0, 0, 0, 1), b(0, 0, 0, 1);
    a.boxMin = Vector3(0, 0, 0);
    a.boxMax = Vector3(2, 2, 2);
    a.boxCentre = Vector3(1, 1, 1);
    b.boxCentre = Vector3(0, 0, 0);

    // Sharing a face, on each axis in turn: no overlap, direction untouched.
    const Vector3 untouched(7, 7, 7);
    for (int axis = 0; axis < 3; ++axis) {
        b.boxMin = Vector3(axis == 0 ? 2 : 0, axis == 1 ? 2 : 0, axis == 2 ? 2 : 0);
        b.boxMax = b.boxMin + Vector3(2, 2, 2);
        Vector3 direction = untouched;
        EXPECT_FALSE(a.boxesOverlap(b, direction)) << axis;
        EXPECT_FALSE(b.boxesOverlap(a, direction)) << axis;
        expectVector(direction, 7, 7, 7);
    }
    // Apart on z only.
    b.boxMin = Vector3(1, 1, 5);
    b.boxMax = Vector3(3, 3, 6);
    Vector3 direction = untouched;
    EXPECT_FALSE(a.boxesOverlap(b, direction));

    // Overlapping: the unit vector from the other box's centre towards this one's.
    b.boxMin = Vector3(1.5f, 1, 1);
    b.boxMax = Vector3(3, 3, 3);
    b.position = Vector3(4, 5, 1);  // world box centres (1, 1, 1) and (4, 5, 1)
    ASSERT_TRUE(a.boxesOverlap(b, direction));
    expectVector(direction, -0.6f, -0.8f, 0);
    Vector3 back;
    ASSERT_TRUE(b.boxesOverlap(a, back));
    expectVector(back, 0.6f, 0.8f, 0);

    // Coinciding centres: still an overlap, and the direction stays finite.
    b.position = Vector3(1, 1, 1);
    ASSERT_TRUE(a.boxesOverlap(b, direction));
    expectVector(direction, 0, 0, 0);
}

TEST(SceneObject, CullingAndLevelOfDetailAgainstTheCamera) {
    BoxCamera box;
    Switches restore;
    SceneObject inside(0, 0, 0, 1), outside(15, 0, 0, 100);
    inside.radius = outside.radius = 1.0f;

    testing::internal::CaptureStdout();
    inside.update(60);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(inside.visible);

    // The sphere test uses the model radius: a scale of 100 does not save it.
    testing::internal::CaptureStdout();
    outside.update(60);
    outside.draw();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Object culled!\nCulled object!!!");
    EXPECT_FALSE(outside.visible);

    // Switch off: visible again and silent.
    frustumCullingEnabled = false;
    testing::internal::CaptureStdout();
    outside.update(60);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(outside.visible);

    // Without a camera nothing is culled.
    frustumCullingEnabled = true;
    theCamera = nullptr;
    outside.update(60);
    EXPECT_TRUE(outside.visible);
    theCamera = &box.camera;

    // LOD distance is measured from the eye to the stored sphere centre,
    // neither moved nor scaled.
    SceneObject tile(500, 0, 0, 7);
    tile.setLodModelFile("data/tile_LOD1.ms3d");
    EXPECT_TRUE(tile.hasLods);
    tile.sphereCentre = Vector3(30, 0, 0);
    lodsEnabled = true;
    tile.update(60);
    EXPECT_EQ(tile.lodLevel, 0);
    tile.sphereCentre = Vector3(30.001f, 0, 0);
    tile.update(60);
    EXPECT_EQ(tile.lodLevel, 1);
    lodsEnabled = false;
    tile.update(60);
    EXPECT_EQ(tile.lodLevel, 0);

    // Without a LOD file, the level never changes.
    lodsEnabled = true;
    SceneObject single(0, 0, 0, 1);
    single.sphereCentre = Vector3(100, 0, 0);
    single.update(60);
    EXPECT_EQ(single.lodLevel, 0);
}

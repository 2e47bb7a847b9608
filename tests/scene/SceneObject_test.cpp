#include "scene/SceneObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "player/Camera.h"
#include "support/BoxFrustum.h"
#include "support/MeshModel.h"
#include "support/VectorNear.h"

constexpr float kPi = 3.14159265358979f;

TEST(SceneObject, RotationsKeepTheFrameAndFeedTheMatrixAtUpdate) {
    SceneObject o(0, 0, 0, 1), p(0, 0, 0, 1), r(0, 0, 0, 1);
    o.yaw(kPi / 2);
    p.pitch(kPi / 2);  // noses down
    r.roll(kPi / 2);
    expectNear(o.forward, 1, 0, 0);
    expectNear(o.side, 0, 0, -1);
    expectNear(p.forward, 0, -1, 0);
    expectNear(p.up, 0, 0, 1);
    expectNear(r.side, 0, 1, 0);
    expectNear(r.up, -1, 0, 0);

    // The angle constructor pitches, then yaws, then rolls.
    SceneObject built(0, 0, 0, 0.3f, 1.1f, -0.7f, 1);
    SceneObject stepped(0, 0, 0, 1);
    stepped.pitch(0.3f);
    stepped.yaw(1.1f);
    stepped.roll(-0.7f);
    expectNear(built.forward, stepped.forward.x, stepped.forward.y, stepped.forward.z, 0);
    expectNear(built.up, stepped.up.x, stepped.up.y, stepped.up.z, 0);

    // Many small turns keep the frame orthonormal with up = forward x side.
    for (int i = 0; i < 1000; ++i) {
        built.pitch(0.013f * (i % 7));
        built.yaw(-0.021f);
        built.roll(0.017f);
    }
    EXPECT_NEAR(length(built.side), 1.0f, 1e-5f);
    const Vector3 up = cross(built.forward, built.side);
    expectNear(built.up, up.x, up.y, up.z);

    // The matrix stays identity until update copies side, up, forward in.
    EXPECT_EQ(built.orientation->m[0], 1.0f);
    built.update(60);
    const float* m = built.orientation->m;
    expectNear(Vector3(m[0], m[1], m[2]), built.side.x, built.side.y, built.side.z, 0);
    expectNear(Vector3(m[8], m[9], m[10]), built.forward.x, built.forward.y, built.forward.z, 0);
    EXPECT_EQ(m[12] + m[13] + m[14] + m[3], 0.0f);
}

TEST(SceneObject, MovesAndWorldCentresFollowTheFrameAndScale) {
    SceneObject o(10, 0, 0, 2.0f);
    o.yaw(kPi / 2);  // forward +x, side -z
    o.moveForward(3);
    o.moveSideways(2);
    o.moveUp(-1);
    expectNear(o.position, 13, -1, -2);

    o.sphereCentre = Vector3(1, 2, 3);
    o.boxCentre = Vector3(0, 0, 1);
    o.radius = 1.5f;
    expectNear(o.worldSphereCentre(), 13 + 2 * 3, -1 + 2 * 2, -2 - 2 * 1);
    expectNear(o.worldBoxCentre(), 13 + 2, -1, -2);
    EXPECT_FLOAT_EQ(o.worldRadius(), 3.0f);
}

TEST(SceneObject, ComputeBoundsRotatesTheBoxButNotTheRadius) {
    std::unique_ptr<MeshModel> mesh(MeshModel::cube({1, 0, 0}, 1));  // x in [0, 2]
    SceneObject o(5, 5, 5, 2.0f);
    o.lod0Model = mesh->get();
    o.computeBounds();
    expectNear(o.sphereCentre, 1, 0, 0);
    EXPECT_FLOAT_EQ(o.radius, std::sqrt(3.0f));
    expectNear(o.boxMin, 5, 3, 3);
    expectNear(o.boxMax, 9, 7, 7);

    // Yawed a quarter turn the model's +x runs along world -z. The radius is
    // measured from the rotated centre to the unrotated vertices: 3.
    o.yaw(kPi / 2);
    o.update(60);
    o.computeBounds();
    expectNear(o.boxCentre, 0, 0, -1);
    EXPECT_FLOAT_EQ(o.radius, 3.0f);
    expectNear(o.boxMin, 3, 3, 1);
    expectNear(o.boxMax, 7, 7, 5);

    // No model: a point box at the position.
    SceneObject empty(1, 2, 3, 4);
    empty.computeBounds();
    expectNear(empty.boxMax, 1, 2, 3);
    EXPECT_EQ(empty.radius, 0.0f);
}

TEST(SceneObject, BoxesOverlapOnlyWhenStrictlyInsideOnAllAxes) {
    SceneObject a(0, 0, 0, 1), b(0, 0, 0, 1);  // boxes and centres start at the origin
    a.boxMax = Vector3(2, 2, 2);
    a.boxCentre = Vector3(1, 1, 1);

    // Sharing a face, on each axis in turn: no overlap, direction untouched.
    for (int axis = 0; axis < 3; ++axis) {
        b.boxMin = Vector3(axis == 0 ? 2 : 0, axis == 1 ? 2 : 0, axis == 2 ? 2 : 0);
        b.boxMax = b.boxMin + Vector3(2, 2, 2);
        Vector3 direction(7, 7, 7);
        EXPECT_FALSE(a.boxesOverlap(b, direction)) << axis;
        EXPECT_FALSE(b.boxesOverlap(a, direction)) << axis;
        expectNear(direction, 7, 7, 7);
    }

    // Overlapping: the unit vector from the other's world box centre to this one's.
    b.boxMin = Vector3(1.5f, 1, 1);
    b.boxMax = Vector3(3, 3, 3);
    b.position = Vector3(4, 5, 1);  // centres (1, 1, 1) and (4, 5, 1)
    Vector3 direction, back;
    ASSERT_TRUE(a.boxesOverlap(b, direction));
    expectNear(direction, -0.6f, -0.8f, 0);
    ASSERT_TRUE(b.boxesOverlap(a, back));
    expectNear(back, 0.6f, 0.8f, 0);
    // Coinciding centres: still an overlap, with a finite direction.
    b.position = Vector3(1, 1, 1);
    ASSERT_TRUE(a.boxesOverlap(b, direction));
    expectNear(direction, 0, 0, 0);
}

TEST(SceneObject, CullingAndLevelOfDetailAgainstTheCamera) {
    // A frustum that is the box |x|, |y|, |z| < 10, eye at the origin.
    Camera camera;
    setBoxFrustum(camera, 10.0f);
    theCamera = &camera;

    // The sphere test uses the model radius: a scale of 100 does not save it.
    SceneObject inside(0, 0, 0, 1), outside(15, 0, 0, 100);
    inside.radius = outside.radius = 1.0f;
    testing::internal::CaptureStdout();
    inside.update(60);
    outside.update(60);
    outside.draw();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Object culled!\nCulled object!!!");
    EXPECT_TRUE(inside.visible);
    EXPECT_FALSE(outside.visible);

    frustumCullingEnabled = false;
    testing::internal::CaptureStdout();
    outside.update(60);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(outside.visible);
    frustumCullingEnabled = true;

    // Distance from the eye to the stored sphere centre, neither moved nor scaled.
    SceneObject tile(500, 0, 0, 7);
    tile.setLodModelFile("data/tile_LOD1.ms3d");
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
    theCamera = nullptr;
}

#include "scene/ShadowVolume.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <utility>

#include "scene/SceneObject.h"
#include "support/MeshModel.h"

namespace {

constexpr float kPi = 3.14159265358979f;

using Edge = std::pair<int, int>;

std::multiset<Edge> edgesOf(const SceneObject& o) {
    std::multiset<Edge> edges;
    for (int k = 0; k < o.silhouetteIndexCount; k += 2) {
        edges.insert({static_cast<int>(o.silhouetteIndices[k]),
                      static_cast<int>(o.silhouetteIndices[k + 1])});
    }
    return edges;
}

Vector3 vertex(const Model& m, int i) {
    return Vector3(m.vertices[i].position[0], m.vertices[i].position[1], m.vertices[i].position[2]);
}

Vector3 corner(const SceneObject& o, int edge, int c) {
    const float* q = o.shadowQuads + 12 * edge + 3 * c;
    return Vector3(q[0], q[1], q[2]);
}

// As loadModel sizes them: two indices per model vertex.
void allocateLikeLoadModel(SceneObject& o) {
    o.silhouetteCapacity = 2 * o.lod0Model->numVertices;
    o.silhouetteIndices = new uint32_t[o.silhouetteCapacity];
    o.extrudedVertices = new Vector3[o.lod0Model->numVertices];
}

}  // namespace

TEST(ShadowVolume, LightIsTakenIntoTheObjectFrameUnscaled) {
    SceneObject o(1, 2, 3, 2.0f);
    o.yaw(kPi / 2);  // forward +x, side -z
    o.update(60);
    const Vector3 local = ShadowVolume::lightInLocalFrame(o, -20, 100, 0);
    // (L - p) = (-21, 98, -3) read along side, up, forward.
    EXPECT_NEAR(local.x, 3.0f, 1e-4f);
    EXPECT_NEAR(local.y, 98.0f, 1e-4f);
    EXPECT_NEAR(local.z, -21.0f, 1e-4f);
}

TEST(ShadowVolume, ClosedMeshGivesOneQuadPerSilhouetteEdge) {
    std::unique_ptr<MeshModel> cube(MeshModel::cube({0, 0, 0}, 1));
    const Model& m = cube->model;
    SceneObject o(0, 0, 0, 1);
    o.lod0Model = cube->get();
    allocateLikeLoadModel(o);

    // Straight above: only the top is lit; its four rim edges, in the top's
    // own (counter-clockwise from above) order.
    o.castShadow(0, 50, 0);
    EXPECT_FALSE(o.shadowDirty);
    EXPECT_EQ(edgesOf(o), (std::multiset<Edge>{{2, 6}, {6, 7}, {7, 3}, {3, 2}}));

    // Every quad is P(b), P(a), E(a), E(b) with E pushed ten times its
    // distance from the light.
    const Vector3 light(0, 50, 0);
    for (int k = 0; k < o.silhouetteIndexCount / 2; ++k) {
        const Vector3 a = vertex(m, o.silhouetteIndices[2 * k]);
        const Vector3 b = vertex(m, o.silhouetteIndices[2 * k + 1]);
        const Vector3 ea = a + (a - light) * 10.0f;
        const Vector3 eb = b + (b - light) * 10.0f;
        const Vector3 expected[4] = {b, a, ea, eb};
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(length(corner(o, k, c) - expected[c]), 0.0f) << k << " " << c;
        }
    }

    // From the (1, 1, 1) diagonal three faces are lit; their rim is a closed
    // loop of six edges, each walked once.
    o.shadowDirty = true;
    o.castShadow(50, 50, 50);
    const std::multiset<Edge> rim = edgesOf(o);
    ASSERT_EQ(rim.size(), 6u);
    std::map<int, int> starts, ends;
    for (const Edge& e : rim) {
        ++starts[e.first];
        ++ends[e.second];
        // The reversed edge belongs to an unlit triangle: never both.
        EXPECT_EQ(rim.count({e.second, e.first}), 0u);
    }
    EXPECT_EQ(starts, ends);
    for (const auto& s : starts) {
        EXPECT_EQ(s.second, 1);
        EXPECT_NE(s.first, 0);  // the corner facing away is not on the rim...
        EXPECT_NE(s.first, 7);  // ...nor the one facing the light
    }
}

TEST(ShadowVolume, RebuildsOnlyWhenDirtyOrEveryFrame) {
    std::unique_ptr<MeshModel> cube(MeshModel::cube({0, 0, 0}, 1));
    SceneObject o(0, 0, 0, 1);
    o.lod0Model = cube->get();
    allocateLikeLoadModel(o);

    o.castShadow(0, 50, 0);
    const float firstCorner = o.shadowQuads[6];
    const float* quads = o.shadowQuads;
    o.castShadow(50, 50, 50);
    EXPECT_EQ(o.silhouetteIndexCount, 8);
    EXPECT_EQ(o.shadowQuads, quads);
    EXPECT_EQ(o.shadowQuads[6], firstCorner);

    o.setShadowEveryFrame(true);
    o.castShadow(50, 50, 50);
    EXPECT_EQ(o.silhouetteIndexCount, 12);
    o.castShadow(0, -50, 0);
    EXPECT_EQ(edgesOf(o).size(), 4u);  // the bottom rim now
    EXPECT_EQ(edgesOf(o).count({0, 1}), 1u);
}

TEST(ShadowVolume, OpenEdgesAlwaysCountAndNoEdgeIsDropped) {
    // Two lit triangles that share only a corner: six open edges from five
    // vertices, more than the ten indices loadModel makes room for.
    MeshModel fan({{0, 0, 0}, {1, 0, 0}, {1, 0, -1}, {-1, 0, 0}, {-1, 0, 1}},
                  {{0, 1, 2}, {0, 3, 4}});
    SceneObject o(0, 0, 0, 1);
    o.lod0Model = fan.get();
    allocateLikeLoadModel(o);
    ASSERT_EQ(o.silhouetteCapacity, 10);

    o.castShadow(0, 10, 0);
    EXPECT_EQ(edgesOf(o), (std::multiset<Edge>{{0, 1}, {1, 2}, {2, 0}, {0, 3}, {3, 4}, {4, 0}}));
    EXPECT_GE(o.silhouetteCapacity, 12);
    // The quads of the grown array are complete: the last one ends at E(0).
    const Vector3 e0 = Vector3(0, 0, 0) + (Vector3(0, 0, 0) - Vector3(0, 10, 0)) * 10.0f;
    EXPECT_EQ(length(corner(o, 5, 3) - e0), 0.0f);

    // Lit from below, a one-sided object has no silhouette at all.
    o.shadowDirty = true;
    o.castShadow(0, -10, 0);
    EXPECT_EQ(o.silhouetteIndexCount, 0);

    // Without arrays from loadModel, or without a model, nothing breaks.
    SceneObject bare(0, 0, 0, 1);
    bare.lod0Model = fan.get();
    bare.castShadow(0, 10, 0);
    EXPECT_EQ(bare.silhouetteIndexCount, 12);
    SceneObject modelless(0, 0, 0, 1);
    modelless.castShadow(0, 10, 0);
    EXPECT_EQ(modelless.silhouetteIndexCount, 0);
}

#include "scene/ShadowVolume.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

#include "scene/SceneObject.h"
#include "support/MeshModel.h"

namespace {

using Edges = std::multiset<std::pair<int, int>>;

Edges edgesOf(const SceneObject& o) {
    Edges edges;
    for (int k = 0; k < o.silhouetteIndexCount; k += 2) {
        edges.insert({int(o.silhouetteIndices[k]), int(o.silhouetteIndices[k + 1])});
    }
    return edges;
}

Vector3 corner(const SceneObject& o, int edge, int c) {
    const float* q =
        o.shadowQuads + 12 * static_cast<ptrdiff_t>(edge) + 3 * static_cast<ptrdiff_t>(c);
    return Vector3(q[0], q[1], q[2]);
}

// As loadModel sizes them: two indices per model vertex.
void allocateLikeLoadModel(SceneObject& o) {
    o.silhouetteCapacity = 2 * o.lod0Model->numVertices;
    o.silhouetteIndices = new uint32_t[o.silhouetteCapacity];
    o.extrudedVertices = new Vector3[o.lod0Model->numVertices];
}

}  // namespace

TEST(ShadowVolume, ClosedMeshGivesOneQuadPerRimEdgeOfTheLitPatch) {
    std::unique_ptr<MeshModel> cube(MeshModel::cube({0, 0, 0}, 1));
    SceneObject o(0, 0, 0, 1);
    o.lod0Model = cube->get();
    allocateLikeLoadModel(o);

    // Straight above only the top is lit: its rim, in the top's own winding.
    o.castShadow(0, 50, 0);
    EXPECT_EQ(edgesOf(o), (Edges{{2, 6}, {6, 7}, {7, 3}, {3, 2}}));
    // Each quad is P(b), P(a), E(a), E(b), E ten times as far from the light.
    const Vector3 light(0, 50, 0);
    for (int k = 0; k < 4; ++k) {
        const float* pa =
            cube->model.vertices[o.silhouetteIndices[2 * static_cast<size_t>(k)]].position;
        const float* pb = cube->model.vertices[o.silhouetteIndices[2 * k + 1]].position;
        const Vector3 a(pa[0], pa[1], pa[2]), b(pb[0], pb[1], pb[2]);
        const Vector3 expected[4] = {b, a, a + (a - light) * 10.0f, b + (b - light) * 10.0f};
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(length(corner(o, k, c) - expected[c]), 0.0f) << k << " " << c;
        }
    }

    // Without shadowEveryFrame a second call with another light changes nothing.
    const float* quads = o.shadowQuads;
    o.castShadow(50, 50, 50);
    EXPECT_EQ(o.shadowQuads, quads);
    EXPECT_EQ(o.silhouetteIndexCount, 8);

    // From the (1, 1, 1) diagonal three faces are lit: a loop of six rim
    // edges, each in its lit face's winding, avoiding the corners nearest (7)
    // and farthest (0) from the light.
    o.setShadowEveryFrame(true);
    o.castShadow(50, 50, 50);
    EXPECT_EQ(edgesOf(o), (Edges{{1, 3}, {3, 2}, {2, 6}, {6, 4}, {4, 5}, {5, 1}}));
}

TEST(ShadowVolume, OpenEdgesAlwaysCountAndNoEdgeIsDropped) {
    // Two lit triangles sharing only a corner: six open edges from five
    // vertices, more than the ten indices loadModel makes room for.
    MeshModel fan({{0, 0, 0}, {1, 0, 0}, {1, 0, -1}, {-1, 0, 0}, {-1, 0, 1}},
                  {{0, 1, 2}, {0, 3, 4}});
    SceneObject o(0, 0, 0, 1);
    o.lod0Model = fan.get();
    allocateLikeLoadModel(o);
    o.castShadow(0, 10, 0);
    EXPECT_EQ(edgesOf(o), (Edges{{0, 1}, {1, 2}, {2, 0}, {0, 3}, {3, 4}, {4, 0}}));
    // The last quad is complete: it ends at E(0).
    EXPECT_EQ(length(corner(o, 5, 3) - Vector3(0, -100, 0)), 0.0f);

    // Lit from below, a one-sided object has no silhouette at all.
    o.shadowDirty = true;
    o.castShadow(0, -10, 0);
    EXPECT_EQ(o.silhouetteIndexCount, 0);

    // Without the arrays of loadModel, or without a model, nothing breaks.
    SceneObject bare(0, 0, 0, 1), modelless(0, 0, 0, 1);
    bare.lod0Model = fan.get();
    bare.castShadow(0, 10, 0);
    modelless.castShadow(0, 10, 0);
    EXPECT_EQ(bare.silhouetteIndexCount, 12);
    EXPECT_EQ(modelless.silhouetteIndexCount, 0);
}

// More open edges than the index array first holds: it grows twice and
// must keep the edges it had collected each time.
TEST(ShadowVolume, AGrowingIndexArrayKeepsTheEdgesFound) {
    MeshModel::Positions points;
    MeshModel::Corners corners;
    for (int i = 0; i < 12; ++i) {  // twelve loose lit triangles: 72 indices
        points.insert(points.end(), {{float(i), 0, 0}, {i + 1.0f, 0, 0}, {float(i), 0, -1}});
        corners.push_back({3 * i, 3 * i + 1, 3 * i + 2});
    }
    MeshModel loose(points, corners);
    SceneObject grown(0, 0, 0, 1), roomy(0, 0, 0, 1);
    grown.lod0Model = roomy.lod0Model = loose.get();
    grown.silhouetteCapacity = 2;
    grown.silhouetteIndices = new uint32_t[2];
    allocateLikeLoadModel(roomy);  // room for exactly 72: never grows
    grown.castShadow(6, 50, 0);
    roomy.castShadow(6, 50, 0);
    EXPECT_EQ(grown.silhouetteIndexCount, 72);
    EXPECT_EQ(edgesOf(grown), edgesOf(roomy));
}

// With the floor known, each far point slides back along its own ray to just
// below the floor, through any position, rotation, scale and parent frame,
// carried to the world as the volume is drawn: by the orientation matrix,
// which a flower keeps as built whatever its angles, and which a bounce
// leaves a frame behind the bee's axes.
TEST(ShadowVolume, AKnownFloorStopsEveryRayJustBelowIt) {
    const auto toWorld = [](const SceneObject& o, Vector3 p) {
        const float* r = o.orientation->data();
        return o.position + Vector3(r[0] * p.x + r[4] * p.y + r[8] * p.z,
                                    r[1] * p.x + r[5] * p.y + r[9] * p.z,
                                    r[2] * p.x + r[6] * p.y + r[10] * p.z) *
                                o.scale;
    };
    std::unique_ptr<MeshModel> cube(MeshModel::cube({0, 0, 0}, 1));
    SceneObject parent(3, 4, 1, 0.3f, 0.5f, 0.2f, 2.0f);
    SceneObject child(0.5f, 1, -0.5f, -0.4f, 0.1f, 0.0f, 0.5f);
    child.placedIn = &parent;
    SceneObject sunk(0, -5, 0, 1);
    SceneObject placed(-4, 3, 2, 0.6f, 0.0f, 0.5f, 1.5f);
    SceneObject bounced(2, 5, -3, 0.2f, 0.3f, 0.0f, 1.0f);
    for (SceneObject* o : {&parent, &child, &sunk, &placed, &bounced}) {
        o->lod0Model = cube->get();
        allocateLikeLoadModel(*o);
        if (o != &placed) {
            o->update(60);  // the orientation matrix follows the axes
        }
    }
    bounced.pitch(0.7f);
    ShadowVolume::setFloorHeight(0.5f);
    parent.castShadow(-20, 100, 0);
    const Vector3 lightInParent = parent.lightPositionLocal;
    child.castShadow(lightInParent.x, lightInParent.y, lightInParent.z);
    sunk.castShadow(-20, 100, 0);
    placed.castShadow(-20, 100, 0);
    bounced.castShadow(-20, 100, 0);
    ShadowVolume::clearFloorHeight();

    for (const SceneObject* o : {&parent, &child, &placed, &bounced}) {
        ASSERT_GT(o->silhouetteIndexCount, 0);
        for (int k = 0; k < o->silhouetteIndexCount / 2; ++k) {
            for (int c : {2, 3}) {
                const Vector3 p = corner(*o, k, 3 - c);  // P(a) pairs with E(a), P(b) with E(b)
                const Vector3 e = corner(*o, k, c);
                const Vector3 world =
                    o == &child ? toWorld(parent, toWorld(child, e)) : toWorld(*o, e);
                EXPECT_NEAR(world.y, 0.25f, 1e-3f) << k << " " << c;
                // Still on the ray from the light through P, beyond P.
                const Vector3 ray = p - o->lightPositionLocal;
                EXPECT_LT(length(cross(ray, e - p)), 1e-3f * length(ray) * length(e - p) + 1e-4f);
                EXPECT_GT((e - p).dot(ray), 0.0f);
            }
        }
    }
    // A volume wholly below the floor collapses onto its own edges.
    ASSERT_GT(sunk.silhouetteIndexCount, 0);
    for (int k = 0; k < sunk.silhouetteIndexCount / 2; ++k) {
        EXPECT_EQ(length(corner(sunk, k, 2) - corner(sunk, k, 1)), 0.0f);
        EXPECT_EQ(length(corner(sunk, k, 3) - corner(sunk, k, 0)), 0.0f);
    }
}

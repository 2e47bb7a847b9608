#include "player/MeshCollision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>

#include "scene/SceneObject.h"
#include "support/MeshModel.h"

namespace {

// A mover whose direction the test chooses; its world sphere sits at its
// position, where a new object's sphere centre starts.
class Mover : public SceneObject {
public:
    Vector3 direction;
    Mover(Vector3 at, Vector3 direction, float worldRadius)
        : SceneObject(at.x, at.y, at.z, 1.0f), direction(direction) {
        radius = worldRadius;
    }
    Vector3 movementDirection() override { return direction; }
};

// A triangle facing -z in the plane z = depth, corners (-1,-1), (-1,1), (1,-1)
// times size: inside means u = (y/size + 1) / 2 > 0, v = (x/size + 1) / 2 > 0, u + v < 1.
MeshModel* wall(float depth, float size = 1.0f) {
    return new MeshModel({{-size, -size, depth}, {-size, size, depth}, {size, -size, depth}},
                         {{0, 1, 2}});
}

bool hits(MeshModel* mesh, Vector3 from, Vector3 direction, float radius, Vector3& normal) {
    std::unique_ptr<MeshModel> owned(mesh);
    SceneObject obstacle(100, 100, 100, 5.0f);  // its own transform is never applied
    obstacle.lod0Model = owned->get();
    Mover mover(from, direction, radius);
    return hitsMesh(obstacle, mover, normal);
}

const Vector3 kAhead(0, 0, 1);
const Vector3 kCorner(-0.5f, -0.5f, 0);  // well inside the unit wall
const Vector3 kInside(-5, -5, 0);        // well inside a wall of size 20

}  // namespace

TEST(MeshCollision, StrictBoundsOnDistanceParallelismAndEdges) {
    const float past2 = std::nextafter(2.0f, 0.0f), past001 = std::nextafter(0.01f, 1.0f);
    struct Case {
        const char* what;
        MeshModel* mesh;
        Vector3 from, direction;
        float radius;
        bool hit;
    };
    const Case cases[] = {
        {"ahead, in reach", wall(1), kCorner, kAhead, 2, true},
        {"moving away", wall(1), kCorner, Vector3(0, 0, -1), 2, false},
        {"behind", wall(1), Vector3(-0.5f, -0.5f, 1.5f), kAhead, 2, false},
        {"beside", wall(1), Vector3(3, 0, 0), kAhead, 2, false},
        {"not moving", wall(1), kCorner, Vector3(0, 0, 0), 2, false},
        // Far bound |R / (d . n)|: exactly there no hit; at a slant it exceeds R.
        {"t = R", wall(2, 20), kInside, kAhead, 2, false},
        {"t just under R", wall(past2, 20), kInside, kAhead, 2, true},
        {"t = 2.375 < 2 / 0.8", wall(1.9f, 20), kInside, Vector3(0, 0.6f, 0.8f), 2, true},
        {"t = 2.375 > 1.85 / 0.8", wall(1.9f, 20), kInside, Vector3(0, 0.6f, 0.8f), 1.85f, false},
        // Near bound 0.01.
        {"t = 0.01", wall(0.01f, 20), kInside, kAhead, 2, false},
        {"t just over 0.01", wall(past001, 20), kInside, kAhead, 2, true},
        // |d . n| <= 0.01 is parallel, however near the plane.
        {"d.n = 0", wall(0.005f, 20), kInside, Vector3(1, 0, 0), 100, false},
        {"d.n = -0.01", wall(0.005f, 20), kInside, Vector3(std::sqrt(1 - 1e-4f), 0, 0.01f), 2,
         false},
        {"d.n = -0.0101", wall(0.005f, 20), kInside, Vector3(std::sqrt(1 - 1.0201e-4f), 0, 0.0101f),
         2, true},
        // On an edge: u = 0, v = 0, u + v = 1.
        {"v = 0", wall(1), Vector3(-1, 0, 0), kAhead, 2, false},
        {"v > 0", wall(1), Vector3(-0.99f, 0, 0), kAhead, 2, true},
        {"u = 0", wall(1), Vector3(0, -1, 0), kAhead, 2, false},
        {"u + v = 1", wall(1), Vector3(0.5f, -0.5f, 0), kAhead, 2, false},
        {"u + v < 1", wall(1), Vector3(0.49f, -0.5f, 0), kAhead, 2, true},
        {"zero area", new MeshModel({{-1, 0, 1}, {0, 0, 1}, {1, 0, 1}}, {{0, 1, 2}}),
         Vector3(0.5f, 0, 0), kAhead, 2, false},
    };
    for (const Case& c : cases) {
        Vector3 n(7, 7, 7);
        EXPECT_EQ(hits(c.mesh, c.from, c.direction, c.radius, n), c.hit) << c.what;
        if (!c.hit) {
            EXPECT_EQ(n.x, 7.0f) << c.what << ": the normal is left alone on a miss";
        }
    }
}

TEST(MeshCollision, FirstHitInModelOrderWinsNotTheNearest) {
    // A wall at z = 1.5 and, nearer, a slanted triangle met at z = 1.
    const MeshModel::Positions p = {{-20, -20, 1.5f}, {-20, 40, 1.5f}, {40, -20, 1.5f},
                                    {-10, -10, 8.5f}, {-10, 20, -14},  {10, -10, 8.5f}};
    for (const bool slantFirst : {false, true}) {
        MeshModel::Corners order = {{0, 1, 2}, {3, 4, 5}};
        if (slantFirst) {
            std::swap(order[0], order[1]);
        }
        Vector3 n;
        ASSERT_TRUE(hits(new MeshModel(p, order), Vector3(0, 0, 0), kAhead, 2, n));
        EXPECT_NEAR(n.z, slantFirst ? -0.8f : -1.0f, 1e-6f);
        EXPECT_NEAR(n.y, slantFirst ? -0.6f : 0.0f, 1e-6f);
    }
}

#include "player/MeshCollision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "assets/Model.h"
#include "scene/SceneObject.h"

namespace {

// A mover whose direction the test chooses; its sphere sits at its position.
class Mover : public SceneObject {
public:
    Vector3 direction;
    Mover(Vector3 at, Vector3 direction, float worldRadius)
        : SceneObject(at.x, at.y, at.z, 1.0f), direction(direction) {
        sphereCentre = Vector3(0, 0, 0);
        radius = worldRadius;
    }
    Vector3 movementDirection() override { return direction; }
};

// An obstacle with an in-memory model: triangles added in order, each with
// the normal the test gives (the sweep uses the stored normal as it is).
class Obstacle : public SceneObject {
public:
    Obstacle() : SceneObject(0, 0, 0, 1.0f) { lod0Model = &model; }
    ~Obstacle() override {
        model.vertices = nullptr;
        model.triangles = nullptr;
    }
    void add(Vector3 p0, Vector3 p1, Vector3 p2, Vector3 normal) {
        Triangle t{};
        const int base = static_cast<int>(vertices.size());
        for (const Vector3& p : {p0, p1, p2}) {
            vertices.push_back(Vertex{{p.x, p.y, p.z}});
        }
        for (int c = 0; c < 3; ++c) {
            t.vertexIndices[c] = base + c;
            t.neighbours[c] = -1;
        }
        t.faceNormal = normal;
        triangles.push_back(t);
        model.vertices = vertices.data();
        model.numVertices = static_cast<int>(vertices.size());
        model.triangles = triangles.data();
        model.numTriangles = static_cast<int>(triangles.size());
    }
    // A wall in the plane z = z facing -z, covering (-1..1, -1..1) with the
    // corners (-1,-1), (1,-1), (-1,1): u = (x + 1) / 2, v = (y + 1) / 2.
    void addWall(float z) {
        add(Vector3(-1, -1, z), Vector3(1, -1, z), Vector3(-1, 1, z), Vector3(0, 0, -1));
    }
    // A large wall in the plane z = z facing -z.
    void addBigWall(float z) {
        add(Vector3(-10, -10, z), Vector3(30, -10, z), Vector3(-10, 30, z), Vector3(0, 0, -1));
    }

private:
    Model model;
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
};

const Vector3 kAlongZ(0, 0, 1);

bool hits(const Obstacle& obstacle, Mover& mover) {
    Vector3 n(7, 7, 7);
    return hitsMesh(obstacle, mover, n);
}

}  // namespace

TEST(MeshCollision, HitsAWallAheadWithinReach) {
    Obstacle wall;
    wall.addWall(1.0f);
    Mover mover(Vector3(-0.5f, -0.5f, 0), kAlongZ, 2.0f);
    Vector3 n(7, 7, 7);
    ASSERT_TRUE(hitsMesh(wall, mover, n));
    EXPECT_EQ(n.x, 0.0f);
    EXPECT_EQ(n.z, -1.0f);

    // Behind the mover, or moving away from it: nothing.
    Mover away(Vector3(-0.5f, -0.5f, 0), Vector3(0, 0, -1), 2.0f);
    EXPECT_FALSE(hits(wall, away));
    Mover past(Vector3(-0.5f, -0.5f, 1.5f), kAlongZ, 2.0f);
    EXPECT_FALSE(hits(wall, past));
    // Beside the triangle.
    Mover beside(Vector3(3, 0, 0), kAlongZ, 2.0f);
    EXPECT_FALSE(hits(wall, beside));
    // Not moving at all: no direction, no hit, output untouched.
    Mover still(Vector3(-0.5f, -0.5f, 0), Vector3(0, 0, 0), 2.0f);
    Vector3 untouched(7, 7, 7);
    EXPECT_FALSE(hitsMesh(wall, still, untouched));
    EXPECT_EQ(untouched.x, 7.0f);
    EXPECT_EQ(untouched.z, 7.0f);

    // The obstacle's own transform is not applied: the triangles are world
    // coordinates already.
    wall.position = Vector3(100, 100, 100);
    wall.scale = 5.0f;
    EXPECT_TRUE(hits(wall, mover));
}

TEST(MeshCollision, DistanceBoundsAreStrict) {
    // The far bound is |R / (d . n)|: exactly there is no hit, just inside is.
    for (const float z : {2.0f, std::nextafter(2.0f, 0.0f)}) {
        Obstacle wall;
        wall.addBigWall(z);
        Mover mover(Vector3(0, 0, 0), kAlongZ, 2.0f);
        EXPECT_EQ(hits(wall, mover), z < 2.0f) << z;
    }
    // At a slant the reach grows past the radius: t = 2.375 < 2 / 0.8.
    {
        Obstacle wall;
        wall.addBigWall(1.9f);
        Mover slanted(Vector3(0, 0, 0), Vector3(0, 0.6f, 0.8f), 2.0f);
        EXPECT_TRUE(hits(wall, slanted));
        Mover shorter(Vector3(0, 0, 0), Vector3(0, 0.6f, 0.8f), 1.85f);
        EXPECT_FALSE(hits(wall, shorter));
    }
    // The near bound: a plane 0.01 ahead is not hit, one a hair farther is.
    for (const float z : {0.01f, std::nextafter(0.01f, 1.0f)}) {
        Obstacle wall;
        wall.addBigWall(z);
        Mover mover(Vector3(0, 0, 0), kAlongZ, 2.0f);
        EXPECT_EQ(hits(wall, mover), z > 0.01f) << z;
    }
}

TEST(MeshCollision, MovementAlongTheWallIsNeverStopped) {
    // |d . n| <= 0.01 counts as parallel even with the plane well in reach.
    for (const float dz : {0.0f, 0.01f, 0.0101f}) {
        Obstacle wall;
        wall.addBigWall(0.005f);
        // d . n is exactly -dz.
        Mover skimming(Vector3(0, 0, 0), Vector3(std::sqrt(1.0f - dz * dz), 0, dz), 2.0f);
        EXPECT_EQ(hits(wall, skimming), dz > 0.01f) << dz;
    }
    Obstacle wall;
    wall.addBigWall(0.5f);
    Mover sideways(Vector3(0, 0, 0), Vector3(1, 0, 0), 100.0f);
    EXPECT_FALSE(hits(wall, sideways));
}

TEST(MeshCollision, EdgesAndDegenerateTrianglesDoNotCount) {
    struct Case {
        float x, y;
        bool hit;
    };
    // u = 0 at x = -1, v = 0 at y = -1, u + v = 1 on x + y = 0.
    const Case cases[] = {{-1.0f, 0.0f, false}, {-0.99f, 0.0f, true}, {0.0f, -1.0f, false},
                          {0.0f, -0.99f, true}, {0.5f, -0.5f, false}, {0.49f, -0.5f, true},
                          {-0.5f, 0.5f, false}, {0.6f, 0.6f, false}};
    Obstacle wall;
    wall.addWall(1.0f);
    for (const Case& c : cases) {
        Mover mover(Vector3(c.x, c.y, 0), kAlongZ, 2.0f);
        EXPECT_EQ(hits(wall, mover), c.hit) << c.x << ", " << c.y;
    }

    // Three corners on a line (zero area), or all on one point.
    Obstacle flat;
    flat.add(Vector3(-1, 0, 1), Vector3(0, 0, 1), Vector3(1, 0, 1), Vector3(0, 0, -1));
    flat.add(Vector3(0, 0, 1), Vector3(0, 0, 1), Vector3(0, 0, 1), Vector3(0, 0, -1));
    for (const float x : {0.0f, 0.5f}) {
        Mover mover(Vector3(x, 0, 0), kAlongZ, 2.0f);
        EXPECT_FALSE(hits(flat, mover));
    }
}

TEST(MeshCollision, FirstHitInModelOrderWins) {
    // A slanted triangle met at t = 1 and a wall met at t = 1.5: whichever
    // comes first in the model is reported, not the nearer one.
    const Vector3 slantNormal(0, -0.6f, -0.8f);
    const Vector3 wallNormal(0, 0, -1);
    for (const bool slantFirst : {false, true}) {
        Obstacle obstacle;
        if (!slantFirst) {
            obstacle.addBigWall(1.5f);
        }
        obstacle.add(Vector3(-10, -10, 8.5f), Vector3(10, -10, 8.5f), Vector3(-10, 20, -14),
                     slantNormal);
        if (slantFirst) {
            obstacle.addBigWall(1.5f);
        }
        Mover mover(Vector3(0, 0, 0), kAlongZ, 2.0f);
        Vector3 n(7, 7, 7);
        ASSERT_TRUE(hitsMesh(obstacle, mover, n));
        const Vector3 expected = slantFirst ? slantNormal : wallNormal;
        EXPECT_EQ(n.y, expected.y);
        EXPECT_EQ(n.z, expected.z);
    }
}

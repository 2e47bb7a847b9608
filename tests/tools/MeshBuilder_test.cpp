// The builder's hand-over to the file writer and the room it makes for culling.
#include "content/MeshBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

#include "content/Shapes.h"

TEST(MeshBuilder, WritesFileTexturesFlippedAndRefusesOversizedLists) {
    MeshBuilder m;
    m.useGroup("g", m.addMaterial("mat", "data/x.png"));
    const int a = m.addVertex({0, 0, 0}), b = m.addVertex({1, 0, 0}), c = m.addVertex({0, 1, 0});
    m.addTriangle({a, 0.0, 0.25}, {b, 1.0, 0.0}, {c, 0.5, 1.0});
    Ms3dWriter w;
    ASSERT_TRUE(m.toWriter(w));
    ASSERT_EQ(w.triangles.size(), 1u);
    // The game reads 1 - t and DevIL puts the picture's top row at t = 0.
    EXPECT_FLOAT_EQ(w.triangles[0].t[0], 0.75f);
    EXPECT_FLOAT_EQ(w.triangles[0].t[2], 0.0f);
    EXPECT_FLOAT_EQ(w.triangles[0].s[1], 1.0f);
    ASSERT_EQ(w.groups.size(), 1u);
    EXPECT_EQ(w.groups[0].materialIndex, 0);
    EXPECT_EQ(w.materials[0].texture, "data/x.png");
    EXPECT_EQ(m.addMaterial("mat", "other.png"), 0) << "a repeated name is the same material";

    for (int i = 0; i < 65536; ++i) {
        m.addVertex({0, 0, 0});
    }
    EXPECT_FALSE(m.toWriter(w));
}

TEST(MeshBuilder, ReachFromOriginCoversTheModelWithoutMovingItsBoxCentre) {
    MeshBuilder tile;
    Patch p;
    p.columns = p.rows = 2;
    p.point = [](double s, double t) { return Vec3(40 + 40 * s, 0, -80 + 80 * t); };
    p.front = [](const Vec3&) { return Vec3(0, 1, 0); };
    addPatch(tile, p, {});
    const int triangles = tile.triangleCount();
    tile.reachFromOrigin();
    Vec3 lo, hi;
    tile.boundingBox(lo, hi);
    const Vec3 centre = (lo + hi) * 0.5;
    EXPECT_LT(length(centre - Vec3(60, 0, -40)), 1e-9);
    double radius = 0.0;
    for (const Vec3& v : tile.vertices) {
        radius = std::max(radius, length(v - centre));
    }
    // A sphere of that radius round the origin holds the far corner (80, 0, -80).
    EXPECT_GE(radius, std::hypot(80.0, 80.0) - 1e-9);
    EXPECT_EQ(tile.triangleCount(), triangles) << "the added vertices are never drawn";
}

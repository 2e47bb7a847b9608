#include "content/MeshBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

#include "content/Shapes.h"

namespace {

// Round ball from a lathe: poles on the axis, the seam on +x.
MeshBuilder ball(double r, int rings, int segments) {
    std::vector<std::pair<double, double>> profile;
    for (int k = 0; k < rings; ++k) {
        const double a = kPi * k / (rings - 1);
        profile.push_back({k == 0 || k == rings - 1 ? 0.0 : r * std::sin(a), -r * std::cos(a)});
    }
    MeshBuilder m;
    addLathe(m, {0, 0, 0}, profile, segments, {});
    return m;
}

}  // namespace

TEST(MeshBuilder, RingSurfacesAreWatertightOutwardAndShareTheirSeams) {
    const MeshBuilder b = ball(2.0, 17, 32);
    // One vertex per ring point plus two poles: the seam and poles are not doubled.
    EXPECT_EQ(b.vertexCount(), 15 * 32 + 2);
    EXPECT_EQ(b.openEdgeCount(), 0);
    const double sphere = 4.0 / 3.0 * kPi * 8.0;
    EXPECT_NEAR(b.signedVolume(0, b.triangleCount()), sphere, 0.05 * sphere);
    for (int i = 0; i < b.triangleCount(); ++i) {
        ASSERT_GT(length(b.faceNormal(i)), 0.5) << "degenerate triangle " << i;
    }

    // Open ends are capped and the caps wound to match the sides.
    MeshBuilder tube;
    addSweep(tube, tubeStations({{0, 0, 0}, {0, 1, 0}, {0.5, 2, 0}}, {0.3, 0.3, 0.2}), 6, {});
    EXPECT_EQ(tube.openEdgeCount(), 0);
    EXPECT_GT(tube.signedVolume(0, tube.triangleCount()), 0.0);

    // A box section (four segments with a phase) has its corners at the full size.
    MeshBuilder beam;
    SweepStation s;
    s.side = {1, 0, 0};
    s.up = {0, 1, 0};
    s.width = 0.5;
    s.height = 0.25;
    SweepStation e = s;
    e.centre = {0, 0, 3};
    addSweep(beam, {s, e}, 4, {}, kPi / 4);
    EXPECT_EQ(beam.openEdgeCount(), 0);
    EXPECT_NEAR(beam.signedVolume(0, beam.triangleCount()), 1.0 * 0.5 * 3.0, 1e-9);
}

TEST(MeshBuilder, OpenEdgesAndWrongWindingAreCounted) {
    MeshBuilder b = ball(1.0, 7, 8);
    MeshBuilder holed = b;
    holed.triangles.pop_back();
    EXPECT_EQ(holed.openEdgeCount(), 3);
    // One triangle turned the wrong way breaks the pairing of all three of its edges.
    b.flip(0, 1);
    EXPECT_GT(b.openEdgeCount(), 0);
}

TEST(MeshBuilder, PatchesFaceTheAskedWayAndWrapWithoutSeamVertices) {
    for (const double want : {1.0, -1.0}) {
        MeshBuilder m;
        Patch p;
        p.columns = 12;
        p.rows = 2;
        p.wrapS = true;
        p.point = [](double s, double t) {
            return Vec3(5 * std::cos(2 * kPi * s), 3 * t, 5 * std::sin(2 * kPi * s));
        };
        // want 1: face out from the axis; -1: face the axis.
        p.front = [&](const Vec3& q) { return Vec3(q.x, 0, q.z) * want; };
        addPatch(m, p, {});
        EXPECT_EQ(m.vertexCount(), 12 * 3);
        EXPECT_EQ(m.triangleCount(), 12 * 2 * 2);
        for (int i = 0; i < m.triangleCount(); ++i) {
            const MeshBuilder::Triangle& t = m.triangles[i];
            const Vec3 c = (m.vertices[t.corners[0].vertex] + m.vertices[t.corners[1].vertex] +
                            m.vertices[t.corners[2].vertex]) /
                           3.0;
            ASSERT_GT(dot(m.faceNormal(i), Vec3(c.x, 0, c.z)) * want, 0.0) << i;
        }
    }
}

TEST(MeshBuilder, NormalsAreSmoothOnCurvesAndSharpAtCreases) {
    MeshBuilder b = ball(1.0, 13, 24);
    b.computeNormals(45.0);
    for (const MeshBuilder::Triangle& t : b.triangles) {
        for (int c = 0; c < 3; ++c) {
            const Vec3 radial = normalized(b.vertices[t.corners[c].vertex]);
            ASSERT_GT(dot(t.normals[c], radial), 0.99);
        }
    }
    MeshBuilder beam;
    SweepStation s;
    s.side = {1, 0, 0};
    s.up = {0, 1, 0};
    s.width = s.height = 1.0;
    SweepStation e = s;
    e.centre = {0, 0, 2};
    addSweep(beam, {s, e}, 4, {}, kPi / 4);
    beam.computeNormals(45.0);
    for (int i = 0; i < beam.triangleCount(); ++i) {
        for (const Vec3& n : beam.triangles[i].normals) {
            ASSERT_NEAR(dot(n, beam.faceNormal(i)), 1.0, 1e-9) << "box faces stay flat";
        }
    }
}

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
    EXPECT_NEAR(centre.x, 60.0, 1e-9);
    EXPECT_NEAR(centre.y, 0.0, 1e-9);
    EXPECT_NEAR(centre.z, -40.0, 1e-9);
    double radius = 0.0;
    for (const Vec3& v : tile.vertices) {
        radius = std::max(radius, length(v - centre));
    }
    // A sphere of that radius round the origin holds the far corner (80, 0, -80).
    EXPECT_GE(radius, std::hypot(80.0, 80.0) - 1e-9);
    EXPECT_EQ(tile.triangleCount(), triangles) << "the added vertices are never drawn";
}

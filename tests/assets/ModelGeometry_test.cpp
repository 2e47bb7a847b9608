#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "assets/Model.h"

namespace {

// A hand-filled model over caller-owned arrays; the arrays outlive it.
struct Geometry {
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<int> listed;
    Mesh mesh{};
    Model model;

    Geometry(std::vector<Vertex> v, std::vector<std::array<int, 3>> corners, std::vector<int> l)
        : vertices(std::move(v)), listed(std::move(l)) {
        for (const auto& c : corners) {
            Triangle t{};
            for (int k = 0; k < 3; ++k) {
                t.vertexIndices[k] = c[k];
            }
            triangles.push_back(t);
        }
        mesh.materialIndex = -1;
        mesh.numTriangles = int(listed.size());
        mesh.triangleIndices = listed.data();
        model.vertices = vertices.data();
        model.numVertices = int(vertices.size());
        model.triangles = triangles.data();
        model.numTriangles = int(triangles.size());
        model.groups = &mesh;
        model.numGroups = 1;
    }
};

void expectVector(const Vector3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-6f);
    EXPECT_NEAR(v.y, y, 1e-6f);
    EXPECT_NEAR(v.z, z, 1e-6f);
}

}  // namespace

TEST(ModelGeometry, FaceNormalsAreUnitAndDegenerateOnesZero) {
    Geometry g({{{0, 0, 0}}, {{4, 0, 0}}, {{0, 3, 0}}, {{8, 0, 0}}, {{0, 0, 5}}, {{1e30f, 0, 0}}},
               {{0, 1, 2},   // counter-clockwise seen from +z
                {0, 2, 1},   // the same, clockwise
                {0, 1, 3},   // three points on a line
                {4, 4, 4},   // one point
                {0, 4, 1},   // in the xz plane
                {0, 5, 2}},  // large enough to overflow a float cross product
               {0});
    g.model.computeFaceNormals();
    expectVector(g.triangles[0].faceNormal, 0, 0, 1);
    expectVector(g.triangles[1].faceNormal, 0, 0, -1);
    expectVector(g.triangles[2].faceNormal, 0, 0, 0);
    expectVector(g.triangles[3].faceNormal, 0, 0, 0);
    expectVector(g.triangles[4].faceNormal, 0, 1, 0);
    expectVector(g.triangles[5].faceNormal, 0, 0, 1);
    for (const Triangle& t : g.triangles) {
        EXPECT_FALSE(std::isnan(t.faceNormal.x + t.faceNormal.y + t.faceNormal.z));
    }
}

TEST(ModelGeometry, FacingNeedsAStrictlyPositiveDotAndOnlyVisitsListedTriangles) {
    Geometry g({{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}},
               {{0, 1, 2}, {0, 2, 1}, {0, 0, 0}, {0, 1, 2}}, {0, 1, 2});
    g.model.computeFaceNormals();
    g.triangles[3].facing = true;  // not listed by any mesh: left alone

    g.model.computeFacing(Vector3(0.3f, -2.0f, 50.0f));
    EXPECT_TRUE(g.triangles[0].facing);
    EXPECT_FALSE(g.triangles[1].facing);
    EXPECT_FALSE(g.triangles[2].facing);  // zero normal
    EXPECT_TRUE(g.triangles[3].facing);

    g.model.computeFacing(Vector3(0.0f, 0.0f, -1e-3f));
    EXPECT_FALSE(g.triangles[0].facing);
    EXPECT_TRUE(g.triangles[1].facing);

    // A light exactly in the plane of the faces, and a zero light vector.
    for (const Vector3& light : {Vector3(5.0f, -3.0f, 0.0f), Vector3(0.0f, 0.0f, 0.0f)}) {
        g.model.computeFacing(light);
        EXPECT_FALSE(g.triangles[0].facing);
        EXPECT_FALSE(g.triangles[1].facing);
    }
    EXPECT_TRUE(g.triangles[3].facing);
}

TEST(ModelGeometry, AnEmptyModelIsSafeToUse) {
    Model m;
    m.computeFaceNormals();
    m.findNeighbours();
    m.computeFacing(Vector3(1.0f, 2.0f, 3.0f));
    m.resolveTextures();
    EXPECT_EQ(m.numTriangles, 0);
    EXPECT_EQ(m.displayList, 0u);
    EXPECT_EQ(m.textureScale, 1.0f);
    EXPECT_EQ(m.getFileName(), nullptr);
}

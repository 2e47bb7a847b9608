#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "assets/Model.h"

namespace {

// A model over caller-owned arrays, with one mesh listing the given triangles.
struct Geometry {
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<int> listed;
    Mesh mesh{-1, 0, nullptr};
    Model model;

    Geometry(std::vector<Vertex> v, const std::vector<std::array<int, 3>>& corners,
             std::vector<int> l)
        : vertices(std::move(v)), triangles(corners.size()), listed(std::move(l)) {
        for (size_t i = 0; i < corners.size(); ++i) {
            std::copy(corners[i].begin(), corners[i].end(), triangles[i].vertexIndices);
        }
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

std::array<float, 3> normalOf(const Triangle& t) {
    return {t.faceNormal.x, t.faceNormal.y, t.faceNormal.z};
}

}  // namespace

TEST(ModelGeometry, FaceNormalsAreUnitAndDegenerateOnesZero) {
    Geometry g({{{0, 0, 0}}, {{4, 0, 0}}, {{0, 3, 0}}, {{8, 0, 0}}, {{0, 0, 5}}, {{1e30f, 0, 0}}},
               {{0, 1, 2}, {0, 2, 1}, {0, 1, 3}, {4, 4, 4}, {0, 4, 1}, {0, 5, 2}}, {});
    g.model.computeFaceNormals();
    using N = std::array<float, 3>;
    EXPECT_EQ(normalOf(g.triangles[0]), (N{0, 0, 1}));   // counter-clockwise from +z
    EXPECT_EQ(normalOf(g.triangles[1]), (N{0, 0, -1}));  // clockwise
    EXPECT_EQ(normalOf(g.triangles[2]), (N{0, 0, 0}));   // corners on a line
    EXPECT_EQ(normalOf(g.triangles[3]), (N{0, 0, 0}));   // one point
    EXPECT_EQ(normalOf(g.triangles[4]), (N{0, 1, 0}));
    EXPECT_EQ(normalOf(g.triangles[5]), (N{0, 0, 1}));  // a float cross product would overflow
}

TEST(ModelGeometry, FacingNeedsAStrictlyPositiveDotAndOnlyVisitsListedTriangles) {
    Geometry g({{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}},
               {{0, 1, 2}, {0, 2, 1}, {0, 0, 0}, {0, 1, 2}}, {0, 1, 2});
    g.model.computeFaceNormals();
    g.triangles[3].facing = true;  // listed by no mesh: left alone
    auto facing = [&](Vector3 light) {
        g.model.computeFacing(light);
        return std::vector<bool>{g.triangles[0].facing, g.triangles[1].facing,
                                 g.triangles[2].facing, g.triangles[3].facing};
    };
    EXPECT_EQ(facing(Vector3(0.3f, -2.0f, 50.0f)), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(facing(Vector3(0.0f, 0.0f, -1e-3f)), (std::vector<bool>{false, true, false, true}));
    // A light in the plane of the faces, and a zero light vector.
    EXPECT_EQ(facing(Vector3(5.0f, -3.0f, 0.0f)), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(facing(Vector3(0.0f, 0.0f, 0.0f)), (std::vector<bool>{false, false, false, true}));
}

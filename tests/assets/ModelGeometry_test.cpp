#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "assets/Model.h"
#include "support/MeshModel.h"

namespace {

std::array<float, 3> normalOf(const Triangle& t) {
    return {t.faceNormal.x, t.faceNormal.y, t.faceNormal.z};
}

}  // namespace

TEST(ModelGeometry, FaceNormalsAreUnitAndDegenerateOnesZero) {
    MeshModel g({{0, 0, 0}, {4, 0, 0}, {0, 3, 0}, {8, 0, 0}, {0, 0, 5}, {1e30f, 0, 0}},
                {{0, 1, 2}, {0, 2, 1}, {0, 1, 3}, {4, 4, 4}, {0, 4, 1}, {0, 5, 2}, {0, 1, 6}});
    // Recomputed over stale normals: a degenerate triangle must not keep its old one.
    for (int i = 0; i < g.model.numTriangles; ++i) {
        g.model.triangles[i].faceNormal = Vector3(9.0f, 9.0f, 9.0f);
    }
    g.model.computeFaceNormals();
    using N = std::array<float, 3>;
    EXPECT_EQ(normalOf(g.model.triangles[0]), (N{0, 0, 1}));   // counter-clockwise from +z
    EXPECT_EQ(normalOf(g.model.triangles[1]), (N{0, 0, -1}));  // clockwise
    EXPECT_EQ(normalOf(g.model.triangles[2]), (N{0, 0, 0}));   // corners on a line
    EXPECT_EQ(normalOf(g.model.triangles[3]), (N{0, 0, 0}));   // one point
    EXPECT_EQ(normalOf(g.model.triangles[4]), (N{0, 1, 0}));
    EXPECT_EQ(normalOf(g.model.triangles[5]),
              (N{0, 0, 1}));  // a float cross product would overflow
    EXPECT_EQ(normalOf(g.model.triangles[6]), (N{0, 0, 0}));  // a corner past the vertices
}

TEST(ModelGeometry, FacingNeedsAStrictlyPositiveDotAndOnlyVisitsListedTriangles) {
    MeshModel g({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 2, 1}, {0, 0, 0}, {0, 1, 2}});
    g.model.groups[0].numTriangles = 3;  // triangle 3 is listed by no mesh: left alone
    g.model.triangles[3].facing = true;
    auto facing = [&](Vector3 light) {
        g.model.computeFacing(light);
        const Triangle* t = g.model.triangles;
        return std::vector<bool>{t[0].facing, t[1].facing, t[2].facing, t[3].facing};
    };
    EXPECT_EQ(facing(Vector3(0.3f, -2.0f, 50.0f)), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(facing(Vector3(0.0f, 0.0f, -1e-3f)), (std::vector<bool>{false, true, false, true}));
    // A light in the plane of the faces, and a zero light vector.
    EXPECT_EQ(facing(Vector3(5.0f, -3.0f, 0.0f)), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(facing(Vector3(0.0f, 0.0f, 0.0f)), (std::vector<bool>{false, false, false, true}));
}

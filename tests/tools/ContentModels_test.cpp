// The models as the tool builds them, before they are written: shapes,
// sizes and orientation the game relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <utility>

#include "assets/FlowerKind.h"
#include "content/BeeModel.h"
#include "content/DomeModel.h"
#include "content/FloorModel.h"
#include "content/FlowerFiles.h"
#include "content/ModelCatalog.h"

namespace {

const std::vector<NamedModel>& models() {
    static const std::vector<NamedModel> all = buildModels();
    return all;
}

const MeshBuilder& model(const std::string& file) {
    for (const NamedModel& m : models()) {
        if (m.file == file) {
            return m.mesh;
        }
    }
    throw std::runtime_error("no model " + file);
}

const Vec3& corner(const MeshBuilder& m, int triangle, int c) {
    return m.vertices[m.triangles[triangle].corners[c].vertex];
}

// The box round the vertices that the triangles of one group, or of every
// group, use; their sum and how many there are.
struct Drawn {
    Vec3 lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9}, sum;
    int count = 0;
};
Drawn drawn(const MeshBuilder& m, const std::string& group = "") {
    std::set<int> used;
    for (const MeshBuilder::Triangle& t : m.triangles) {
        if (group.empty() || m.groups[t.group].name == group) {
            for (const MeshCorner& c : t.corners) {
                used.insert(c.vertex);
            }
        }
    }
    Drawn d;
    for (int i : used) {
        const Vec3& v = m.vertices[i];
        d.lo = {std::min(d.lo.x, v.x), std::min(d.lo.y, v.y), std::min(d.lo.z, v.z)};
        d.hi = {std::max(d.hi.x, v.x), std::max(d.hi.y, v.y), std::max(d.hi.z, v.z)};
        d.sum += v;
        ++d.count;
    }
    return d;
}

// Möller-Trumbore: distance along the ray to the triangle, or -1.
double rayHit(const Vec3& o, const Vec3& d, const Vec3& a, const Vec3& b, const Vec3& c) {
    const Vec3 e1 = b - a, e2 = c - a, p = cross(d, e2);
    const double det = dot(e1, p);
    if (std::fabs(det) < 1e-12) {
        return -1.0;
    }
    const Vec3 s = o - a;
    const double u = dot(s, p) / det;
    const Vec3 q = cross(s, e1);
    const double v = dot(d, q) / det;
    if (u < 0.0 || v < 0.0 || u + v > 1.0) {
        return -1.0;
    }
    return dot(e2, q) / det;
}

}  // namespace

TEST(ContentModels, TheBeeFacesForwardAndItsWingsSitOnItsBack) {
    const MeshBuilder& bee = model("bee.ms3d");
    Vec3 lo, hi;
    bee.boundingBox(lo, hi);
    EXPECT_GE(hi.z - lo.z, 8.0);
    EXPECT_LE(hi.z - lo.z, 10.5);
    EXPECT_LT(hi.x - lo.x, hi.z - lo.z);
    EXPECT_LT(hi.y - lo.y, hi.z - lo.z);
    EXPECT_NEAR(lo.x, -hi.x, 1e-9) << "symmetric";
    // The eyes are at the front (+z), the stinger at the back.
    double eyeZ = 0.0;
    int eyes = 0;
    for (const MeshBuilder::Triangle& t : bee.triangles) {
        for (const MeshCorner& c : t.corners) {
            if (c.v > beeAtlas::kEye.v0 && c.u < beeAtlas::kEye.u1) {
                eyeZ += bee.vertices[c.vertex].z;
                ++eyes;
            }
        }
    }
    ASSERT_GT(eyes, 0);
    EXPECT_GT(eyeZ / eyes, 2.5);

    const MeshBuilder& wings = model("bee_wings.ms3d");
    const Vec3 offset(0.0, beeWings::kOffsetY, beeWings::kOffsetZ);
    double closest = 1e9, lowest = 1e9, left = 0.0, right = 0.0;
    for (const Vec3& w : wings.vertices) {
        const Vec3 p = w + offset;
        lowest = std::min(lowest, p.y);
        left = std::max(left, p.x);
        right = std::min(right, p.x);
        for (const Vec3& b : bee.vertices) {
            closest = std::min(closest, length(p - b));
        }
    }
    EXPECT_LT(closest, 0.4) << "the wings start at the body";
    EXPECT_GT(lowest, 0.8) << "and stay above its middle";
    EXPECT_GT(left, 3.0);
    EXPECT_LT(right, -3.0);
}

TEST(ContentModels, TheHallFacesInwardAndEnclosesTheStart) {
    const char* shells[] = {"dome.ms3d", "dome_top.ms3d", "dome_fenster.ms3d"};
    for (const char* file : shells) {
        SCOPED_TRACE(file);
        const MeshBuilder& m = model(file);
        for (int i = 0; i < m.triangleCount(); ++i) {
            const Vec3 c = (corner(m, i, 0) + corner(m, i, 1) + corner(m, i, 2)) / 3.0;
            // Inward: toward the hall's axis, and down where it is a roof.
            const Vec3 in(-c.x, -1.0, -c.z);
            ASSERT_GT(dot(m.faceNormal(i), in), 0.0) << "triangle " << i;
        }
    }
    // Every ray from the bee's start meets a shell or the floor: no way out.
    std::vector<const MeshBuilder*> walls;
    for (const NamedModel& m : models()) {
        if (m.file.rfind("dome", 0) == 0 || m.file.rfind("floor", 0) == 0) {
            walls.push_back(&m.mesh);
        }
    }
    const Vec3 start(-20, 20, 0);
    constexpr int kRays = 400;
    for (int r = 0; r < kRays; ++r) {
        const double y = 1.0 - 2.0 * (r + 0.5) / kRays;
        const double a = r * 2.39996322972865332;
        const Vec3 d(std::sqrt(1 - y * y) * std::cos(a), y, std::sqrt(1 - y * y) * std::sin(a));
        double nearest = 1e9;
        for (const MeshBuilder* m : walls) {
            for (int t = 0; t < m->triangleCount(); ++t) {
                const double hit =
                    rayHit(start, d, corner(*m, t, 0), corner(*m, t, 1), corner(*m, t, 2));
                if (hit > 0.0) {
                    nearest = std::min(nearest, hit);
                }
            }
        }
        ASSERT_LT(nearest, 120.0) << "ray " << r << " escapes";
        ASSERT_GT(nearest, 15.0) << "ray " << r << ": room to fly";
    }
}

TEST(ContentModels, FloorTilesCoverTheGroundFacingUp) {
    double area = 0.0;
    for (int i = 0; i < floorTiles::kRows; ++i) {
        for (int j = 0; j < floorTiles::kColumns; ++j) {
            for (int lod = 0; lod < 2; ++lod) {
                const MeshBuilder& m = model(floorTiles::fileName(i, j, lod));
                SCOPED_TRACE(floorTiles::fileName(i, j, lod));
                EXPECT_EQ(m.triangleCount(), lod == 0 ? 8 * 16 * 2 : 2);
                for (int t = 0; t < m.triangleCount(); ++t) {
                    EXPECT_NEAR(m.faceNormal(t).y, 1.0, 1e-12) << "counter-clockwise from above";
                    const Vec3 &a = corner(m, t, 0), &b = corner(m, t, 1), &c = corner(m, t, 2);
                    area += lod == 0 ? 0.5 * length(cross(b - a, c - a)) : 0.0;
                }
                // Bounds of what is drawn: the tile also carries two undrawn
                // vertices that widen its bounding sphere.
                const auto [lo, hi, sum, count] = drawn(m);
                EXPECT_TRUE(lo.x == -80.0 + 40.0 * i && hi.x == -40.0 + 40.0 * i);
                EXPECT_TRUE(lo.z == -80.0 + 80.0 * j && hi.z == 80.0 * j);
                EXPECT_TRUE(lo.y == 0.0 && hi.y == 0.0);
            }
        }
    }
    EXPECT_NEAR(area, 160.0 * 160.0, 1e-6) << "the tiles neither overlap nor leave gaps";
    EXPECT_LT(dome::kRadius, 80.0);
}

TEST(ContentModels, FlowersHoldTheirBlossomRoundTheCollisionSphere) {
    std::vector<double> heights;
    for (const FlowerKind& kind : kFlowerKinds) {
        const Vec3 centre(kind.sphereX, kind.sphereY, kind.sphereZ);
        int triangles[2] = {0, 0};
        for (int lod = 0; lod < 2; ++lod) {
            SCOPED_TRACE(flowerFiles::model(kind, lod));
            const MeshBuilder& m = model(flowerFiles::model(kind, lod));
            triangles[lod] = m.triangleCount();
            const auto [lo, hi, sum, count] = drawn(m, "blossom");
            ASSERT_GT(count, 0);
            // The blossom surrounds the sphere's centre and is about its size.
            EXPECT_LT(length(sum / double(count) - centre), kind.sphereRadius);
            EXPECT_LT(lo.x, centre.x - 0.5 * kind.sphereRadius);
            EXPECT_GT(hi.x, centre.x + 0.5 * kind.sphereRadius);
            EXPECT_LT(lo.y, centre.y);
            EXPECT_GT(hi.y, centre.y);
            EXPECT_LT(hi.x - lo.x, 8.0 * kind.sphereRadius);
            // Standing on the ground, topped by the blossom.
            Vec3 mlo, mhi;
            m.boundingBox(mlo, mhi);
            EXPECT_NEAR(mlo.y, 0.0, 0.25);
            EXPECT_LT(mhi.y, centre.y + 2.5 * kind.sphereRadius);
            if (lod == 0) {
                heights.push_back(mhi.y);
            }
        }
        EXPECT_LT(triangles[1] * 3, triangles[0]) << "LOD1 is much lighter";
    }
    // Placed at world scale 1 (the loader's scale change undone by the file),
    // the sunflower towers over the others, which stand about 10 high.
    EXPECT_GT(heights[2], 1.4 * std::max({heights[0], heights[1], heights[3]}));
    for (int k : {0, 1, 3}) {
        EXPECT_GT(heights[k], 8.5);
        EXPECT_LT(heights[k], 12.0);
    }
}

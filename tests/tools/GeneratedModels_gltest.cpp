// Every generated model read back by the game's own loader, from the data/
// the build wrote, with its textures, display list, face normals and
// neighbours, as the level will see them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <string>

#include "assets/Model.h"
#include "assets/ModelFactory.h"
#include "content/FlowerKinds.h"
#include "content/ModelCatalog.h"
#include "support/GlTestContext.h"

namespace {

class GeneratedModels : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(GlTestContext::ready());
        GlTestContext::reset();
        // "data/..." resolves against the build directory, as for the game.
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        ASSERT_EQ(chdir(ZUMBRA_BUILD_DIR), 0);
        saved = theModelFactory;
        testing::internal::CaptureStdout();
        theModelFactory = new ModelFactory();
    }
    void TearDown() override {
        testing::internal::GetCapturedStdout();
        theModelFactory = saved;  // the test's factory lives on, as the game's does
        EXPECT_EQ(chdir(cwd), 0);
        GlTestContext::reset();
    }

    Model* load(const std::string& file) {
        names.push_back(new std::string("data/" + file));  // models keep the pointer
        return theModelFactory->getModel(names.back()->c_str(), 1.0f);
    }

    char cwd[4096];
    ModelFactory* saved = nullptr;
    std::vector<std::string*> names;
};

Vector3 vertex(const Model* m, int triangle, int corner) {
    const float* p = m->vertices[m->triangles[triangle].vertexIndices[corner]].position;
    return Vector3(p[0], p[1], p[2]);
}

}  // namespace

TEST_F(GeneratedModels, EveryFileLoadsWithItsTexturesAndClosedSolidsHaveNoOpenEdge) {
    for (const NamedModel& built : buildModels()) {
        SCOPED_TRACE(built.file);
        const Model* m = load(built.file);
        ASSERT_NE(m, nullptr);
        // A refused file leaves zero counts; these are the counts the tool wrote.
        ASSERT_EQ(m->numVertices, built.mesh.vertexCount());
        ASSERT_EQ(m->numTriangles, built.mesh.triangleCount());
        ASSERT_EQ(m->numGroups, static_cast<int>(built.mesh.groups.size()));
        ASSERT_GE(m->numMaterials, 1);
        EXPECT_NE(m->displayList, 0u);
        for (int i = 0; i < m->numMaterials; ++i) {
            EXPECT_NE(m->materials[i].textureId, 0u) << m->materials[i].textureName;
        }
        int open = 0;
        for (int t = 0; t < m->numTriangles; ++t) {
            const Vector3& n = m->triangles[t].faceNormal;
            ASSERT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-3f) << "triangle " << t;
            for (int e = 0; e < 3; ++e) {
                open += m->triangles[t].neighbours[e] == -1 ? 1 : 0;
            }
        }
        if (built.closed) {
            EXPECT_EQ(open, 0);
        } else {
            EXPECT_GT(open, 0) << "a shell or tile has a rim";
        }
    }
    EXPECT_EQ(GlTestContext::drainErrors(), GLenum(GL_NO_ERROR));
}

TEST_F(GeneratedModels, EachFlowersCollisionSphereSitsInItsBlossom) {
    for (const FlowerKind& kind : kFlowerKinds) {
        for (int lod = 0; lod < 2; ++lod) {
            SCOPED_TRACE(kind.modelFile(lod));
            const Model* m = load(kind.modelFile(lod));
            const std::string blossomTexture = "data/" + kind.textureFile();
            double sx = 0, sy = 0, sz = 0;
            int count = 0;
            for (int g = 0; g < m->numGroups; ++g) {
                const Mesh& mesh = m->groups[g];
                ASSERT_GE(mesh.materialIndex, 0);
                if (blossomTexture != m->materials[mesh.materialIndex].textureName) {
                    continue;
                }
                for (int i = 0; i < mesh.numTriangles; ++i) {
                    for (int c = 0; c < 3; ++c) {
                        const Vector3 p = vertex(m, mesh.triangleIndices[i], c);
                        sx += p.x, sy += p.y, sz += p.z;
                        ++count;
                    }
                }
            }
            ASSERT_GT(count, 0) << "no blossom group";
            const double dx = sx / count - kind.sphereX, dy = sy / count - kind.sphereY,
                         dz = sz / count - kind.sphereZ;
            EXPECT_LT(std::sqrt(dx * dx + dy * dy + dz * dz), kind.sphereRadius);
        }
    }
}

TEST_F(GeneratedModels, TheHallAsLoadedFacesInwardAndLeavesNoWayOut) {
    std::vector<const Model*> walls;
    for (const char* file :
         {"dome.ms3d", "dome_top.ms3d", "dome_fronts.ms3d", "dome_fenster.ms3d"}) {
        walls.push_back(load(file));
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 2; ++j) {
            walls.push_back(
                load("floor" + std::to_string(i) + "_" + std::to_string(j) + "_LOD0.ms3d"));
        }
    }
    // The glass, as the game computes its face normals, looks into the hall.
    const Model* glass = walls[3];
    for (int t = 0; t < glass->numTriangles; ++t) {
        const Vector3 c = (vertex(glass, t, 0) + vertex(glass, t, 1) + vertex(glass, t, 2)) / 3.0f;
        ASSERT_GT(glass->triangles[t].faceNormal.dot(-c.x, -1.0f, -c.z), 0.0f) << t;
    }
    const Vector3 start(-20, 20, 0);
    constexpr int kRays = 200;
    for (int r = 0; r < kRays; ++r) {
        const double y = 1.0 - 2.0 * (r + 0.5) / kRays, a = r * 2.39996322972865332;
        const Vector3 d(float(std::sqrt(1 - y * y) * std::cos(a)), float(y),
                        float(std::sqrt(1 - y * y) * std::sin(a)));
        bool blocked = false;
        for (const Model* m : walls) {
            for (int t = 0; t < m->numTriangles && !blocked; ++t) {
                // Ray against the triangle's plane, then inside its edges.
                const Vector3 n = m->triangles[t].faceNormal;
                const float nd = n.dot(d);
                if (std::fabs(nd) < 1e-6f) {
                    continue;
                }
                const Vector3 p0 = vertex(m, t, 0);
                const float dist = n.dot(p0 - start) / nd;
                if (dist <= 0.0f) {
                    continue;
                }
                const Vector3 q = start + d * dist;
                bool inside = true;
                for (int e = 0; e < 3; ++e) {
                    const Vector3 a0 = vertex(m, t, e), a1 = vertex(m, t, (e + 1) % 3);
                    inside = inside && cross(a1 - a0, q - a0).dot(n) >= -1e-4f;
                }
                blocked = inside;
            }
        }
        ASSERT_TRUE(blocked) << "ray " << r << " leaves the hall";
    }
}

// Every generated model read back by the game's own loader, from the data/
// the build wrote, with its textures, display list, face normals and
// neighbours, as the level and the shadow code will see them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>

#include "assets/AssetGlFixture.h"
#include "assets/Model.h"
#include "content/ModelCatalog.h"

namespace {

// Runs in the build directory, where "data/..." resolves as for the game.
class GeneratedModels : public AssetGlTest {
protected:
    void SetUp() override {
        AssetGlTest::SetUp();
        ASSERT_EQ(chdir(ZUMBRA_BUILD_DIR), 0);
    }
};

}  // namespace

TEST_F(GeneratedModels, EveryFileLoadsWholeAndSolidsAreClosedAndWoundOneWay) {
    for (const NamedModel& built : buildModels()) {
        SCOPED_TRACE(built.file);
        const Model* m = load(keep("data/" + built.file));
        ASSERT_NE(m, nullptr);
        // A refused file leaves zero counts; these are the counts the tool wrote.
        ASSERT_EQ(m->numVertices, built.mesh.vertexCount());
        ASSERT_EQ(m->numTriangles, built.mesh.triangleCount());
        ASSERT_GE(m->numMaterials, 1);
        EXPECT_NE(m->displayList, 0u);
        // A shadow hull is never drawn and needs no picture.
        const bool hull = built.file.find("_hull.") != std::string::npos;
        for (int i = 0; i < m->numMaterials; ++i) {
            EXPECT_EQ(m->materials[i].textureId != 0u, !hull) << m->materials[i].textureName;
        }
        std::vector<int> drawn(m->numTriangles, 0);
        for (int g = 0; g < m->numGroups; ++g) {
            ASSERT_GE(m->groups[g].materialIndex, 0);
            for (int i = 0; i < m->groups[g].numTriangles; ++i) {
                ++drawn[m->groups[g].triangleIndices[i]];
            }
        }
        EXPECT_EQ(std::count(drawn.begin(), drawn.end(), 1), m->numTriangles)
            << "every triangle is drawn exactly once";
        // A sheet folded back on itself, or a triangle turned against its
        // neighbour, uses some edge twice in the same direction; a closed
        // solid uses each edge once each way, so the shadow finds no rim.
        std::map<std::pair<int, int>, int> directed;
        int open = 0;
        for (int t = 0; t < m->numTriangles; ++t) {
            const Vector3& n = m->triangles[t].faceNormal;
            ASSERT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-3f) << "degenerate " << t;
            for (const float* vn : m->triangles[t].vertexNormals) {
                // Lit from the side it faces: no corner's normal turned away.
                ASSERT_NEAR(vn[0] * vn[0] + vn[1] * vn[1] + vn[2] * vn[2], 1.0f, 1e-3f);
                ASSERT_GT(vn[0] * n.x + vn[1] * n.y + vn[2] * n.z, 0.0f) << "triangle " << t;
            }
            for (int e = 0; e < 3; ++e) {
                const int* v = m->triangles[t].vertexIndices;
                ++directed[{v[e], v[(e + 1) % 3]}];
                open += m->triangles[t].neighbours[e] == -1 ? 1 : 0;
            }
        }
        for (const auto& [edge, uses] : directed) {
            ASSERT_EQ(uses, 1) << "edge " << edge.first << "-" << edge.second;
            ASSERT_TRUE(!built.closed || directed.count({edge.second, edge.first}) == 1)
                << "open edge " << edge.first << "-" << edge.second;
        }
        EXPECT_EQ(open == 0, built.closed) << "only a shell or a tile has a rim";
    }
    EXPECT_EQ(GlTestContext::drainErrors(), GLenum(GL_NO_ERROR));
}

// Every generated model read back by the game's own loader, from the data/
// the build wrote, with its textures, display list, face normals and
// neighbours, as the level will see them. Shapes are checked on the tool's
// side, before writing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "assets/Model.h"
#include "assets/ModelFactory.h"
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

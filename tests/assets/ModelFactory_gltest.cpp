#include "assets/ModelFactory.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "assets/AssetGlFixture.h"
#include "assets/Model.h"
#include "assets/Texture.h"

using ModelFactoryGl = AssetGlTest;

TEST_F(ModelFactoryGl, FirstTexturedModelWritesItsLinesInLoadOrder) {
    EXPECT_EQ(factoryLine, "modelFactory Created!!!\n");
    const std::string texture = writeImage("bee.ppm", 4, 4, 200, 150, 0);
    const char* name = keep(writeModel("bee.ms3d", samples::square(texture)));

    testing::internal::CaptureStdout();
    Model* model = theModelFactory->getModel(name, 1.0f);
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(out,
              "TEXTURE CREATED\n"
              "First Texture created: " +
                  texture +
                  "\n"
                  "Pointer to existing Texture returned: " +
                  texture +
                  "\n"
                  "Pointer to existing Texture returned: " +
                  texture +
                  "\n"
                  "First Model created: " +
                  std::string(name) + "\n");
    ASSERT_EQ(model->numMaterials, 1);
    const GLuint id = model->materials[0].textureId;
    EXPECT_NE(id, 0u);
    EXPECT_TRUE(glIsTexture(id));
    EXPECT_TRUE(glIsList(model->getDisplayList()));
    ASSERT_EQ(theModelFactory->textures->size(), 1u);
    EXPECT_EQ(theModelFactory->textures->front()->getName(), model->materials[0].textureName);
    // Neighbours and face normals are ready after construction.
    EXPECT_EQ(model->triangles[0].neighbours[2], 1);
    EXPECT_EQ(model->triangles[1].neighbours[0], 0);
    EXPECT_FLOAT_EQ(model->triangles[0].faceNormal.z, 1.0f);
}

TEST_F(ModelFactoryGl, SharesModelsByExactTextAndKeepsTheFirstScale) {
    const std::string path = writeModel("flower.ms3d", samples::square());
    const char* name = keep(path);
    testing::internal::CaptureStdout();
    Model* first = theModelFactory->getModel(name, 10.0f);
    Model* again = theModelFactory->getModel(keep(path), 1.0f);  // another buffer, same text
    // Differs only in letter case: a model of its own (and, with no such file,
    // an empty one).
    std::string upper = path;
    upper[upper.size() - 4] = 'M';
    testing::internal::CaptureStderr();
    Model* other = theModelFactory->getModel(keep(upper), 1.0f);
    const std::string err = testing::internal::GetCapturedStderr();
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(again, first);
    EXPECT_EQ(first->textureScale, 10.0f);
    EXPECT_NE(other, first);
    EXPECT_EQ(other->numTriangles, 0);
    EXPECT_EQ(out, "First Model created: " + path + "\n" + "Pointer to existing Model returned: " +
                       path + "\n" + "New Model created: " + upper + "\n");
    EXPECT_EQ(err, upper + ": cannot be opened\n");
    ASSERT_EQ(theModelFactory->models->size(), 2u);
    EXPECT_EQ(theModelFactory->models->back(), other);
}

TEST_F(ModelFactoryGl, SharesTexturesByBufferNotByText) {
    const std::string image = writeImage("grass.ppm", 2, 2, 0, 255, 0);
    char* a = const_cast<char*>(keep(image));
    char* b = const_cast<char*>(keep(image));
    testing::internal::CaptureStdout();
    Texture* ta = theModelFactory->getTexture(a);
    Texture* tb = theModelFactory->getTexture(b);
    Texture* ta2 = theModelFactory->getTexture(a);
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_NE(ta, tb);
    EXPECT_EQ(ta2, ta);
    EXPECT_NE(ta->getId(), tb->getId());
    EXPECT_EQ(out, "TEXTURE CREATED\nFirst Texture created: " + image +
                       "\nTEXTURE CREATED\nNew Texture created: " + image +
                       "\nPointer to existing Texture returned: " + image + "\n");
}

TEST_F(ModelFactoryGl, WireframeRecompilesEveryModelInCreationOrder) {
    const std::string texA = writeImage("a.ppm", 2, 2, 255, 0, 0);
    const std::string texB = writeImage("b.ppm", 2, 2, 0, 0, 255);
    testing::internal::CaptureStdout();
    Model* a = theModelFactory->getModel(keep(writeModel("a.ms3d", samples::square(texA))), 1.0f);
    Model* b = theModelFactory->getModel(keep(writeModel("b.ms3d", samples::square(texB))), 1.0f);
    testing::internal::GetCapturedStdout();
    glMatrixMode(GL_MODELVIEW);
    glScalef(0.5f, 0.5f, 0.5f);

    for (int mode : {1, 0, 1}) {
        const GLuint oldA = a->displayList, oldB = b->displayList;
        wireframeMode = mode;
        testing::internal::CaptureStdout();
        theModelFactory->rebuildDisplayLists();
        const std::string out = testing::internal::GetCapturedStdout();

        // Each model: its resolve, the bind while compiling, the resolve
        // before the list closes; a before b.
        const std::string lineA = "Pointer to existing Texture returned: " + texA + "\n";
        const std::string lineB = "Pointer to existing Texture returned: " + texB + "\n";
        EXPECT_EQ(out, lineA + lineA + lineA + lineB + lineB + lineB);
        for (auto [model, old] : {std::pair{a, oldA}, std::pair{b, oldB}}) {
            EXPECT_NE(model->displayList, old);
            EXPECT_FALSE(glIsList(old)) << "the replaced list is deleted";
            ASSERT_TRUE(glIsList(model->displayList));
            const std::vector<Primitive> drawn = feedbackOf(model->displayList);
            // Six corners: three line segments, or two triangles.
            ASSERT_EQ(drawn.size(), mode ? 3u : 2u);
            for (const Primitive& p : drawn) {
                EXPECT_EQ(p.token, GLenum(mode ? GL_LINE_TOKEN : GL_POLYGON_TOKEN));
            }
        }
    }
    EXPECT_EQ(GlTestContext::drainErrors(), GLenum(GL_NO_ERROR));
}

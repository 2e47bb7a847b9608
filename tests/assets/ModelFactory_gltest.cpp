#include "assets/ModelFactory.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "assets/AssetGlFixture.h"
#include "assets/Model.h"
#include "assets/Texture.h"

using ModelFactoryGl = AssetGlTest;

TEST_F(ModelFactoryGl, FirstTexturedModelWritesItsLinesInLoadOrder) {
    EXPECT_EQ(factoryLine, "modelFactory Created!!!\n");
    const std::string tex = image("bee.ppm", 4, 4, {200, 150, 0});
    const char* name = model("bee.ms3d", samples::square(tex));
    testing::internal::CaptureStdout();
    Model* m = theModelFactory->getModel(name, 1.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "TEXTURE CREATED\nFirst Texture created: " + tex +
                  "\nPointer to existing Texture returned: " + tex +
                  "\nPointer to existing Texture returned: " + tex +
                  "\nFirst Model created: " + name + "\n");
    EXPECT_TRUE(glIsTexture(m->materials[0].textureId));
    EXPECT_EQ(theModelFactory->textures->front()->getName(), m->materials[0].textureName);
    // Normals and neighbours are ready once the factory hands the model out.
    EXPECT_EQ(m->triangles[0].neighbours[2], 1);
    EXPECT_EQ(m->triangles[1].neighbours[0], 0);
    EXPECT_EQ(m->triangles[1].faceNormal.z, 1.0f);
}

TEST_F(ModelFactoryGl, SharesModelsByExactTextAndKeepsTheFirstScale) {
    const char* name = model("flower.ms3d", samples::square());
    std::string upper = name;
    upper[upper.size() - 4] = 'M';  // flower.Ms3d: no such file
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Model* first = theModelFactory->getModel(name, 10.0f);
    Model* again = theModelFactory->getModel(keep(name), 1.0f);  // another buffer, same text
    Model* other = theModelFactory->getModel(keep(upper), 1.0f);
    testing::internal::GetCapturedStderr();  // the loader's own line: Ms3dLoadFile
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "First Model created: " + std::string(name) +
                  "\nPointer to existing Model returned: " + name +
                  "\nNew Model created: " + upper + "\n");
    EXPECT_EQ(again, first);
    EXPECT_EQ(first->textureScale, 10.0f);
    EXPECT_NE(other, first);
    EXPECT_EQ(theModelFactory->models->back(), other);
    // The missing file: an empty model whose list draws nothing.
    EXPECT_EQ(other->numTriangles, 0);
    ASSERT_TRUE(glIsList(other->getDisplayList()));
    EXPECT_TRUE(feedbackOf(other->getDisplayList()).empty());
}

TEST_F(ModelFactoryGl, SharesTexturesByBufferNotByText) {
    const std::string img = image("grass.ppm", 2, 2, {0, 255, 0});
    char *a = keep(img), *b = keep(img);
    testing::internal::CaptureStdout();
    Texture* ta = theModelFactory->getTexture(a);
    Texture* tb = theModelFactory->getTexture(b);
    EXPECT_EQ(theModelFactory->getTexture(a), ta);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "TEXTURE CREATED\nFirst Texture created: " + img +
                  "\nTEXTURE CREATED\nNew Texture created: " + img +
                  "\nPointer to existing Texture returned: " + img + "\n");
    // Two textures, one picture: decoded and uploaded once.
    EXPECT_NE(ta, tb);
    EXPECT_TRUE(glIsTexture(ta->getId()));
    EXPECT_EQ(ta->getId(), tb->getId());
}

TEST_F(ModelFactoryGl, WireframeRecompilesEveryModelInCreationOrder) {
    const std::string texA = image("a.ppm", 2, 2, {255, 0, 0});
    const std::string texB = image("b.ppm", 2, 2, {0, 0, 255});
    Model* a = load(model("a.ms3d", samples::square(texA)));
    Model* b = load(model("b.ms3d", samples::square(texB)));
    for (int mode : {1, 0, 1}) {
        const GLuint oldA = a->displayList, oldB = b->displayList;
        wireframeMode = mode;
        testing::internal::CaptureStdout();
        theModelFactory->rebuildDisplayLists();
        // Per model: its resolve, the bind while compiling, the resolve before
        // the list closes.
        std::string expected;
        for (const std::string* tex : {&texA, &texA, &texA, &texB, &texB, &texB}) {
            expected += "Pointer to existing Texture returned: " + *tex + "\n";
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
        for (auto [m, old] : {std::pair{a, oldA}, std::pair{b, oldB}}) {
            EXPECT_NE(m->displayList, old);
            // Six corners: three segments, or two triangles.
            const std::vector<Primitive> drawn = feedbackOf(m->displayList);
            ASSERT_EQ(drawn.size(), mode ? 3u : 2u);
            EXPECT_EQ(drawn[0].token, GLenum(mode ? GL_LINE_TOKEN : GL_POLYGON_TOKEN));
        }
    }
    EXPECT_EQ(GlTestContext::drainErrors(), GLenum(GL_NO_ERROR));
}

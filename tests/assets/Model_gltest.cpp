#include "assets/Model.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "assets/AssetGlFixture.h"

namespace {

void expectColour(int x, int y, int r, int g, int b) {
    const auto p = GlTestContext::pixel(x, y);
    EXPECT_NEAR(p[0], r, 2) << "at " << x << "," << y;
    EXPECT_NEAR(p[1], g, 2) << "at " << x << "," << y;
    EXPECT_NEAR(p[2], b, 2) << "at " << x << "," << y;
}

}  // namespace

using ModelGl = AssetGlTest;

TEST_F(ModelGl, CompilesCornersWithScaledFlippedTextureCoordinates) {
    Ms3dWriter w = samples::square();
    w.triangles[0].t[1] = 0.25f;
    testing::internal::CaptureStdout();
    Model* m = theModelFactory->getModel(keep(writeModel("floor.ms3d", w)), 10.0f);
    testing::internal::GetCapturedStdout();
    glScalef(0.5f, 0.5f, 0.5f);  // keep the square clear of the clip planes

    const std::vector<Primitive> drawn = feedbackOf(m->getDisplayList());
    ASSERT_EQ(drawn.size(), 2u);
    ASSERT_EQ(drawn[0].vertices.size(), 3u);
    // Corner order of triangle 0: vertices 0, 1, 2 at (-1,-1), (1,-1), (1,1),
    // halved, in a 256-pixel viewport.
    const float expected[3][4] = {
        {64, 64, 0 * 10, (1 - 0) * 10},
        {192, 64, 1 * 10, (1 - 0.25f) * 10},
        {192, 192, 1 * 10, (1 - 1) * 10},
    };
    for (int c = 0; c < 3; ++c) {
        for (int k = 0; k < 4; ++k) {
            EXPECT_NEAR(drawn[0].vertices[c][k], expected[c][k], 1e-3f) << c << "," << k;
        }
    }
}

TEST_F(ModelGl, WireframePairsCornersAcrossTriangles) {
    Ms3dWriter one = samples::square();
    one.triangles.resize(1);
    one.groups[0].triangleIndices = {0};
    testing::internal::CaptureStdout();
    Model* m = theModelFactory->getModel(keep(writeModel("one.ms3d", one)), 1.0f);
    wireframeMode = 1;
    m->buildDisplayList();
    testing::internal::GetCapturedStdout();
    glScalef(0.5f, 0.5f, 0.5f);

    // One triangle: one segment, corner 0 to corner 1; corner 2 draws nothing.
    const std::vector<Primitive> drawn = feedbackOf(m->getDisplayList());
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].token, GLenum(GL_LINE_TOKEN));
    EXPECT_NEAR(drawn[0].vertices[0][0], 64, 1e-3f);
    EXPECT_NEAR(drawn[0].vertices[0][1], 64, 1e-3f);
    EXPECT_NEAR(drawn[0].vertices[1][0], 192, 1e-3f);
    EXPECT_NEAR(drawn[0].vertices[1][1], 64, 1e-3f);
}

TEST_F(ModelGl, DrawsTheTextureAndLeavesTexturingAsCompiled) {
    const std::string image = writeImage("pink.ppm", 3, 5, 200, 40, 90);
    testing::internal::CaptureStdout();
    glDisable(GL_TEXTURE_2D);
    Model* m = theModelFactory->getModel(keep(writeModel("pink.ms3d", samples::square(image))), 1);
    const GLuint compiledOff = m->getDisplayList();
    glEnable(GL_TEXTURE_2D);
    m->buildDisplayList();
    const GLuint compiledOn = m->getDisplayList();
    testing::internal::GetCapturedStdout();
    glScalef(0.5f, 0.5f, 0.5f);
    ASSERT_FALSE(glIsList(compiledOff));  // replaced

    glEnable(GL_TEXTURE_2D);
    glCallList(compiledOn);
    expectColour(128, 128, 200, 40, 90);
    expectColour(10, 10, 0, 0, 0);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    // Compiled with texturing off: the list turns it off again after drawing.
    glDisable(GL_TEXTURE_2D);
    glClear(GL_COLOR_BUFFER_BIT);
    testing::internal::CaptureStdout();
    m->buildDisplayList();
    testing::internal::GetCapturedStdout();
    glEnable(GL_TEXTURE_2D);
    glCallList(m->getDisplayList());
    expectColour(100, 150, 200, 40, 90);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(GlTestContext::drainErrors(), GLenum(GL_NO_ERROR));
}

TEST_F(ModelGl, AMeshWithoutMaterialKeepsTheMaterialBeforeIt) {
    // Lit by ambient light alone, so a face shows its material's ambient colour.
    // Group 0 (the lower-right triangle) has no material, group 1 (upper left)
    // the red one.
    Ms3dWriter w = samples::square();
    w.materials[0].ambient[1] = w.materials[0].ambient[2] = 0.0f;
    w.groups[0].triangleIndices = {0};
    w.groups[0].materialIndex = -1;
    Ms3dWriter::Group red;
    red.triangleIndices = {1};
    red.materialIndex = 0;
    w.groups.push_back(red);
    testing::internal::CaptureStdout();
    Model* m = theModelFactory->getModel(keep(writeModel("lit.ms3d", w)), 1.0f);
    testing::internal::GetCapturedStdout();
    glScalef(0.5f, 0.5f, 0.5f);

    // Colour tracking would replace the materials with the current colour.
    const GLboolean tracking = glIsEnabled(GL_COLOR_MATERIAL);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    const GLfloat white[4] = {1, 1, 1, 1}, green[4] = {0, 0.5f, 0, 1}, black[4] = {0, 0, 0, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, black);
    glMaterialfv(GL_FRONT, GL_AMBIENT, green);
    glCallList(m->getDisplayList());
    expectColour(170, 90, 0, 128, 0);  // before the list's first material
    expectColour(90, 170, 128, 0, 0);  // the file's ambient (0.5, 0, 0)

    // Once more: the first mesh now keeps the red the previous call left.
    glClear(GL_COLOR_BUFFER_BIT);
    glCallList(m->getDisplayList());
    expectColour(170, 90, 128, 0, 0);
    glDisable(GL_LIGHTING);
    const GLfloat defaultAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, defaultAmbient);
    if (tracking) {
        glEnable(GL_COLOR_MATERIAL);
    }
}

TEST_F(ModelGl, AModelThatFailedToLoadDrawsNothing) {
    std::vector<uint8_t> bytes = samples::square().toBytes();
    bytes.resize(bytes.size() / 2);
    const std::string path = dir + "/half.ms3d";
    ASSERT_TRUE(samples::writeBytes(path, bytes));
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Model* m = theModelFactory->getModel(keep(path), 1.0f);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "First Model created: " + path + "\n");
    EXPECT_EQ(err, path + ": the material section claims 1 records, but only 49 bytes are left\n");
    EXPECT_EQ(m->numTriangles, 0);
    ASSERT_TRUE(glIsList(m->getDisplayList()));
    EXPECT_TRUE(feedbackOf(m->getDisplayList()).empty());
}

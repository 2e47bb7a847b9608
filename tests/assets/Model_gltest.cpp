#include "assets/Model.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "assets/AssetGlFixture.h"

namespace {

void expectColour(int x, int y, std::array<int, 3> rgb) {
    const auto p = GlTestContext::pixel(x, y);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(p[c], rgb[c], 2) << "channel " << c << " at " << x << "," << y;
    }
}

}  // namespace

using ModelGl = AssetGlTest;

TEST_F(ModelGl, CompilesCornersWithScaledFlippedTextureCoordinates) {
    Ms3dWriter w = samples::square();
    w.triangles[0].t[1] = 0.25f;
    const std::vector<Primitive> drawn = feedbackOf(load(model("floor.ms3d", w), 10)->displayList);
    ASSERT_EQ(drawn.size(), 2u);
    // Triangle 0: vertices 0, 1, 2 at window (64,64), (192,64), (192,192);
    // s and 1 - t times the scale.
    const std::vector<std::array<float, 4>> expected = {
        {64, 64, 0, 10}, {192, 64, 10, 7.5f}, {192, 192, 10, 0}};
    EXPECT_EQ(drawn[0].vertices, expected);
}

TEST_F(ModelGl, DrawsItsTextureAndLeavesTexturingAsCompiled) {
    // Made before the model's: a rebuild deletes its own old list and no other.
    const GLuint other = glGenLists(1);
    glNewList(other, GL_COMPILE);
    glEndList();
    Model* m = load(model("pink.ms3d", samples::square(image("pink.ppm", 3, 5, {200, 40, 90}))));
    const GLuint compiledOff = m->displayList;
    glEnable(GL_TEXTURE_2D);
    testing::internal::CaptureStdout();
    m->buildDisplayList();
    glDisable(GL_TEXTURE_2D);
    glCallList(m->displayList);
    expectColour(128, 128, {200, 40, 90});
    expectColour(10, 10, {0, 0, 0});
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsList(compiledOff));
    EXPECT_TRUE(glIsList(other));

    // Compiled with texturing off: the list turns it off again after drawing.
    glDisable(GL_TEXTURE_2D);
    m->buildDisplayList();
    testing::internal::GetCapturedStdout();
    glEnable(GL_TEXTURE_2D);
    glCallList(m->displayList);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glDeleteLists(other, 1);
    EXPECT_EQ(GlTestContext::drainErrors(), GLenum(GL_NO_ERROR));
}

TEST_F(ModelGl, AMeshWithoutMaterialKeepsTheMaterialBeforeIt) {
    // Group 0, the lower-right triangle, has no material; group 1, the upper
    // left, the red one. Lit by ambient light only, a face shows its ambient.
    Ms3dWriter w = samples::square();
    w.groups[0] = {"bare", {0}, -1};
    w.groups.push_back({"red", {1}, 0});
    Model* m = load(model("lit.ms3d", w));
    glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT);
    glDisable(GL_COLOR_MATERIAL);  // colour tracking would override the materials
    glEnable(GL_LIGHTING);
    const GLfloat white[4] = {1, 1, 1, 1}, green[4] = {0, 0.5f, 0, 1}, black[4] = {0, 0, 0, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, black);
    glMaterialfv(GL_FRONT, GL_AMBIENT, green);
    glCallList(m->displayList);
    expectColour(170, 90, {0, 128, 0});  // the material set before the list
    expectColour(90, 170, {128, 0, 0});
    glClear(GL_COLOR_BUFFER_BIT);
    glCallList(m->displayList);
    expectColour(170, 90, {128, 0, 0});  // now the red the last call left
    glPopAttrib();
}

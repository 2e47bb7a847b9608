#include "scene/SceneObject.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

#include "assets/AssetGlFixture.h"
#include "assets/Model.h"
#include "scene/Flower.h"
#include "support/GlTestContext.h"
#include "support/MeshModel.h"

namespace {

// Fills the whole view with the current colour: the projection is the
// identity, and draw() brackets the call with a push and a pop.
GLuint fullScreenList() {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glLoadIdentity();
    glRectf(-1, -1, 1, 1);
    glEndList();
    return list;
}

}  // namespace

TEST(SceneObjectGl, DrawPicksTheLevelAndLeavesFogOnAndBlendingOff) {
    GlTestContext::reset();
    Model near, far;
    near.displayList = far.displayList = fullScreenList();
    SceneObject o(1, 2, 3, 0.5f);
    o.lod0Model = &near;
    o.lod1Model = &far;

    o.setColor(1, 0, 0);
    glEnable(GL_BLEND);
    o.draw();
    EXPECT_EQ(GlTestContext::pixel(10, 10)[0], 255);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    // The LOD1 model touches neither; an object without fog switches it off.
    o.lodLevel = 1;
    o.lod0Model = nullptr;
    o.setColor(0, 1, 0);
    o.setFogEnabled(false);
    glEnable(GL_BLEND);
    o.draw();
    EXPECT_EQ(GlTestContext::pixel(10, 10)[1], 255);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));

    // A flower draws with back-face culling off and puts it back.
    Flower flower(0, 0, 0, 0, 0, 0, 1, 100, 0, 0, 0, 1);
    flower.lod0Model = &near;
    flower.setColor(0, 0, 1);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);  // the rectangle now faces away
    flower.draw();
    glFrontFace(GL_CCW);
    EXPECT_EQ(GlTestContext::pixel(10, 10)[2], 255);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));

    EXPECT_EQ(GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH), 1);
    glDeleteLists(near.displayList, 1);
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

using SceneObjectLoadGl = AssetGlTest;

// Both levels come through the model cache at the object's texture scale, the
// shadow arrays are sized by the LOD0 model, and its neighbours close the top
// rim seen from straight above (facing takes the light as a direction).
TEST_F(SceneObjectLoadGl, FetchesBothLevelsAndSizesTheShadowArrays) {
    const std::unique_ptr<MeshModel> cube(MeshModel::cube({1, 0, 0}, 1));
    SceneObject o(10, 0, 0, 2.0f);
    o.setModelFile(model("cube_LOD0.ms3d", cube->toFile()));
    o.setLodModelFile(model("cube_LOD1.ms3d", cube->toFile()));
    o.setTextureScale(10.0f);
    {
        const Quiet quiet;
        o.loadModel();
        o.loadLodModel();
    }
    ASSERT_NE(o.lod0Model, nullptr);
    ASSERT_NE(o.lod1Model, nullptr);
    EXPECT_NE(o.lod0Model, o.lod1Model);
    EXPECT_EQ(o.lod1Model->textureScale, 10.0f);
    EXPECT_EQ(o.silhouetteCapacity, 16);
    o.castShadow(10, 50, 0);
    EXPECT_EQ(o.silhouetteIndexCount, 8);
}

// The debug axes: red up, green to the side, blue forward, four units long.
TEST(SceneObjectGl, AxesAreRedUpGreenSideBlueForward) {
    GlTestContext::reset();
    glOrtho(-8, 8, -8, 8, -8, 8);  // 16 pixels to the unit
    SceneObject o(0.5f, 0.5f, 0, 1);
    o.forward = Vector3(-1, 0, 0);  // straight at the viewer it would be a dot
    glLineWidth(5);
    o.drawAxes();
    glLineWidth(1);
    const auto at = [](float x, float y) {
        return GlTestContext::pixel(int((x + 8) * 16), int((y + 8) * 16));
    };
    using Rgba = std::array<uint8_t, 4>;
    EXPECT_EQ(at(0.5f, 3.5f), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(at(3.5f, 0.5f), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(at(-2.5f, 0.5f), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(at(0.5f, -2.5f), (Rgba{0, 0, 0, 255}));  // nothing drawn down there
}

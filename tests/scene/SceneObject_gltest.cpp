#include "scene/SceneObject.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "assets/Model.h"
#include "assets/ModelFactory.h"
#include "scene/Flower.h"
#include "support/GlTestContext.h"
#include "support/MeshModel.h"

namespace {

// Fills the whole view with the current colour, whatever the matrices hold.
GLuint fullScreenList() {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glPushAttrib(GL_TRANSFORM_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRectf(-1, -1, 1, 1);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
    glEndList();
    return list;
}

// A closed cube of half-size h around (cx, 0, 0) in one group; returns its path.
std::string writeCube(const std::string& name, float cx, float h) {
    const std::string dir = std::string(ZUMBRA_BUILD_DIR) + "/scene-test-models";
    mkdir(dir.c_str(), 0755);
    EXPECT_TRUE(std::unique_ptr<MeshModel>(MeshModel::cube({cx, 0, 0}, h))
                    ->toFile()
                    .writeFile(dir + "/" + name));
    return dir + "/" + name;
}

}  // namespace

TEST(SceneObjectGl, DrawPicksTheLevelAndLeavesFogOnAndBlendingOff) {
    GlTestContext::reset();
    Model near, far;
    near.displayList = fullScreenList();
    far.displayList = fullScreenList();
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
    glDeleteLists(far.displayList, 1);
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(SceneObjectGl, LoadModelFetchesBothLevelsAndSizesTheShadowArrays) {
    GlTestContext::reset();
    // The names outlive the models, as the game's literals do.
    static const std::string lod0 = writeCube("cube_LOD0.ms3d", 1, 1);
    static const std::string lod1 = writeCube("cube_LOD1.ms3d", 1, 0.5f);
    ModelFactory* saved = theModelFactory;
    testing::internal::CaptureStdout();
    theModelFactory = new ModelFactory();  // never released, as in the game
    SceneObject o(10, 0, 0, 2.0f);
    o.setModelFile(lod0.c_str());
    o.setTextureScale(10.0f);
    o.loadModel();
    o.setLodModelFile(lod1.c_str());
    o.loadLodModel();
    testing::internal::GetCapturedStdout();
    theModelFactory = saved;

    ASSERT_NE(o.lod0Model, nullptr);
    ASSERT_NE(o.lod1Model, nullptr);
    EXPECT_NE(o.lod0Model, o.lod1Model);
    EXPECT_EQ(o.lod1Model->textureScale, 10.0f);
    EXPECT_EQ(o.silhouetteCapacity, 16);
    // Bounds from the LOD0 cube: x in [0, 2], scaled by 2 and moved to x = 10.
    EXPECT_FLOAT_EQ(o.boxMin.x, 10.0f);
    EXPECT_FLOAT_EQ(o.boxMax.x, 14.0f);
    // The loaded neighbours close the top rim from straight above the
    // origin (facing takes the light as a direction).
    o.castShadow(10, 50, 0);
    EXPECT_EQ(o.silhouetteIndexCount, 8);
}

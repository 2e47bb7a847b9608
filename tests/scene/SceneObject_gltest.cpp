#include "scene/SceneObject.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <memory>
#include <string>

#include "assets/Model.h"
#include "assets/ModelFactory.h"
#include "assets/Ms3dWriter.h"
#include "player/Camera.h"
#include "scene/Flower.h"
#include "support/GlTestContext.h"
#include "support/MeshModel.h"

namespace {

// A display list that fills the whole view with the current colour, drawn
// in identity space whatever the modelview holds.
GLuint fullScreenList() {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glVertex3f(-1, -1, 0);
    glVertex3f(1, -1, 0);
    glVertex3f(1, 1, 0);
    glVertex3f(-1, 1, 0);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEndList();
    return list;
}

// A closed cube of half-size h around (cx, 0, 0), every triangle in one group.
std::string writeCube(const std::string& name, float cx, float h) {
    Ms3dWriter w;
    for (int i = 0; i < 8; ++i) {
        w.vertices.push_back({cx + ((i & 1) ? h : -h), (i & 2) ? h : -h, (i & 4) ? h : -h});
    }
    const uint16_t corners[12][3] = {{0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5},
                                     {0, 1, 5}, {0, 5, 4}, {2, 6, 7}, {2, 7, 3},
                                     {0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}};
    Ms3dWriter::Group group;
    group.name = "cube";
    for (uint16_t t = 0; t < 12; ++t) {
        Ms3dWriter::Triangle tri{};
        for (int c = 0; c < 3; ++c) {
            tri.vertexIndices[c] = corners[t][c];
        }
        w.triangles.push_back(tri);
        group.triangleIndices.push_back(t);
    }
    w.groups.push_back(group);
    const std::string dir = std::string(ZUMBRA_BUILD_DIR) + "/scene-test-models";
    mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/" + name;
    EXPECT_TRUE(w.writeFile(path));
    return path;
}

class OwnedCamera {
public:
    OwnedCamera() { theCamera = &camera; }
    ~OwnedCamera() {
        theCamera = nullptr;
        frustumCullingEnabled = true;
    }
    Camera camera;
};

}  // namespace

TEST(SceneObjectGl, CullsAgainstTheCameraInWorldCoordinates) {
    GlTestContext::reset();
    glMatrixMode(GL_PROJECTION);
    gluPerspective(70.0, 1024.0 / 768.0, 1.0, 1500.0);
    glMatrixMode(GL_MODELVIEW);
    OwnedCamera owned;
    Camera& camera = owned.camera;

    // One frame as the game runs it: look at the bee, pop, then update.
    glPushMatrix();
    camera.lookAt(-20, 20, 0);
    glPopMatrix();
    camera.update(60);

    SceneObject ahead(-20, 10, 30, 0.1f), behind(-20, 25, -20, 0.1f);
    ahead.radius = behind.radius = 1.0f;

    testing::internal::CaptureStdout();
    ahead.update(60);
    behind.update(60);
    const std::string culled = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(ahead.visible);
    EXPECT_FALSE(behind.visible);
    EXPECT_EQ(culled, "Object culled!\n");

    frustumCullingEnabled = false;
    testing::internal::CaptureStdout();
    ahead.update(60);
    behind.update(60);
    behind.draw();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(behind.visible);
}

TEST(SceneObjectGl, DrawPicksTheLevelAndLeavesFogOnAndBlendingOff) {
    GlTestContext::reset();
    Model near, far;
    near.displayList = fullScreenList();
    far.displayList = fullScreenList();
    SceneObject o(1, 2, 3, 0.5f);
    o.lod0Model = &near;
    o.lod1Model = &far;
    o.setColor(1, 0, 0);

    GLfloat before[16], after[16];
    glTranslatef(4, 5, 6);
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    glEnable(GL_BLEND);
    glDisable(GL_FOG);
    o.draw();
    EXPECT_EQ(GlTestContext::pixel(10, 10)[0], 255);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(before[i], after[i]);
    }

    // The LOD1 model touches neither; an object without fog switches it off.
    o.lodLevel = 1;
    o.setColor(0, 1, 0);
    o.setFogEnabled(false);
    glEnable(GL_BLEND);
    glEnable(GL_FOG);
    o.draw();
    EXPECT_EQ(GlTestContext::pixel(10, 10)[1], 255);
    EXPECT_EQ(GlTestContext::pixel(10, 10)[0], 0);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));

    // A flower draws with back-face culling off and puts it back.
    Flower flower(0, 0, 0, 0, 0, 0, 1, 100, 0, 0, 0, 1);
    flower.lod0Model = &near;
    flower.setColor(0, 0, 1);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CW);  // the list's quad now faces away
    flower.draw();
    glFrontFace(GL_CCW);
    EXPECT_EQ(GlTestContext::pixel(10, 10)[2], 255);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    glDisable(GL_CULL_FACE);

    glDeleteLists(near.displayList, 1);
    glDeleteLists(far.displayList, 1);
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(SceneObjectGl, LoadModelFetchesBothLevelsAndSizesTheShadowArrays) {
    GlTestContext::reset();
    // Names outlive the objects and the models, as the game's literals do.
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
    const std::string log = testing::internal::GetCapturedStdout();
    theModelFactory = saved;

    EXPECT_NE(log.find("First Model created: " + lod0), std::string::npos) << log;
    EXPECT_NE(log.find("New Model created: " + lod1), std::string::npos) << log;
    ASSERT_NE(o.lod0Model, nullptr);
    ASSERT_NE(o.lod1Model, nullptr);
    EXPECT_EQ(o.lod0Model->numVertices, 8);
    EXPECT_EQ(o.lod0Model->textureScale, 10.0f);
    EXPECT_EQ(o.lod1Model->textureScale, 10.0f);
    EXPECT_TRUE(o.hasLods);
    EXPECT_EQ(o.silhouetteCapacity, 16);
    EXPECT_NE(o.silhouetteIndices, nullptr);
    EXPECT_NE(o.extrudedVertices, nullptr);
    // Bounds from the LOD0 cube: x in [0, 2], scaled by 2 and moved to x = 10.
    EXPECT_FLOAT_EQ(o.boxMin.x, 10.0f);
    EXPECT_FLOAT_EQ(o.boxMax.x, 14.0f);
    EXPECT_FLOAT_EQ(o.radius, std::sqrt(3.0f));

    // The loaded model's neighbours give the closed top rim from straight
    // above the object's origin (facing takes the light as a direction).
    o.castShadow(10, 50, 0);
    EXPECT_EQ(o.silhouetteIndexCount, 8);
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

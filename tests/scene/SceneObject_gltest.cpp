#include "scene/SceneObject.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

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

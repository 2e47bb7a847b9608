// The World's frame: view from the chase camera, one light, fog, the scene,
// stencil shadows (ShadowPass) and the HUD overlay. Every pass sets the
// state it needs anew each frame; the shadow pass restores what it changes
// through the attribute stack.
#include <GL/gl.h>
#include <GL/glu.h>

#include "app/ShadowPass.h"
#include "app/World.h"
#include "hud/Hud.h"
#include "player/Bee.h"
#include "player/Camera.h"
#include "scene/Node.h"

namespace {

const GLfloat kLightAmbient[] = {0.3f, 0.3f, 0.3f, 1.0f};
const GLfloat kLightDiffuse[] = {10.0f, 10.0f, 10.0f, 2.0f};
// w = 2 is handed to GL as is; the first three values are also the light of
// every shadow volume.
const GLfloat kLightPosition[] = {-20.0f, 100.0f, 0.0f, 2.0f};
const GLfloat kFogColour[] = {1.0f, 0.7f, 0.0f, 1.0f};  // the background colour
constexpr GLfloat kFogDensity = 0.008f;
// The overlay is always 1024 by 768 units, origin top left, whatever the window size.
constexpr double kOverlayWidth = 1024.0;
constexpr double kOverlayHeight = 768.0;

}  // namespace

void World::render() {
    drawScene();
    shadowPass();
    drawOverlay();
}

void World::drawScene() {
    // The shadow pass counts from the middle of the stencil's range.
    glClearStencil(ShadowPass::kCountFrom);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (transparency) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        // Every blended fragment, the shadow darkening included, comes out black.
        glBlendFunc(GL_ZERO, GL_ZERO);
    }
    const Vector3 side = bee->getSide();
    const Vector3 up = bee->getUp();
    const Vector3 forward = bee->getForward();
    theCamera->setFollowRotation(side.x, side.y, side.z, up.x, up.y, up.z, forward.x, forward.y,
                                 forward.z);
    const Vector3 position = bee->getPosition();
    theCamera->lookAt(position.x, position.y, position.z);
    setupLights();
    setupFog();
    root->drawTree();
}

void World::setupLights() {
    glPushMatrix();
    glLightfv(GL_LIGHT1, GL_AMBIENT, kLightAmbient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, kLightDiffuse);
    // Given after the look-at, so it is a world position.
    glLightfv(GL_LIGHT1, GL_POSITION, kLightPosition);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    glPopMatrix();
}

void World::setupFog() {
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogfv(GL_FOG_COLOR, kFogColour);
    glFogf(GL_FOG_DENSITY, kFogDensity);
    glFogf(GL_FOG_START, 20.0f);
    glFogf(GL_FOG_END, 100.0f);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
}

// Volumes of moving objects are rebuilt for the light first; the rest keep
// theirs.
void World::shadowPass() {
    root->castShadowTree(kLightPosition[0], kLightPosition[1], kLightPosition[2]);
    ShadowPass::draw(*root, ShadowPass::bestCounting());
}

void World::drawOverlay() {
    // Values above 1 on purpose: lit or not, the text clamps to a bright yellow.
    glColor3f(200.0f, 100.0f, 0.0f);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, kOverlayWidth, 0, kOverlayHeight);
    glScalef(1.0f, -1.0f, 1.0f);
    glTranslatef(0.0f, -static_cast<float>(kOverlayHeight), 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // Bitmap text is textured and blended like any fragment: without this the
    // HUD took the colour of whatever texel the last model left behind, and
    // came out black with transparency off if a model left blending on.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    hud->draw();
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

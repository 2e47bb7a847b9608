// The World's frame: view from the chase camera, one light, fog, the scene,
// stencil shadows and the HUD overlay. Every pass sets the state it needs
// anew each frame; the shadow pass restores what it changes through the
// attribute stack.
#include <GL/gl.h>
#include <GL/glu.h>

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
constexpr GLfloat kShadowAlpha = 0.4f;
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

// Depth-pass stencil volumes: count the volume faces in front of each pixel's
// surface, front faces up and back faces down, then darken wherever the count
// is not zero. Expects the scene's depth buffer; leaves colour, depth, enable,
// polygon and stencil state as it found them.
void World::shadowPass() {
    root->castShadowTree(kLightPosition[0], kLightPosition[1], kLightPosition[2]);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_POLYGON_BIT |
                 GL_STENCIL_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    // The volumes write no colour, but a software renderer still samples the
    // last model's texture and works out the fog for every volume fragment,
    // which cost more than the counting itself. The darkening quad is black,
    // so the texture never mattered to it; fog it keeps.
    glDisable(GL_TEXTURE_2D);
    const GLboolean fog = glIsEnabled(GL_FOG);
    glDisable(GL_FOG);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_ALWAYS, 1, ~0u);

    glFrontFace(GL_CCW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    root->drawShadowVolumeTree();
    glFrontFace(GL_CW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
    root->drawShadowVolumeTree();
    glFrontFace(GL_CCW);

    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (fog) {
        glEnable(GL_FOG);  // the darkening is fogged like everything else
    }
    glColor4f(0.0f, 0.0f, 0.0f, kShadowAlpha);
    glEnable(GL_BLEND);
    glStencilFunc(GL_NOTEQUAL, 0, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);

    // A quad on the near plane over the whole view; the perspective stays, so
    // it covers the view up to an aspect of about 1.43.
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 1, 1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(0, 1);
    glVertex2i(1, 1);
    glVertex2i(1, 0);
    glEnd();
    glPopMatrix();
    glPopAttrib();
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

#include "app/ShadowPass.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <cstdio>
#include <cstring>

#include "scene/Node.h"

namespace {

// The darkening: 60 % of a shadowed pixel's colour stays.
constexpr GLfloat kShadowAlpha = 0.4f;

PFNGLSTENCILOPSEPARATEPROC stencilOpSeparate = nullptr;
PFNGLACTIVESTENCILFACEEXTPROC activeStencilFace = nullptr;

bool hasExtension(const char* name) {
    const auto* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (all == nullptr) {
        return false;
    }
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(all, name); at != nullptr; at = std::strstr(at + 1, name)) {
        if ((at == all || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) {
            return true;
        }
    }
    return false;
}

bool versionAtLeast(int major, int minor) {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int have[2] = {0, 0};
    if (version == nullptr || std::sscanf(version, "%d.%d", &have[0], &have[1]) != 2) {
        return false;
    }
    return have[0] > major || (have[0] == major && have[1] >= minor);
}

template <typename Function>
Function lookUp(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

void countInTwoPasses(Node& root) {
    glFrontFace(GL_CCW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    root.drawShadowVolumeTree();
    glFrontFace(GL_CW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
    root.drawShadowVolumeTree();
    glFrontFace(GL_CCW);
}

// Faces that are counter-clockwise on screen face the viewer, as in the
// rest of the game.
void countInOnePass(Node& root, ShadowPass::Counting counting) {
    glDisable(GL_CULL_FACE);
    if (counting == ShadowPass::kSeparate) {
        stencilOpSeparate(GL_FRONT, GL_KEEP, GL_KEEP, GL_INCR_WRAP);
        stencilOpSeparate(GL_BACK, GL_KEEP, GL_KEEP, GL_DECR_WRAP);
        root.drawShadowVolumeTree();
        return;
    }
    glEnable(GL_STENCIL_TEST_TWO_SIDE_EXT);
    activeStencilFace(GL_BACK);
    glStencilFunc(GL_ALWAYS, 1, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR_WRAP);
    activeStencilFace(GL_FRONT);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR_WRAP);
    root.drawShadowVolumeTree();
    glDisable(GL_STENCIL_TEST_TWO_SIDE_EXT);
}

// The quad lies on the near plane, in front of everything: the depth test
// could only pass, and reading the depth of every pixel in the view cost a
// third of the darkening.
void darkenCountedPixels() {
    glDisable(GL_DEPTH_TEST);
    glColor4f(0.0f, 0.0f, 0.0f, kShadowAlpha);
    glEnable(GL_BLEND);
    // Passes where kCountFrom < the pixel's stencil.
    glStencilFunc(GL_LESS, ShadowPass::kCountFrom, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glVertex3i(-1, -1, -1);
    glVertex3i(1, -1, -1);
    glVertex3i(1, 1, -1);
    glVertex3i(-1, 1, -1);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace

// Asked once: the game has one context for the whole run, and the shadow
// pass asks every frame.
bool ShadowPass::supports(Counting counting) {
    static const bool separate = [] {
        if (versionAtLeast(2, 0)) {
            stencilOpSeparate = lookUp<PFNGLSTENCILOPSEPARATEPROC>("glStencilOpSeparate");
        }
        return stencilOpSeparate != nullptr;
    }();
    static const bool twoSideExt = [] {
        if (hasExtension("GL_EXT_stencil_two_side") &&
            (versionAtLeast(1, 4) || hasExtension("GL_EXT_stencil_wrap"))) {
            activeStencilFace = lookUp<PFNGLACTIVESTENCILFACEEXTPROC>("glActiveStencilFaceEXT");
        }
        return activeStencilFace != nullptr;
    }();
    switch (counting) {
        case kTwoPasses:
            return true;
        case kSeparate:
            return separate;
        case kTwoSideExt:
            return twoSideExt;
    }
    return false;
}

ShadowPass::Counting ShadowPass::bestCounting() {
    return supports(kSeparate) ? kSeparate : supports(kTwoSideExt) ? kTwoSideExt : kTwoPasses;
}

void ShadowPass::draw(Node& root, Counting counting) {
    if (!supports(counting)) {
        counting = kTwoPasses;
    }
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_POLYGON_BIT |
                 GL_STENCIL_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    // The volumes write no colour, but a software renderer still samples the
    // last model's texture and works out the fog for every volume fragment,
    // which cost more than the counting itself. The darkening is black, so
    // the texture never mattered to it; fog it keeps.
    glDisable(GL_TEXTURE_2D);
    const GLboolean fog = glIsEnabled(GL_FOG);
    glDisable(GL_FOG);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_ALWAYS, 1, ~0u);
    if (counting == kTwoPasses) {
        countInTwoPasses(root);
    } else {
        countInOnePass(root, counting);
    }

    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (fog) {
        glEnable(GL_FOG);  // the darkening is fogged like everything else
    }
    darkenCountedPixels();
    glPopAttrib();
}

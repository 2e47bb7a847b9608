// Framebuffer objects are GL 3.0: the prototypes come before any GL header.
#define GL_GLEXT_PROTOTYPES 1
#include "support/GeneratedLevel.h"

#include <GL/glext.h>
#include <GL/glu.h>

#include <filesystem>

#include "app/World.h"
#include "assets/FlowerKind.h"
#include "scene/Floor.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "support/Quiet.h"
#include "support/ScratchDirectory.h"

namespace fs = std::filesystem;

namespace {

World* level = nullptr;
Flower* tilted = nullptr;

}  // namespace

World* GeneratedLevel::world() {
    const fs::path generated = fs::path(ZUMBRA_BUILD_DIR) / "data";
    if (level != nullptr || !fs::exists(generated / "floor0_0_LOD0.ms3d")) {
        return level;
    }
    const ScratchDirectory scratch(true);
    fs::create_directory_symlink(generated, fs::path(scratch.path) / "data");
    const Quiet quiet;
    level = new World();
    const FlowerKind& tulip = kFlowerKinds[0];
    tilted = new Flower(-20, 0, 10, 0.5f, 0.0f, 0.4f, 1.0f, tulip.points, tulip.sphereX,
                        tulip.sphereY, tulip.sphereZ, tulip.sphereRadius);
    tilted->setModelFile(tulip.lod0Model);
    tilted->loadModel();
    tilted->setCastsShadow(true);
    level->root->addChild(tilted);
    return level;
}

Flower* GeneratedLevel::tiltedTulip() {
    world();
    return tilted;
}

float GeneratedLevel::floorTop() {
    float top = 0.0f;
    if (world() != nullptr && !level->floorTiles->empty()) {
        level->floorTiles->front()->surfaceTop(top);
    }
    return top;
}

OffscreenFrame::OffscreenFrame(int width, int height) : width(width), height(height) {
    const GLenum formats[2] = {GL_RGBA8, GL_DEPTH24_STENCIL8};
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_STENCIL_ATTACHMENT};
    glGenFramebuffers(1, &frame);
    glBindFramebuffer(GL_FRAMEBUFFER, frame);
    glGenRenderbuffers(2, buffers);
    for (int i = 0; i < 2; ++i) {
        glBindRenderbuffer(GL_RENDERBUFFER, buffers[i]);
        glRenderbufferStorage(GL_RENDERBUFFER, formats[i], width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachments[i], GL_RENDERBUFFER, buffers[i]);
    }
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const World* w = GeneratedLevel::world();
    gluPerspective(w != nullptr ? w->fieldOfView : 70.0, double(width) / height,
                   w != nullptr ? w->nearPlane : 1.0, w != nullptr ? w->farPlane : 1500.0);
    glMatrixMode(GL_MODELVIEW);
}

OffscreenFrame::~OffscreenFrame() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &frame);
    glDeleteRenderbuffers(2, buffers);
}

bool OffscreenFrame::complete() const {
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

std::vector<uint32_t> OffscreenFrame::pixels() const {
    std::vector<uint32_t> rgba(static_cast<size_t>(width) * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

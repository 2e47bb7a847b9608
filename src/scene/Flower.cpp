#include "scene/Flower.h"

#include <GL/gl.h>

#include "assets/Model.h"
#include "player/Camera.h"
#include "scene/ShadowVolume.h"

namespace {
// Flowers are small: they switch to LOD1 closer than other objects.
constexpr float kFlowerLodDistance = 20.0f;
constexpr float kCollectedShade = 0.01f;
}  // namespace

Flower::Flower(float x, float y, float z, float pitchAngle, float yawAngle, float rollAngle,
               float scale, float points, float sphereX, float sphereY, float sphereZ,
               float sphereRadius)
    : SceneObject(x, y, z, pitchAngle, yawAngle, rollAngle, scale),
      points(points),
      collected(false),
      collisionCentre(sphereX, sphereY, sphereZ),
      collisionRadius(sphereRadius) {}

void Flower::update(int /*frameRate*/) {
    if (!hasLods) {
        return;
    }
    const bool far = theCamera != nullptr &&
                     distance(theCamera->getEyePosition(), position) > kFlowerLodDistance;
    lodLevel = (far && lodsEnabled) ? 1 : 0;
}

// Petals and leaves are single sheets seen from both sides.
void Flower::draw() {
    const GLboolean culling = glIsEnabled(GL_CULL_FACE);
    glDisable(GL_CULL_FACE);
    SceneObject::draw();
    if (culling) {
        glEnable(GL_CULL_FACE);
    }
}

void Flower::castShadow(float x, float y, float z) {
    if (!rebuildShadowVolume(x, y, z, ShadowVolume::kTwoSided)) {
        return;
    }
    // A flower never moves: its volume is built once, so the extrusions are
    // not needed again.
    delete[] extrudedVertices;
    extrudedVertices = nullptr;
    extrudedCapacity = 0;
}

void Flower::computeBounds() {
    SceneObject::computeBounds();
    sphereCentre = collisionCentre;
    radius = collisionRadius;
}

int Flower::collect() {
    const int value = static_cast<int>(points);
    points = 0.0f;
    collected = true;
    setColor(kCollectedShade, kCollectedShade, kCollectedShade);
    return value;
}

#include "scene/SceneObject.h"

#include <GL/gl.h>

#include <cmath>
#include <iostream>

#include "assets/Model.h"
#include "assets/ModelFactory.h"
#include "player/Camera.h"
#include "scene/ShadowVolume.h"

bool frustumCullingEnabled = true;
bool lodsEnabled = false;

namespace {

// Beyond this distance from the camera an object with a LOD1 model draws it.
constexpr float kLodDistance = 30.0f;
// Length of the debug axes.
constexpr float kAxisLength = 4.0f;

// The orientation applied to the point (v, 1), summed in double and rounded
// once, as Matrix4's product does.
Vector3 rotate(const Matrix4& R, const float* v) {
    const float* m = R.m;
    return Vector3(static_cast<float>(double(m[0]) * v[0] + double(m[4]) * v[1] +
                                      double(m[8]) * v[2] + double(m[12])),
                   static_cast<float>(double(m[1]) * v[0] + double(m[5]) * v[1] +
                                      double(m[9]) * v[2] + double(m[13])),
                   static_cast<float>(double(m[2]) * v[0] + double(m[6]) * v[1] +
                                      double(m[10]) * v[2] + double(m[14])));
}

}  // namespace

SceneObject::SceneObject(float x, float y, float z, float scale)
    : scale(scale),
      position(x, y, z),
      forward(0.0f, 0.0f, 1.0f),
      up(0.0f, 1.0f, 0.0f),
      side(1.0f, 0.0f, 0.0f) {
    initialise();
}

SceneObject::SceneObject(float x, float y, float z, float pitchAngle, float yawAngle,
                         float rollAngle, float scale)
    : scale(scale),
      position(x, y, z),
      forward(0.0f, 0.0f, 1.0f),
      up(0.0f, 1.0f, 0.0f),
      side(1.0f, 0.0f, 0.0f) {
    pitch(pitchAngle);
    yaw(yawAngle);
    roll(rollAngle);
    initialise();
}

void SceneObject::initialise() {
    hasLods = false;
    lodLevel = 0;
    color = Vector3(1.0f, 1.0f, 1.0f);
    lod0Model = nullptr;
    lod1Model = nullptr;
    modelFile = nullptr;
    textureScale = 1.0f;
    silhouetteIndices = nullptr;
    extrudedVertices = nullptr;
    shadowQuads = nullptr;
    silhouetteIndexCount = 0;
    castsShadow = false;
    shadowEveryFrame = false;
    shadowDirty = true;
    fogEnabled = true;
    visible = true;
    lightPositionLocal = Vector3(0.0f, 0.0f, 0.0f);
    floorNormalLocal = Vector3(0.0f, 1.0f, 0.0f);
    floorOffsetLocal = 0.0f;
    placedIn = nullptr;
    orientation = new Matrix4();
    boxCentre = Vector3(0.0f, 0.0f, 0.0f);
    sphereCentre = Vector3(0.0f, 0.0f, 0.0f);
    radius = 0.0f;
    boxMin = Vector3(0.0f, 0.0f, 0.0f);
    boxMax = Vector3(0.0f, 0.0f, 0.0f);
    lodModelFile = nullptr;
    silhouetteCapacity = 0;
    shadowQuadCapacity = 0;
    extrudedCapacity = 0;
    shadowModelFile = nullptr;
    shadowModel = nullptr;
}

SceneObject::~SceneObject() {
    releaseShadowArrays();
    delete orientation;
}

void SceneObject::releaseShadowArrays() {
    delete[] silhouetteIndices;
    delete[] extrudedVertices;
    delete[] shadowQuads;
    silhouetteIndices = nullptr;
    extrudedVertices = nullptr;
    shadowQuads = nullptr;
    silhouetteIndexCount = 0;
    silhouetteCapacity = 0;
    shadowQuadCapacity = 0;
    extrudedCapacity = 0;
}

void SceneObject::update(int /*frameRate*/) {
    // Without a camera there is nothing to cull against or measure from.
    const bool inView = theCamera == nullptr ||
                        theCamera->sphereInFrustum(position.x, position.y, position.z, radius);
    if (!inView && frustumCullingEnabled) {
        visible = false;
        std::cout << "Object culled!\n";
    } else {
        visible = true;
    }

    if (hasLods) {
        // From the stored centre, not the world one: only the floor tiles have
        // LODs, and they sit at the origin with scale 1.
        const bool far = theCamera != nullptr &&
                         distance(theCamera->getEyePosition(), sphereCentre) > kLodDistance;
        lodLevel = (far && lodsEnabled) ? 1 : 0;
    }

    orientation->setAxes(side.x, side.y, side.z, up.x, up.y, up.z, forward.x, forward.y, forward.z);
}

// After a LOD0 model fog is on and blending off, whatever they were before:
// an object drawn without fog switches it off only for itself.
void SceneObject::draw() {
    if (!visible) {
        std::cout << "Culled object!!!";
        return;
    }
    Model* model = (lodLevel == 0) ? lod0Model : lod1Model;
    if (!fogEnabled) {
        glDisable(GL_FOG);
    }
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glMultMatrixf(orientation->data());
    glScalef(scale, scale, scale);
    glColor3f(color.x, color.y, color.z);
    if (model != nullptr) {
        glCallList(model->getDisplayList());
    }
    glPopMatrix();
    if (lodLevel == 0) {
        glEnable(GL_FOG);
        glDisable(GL_BLEND);
    }
}

void SceneObject::castShadow(float x, float y, float z) {
    rebuildShadowVolume(x, y, z, ShadowVolume::kOneSided);
}

bool SceneObject::rebuildShadowVolume(float x, float y, float z, ShadowVolume::Sides sides) {
    if (!shadowEveryFrame && !shadowDirty) {
        return false;
    }
    shadowDirty = false;
    Model* caster = shadowCaster();
    if (caster == nullptr) {
        return false;
    }
    lightPositionLocal = ShadowVolume::lightInLocalFrame(*this, x, y, z);
    ShadowVolume::placeFloorCut(*this);
    caster->computeFacing(lightPositionLocal);
    ShadowVolume::collectSilhouette(*this, sides);
    ShadowVolume::writeQuads(*this);
    return true;
}

// No matrix push here: the draw walk brackets every node.
void SceneObject::drawShadowVolume() {
    if (!castsShadow) {
        return;
    }
    glTranslatef(position.x, position.y, position.z);
    glMultMatrixf(orientation->data());
    glScalef(scale, scale, scale);
    ShadowVolume::drawQuads(*this);
}

void SceneObject::loadModel() {
    lod0Model = (theModelFactory != nullptr && modelFile != nullptr)
                    ? theModelFactory->getModel(modelFile, textureScale)
                    : nullptr;
    shadowModel = (theModelFactory != nullptr && shadowModelFile != nullptr)
                      ? theModelFactory->getModel(shadowModelFile, textureScale)
                      : nullptr;
    computeBounds();
    releaseShadowArrays();
    const int vertices = (shadowCaster() != nullptr) ? shadowCaster()->numVertices : 0;
    silhouetteCapacity = 2 * vertices;
    silhouetteIndices = new uint32_t[silhouetteCapacity];
    extrudedVertices = new Vector3[vertices];
    extrudedCapacity = vertices;
}

void SceneObject::computeBounds() {
    const int count = (lod0Model != nullptr) ? lod0Model->numVertices : 0;
    const Vertex* vertices = (lod0Model != nullptr) ? lod0Model->vertices : nullptr;
    if (count <= 0 || vertices == nullptr) {
        boxMin = boxMax = boxCentre = sphereCentre = Vector3(0.0f, 0.0f, 0.0f);
        radius = 0.0f;
        boxMin = boxMin * scale + position;
        boxMax = boxMax * scale + position;
        return;
    }

    boxMin = boxMax = rotate(*orientation, vertices[0].position);
    for (int i = 1; i < count; ++i) {
        const Vector3 p = rotate(*orientation, vertices[i].position);
        boxMin =
            Vector3(std::fmin(boxMin.x, p.x), std::fmin(boxMin.y, p.y), std::fmin(boxMin.z, p.z));
        boxMax =
            Vector3(std::fmax(boxMax.x, p.x), std::fmax(boxMax.y, p.y), std::fmax(boxMax.z, p.z));
    }
    boxCentre = (boxMin + boxMax) / 2.0f;
    sphereCentre = boxCentre;

    // Measured to the unrotated vertices; for the objects that never turn
    // (everything but the bee) that is the same thing.
    radius = 0.0f;
    for (int i = 0; i < count; ++i) {
        const float* v = vertices[i].position;
        radius = std::fmax(radius, distance(sphereCentre, Vector3(v[0], v[1], v[2])));
    }

    boxMin = boxMin * scale + position;
    boxMax = boxMax * scale + position;
}

void SceneObject::drawAxes() {
    const Vector3 toUp = position + up * kAxisLength;
    const Vector3 toSide = position + side * kAxisLength;
    const Vector3 toForward = position + forward * kAxisLength;
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(position.x, position.y, position.z);
    glVertex3f(toUp.x, toUp.y, toUp.z);
    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex3f(position.x, position.y, position.z);
    glVertex3f(toSide.x, toSide.y, toSide.z);
    glColor3f(0.0f, 0.0f, 1.0f);
    glVertex3f(position.x, position.y, position.z);
    glVertex3f(toForward.x, toForward.y, toForward.z);
    glEnd();
}

Vector3 SceneObject::movementDirection() {
    return Vector3(0.0f, 0.0f, 0.0f);
}

void SceneObject::setLodModelFile(const char* name) {
    lodModelFile = name;
    hasLods = true;
}

void SceneObject::loadLodModel() {
    if (lodModelFile != nullptr && theModelFactory != nullptr) {
        lod1Model = theModelFactory->getModel(lodModelFile, textureScale);
    }
}

void SceneObject::getBox(Vector3& min, Vector3& max) const {
    min = boxMin;
    max = boxMax;
}

float SceneObject::worldRadius() const {
    return radius * scale;
}

namespace {
Vector3 toWorld(const SceneObject& o, Vector3 c) {
    return o.position + (o.side * c.x + o.up * c.y + o.forward * c.z) * o.scale;
}
}  // namespace

Vector3 SceneObject::worldSphereCentre() const {
    return toWorld(*this, sphereCentre);
}

Vector3 SceneObject::worldBoxCentre() const {
    return toWorld(*this, boxCentre);
}

void SceneObject::moveForward(float d) {
    position = position + forward * d;
}

void SceneObject::moveSideways(float d) {
    position = position + side * d;
}

void SceneObject::moveUp(float d) {
    position = position + up * d;
}

void SceneObject::pitch(float angle) {
    forward = normalize(forward * std::cos(angle) - up * std::sin(angle));
    up = normalize(cross(forward, side));
}

void SceneObject::yaw(float angle) {
    forward = normalize(forward * std::cos(angle) + side * std::sin(angle));
    side = normalize(cross(up, forward));
}

void SceneObject::roll(float angle) {
    side = normalize(side * std::cos(angle) + up * std::sin(angle));
    up = normalize(cross(forward, side));
}

bool SceneObject::boxesOverlap(const SceneObject& other, Vector3& direction) const {
    if (!(boxMin.x < other.boxMax.x && boxMax.x > other.boxMin.x)) {
        return false;
    }
    if (!(boxMin.y < other.boxMax.y && boxMax.y > other.boxMin.y)) {
        return false;
    }
    if (!(boxMin.z < other.boxMax.z && boxMax.z > other.boxMin.z)) {
        return false;
    }
    const Vector3 away = worldBoxCentre() - other.worldBoxCentre();
    // Coinciding centres have no direction; zero keeps the caller finite.
    direction = (length(away) > 0.0f) ? normalize(away) : Vector3(0.0f, 0.0f, 0.0f);
    return true;
}

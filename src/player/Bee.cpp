#include "player/Bee.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>

#include "assets/Model.h"
#include "math/Matrix4.h"
#include "math/RateStep.h"
#include "scene/ShadowVolume.h"

namespace {

constexpr float kMoveGain = 5.0f;
constexpr float kTurnGain = 10.0f;
// Thrust settles ten times sooner than the other rates, so the bee stops
// creeping forward soon after the key is released.
constexpr float kThrustSnap = 0.0001f;
constexpr float kRateSnap = 0.00001f;

constexpr float kWingTilt = 0.13f;
const char kWingsModel[] = "data/bee_wings.ms3d";
// Where the wings sit on the bee's back, in the bee's model units.
constexpr float kWingsX = 0.0f;
constexpr float kWingsY = 0.65f;
constexpr float kWingsZ = 1.3f;

// Rate added per window width of horizontal motion and per window height of
// vertical motion. Rightward motion must turn right, and side points left.
constexpr double kMouseYawGain = -2.0;
constexpr double kMouseLiftGain = 20.0;

bool finite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

Bee::Bee(float x, float y, float z, float pitchAngle, float yawAngle, float rollAngle, float scale)
    : SceneObject(x, y, z, pitchAngle, yawAngle, rollAngle, scale),
      thrust(0.0f),
      pitchRate(0.0f),
      yawRate(0.0f),
      rollRate(0.0f),
      strafe(0.0f),
      lift(0.0f),
      lastMouseX(-1),
      lastMouseY(-1),
      prevPosition(position),
      prevForward(forward),
      prevUp(up),
      prevSide(side),
      wings(nullptr),
      frameRate(1),
      wingPhase(0),
      warpPointer(glutWarpPointer) {}

Bee::~Bee() {
    delete wings;
}

void Bee::mouseLook(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    const int cx = width / 2;
    const int cy = height / 2;
    if (lastMouseX == -1) {
        lastMouseX = cx;
        lastMouseY = cy;
        warpPointer(cx, cy);
        return;
    }
    look(static_cast<float>(x - lastMouseX), static_cast<float>(lastMouseY - y), width, height);
    if (x >= cx - 1 && x <= cx + 1 && y >= cy - 1 && y <= cy + 1) {
        // Close enough: warping again would only make another event.
        lastMouseX = x;
        lastMouseY = y;
        return;
    }
    // The warp makes a motion event of its own, which then changes nothing.
    lastMouseX = cx;
    lastMouseY = cy;
    warpPointer(cx, cy);
}

void Bee::look(float right, float up, int width, int height) {
    yawRate += right / width * kMouseYawGain;
    lift += up / height * kMouseLiftGain;
}

void Bee::update(int f) {
    prevPosition = position;
    prevSide = side;
    prevUp = up;
    prevForward = forward;
    frameRate = f;

    // The World never passes less than 1; a direct caller that does still
    // gets a finite step.
    const int rate = f < 1 ? 1 : f;
    moveForward(rateStep(thrust, kMoveGain, rate));
    pitch(rateStep(pitchRate, kTurnGain, rate));
    yaw(rateStep(yawRate, kTurnGain, rate));
    roll(rateStep(rollRate, kTurnGain, rate));
    moveSideways(rateStep(strafe, kMoveGain, rate));
    moveUp(rateStep(lift, kMoveGain, rate));

    thrust = decayRate(thrust, kThrustSnap, rate);
    pitchRate = decayRate(pitchRate, kRateSnap, rate);
    yawRate = decayRate(yawRate, kRateSnap, rate);
    rollRate = decayRate(rollRate, kRateSnap, rate);
    strafe = decayRate(strafe, kRateSnap, rate);
    lift = decayRate(lift, kRateSnap, rate);

    if (f > 0) {
        if (wings) {
            wings->pitch(wingPhase == 0 ? kWingTilt : -kWingTilt);
            wings->update(f);
        }
        wingPhase = wingPhase == 0 ? 1 : 0;
    }

    orientation->setAxes(side.x, side.y, side.z, up.x, up.y, up.z, forward.x, forward.y, forward.z);
}

void Bee::draw() {
    // The bee is always drawn: no culling, no level of detail, and it leaves
    // fog and blending alone (the wings, drawn as a plain object, do not).
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glMultMatrixf(orientation->data());
    glScalef(scale, scale, scale);
    glColor3f(color.x, color.y, color.z);
    if (lod0Model) {
        glCallList(lod0Model->getDisplayList());
    }
    if (wings) {
        // The wings' own update tests their bee-relative position against
        // the frustum and may have hidden them.
        wings->setVisible(true);
        wings->draw();
    }
    glPopMatrix();
}

// The bee moves every frame, so it rebuilds only on the every-frame switch
// and ignores the dirty flag. The wings build their volume with the light
// carried into the bee's frame, since they are only ever drawn inside it.
void Bee::castShadow(float x, float y, float z) {
    Model* caster = shadowCaster();
    if (!shadowEveryFrame || caster == nullptr) {
        return;
    }
    lightPositionLocal = ShadowVolume::lightInLocalFrame(*this, x, y, z);
    ShadowVolume::placeFloorCut(*this);
    caster->computeFacing(lightPositionLocal);
    if (wings) {
        wings->castShadow(lightPositionLocal.x, lightPositionLocal.y, lightPositionLocal.z);
    }
    ShadowVolume::collectSilhouette(*this, ShadowVolume::kOneSided);
    ShadowVolume::writeQuads(*this);
}

// No matrix push: the walk brackets the bee, and the wings' transform goes
// on top of the bee's.
void Bee::drawShadowVolume() {
    if (!castsShadow) {
        return;
    }
    SceneObject::drawShadowVolume();
    if (wings) {
        wings->drawShadowVolume();
    }
}

void Bee::loadModel() {
    SceneObject::loadModel();
    delete wings;
    wings = new SceneObject(kWingsX, kWingsY, kWingsZ, 0.0f, 0.0f, 0.0f, 1.0f);
    wings->setModelFile(kWingsModel);
    wings->loadModel();
    wings->setShadowEveryFrame(true);
    wings->setCastsShadow(true);
    wings->placedIn = this;
}

Vector3 Bee::movementDirection() {
    const Vector3 step = position - prevPosition;
    const float len = length(step);
    if (!(len > 0.0f) || !std::isfinite(len)) {
        return Vector3(0.0f, 0.0f, 0.0f);
    }
    return normalize(step);
}

void Bee::restorePrevious() {
    position = prevPosition;
    forward = prevForward;
    up = prevUp;
    side = prevSide;
    thrust = pitchRate = yawRate = rollRate = strafe = lift = 0.0f;
}

void Bee::bounce(float nx, float ny, float nz) {
    const Vector3 n(nx, ny, nz);
    const Vector3 d = movementDirection();
    Vector3 r = d - n * (2.0f * n.dot(d));

    // Into the bee's own frame: x along side, y along up, z along forward.
    Matrix4 toLocal = *orientation;
    toLocal.transpose();
    Matrix4 point(r.x, r.y, r.z);
    point.preMultiply(toLocal);
    r = point.getPoint() * length(position - prevPosition);

    restorePrevious();
    const Vector3 rates = r * static_cast<float>(frameRate);
    // A step that did not move, or a normal that is not a direction, leaves
    // the bee at rest rather than sending it off to infinity.
    if (!finite(rates)) {
        return;
    }
    thrust = rates.z;
    strafe = rates.x;
    lift = rates.y;
}

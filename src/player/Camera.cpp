#include "player/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "math/RateStep.h"

Camera* theCamera = nullptr;

namespace {
constexpr float kTurnGain = 10.0f;
constexpr float kZoomGain = 5.0f;
// Rates closer to zero than this stop dead instead of decaying forever.
constexpr float kRateSnap = 0.00001f;
}  // namespace

Camera::Camera()
    : lookAxis(0.0f, 0.0f, 1.0f),
      up(0.0f, 1.0f, 0.0f),
      distance(3.0f),
      yawRate(0.0f),
      pitchRate(0.0f),
      yaw(0.0f),
      pitch(0.8f),
      zoomRate(0.0f),
      eye(0.0f, 0.0f, 0.0f),
      planes() {}

void Camera::update(int frameRate) {
    yaw += rateStep(yawRate, kTurnGain, frameRate);
    pitch += rateStep(pitchRate, kTurnGain, frameRate);
    distance += rateStep(zoomRate, kZoomGain, frameRate);
    // Decay after the step: a rate added this frame moves the camera at full value once.
    yawRate = decayRate(yawRate, kRateSnap, frameRate);
    pitchRate = decayRate(pitchRate, kRateSnap, frameRate);
    zoomRate = decayRate(zoomRate, kRateSnap, frameRate);
    extractFrustum();
}

void Camera::setFollowRotation(float sideX, float sideY, float sideZ, float upX, float upY,
                               float upZ, float forwardX, float forwardY, float forwardZ) {
    followRotation.setAxes(sideX, sideY, sideZ, upX, upY, upZ, forwardX, forwardY, forwardZ);
}

void Camera::lookAt(float x, float y, float z) {
    viewRotation.setRotation(0, pitch);
    Matrix4 yawRotation;
    yawRotation.setRotation(1, yaw);
    viewRotation.preMultiply(yawRotation);
    viewRotation.preMultiply(followRotation);

    Matrix4 axis(lookAxis.x, lookAxis.y, lookAxis.z);
    axis.preMultiply(viewRotation);
    const Vector3 direction = axis.getPoint();
    eye =
        Vector3(x - direction.x * distance, y - direction.y * distance, z - direction.z * distance);

    gluLookAt(eye.x, eye.y, eye.z, x, y, z, up.x, up.y, up.z);
    // Kept for the next update's frustum: by then the frame has popped the
    // modelview back to the identity.
    glGetFloatv(GL_MODELVIEW_MATRIX, viewMatrix.m);
}

void Camera::extractFrustum() {
    float P[16];
    glGetFloatv(GL_PROJECTION_MATRIX, P);
    const float* M = viewMatrix.m;

    // The clip matrix K = P * M for a symmetric perspective projection: only
    // P's elements 0, 5, 10, 11 and 14 are non-zero.
    float K[16];
    for (size_t i = 0; i < 4; ++i) {
        K[4 * i] = M[4 * i] * P[0];
        K[4 * i + 1] = M[4 * i + 1] * P[5];
        K[4 * i + 2] = M[4 * i + 2] * P[10] + M[4 * i + 3] * P[14];
        K[4 * i + 3] = M[4 * i + 2] * P[11];
    }

    for (size_t j = 0; j < 4; ++j) {
        const float row0 = K[4 * j];
        const float row1 = K[4 * j + 1];
        const float row2 = K[4 * j + 2];
        const float row3 = K[4 * j + 3];
        planes[0][j] = row3 - row0;  // right
        planes[1][j] = row3 + row0;  // left
        planes[2][j] = row3 + row1;  // bottom
        planes[3][j] = row3 - row1;  // top
        planes[4][j] = row3 - row2;  // far
        planes[5][j] = row3 + row2;  // near
    }

    for (float* plane : planes) {
        const float length =
            std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
        for (int j = 0; j < 4; ++j) {
            plane[j] /= length;
        }
    }
}

bool Camera::sphereInFrustum(float x, float y, float z, float radius) const {
    for (const float* plane : planes) {
        if (plane[0] * x + plane[1] * y + plane[2] * z + plane[3] <= -radius) {
            return false;
        }
    }
    return true;
}

Vector3& Camera::setUp(float x, float y, float z) {
    up = Vector3(x, y, z);
    return up;
}

#pragma once

#include "math/Matrix4.h"
#include "math/Vector3.h"
#include "scene/Node.h"

// The chase camera. It orbits its target (the bee) by a yaw angle, a pitch
// angle and a distance, each driven by a rate that keys add to and that
// decays on its own, so the camera swings and settles smoothly.
//
// Frame order: update (angles from rates, then the frustum planes) runs in
// the idle step; setFollowRotation and lookAt run in the next render. The
// planes are taken from the projection and the view of the last lookAt, so
// they are in world coordinates, the space the scene objects test in.
//
// Never put into the scene graph: the World calls update and lookAt itself.
class Camera : public Node {
public:
    // Orientation of the followed object: columns 0..2 are its side, up and
    // forward vectors.
    Matrix4 followRotation;
    // followRotation * Ry(yaw) * Rx(pitch), as of the last lookAt.
    Matrix4 viewRotation;
    // From the eye towards the target, in the rotated frame.
    Vector3 lookAxis;
    // Handed to gluLookAt unrotated, so the horizon stays level whatever the bee's roll.
    Vector3 up;
    float distance;
    float yawRate;
    float pitchRate;
    float yaw;
    float pitch;
    float zoomRate;
    // World position of the eye as of the last lookAt.
    Vector3 eye;
    // Right, left, bottom, top, far, near; (a, b, c, d) with a*x + b*y + c*z + d > 0
    // on the inner side, (a, b, c) of unit length.
    float planes[6][4];
    // The modelview matrix that the last lookAt left (identity before the first).
    Matrix4 viewMatrix;

    Camera();

    // Advances the angles and the distance from their rates, decays the
    // rates, then extracts the frustum planes.
    void update(int frameRate) override;

    void setFollowRotation(float sideX, float sideY, float sideZ, float upX, float upY, float upZ,
                           float forwardX, float forwardY, float forwardZ);
    // Places the eye behind the target and issues gluLookAt on the current
    // modelview matrix. Needs a current GL context.
    void lookAt(float x, float y, float z);
    // Planes of the current projection combined with viewMatrix. Reads the
    // projection matrix, so it needs a current GL context.
    void extractFrustum();
    // False only when the sphere lies wholly outside one plane; touching a
    // plane from outside counts as outside.
    bool sphereInFrustum(float x, float y, float z, float radius) const;

    Vector3 getEyePosition() const { return eye; }
    void addYawRate(float d) { yawRate += d; }
    void addPitchRate(float d) { pitchRate += d; }
    void addZoomRate(float d) { zoomRate += d; }
    void setDistance(float d) { distance = d; }
    // Returns the up vector just set.
    Vector3& setUp(float x, float y, float z);
    Matrix4 getViewRotation() const { return viewRotation; }
};

// Created by the World's constructor before the bee; lives for the whole run.
// Null until then.
extern Camera* theCamera;

#pragma once

#include "math/Vector3.h"
#include "scene/SceneObject.h"

// A scene object moved by forces: the World clears the force, adds gravity
// and integrates once per frame.
class PhysicsObject : public SceneObject {
public:
    float mass;
    Vector3 velocity;  // world units per second
    Vector3 force;     // accumulated this frame

    PhysicsObject(float x, float y, float z, float scale, float vx, float vy, float vz, float mass);

    void clearForce() { force = Vector3(0.0f, 0.0f, 0.0f); }
    void addForce(Vector3 f) { force = force + f; }
    // One frame at the given frames per second, velocity first, so the new
    // velocity moves the object.
    void integrate(float rate);
};

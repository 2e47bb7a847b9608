#include "scene/PhysicsObject.h"

PhysicsObject::PhysicsObject(float x, float y, float z, float scale, float vx, float vy, float vz,
                             float mass)
    : SceneObject(x, y, z, scale), mass(mass), velocity(vx, vy, vz), force(0.0f, 0.0f, 0.0f) {}

void PhysicsObject::integrate(float rate) {
    velocity = velocity + (force / mass) / rate;
    position = position + velocity / rate;
}

#include "scene/Bomb.h"

Bomb::Bomb(float x, float y, float z, float scale, float vx, float vy, float vz, float mass)
    : PhysicsObject(x, y, z, scale, vx, vy, vz, mass), exploded(false), releaseHeight(y) {}

void Bomb::update(int /*frameRate*/) {}

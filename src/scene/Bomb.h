#pragma once

#include "scene/PhysicsObject.h"

// What the player drops. Falls under the World's gravity from the bee's
// position along the bee's forward vector; explodes on an uncollected flower
// (scoring by the height it was dropped from) or below the ground.
class Bomb : public PhysicsObject {
public:
    bool exploded;  // the World removes exploded bombs
    float releaseHeight;

    Bomb(float x, float y, float z, float scale, float vx, float vy, float vz, float mass);

    // Nothing: a bomb is always drawn, with the orientation it was made with.
    void update(int frameRate) override;
    void explode() { exploded = true; }
    float getReleaseHeight() const { return releaseHeight; }
};

#pragma once

#include "math/Vector3.h"
#include "scene/SceneObject.h"

// A scoring target. Unlike a plain scene object a flower is never culled
// (it is small and the player aims at it), switches its level of detail at
// 20 units from its position, is drawn with back-face culling off, casts a
// two-sided shadow volume, and takes its collision sphere from the level
// data instead of the model.
class Flower : public SceneObject {
public:
    float points;  // 0 once collected
    bool collected;
    // Blossom sphere from the level data, in model units relative to the origin.
    Vector3 collisionCentre;
    float collisionRadius;

    Flower(float x, float y, float z, float pitchAngle, float yawAngle, float rollAngle,
           float scale, float points, float sphereX, float sphereY, float sphereZ,
           float sphereRadius);

    // Level of detail only: no culling, and the orientation stays as built.
    void update(int frameRate) override;
    void draw() override;
    // Built once, from both faces of the leaves and petals.
    void castShadow(float x, float y, float z) override;
    // The model box, then the level data's sphere.
    void computeBounds() override;

    // Returns the points, truncated; the flower turns almost black and is
    // worth nothing from then on.
    int collect();
};

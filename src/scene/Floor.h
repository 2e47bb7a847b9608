#pragma once

#include "scene/SceneObject.h"

// One ground tile. The tiles are modelled in world coordinates and the
// ground is flat, so the height is the same everywhere.
class Floor : public SceneObject {
public:
    Floor(float x, float y, float z, float scale);

    // Returns the ground height under (x, z): 0 everywhere.
    float heightAt(float x, float z) const;
    // The world height of the highest corner the tile draws, in top; false
    // for a tile without a model.
    bool surfaceTop(float& top) const;
};

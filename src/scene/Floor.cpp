#include "scene/Floor.h"

Floor::Floor(float x, float y, float z, float scale) : SceneObject(x, y, z, scale) {}

float Floor::heightAt(float /*x*/, float /*z*/) const {
    return 0.0f;
}

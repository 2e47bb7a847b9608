#include "scene/Floor.h"

#include <algorithm>

#include "assets/Model.h"

Floor::Floor(float x, float y, float z, float scale) : SceneObject(x, y, z, scale) {}

float Floor::heightAt(float /*x*/, float /*z*/) const {
    return 0.0f;
}

// From the triangles, not the bounding box: the content tool pads the tiles'
// boxes with two vertices that no triangle uses.
bool Floor::surfaceTop(float& top) const {
    const Model* m = lod0Model;
    if (m == nullptr || m->triangles == nullptr || m->vertices == nullptr) {
        return false;
    }
    bool any = false;
    for (int i = 0; i < m->numTriangles; ++i) {
        for (int index : m->triangles[i].vertexIndices) {
            if (index < 0 || index >= m->numVertices) {
                continue;
            }
            const float* p = m->vertices[index].position;
            const float y = position.y + (side.y * p[0] + up.y * p[1] + forward.y * p[2]) * scale;
            top = any ? std::max(top, y) : y;
            any = true;
        }
    }
    return any;
}

#include "player/MeshCollision.h"

#include <cmath>

#include "assets/Model.h"
#include "scene/SceneObject.h"

namespace {

// Double on purpose: the float results are compared against the exact 0.01.
constexpr double kParallelLimit = 0.01;
constexpr double kNearLimit = 0.01;

Vector3 vertexAt(const Model& model, int index) {
    const float* p = model.vertices[index].position;
    return Vector3(p[0], p[1], p[2]);
}

bool validIndex(const Model& model, int index) {
    return index >= 0 && index < model.numVertices;
}

}  // namespace

bool hitsMesh(const SceneObject& obstacle, SceneObject& mover, Vector3& normal) {
    const Model* model = obstacle.lod0Model;
    if (!model || !model->triangles || !model->vertices) {
        return false;
    }
    // The same for every triangle: the mover does not change during the test.
    const Vector3 d = mover.movementDirection();
    const Vector3 o = mover.worldSphereCentre();
    const float radius = mover.worldRadius();
    for (int i = 0; i < model->numTriangles; ++i) {
        const Triangle& tri = model->triangles[i];
        const Vector3 n = tri.faceNormal;
        const float nd = d.dot(n);
        if (nd >= -kParallelLimit && nd <= kParallelLimit) {
            continue;
        }
        if (!validIndex(*model, tri.vertexIndices[0]) ||
            !validIndex(*model, tri.vertexIndices[1]) ||
            !validIndex(*model, tri.vertexIndices[2])) {
            continue;
        }
        const Vector3 p0 = vertexAt(*model, tri.vertexIndices[0]);
        const float t = n.dot(p0 - o) / nd;
        if (t <= kNearLimit) {
            continue;
        }
        const float reach = std::fabs(radius / nd);
        if (t >= reach) {
            continue;
        }
        const Vector3 q = o + d * t;
        const Vector3 e1 = vertexAt(*model, tri.vertexIndices[1]) - p0;
        const Vector3 e2 = vertexAt(*model, tri.vertexIndices[2]) - p0;
        const Vector3 e3 = q - p0;
        const float d11 = e1.dot(e1);
        const float d12 = e1.dot(e2);
        const float d13 = e1.dot(e3);
        const float d22 = e2.dot(e2);
        const float d23 = e2.dot(e3);
        // A zero-area triangle makes k infinite and u, v infinite or NaN,
        // which fail the tests below.
        const float k = 1.0f / (d11 * d22 - d12 * d12);
        const float u = (d22 * d13 - d12 * d23) * k;
        const float v = (d11 * d23 - d12 * d13) * k;
        if (u > 0.0f && v > 0.0f && u + v < 1.0f) {
            normal = n;
            return true;
        }
    }
    return false;
}

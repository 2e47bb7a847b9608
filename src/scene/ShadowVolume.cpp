#include "scene/ShadowVolume.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "assets/Model.h"
#include "math/Matrix4.h"
#include "scene/SceneObject.h"

namespace {

// How far a silhouette vertex is pushed away from the light, in multiples of
// its distance from the light: far enough to leave the dome.
constexpr float kShadowExtrusion = 10.0f;
// How far below the floor's top a volume ends, in world units: enough that
// depth rounding never lets the cut edge show through the floor.
constexpr float kBelowFloor = 0.25f;

// World height the volumes are cut at; -infinity: not cut.
float cutHeight = -std::numeric_limits<float>::infinity();

Vector3 vertexPosition(const Model& model, int index) {
    const float* p = model.vertices[index].position;
    return Vector3(p[0], p[1], p[2]);
}

void growIndices(SceneObject& o) {
    const int capacity = std::max(2 * o.silhouetteCapacity, 64);
    uint32_t* grown = new uint32_t[capacity];
    std::copy(o.silhouetteIndices, o.silhouetteIndices + o.silhouetteIndexCount, grown);
    delete[] o.silhouetteIndices;
    o.silhouetteIndices = grown;
    o.silhouetteCapacity = capacity;
}

// P pushed away from the light, stopped where its ray passes the floor cut.
// A point already below the cut stays where it is: its quad is out of sight.
void extrude(SceneObject& o, const Model& model, int index) {
    const Vector3 p = vertexPosition(model, index);
    const Vector3 ray = p - o.lightPositionLocal;
    float t = kShadowExtrusion;
    if (std::isfinite(cutHeight)) {
        const float height = o.floorNormalLocal.dot(p) + o.floorOffsetLocal;
        const float climb = o.floorNormalLocal.dot(ray);  // height gained per unit of t
        if (height <= 0.0f) {
            t = 0.0f;
        } else if (climb < 0.0f) {
            t = std::min(t, height / -climb);
        }
    }
    o.extrudedVertices[index] = p + ray * t;
}

// Appends the edge first -> second and extrudes both ends.
void addEdge(SceneObject& o, const Model& model, int first, int second) {
    if (first < 0 || first >= model.numVertices || second < 0 || second >= model.numVertices) {
        return;
    }
    if (o.silhouetteIndexCount + 2 > o.silhouetteCapacity) {
        growIndices(o);
    }
    o.silhouetteIndices[o.silhouetteIndexCount++] = static_cast<uint32_t>(first);
    o.silhouetteIndices[o.silhouetteIndexCount++] = static_cast<uint32_t>(second);
    extrude(o, model, first);
    extrude(o, model, second);
}

enum class Across { kOpen, kLit, kUnlit };

// What lies across edge j of t; an index outside the model counts as open.
Across across(const Model& model, const Triangle& t, int j) {
    const int n = t.neighbours[j];
    if (n < 0 || n >= model.numTriangles) {
        return Across::kOpen;
    }
    return model.triangles[n].facing ? Across::kLit : Across::kUnlit;
}

// Marks the unlit triangles whose unlit region reaches an open edge: the
// backs of sheets. An unlit region that lit triangles close all round is the
// far side of a closed part (a stem, a bud), whose lit side already casts
// the whole shadow; walking it as well would only fill the volume twice.
std::vector<bool> unlitSheets(const Model& model) {
    const auto count = static_cast<size_t>(model.numTriangles);
    std::vector<bool> sheet(count, false);
    std::vector<bool> seen(count, false);
    std::vector<int> region;
    for (size_t start = 0; start < count; ++start) {
        if (seen[start] || model.triangles[start].facing) {
            continue;
        }
        region.assign(1, static_cast<int>(start));
        seen[start] = true;
        bool open = false;
        for (size_t k = 0; k < region.size(); ++k) {
            const Triangle& t = model.triangles[region[k]];
            for (int j = 0; j < 3; ++j) {
                const Across side = across(model, t, j);
                open = open || side == Across::kOpen;
                const auto n = static_cast<size_t>(t.neighbours[j]);
                if (side == Across::kUnlit && !seen[n]) {
                    seen[n] = true;
                    region.push_back(static_cast<int>(n));
                }
            }
        }
        for (int i : region) {
            sheet[static_cast<size_t>(i)] = open;
        }
    }
    return sheet;
}

}  // namespace

Vector3 ShadowVolume::lightInLocalFrame(const SceneObject& object, float x, float y, float z) {
    Matrix4 toLocal;
    toLocal.setTranslation(-object.position.x, -object.position.y, -object.position.z);
    Matrix4 inverseRotation = *object.orientation;
    inverseRotation.transpose();
    toLocal.preMultiply(inverseRotation);
    Matrix4 light(x, y, z);
    light.preMultiply(toLocal);
    return light.getPoint();
}

void ShadowVolume::setFloorHeight(float y) {
    cutHeight = y - kBelowFloor;
}

void ShadowVolume::clearFloorHeight() {
    cutHeight = -std::numeric_limits<float>::infinity();
}

// A model point p lies dot(n, p) + c world units above the cut, where in the
// parent frame it lies dot(nParent, q) + cParent above it and
// q = position + R * scale * p, R the orientation matrix the volume is drawn
// with. Not the axes: a flower keeps the matrix it was built with whatever
// its placement angles, and a bounce puts the bee's axes back a frame before
// its matrix follows.
void ShadowVolume::placeFloorCut(SceneObject& object) {
    Vector3 parentNormal(0.0f, 1.0f, 0.0f);
    float parentOffset = std::isfinite(cutHeight) ? -cutHeight : 0.0f;
    if (object.placedIn != nullptr) {
        parentNormal = object.placedIn->floorNormalLocal;
        parentOffset = object.placedIn->floorOffsetLocal;
    }
    const float* r = object.orientation->data();
    const Vector3 rotated(Vector3(r[0], r[1], r[2]).dot(parentNormal),
                          Vector3(r[4], r[5], r[6]).dot(parentNormal),
                          Vector3(r[8], r[9], r[10]).dot(parentNormal));
    object.floorNormalLocal = rotated * object.scale;
    object.floorOffsetLocal = parentNormal.dot(object.position) + parentOffset;
}

void ShadowVolume::collectSilhouette(SceneObject& object, Sides sides) {
    object.silhouetteIndexCount = 0;
    const Model* model = object.shadowCaster();
    if (model == nullptr || model->triangles == nullptr || model->numVertices <= 0) {
        return;
    }
    if (object.extrudedVertices == nullptr || object.extrudedCapacity < model->numVertices) {
        // Released after a one-off build (flowers), or made for a smaller model.
        delete[] object.extrudedVertices;
        object.extrudedVertices = new Vector3[model->numVertices];
        object.extrudedCapacity = model->numVertices;
    }

    for (int i = 0; i < model->numTriangles; ++i) {
        const Triangle& t = model->triangles[i];
        if (!t.facing) {
            continue;
        }
        for (int j = 0; j < 3; ++j) {
            if (across(*model, t, j) != Across::kLit) {
                addEdge(object, *model, t.vertexIndices[j], t.vertexIndices[(j + 1) % 3]);
            }
        }
    }
    if (sides == kOneSided) {
        return;
    }
    const std::vector<bool> sheet = unlitSheets(*model);
    for (int i = 0; i < model->numTriangles; ++i) {
        const Triangle& t = model->triangles[i];
        if (t.facing || !sheet[static_cast<size_t>(i)]) {
            continue;
        }
        for (int j = 0; j < 3; ++j) {
            if (across(*model, t, j) != Across::kUnlit) {
                addEdge(object, *model, t.vertexIndices[(j + 1) % 3], t.vertexIndices[j]);
            }
        }
    }
}

// The array stays from one rebuild to the next and grows only when the
// silhouette does: a bomb rebuilds every frame, and a new array each time
// kept the heap growing and shrinking all through the frame.
void ShadowVolume::writeQuads(SceneObject& object) {
    const int needed = object.silhouetteIndexCount * 6;
    if (object.shadowQuads == nullptr || needed > object.shadowQuadCapacity) {
        const int capacity = std::max(needed, 2 * object.shadowQuadCapacity);
        delete[] object.shadowQuads;
        object.shadowQuads = new float[static_cast<size_t>(capacity)];
        object.shadowQuadCapacity = capacity;
    }
    if (object.silhouetteIndexCount == 0) {
        return;
    }
    const Model& model = *object.shadowCaster();
    float* out = object.shadowQuads;
    auto put = [&out](Vector3 v) {
        *out++ = v.x;
        *out++ = v.y;
        *out++ = v.z;
    };
    for (int k = 0; k < object.silhouetteIndexCount; k += 2) {
        const int a = static_cast<int>(object.silhouetteIndices[k]);
        const int b = static_cast<int>(object.silhouetteIndices[k + 1]);
        put(vertexPosition(model, b));
        put(vertexPosition(model, a));
        put(object.extrudedVertices[a]);
        put(object.extrudedVertices[b]);
    }
}

void ShadowVolume::drawQuads(const SceneObject& object) {
    if (object.shadowQuads == nullptr || object.silhouetteIndexCount == 0) {
        return;
    }
    // Client state is not saved by glPushAttrib.
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, object.shadowQuads);
    glDrawArrays(GL_QUADS, 0, object.silhouetteIndexCount * 2);
    glPopClientAttrib();
}

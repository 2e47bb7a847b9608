// Feeds arbitrary bytes to the MS3D parser, then runs the per-triangle work a
// loaded model gets. A refused file must leave an empty model; an accepted one
// must have every index in range, finite face normals, and the neighbours of
// the quadratic reference search.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../tests/assets/QuadraticNeighbours.h"
#include "assets/Model.h"
#include "assets/Ms3dParser.h"

namespace {

// Comparing with the reference costs n^2; small meshes cover its rules.
constexpr int kReferenceLimit = 300;

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

void checkIndices(const Model& m) {
    for (int i = 0; i < m.numTriangles; ++i) {
        for (int v : m.triangles[i].vertexIndices) {
            check(v >= 0 && v < m.numVertices);
        }
    }
    for (int g = 0; g < m.numGroups; ++g) {
        const Mesh& mesh = m.groups[g];
        check(mesh.materialIndex == -1 ||
              (mesh.materialIndex >= 0 && mesh.materialIndex < m.numMaterials));
        for (int k = 0; k < mesh.numTriangles; ++k) {
            check(mesh.triangleIndices[k] >= 0 && mesh.triangleIndices[k] < m.numTriangles);
        }
    }
    for (int k = 0; k < m.numMaterials; ++k) {
        check(m.materials[k].textureName != nullptr &&
              std::strlen(m.materials[k].textureName) <= 128);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Model model;
    std::string reason;
    if (!Ms3dParser::parse(data, size, model, reason)) {
        check(!reason.empty());
        check(model.numVertices == 0 && model.numTriangles == 0 && model.numGroups == 0 &&
              model.numMaterials == 0);
        check(model.vertices == nullptr && model.triangles == nullptr && model.groups == nullptr &&
              model.materials == nullptr);
        return 0;
    }
    checkIndices(model);

    model.computeFaceNormals();
    for (int i = 0; i < model.numTriangles; ++i) {
        const Vector3& n = model.triangles[i].faceNormal;
        check(std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z));
    }

    model.findNeighbours();
    if (model.numTriangles <= kReferenceLimit) {
        std::vector<Triangle> reference(model.triangles, model.triangles + model.numTriangles);
        for (Triangle& t : reference) {
            t.neighbours[0] = t.neighbours[1] = t.neighbours[2] = -1;
        }
        quadraticNeighbours(reference.data(), model.numTriangles);
        for (int i = 0; i < model.numTriangles; ++i) {
            check(std::memcmp(reference[i].neighbours, model.triangles[i].neighbours,
                              sizeof reference[i].neighbours) == 0);
        }
    }

    model.computeFacing(Vector3(-20.0f, 100.0f, 0.0f));
    Ms3dParser::release(model);
    return 0;
}

#include "support/MeshModel.h"

#include <cstddef>

MeshModel::MeshModel(const Positions& positions, const Corners& triangles) {
    model.numVertices = static_cast<int>(positions.size());
    model.vertices = new Vertex[positions.size()];
    for (std::size_t i = 0; i < positions.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            model.vertices[i].position[c] = positions[i][c];
        }
    }
    model.numTriangles = static_cast<int>(triangles.size());
    model.triangles = new Triangle[triangles.size()]();
    model.numGroups = 1;
    model.groups = new Mesh[1];
    model.groups[0].materialIndex = -1;
    model.groups[0].numTriangles = model.numTriangles;
    model.groups[0].triangleIndices = new int[triangles.size()];
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            model.triangles[i].vertexIndices[c] = triangles[i][c];
        }
        model.triangles[i].facing = false;
        model.groups[0].triangleIndices[i] = static_cast<int>(i);
    }
    model.computeFaceNormals();
    model.findNeighbours();
}

MeshModel::~MeshModel() {
    delete[] model.vertices;
    delete[] model.triangles;
    if (model.groups != nullptr) {
        delete[] model.groups[0].triangleIndices;
    }
    delete[] model.groups;
}

Ms3dWriter MeshModel::toFile() const {
    Ms3dWriter w;
    for (int i = 0; i < model.numVertices; ++i) {
        const float* p = model.vertices[i].position;
        w.vertices.push_back({p[0], p[1], p[2]});
    }
    w.groups.push_back(Ms3dWriter::Group{});
    for (int i = 0; i < model.numTriangles; ++i) {
        Ms3dWriter::Triangle t{};
        for (int c = 0; c < 3; ++c) {
            t.vertexIndices[c] = static_cast<uint16_t>(model.triangles[i].vertexIndices[c]);
        }
        w.triangles.push_back(t);
        w.groups[0].triangleIndices.push_back(static_cast<uint16_t>(i));
    }
    return w;
}

MeshModel* MeshModel::cube(std::array<float, 3> c, float h) {
    Positions p;
    for (int i = 0; i < 8; ++i) {
        p.push_back(
            {c[0] + ((i & 1) ? h : -h), c[1] + ((i & 2) ? h : -h), c[2] + ((i & 4) ? h : -h)});
    }
    // Vertex i has +x when bit 0 is set, +y with bit 1, +z with bit 2.
    const Corners t = {
        {0, 4, 6}, {0, 6, 2},  // -x
        {1, 3, 7}, {1, 7, 5},  // +x
        {0, 1, 5}, {0, 5, 4},  // -y
        {2, 6, 7}, {2, 7, 3},  // +y
        {0, 2, 3}, {0, 3, 1},  // -z
        {4, 5, 7}, {4, 7, 6},  // +z
    };
    return new MeshModel(p, t);
}

MeshModel* MeshModel::doubleSidedSquare() {
    const Positions p = {{-1, 0, 1}, {1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
                         {-1, 0, 1}, {1, 0, 1}, {1, 0, -1}, {-1, 0, -1}};
    const Corners t = {{0, 1, 2}, {0, 2, 3}, {4, 6, 5}, {4, 7, 6}};
    return new MeshModel(p, t);
}

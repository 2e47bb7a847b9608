#pragma once

#include <array>
#include <vector>

#include "assets/Model.h"
#include "assets/Ms3dWriter.h"

// An in-memory Model built from positions and corner indices, with face
// normals and neighbours computed by Model itself, one group listing every
// triangle, and every triangle's facing flag false. Frees what it allocated.
class MeshModel {
public:
    using Positions = std::vector<std::array<float, 3>>;
    using Corners = std::vector<std::array<int, 3>>;

    Model model;

    MeshModel(const Positions& positions, const Corners& triangles);
    ~MeshModel();
    MeshModel(const MeshModel&) = delete;
    MeshModel& operator=(const MeshModel&) = delete;

    Model* get() { return &model; }

    // The same mesh as a MilkShape file: one group without a material.
    Ms3dWriter toFile() const;

    // Axis-aligned cube around `centre`, half-size h, counter-clockwise seen from outside.
    static MeshModel* cube(std::array<float, 3> centre, float h);
    // A flat square of side 2 in the plane y = 0, centred on the origin, with
    // a counter-clockwise top (seen from +y) and a bottom of its own vertices.
    static MeshModel* doubleSidedSquare();
};

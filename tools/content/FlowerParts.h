#pragma once

#include "content/MeshBuilder.h"
#include "content/Shapes.h"

// Parts the flowers share. Every part is a closed solid, so a whole flower
// is closed and its shadow volume has no open edges.

// How finely a flower is built: LOD0 near the camera, LOD1 far away.
struct FlowerDetail {
    int around;   // segments around stems
    int along;    // stations along stems, leaves and petals
    int flat;     // segments around the thin section of a petal or leaf
    bool extras;  // small decorations (buds, extra leaves)
};
FlowerDetail flowerDetail(int lod);

// A stem through the given points, radius from `r0` at the start to `r1` at the end.
void addStem(MeshBuilder& mesh, const std::vector<Vec3>& path, double r0, double r1,
             const FlowerDetail& d, const UvRect& uv);

// A thin blade (petal or leaf) along a curve. `path` runs base to tip; `face`
// is the normal of the blade's upper side at the base; the blade's width
// profile is `width` x sin(pi t^shape) (0 at both ends). cup > 0 raises its
// edges toward `face` (a trough), cup < 0 bends them away (a dome).
struct Blade {
    std::vector<Vec3> path;
    Vec3 face;
    double width = 1.0;
    double shape = 0.6;
    double thickness = 0.05;
    double cup = 0.0;
};
void addBlade(MeshBuilder& mesh, const Blade& blade, const FlowerDetail& d, const UvRect& uv);

// A smooth curve through control points (Catmull-Rom), `count` points long.
std::vector<Vec3> smoothPath(const std::vector<Vec3>& controls, int count);

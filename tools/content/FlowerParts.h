#pragma once

#include "content/MeshBuilder.h"
#include "content/Shapes.h"

// Parts the flowers share. Stems are closed solids; leaves are single
// sheets, which the game draws from both sides (blossoms: FlowerHeads.h).
//
// A flower's shadow volume is built once from its LOD0 model with a
// two-sided silhouette: every outline edge of a sheet gives one quad, every
// silhouette edge of a solid two. The shadow pass fills all of them each
// frame, so the sheets are kept to few edges along their outline.

// How finely a flower is built: LOD0 near the camera, LOD1 far away.
struct FlowerDetail {
    int around;    // segments around stems
    int along;     // stations along stems
    int stations;  // stations along a petal or leaf, tip and base included
    int across;    // strips across a petal or leaf (even: one edge runs down the middle)
    bool extras;   // finer blossoms and more leaves
};
FlowerDetail flowerDetail(int lod);

// A stem through the given points, radius from `r0` at the start to `r1` at the end.
void addStem(MeshBuilder& mesh, const std::vector<Vec3>& path, double r0, double r1,
             const FlowerDetail& d, const UvRect& uv);

// A blade (petal or leaf): one sheet along a curve, pointed at both ends.
// `path` runs base to tip; `face` is the normal of its front at the base; its
// half-width is `width` x sin(pi t^shape). cup > 0 raises its edges toward
// `face` (a trough), cup < 0 bends them away (a dome). Its texture spans the
// picture's front half (u 0..0.5, midrib at 0.25), v from base to tip.
struct Blade {
    std::vector<Vec3> path;
    Vec3 face;
    double width = 1.0;
    double shape = 0.6;
    double cup = 0.0;
};
void addBlade(MeshBuilder& mesh, const Blade& blade, const FlowerDetail& d, const UvRect& uv);

// A smooth curve through control points (Catmull-Rom), `count` points long.
std::vector<Vec3> smoothPath(const std::vector<Vec3>& controls, int count);

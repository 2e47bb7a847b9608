#pragma once

#include <functional>
#include <vector>

#include "content/MeshBuilder.h"

// The few surface kinds every model is made of. Closed shapes come out
// watertight by construction (each seam and pole is one shared vertex) and
// facing outward; open patches face the way the caller asks.

// Where a shape's texture coordinates land in the picture (u right, v down).
struct UvRect {
    double u0 = 0.0, v0 = 0.0, u1 = 1.0, v1 = 1.0;
};

// A closed tube of rings: ring k has `segments` points around; the first and
// last rings are closed with a fan to their centre, or are single pole points
// when `poleStart` / `poleEnd` is set (point(k, 0) is then the pole).
// Texture u runs around the rings, v along them.
struct RingSurface {
    int rings = 2;
    int segments = 8;
    bool poleStart = false;
    bool poleEnd = false;
    std::function<Vec3(int ring, int segment)> point;
};
// Returns the index of the first triangle added.
int addRingSurface(MeshBuilder& mesh, const RingSurface& surface, const UvRect& uv);

// One station of a swept shape: a cross-section around `centre` in the plane
// spanned by `side` and `up` (both unit, perpendicular to the path), an
// ellipse of half-width `width` and half-height `height`, bent by `cup`
// along `up` at its sides (positive: a U open upward). Zero width and
// height make a pointed end.
struct SweepStation {
    Vec3 centre;
    Vec3 side;
    Vec3 up;
    double width = 0.0;
    double height = 0.0;
    double cup = 0.0;
};
// phase turns the ring's first point; four segments with a phase give a box
// section whose corners are at the full width and height.
int addSweep(MeshBuilder& mesh, const std::vector<SweepStation>& stations, int segments,
             const UvRect& uv, double phase = 0.0);

// Stations along a polyline path with radius per point; cross-section frames
// follow the path without twisting (parallel transport).
std::vector<SweepStation> tubeStations(const std::vector<Vec3>& path,
                                       const std::vector<double>& radii);

// A surface of revolution about the vertical axis through `base`; profile
// points are (radius, height) from bottom to top, and a zero radius at either
// end closes that end in a pole.
// An ellipsoid with radii along the unit axes a, b and the pole axis c
// (a x b = c keeps it right-handed; the winding is fixed either way).
int addEllipsoid(MeshBuilder& mesh, const Vec3& centre, const Vec3& a, const Vec3& b, const Vec3& c,
                 const Vec3& radii, int rings, int segments, const UvRect& uv);

int addLathe(MeshBuilder& mesh, const Vec3& base,
             const std::vector<std::pair<double, double>>& profile, int segments, const UvRect& uv);
// The same about the unit `axis` through `base`: heights are along the axis.
// radiusScale(angle, height) may shape the ring (1 keeps it round).
int addAxisLathe(MeshBuilder& mesh, const Vec3& base, const Vec3& axis,
                 const std::vector<std::pair<double, double>>& profile, int segments,
                 const UvRect& uv,
                 const std::function<double(double angle, double height)>& radiusScale = nullptr);

// An open grid of (columns x rows) quads over point(s, t), s and t in [0, 1].
// With wrapS the last column joins the first. Each quad is wound so that its
// front faces along front(p) at its centre.
struct Patch {
    int columns = 1;
    int rows = 1;
    bool wrapS = false;
    // The row at t = 1 is the single point point(0, 1): the last row of quads
    // becomes a fan of triangles.
    bool poleEnd = false;
    std::function<Vec3(double s, double t)> point;
    std::function<Vec3(const Vec3& p)> front;
    // Optional: the texture coordinate of grid corner (column, row) as seen
    // from the quad (quadColumn, quadRow) it belongs to, for pictures that
    // repeat per quad block. Without it the grid spans the UvRect once.
    std::function<std::pair<double, double>(int quadColumn, int quadRow, int column, int row)>
        uvFor;
};
int addPatch(MeshBuilder& mesh, const Patch& patch, const UvRect& uv);

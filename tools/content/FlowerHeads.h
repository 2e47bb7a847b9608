#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "content/MeshBuilder.h"
#include "content/Shapes.h"

// Blossoms as one open sheet each. Seen from the light, a sheet whose
// triangles all turn the same way to it casts a volume walled by its outline
// alone; every separate petal, every closed solid (walled twice by the
// flowers' two-sided silhouette) and every fold across the light adds walls
// of its own, and the shadow pass fills all of them twice a frame. So a
// blossom is one sheet that widens away from the light: a cup whose radius
// only grows toward its rim, or a flat head whose petals grow out of its disc.

// A cup round `axis` (tulip, bell): from a point at `base` out to an open rim.
// Front outward.
struct Cup {
    Vec3 base;
    Vec3 axis;
    // (radius, height along the axis) from the foot to the rim; the foot's
    // radius is 0, the radii grow from there.
    std::vector<std::pair<double, double>> profile;
    // Petals round the rim: each shows the whole of the picture across.
    int petals = 1;
    // (radius factor, added height) at `angle` round the axis, the lobe
    // centres at angle 2 pi k / petals, and t from 0 at the foot to 1 at the rim.
    std::function<std::pair<double, double>(double angle, double t)> shape;
};
void addCup(MeshBuilder& mesh, const Cup& cup, int segmentsPerPetal, const UvRect& uv);

// A flower head (sunflower, cosmos): a domed disc ringed by petals, one sheet
// with its front toward `facing`.
struct Wheel {
    Vec3 centre;
    Vec3 facing;
    int petals = 8;
    double discRadius = 1.0;
    double dome = 0.2;  // how far the disc's centre stands out of its rim
    double petalLength = 1.0;
    // A petal's edge as the fraction of petalLength it reaches at lobe
    // position -0.5 (the gap before it) .. 0 (its tip) .. 0.5.
    std::function<double(double lobe)> outline;
    double lift = 0.1;   // radians the petals rise toward the facing
    double droop = 0.1;  // how far the tips bend back, in petal lengths
    // Each petal takes the front half of this picture (u 0..0.5 across, v
    // from its foot to its tip).
    UvRect petalPicture;
    // The disc runs round this picture in u and from `discFaceRim` (its rim)
    // to 1 (its centre) in v, both relative to the rectangle.
    UvRect discPicture;
    double discFaceRim = 0.0;
};
// `rings` across the petals and as many across the disc.
void addWheel(MeshBuilder& mesh, const Wheel& wheel, int segmentsPerPetal, int rings);

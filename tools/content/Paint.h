#pragma once

#include <cmath>

#include "content/Color.h"
#include "content/Shapes.h"

// Small helpers the picture painters share.
namespace paint {

inline double fract(double x) {
    return x - std::floor(x);
}

// Position (u, v) relative to an atlas region: (0, 0) at its top left, (1, 1)
// at its bottom right (set even outside). False when (u, v) lies outside it.
inline bool inRegion(const UvRect& r, double u, double v, double& lu, double& lv) {
    lu = (u - r.u0) / (r.u1 - r.u0);
    lv = (v - r.v0) / (r.v1 - r.v0);
    return u >= r.u0 && u < r.u1 && v >= r.v0 && v < r.v1;
}

// For a blade's texture u (around its thin section: top face 0..0.5, bottom
// 0.5..1): 0 on the midrib of either face, 1 at the edges.
inline double fromMidrib(double u) {
    return std::fabs(fract(2.0 * u) - 0.5) * 2.0;
}
// True on the blade's upper face.
inline bool upperFace(double u) {
    return fract(u) < 0.5;
}

// A soft line of half-width w around 0: 1 on it, 0 away from it.
inline double line(double distance, double w) {
    return 1.0 - smoothstep(0.0, w, std::fabs(distance));
}

}  // namespace paint

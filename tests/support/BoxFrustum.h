#pragma once

#include "player/Camera.h"

// Frustum planes of the box |x|, |y|, |z| < half, written straight into the
// camera so sphere tests run without a GL context. Normals point inward.
inline void setBoxFrustum(Camera& camera, float half) {
    const float normals[6][3] = {{-1, 0, 0}, {1, 0, 0},  {0, 1, 0},
                                 {0, -1, 0}, {0, 0, -1}, {0, 0, 1}};
    for (int p = 0; p < 6; ++p) {
        for (int j = 0; j < 3; ++j) {
            camera.planes[p][j] = normals[p][j];
        }
        camera.planes[p][3] = half;
    }
}

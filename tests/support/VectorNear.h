#pragma once

#include <gtest/gtest.h>

#include "math/Vector3.h"

// Each component of v within tolerance of (x, y, z); 0 asks for exact values.
inline void expectNear(const Vector3& v, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

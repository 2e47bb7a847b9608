#include "math/Vector3.h"

#include <gtest/gtest.h>

#include "support/VectorNear.h"

TEST(Vector3, ArithmeticIsComponentwiseAndCrossIsRightHanded) {
    const Vector3 a(1.0f, 2.0f, 3.0f), b(-4.0f, 0.5f, 10.0f);
    expectNear(a + b, -3.0f, 2.5f, 13.0f, 0);
    expectNear(a - b, 5.0f, 1.5f, -7.0f, 0);
    expectNear(a * 2.0f, 2.0f, 4.0f, 6.0f, 0);
    expectNear(b / 2.0f, -2.0f, 0.25f, 5.0f, 0);
    EXPECT_FLOAT_EQ(a.dot(b), -4.0f + 1.0f + 30.0f);
    EXPECT_FLOAT_EQ(a.dot(0.0f, 0.0f, 1.0f), 3.0f);

    const Vector3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    expectNear(cross(x, y), 0, 0, 1, 0);
    expectNear(cross(y, x), 0, 0, -1, 0);
    // The game's frame identities: up = forward x side, side = up x forward.
    expectNear(cross(z, x), 0, 1, 0, 0);
    expectNear(cross(y, z), 1, 0, 0, 0);
    expectNear(cross(a, b), 2.0f * 10.0f - 3.0f * 0.5f, 3.0f * -4.0f - 1.0f * 10.0f,
               1.0f * 0.5f - 2.0f * -4.0f, 0);

    // Each operation rounds only its own result, from double precision.
    const Vector3 big(1e8f, 0, 0);
    EXPECT_EQ(((big + x) - big).x, static_cast<float>(double(static_cast<float>(1e8 + 1.0)) - 1e8));
    const Vector3 wide(16777217.0f, 1.0f, 0.0f);
    EXPECT_EQ(wide.dot(1.0f, 1.0f, 0.0f), static_cast<float>(double(wide.x) + 1.0));
}

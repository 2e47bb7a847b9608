#include "math/Vector3.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Vector3, ArithmeticIsComponentwise) {
    const Vector3 a(1.0f, 2.0f, 3.0f);
    const Vector3 b(-4.0f, 0.5f, 10.0f);
    const Vector3 sum = a + b;
    const Vector3 diff = a - b;
    const Vector3 scaled = a * 2.0f;
    const Vector3 divided = b / 2.0f;
    EXPECT_FLOAT_EQ(sum.x, -3.0f);
    EXPECT_FLOAT_EQ(sum.y, 2.5f);
    EXPECT_FLOAT_EQ(sum.z, 13.0f);
    EXPECT_FLOAT_EQ(diff.x, 5.0f);
    EXPECT_FLOAT_EQ(diff.y, 1.5f);
    EXPECT_FLOAT_EQ(diff.z, -7.0f);
    EXPECT_FLOAT_EQ(scaled.z, 6.0f);
    EXPECT_FLOAT_EQ(divided.x, -2.0f);
    EXPECT_FLOAT_EQ(a.dot(b), -4.0f + 1.0f + 30.0f);
    EXPECT_FLOAT_EQ(a.dot(0.0f, 0.0f, 1.0f), 3.0f);
}

TEST(Vector3, CrossIsRightHandedAndOrderMatters) {
    const Vector3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    const Vector3 xy = cross(x, y);
    EXPECT_FLOAT_EQ(xy.x, 0.0f);
    EXPECT_FLOAT_EQ(xy.y, 0.0f);
    EXPECT_FLOAT_EQ(xy.z, 1.0f);
    const Vector3 yx = cross(y, x);
    EXPECT_FLOAT_EQ(yx.z, -1.0f);
    // The game's frame identities: up = forward x side, side = up x forward.
    const Vector3 up = cross(z, x);
    EXPECT_FLOAT_EQ(up.y, 1.0f);
    const Vector3 side = cross(y, z);
    EXPECT_FLOAT_EQ(side.x, 1.0f);
}

TEST(Vector3, LengthNormalizeDistance) {
    EXPECT_FLOAT_EQ(length(Vector3(3, 4, 12)), 13.0f);
    const Vector3 n = normalize(Vector3(0, -5, 0));
    EXPECT_FLOAT_EQ(n.y, -1.0f);
    EXPECT_FLOAT_EQ(n.x, 0.0f);
    EXPECT_FLOAT_EQ(distance(Vector3(1, 1, 1), Vector3(4, 5, 1)), 5.0f);
    // No guard: callers that can meet a zero vector must check for themselves.
    const Vector3 bad = normalize(Vector3(0, 0, 0));
    EXPECT_TRUE(std::isnan(bad.x) && std::isnan(bad.y) && std::isnan(bad.z));
}

TEST(Vector3, RoundsOnceFromDoublePrecision) {
    // 1e8 + 1 - 1e8 in float arithmetic would lose the 1 in the middle step;
    // here each operation rounds only its own result.
    const Vector3 big(1e8f, 0, 0);
    const Vector3 one(1.0f, 0, 0);
    const Vector3 r = (big + one) - big;
    EXPECT_EQ(r.x, static_cast<float>(double(static_cast<float>(1e8 + 1.0)) - 1e8));
    // The dot product is formed in double and rounded once.
    const Vector3 a(16777217.0f, 1.0f, 0.0f);
    EXPECT_EQ(a.dot(1.0f, 1.0f, 0.0f), static_cast<float>(double(a.x) + 1.0));
}

#include "math/Matrix4.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Matrix4 fromValues(float base) {
    Matrix4 m;
    for (int i = 0; i < 16; ++i) {
        m.m[i] = base + static_cast<float>(i);
    }
    return m;
}

Vector3 transformPoint(const Matrix4& M, Vector3 p) {
    Matrix4 point(p.x, p.y, p.z);
    point.preMultiply(M);
    return point.getPoint();
}

}  // namespace

TEST(Matrix4, ConstructorsAndSetters) {
    Matrix4 id;
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(id.m[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;
    }
    Matrix4 p(2, 3, 4);
    EXPECT_EQ(p.m[0], 2.0f);
    EXPECT_EQ(p.m[1], 3.0f);
    EXPECT_EQ(p.m[2], 4.0f);
    EXPECT_EQ(p.m[3], 1.0f);
    EXPECT_EQ(p.m[5], 0.0f);
    EXPECT_EQ(p.m[15], 0.0f);

    Matrix4 t;
    t.setTranslation(5, 6, 7);
    EXPECT_EQ(t.m[12], 5.0f);
    EXPECT_EQ(t.m[13], 6.0f);
    EXPECT_EQ(t.m[14], 7.0f);
    EXPECT_EQ(t.m[15], 1.0f);
    EXPECT_EQ(t.m[3], 0.0f);

    Matrix4 s = fromValues(1);
    s.setScale(2, 3, 4);
    EXPECT_EQ(s.m[0], 2.0f);
    EXPECT_EQ(s.m[5], 3.0f);
    EXPECT_EQ(s.m[10], 4.0f);
    EXPECT_EQ(s.m[12], 0.0f);
    EXPECT_EQ(s.m[1], 0.0f);

    Matrix4 z = fromValues(1);
    z.setZero();
    for (float e : z.m) {
        EXPECT_EQ(e, 0.0f);
    }
}

TEST(Matrix4, RotationsTurnTheRightWay) {
    const float a = static_cast<float>(M_PI / 2);
    Matrix4 rz;
    rz.setRotation(2, a);
    const Vector3 x = transformPoint(rz, Vector3(1, 0, 0));
    EXPECT_NEAR(x.x, 0.0f, 1e-6f);
    EXPECT_NEAR(x.y, 1.0f, 1e-6f);  // x turns toward y

    Matrix4 rx;
    rx.setRotation(0, a);
    const Vector3 y = transformPoint(rx, Vector3(0, 1, 0));
    EXPECT_NEAR(y.z, 1.0f, 1e-6f);  // y turns toward z

    Matrix4 ry;
    ry.setRotation(1, a);
    const Vector3 zz = transformPoint(ry, Vector3(0, 0, 1));
    EXPECT_NEAR(zz.x, 1.0f, 1e-6f);  // z turns toward x

    // The exact element layout, which the camera relies on.
    const float c = std::cos(0.3f), sn = std::sin(0.3f);
    ry.setRotation(1, 0.3f);
    EXPECT_FLOAT_EQ(ry.m[0], c);
    EXPECT_FLOAT_EQ(ry.m[2], -sn);
    EXPECT_FLOAT_EQ(ry.m[8], sn);
    EXPECT_FLOAT_EQ(ry.m[10], c);
    rx.setRotation(0, 0.3f);
    EXPECT_FLOAT_EQ(rx.m[6], sn);
    EXPECT_FLOAT_EQ(rx.m[9], -sn);

    for (int axis : {-1, 3, 7}) {
        Matrix4 r = fromValues(3);
        r.setRotation(axis, 1.0f);
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(r.m[i], (i % 5 == 0) ? 1.0f : 0.0f) << "axis " << axis << " element " << i;
        }
    }
}

TEST(Matrix4, ProductOrderAndPointTransform) {
    Matrix4 t;
    t.setTranslation(10, 0, 0);
    Matrix4 r;
    r.setRotation(2, static_cast<float>(M_PI / 2));

    // multiply(A, B) is A x B: applied to a point, B acts first.
    float* tr = Matrix4::multiply(t, r);
    Matrix4 TR;
    for (int i = 0; i < 16; ++i) {
        TR.m[i] = tr[i];
    }
    delete[] tr;
    const Vector3 p = transformPoint(TR, Vector3(1, 0, 0));
    EXPECT_NEAR(p.x, 10.0f, 1e-5f);
    EXPECT_NEAR(p.y, 1.0f, 1e-5f);

    // postMultiply appends on the right, preMultiply on the left.
    Matrix4 a = t;
    a.postMultiply(r);  // T x R
    Matrix4 b = r;
    b.preMultiply(t);  // T x R
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(a.m[i], TR.m[i]);
        EXPECT_FLOAT_EQ(b.m[i], TR.m[i]);
    }
    Matrix4 c = t;
    c.preMultiply(r);  // R x T: translate first, then turn
    const Vector3 q = transformPoint(c, Vector3(1, 0, 0));
    EXPECT_NEAR(q.x, 0.0f, 1e-5f);
    EXPECT_NEAR(q.y, 11.0f, 1e-5f);

    // A matrix may be its own operand.
    Matrix4 sq = fromValues(1);
    const Matrix4 original = sq;
    float* expected = Matrix4::multiply(original, original);
    sq.postMultiply(sq);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(sq.m[i], expected[i]);
    }
    delete[] expected;

    // Column-major element check: row 0 of A times column 0 of B.
    const Matrix4 A = fromValues(0), B = fromValues(16);
    float* ab = Matrix4::multiply(A, B);
    EXPECT_FLOAT_EQ(ab[0], 0 * 16 + 4 * 17 + 8 * 18 + 12 * 19);
    EXPECT_FLOAT_EQ(ab[4 * 1 + 2], 2 * 20 + 6 * 21 + 10 * 22 + 14 * 23);
    delete[] ab;
}

TEST(Matrix4, TransposeAndSetAxes) {
    Matrix4 m = fromValues(1);
    m.transpose();
    EXPECT_EQ(m.m[1], 5.0f);
    EXPECT_EQ(m.m[4], 2.0f);
    EXPECT_EQ(m.m[12], 4.0f);
    EXPECT_EQ(m.m[0], 1.0f);
    m.transpose();
    const Matrix4 original = fromValues(1);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(m.m[i], original.m[i]);
    }

    Matrix4 t;
    t.setTranslation(7, 8, 9);
    t.m[3] = 0.5f;
    t.m[7] = 0.25f;
    t.m[11] = 0.125f;
    t.setAxes(0, 0, -1, 0, 1, 0, 1, 0, 0);
    EXPECT_EQ(t.m[12], 7.0f);
    EXPECT_EQ(t.m[13], 8.0f);
    EXPECT_EQ(t.m[14], 9.0f);
    EXPECT_EQ(t.m[3], 0.5f);
    EXPECT_EQ(t.m[7], 0.25f);
    EXPECT_EQ(t.m[11], 0.125f);
    EXPECT_EQ(t.m[2], -1.0f);
    EXPECT_EQ(t.m[8], 1.0f);
    EXPECT_EQ(t.m[15], 1.0f);
}

#include "math/Matrix4.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace {

using Elements = std::array<float, 16>;  // column-major, as GL reads them

const Elements kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

Matrix4 fromValues(float base) {
    Matrix4 m;
    for (int i = 0; i < 16; ++i) {
        m.m[i] = base + static_cast<float>(i);
    }
    return m;
}

void expectElements(const float* m, const Elements& want, float tolerance = 0.0f) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(m[i], want[i], tolerance) << "element " << i;
    }
}

}  // namespace

TEST(Matrix4, ConstructorsAndSettersWriteWholeMatrices) {
    // Every setter starts from scratch: nothing of the old values survives.
    const float c = std::cos(0.3f), s = std::sin(0.3f);
    struct Case {
        const char* what;
        void (*set)(Matrix4&);
        Elements want;
    };
    const Case cases[] = {
        {"identity", [](Matrix4& m) { m.setIdentity(); }, kIdentity},
        {"zero", [](Matrix4& m) { m.setZero(); }, {}},
        {"translation",
         [](Matrix4& m) { m.setTranslation(5, 6, 7); },
         {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1}},
        {"scale",
         [](Matrix4& m) { m.setScale(2, 3, 4); },
         {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1}},
        // The exact rotation layouts, which the camera relies on.
        {"rotation x",
         [](Matrix4& m) { m.setRotation(0, 0.3f); },
         {1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1}},
        {"rotation y",
         [](Matrix4& m) { m.setRotation(1, 0.3f); },
         {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1}},
        {"rotation z",
         [](Matrix4& m) { m.setRotation(2, 0.3f); },
         {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
        {"no such axis", [](Matrix4& m) { m.setRotation(3, 1.0f); }, kIdentity},
        {"negative axis", [](Matrix4& m) { m.setRotation(-1, 1.0f); }, kIdentity},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Matrix4 m = fromValues(3);
        k.set(m);
        expectElements(m.m, k.want, 1e-7f);
    }
    expectElements(Matrix4().m, kIdentity);
    expectElements(Matrix4(2, 3, 4).m, {2, 3, 4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

    // setAxes writes the three columns and m[15] only.
    Matrix4 t;
    t.setTranslation(7, 8, 9);
    t.m[3] = 0.5f;
    t.m[7] = 0.25f;
    t.m[11] = 0.125f;
    t.setAxes(0, 0, -1, 0, 1, 0, 1, 0, 0);
    expectElements(t.m, {0, 0, -1, 0.5f, 0, 1, 0, 0.25f, 1, 0, 0, 0.125f, 7, 8, 9, 1});
}

TEST(Matrix4, ProductOrderTransposeAndPointTransform) {
    Matrix4 t, r;
    t.setTranslation(10, 0, 0);
    r.setRotation(2, static_cast<float>(M_PI / 2));
    // multiply(A, B) is A x B: T x R turns first, then moves; R x T turns the move too.
    const Elements tr = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 10, 0, 0, 1};
    const Elements rt = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 10, 0, 1};
    const std::unique_ptr<float[]> product(Matrix4::multiply(t, r));
    expectElements(product.get(), tr, 1e-6f);
    // postMultiply appends on the right, preMultiply on the left.
    Matrix4 a = t, b = r, c = t;
    a.postMultiply(r);
    b.preMultiply(t);
    c.preMultiply(r);
    expectElements(a.m, tr, 1e-6f);
    expectElements(b.m, tr, 1e-6f);
    expectElements(c.m, rt, 1e-6f);
    // A point is a matrix's first column: preMultiply then gives M x (x, y, z, 1).
    Matrix4 point(1, 0, 0);
    point.preMultiply(a);
    EXPECT_NEAR(distance(point.getPoint(), Vector3(10, 1, 0)), 0.0f, 1e-5f);

    // A matrix may be its own operand.
    Matrix4 sq = fromValues(1);
    const std::unique_ptr<float[]> square(Matrix4::multiply(sq, sq));
    sq.postMultiply(sq);
    EXPECT_TRUE(std::equal(sq.m, sq.m + 16, square.get()));

    // Column-major element check: row i of A times column j of B.
    const std::unique_ptr<float[]> ab(Matrix4::multiply(fromValues(0), fromValues(16)));
    EXPECT_FLOAT_EQ(ab[0], 0 * 16 + 4 * 17 + 8 * 18 + 12 * 19);
    EXPECT_FLOAT_EQ(ab[4 * 1 + 2], 2 * 20 + 6 * 21 + 10 * 22 + 14 * 23);

    Matrix4 m = fromValues(1);
    m.transpose();
    expectElements(m.m, {1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16});
}

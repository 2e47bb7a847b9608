#pragma once

#include "math/Vector3.h"

// A 4x4 float matrix in OpenGL's column-major order: row r, column c is
// m[4c + r], the translation sits in m[12..14], so data() goes straight to
// glMultMatrixf.
class Matrix4 {
public:
    float m[16];

    // Identity.
    Matrix4();
    // Point form: the first column holds (x, y, z, 1), the rest is 0.
    // preMultiply by a transform, then getPoint, gives M * (x, y, z, 1).
    Matrix4(float x, float y, float z);

    void setZero();
    void setIdentity();
    // Right-handed rotation by +angle about axis 0 (x), 1 (y) or 2 (z);
    // any other axis leaves the identity.
    void setRotation(int axis, float angle);
    // Writes a, b, c as columns 0..2 and m[15] = 1; the translation and the
    // bottom row keep their values.
    void setAxes(float ax, float ay, float az, float bx, float by, float bz, float cx, float cy,
                 float cz);
    void setTranslation(float x, float y, float z);
    void setScale(float x, float y, float z);

    float* data() { return m; }
    const float* data() const { return m; }

    // Returns a new[]-allocated array of 16 floats holding a * b; the caller
    // delete[]s it.
    static float* multiply(const Matrix4& a, const Matrix4& b);
    // this = M * this; M may be this matrix itself.
    void preMultiply(const Matrix4& M);
    // this = this * M; M may be this matrix itself.
    void postMultiply(const Matrix4& M);

    // The first column: the transformed point of a point-form matrix.
    Vector3 getPoint() const { return Vector3(m[0], m[1], m[2]); }
    void transpose();
};

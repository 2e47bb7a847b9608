#include "math/Matrix4.h"

#include <cmath>
#include <utility>

Matrix4::Matrix4() {
    setIdentity();
}

Matrix4::Matrix4(float x, float y, float z) {
    setZero();
    m[0] = x;
    m[1] = y;
    m[2] = z;
    m[3] = 1.0f;
}

void Matrix4::setZero() {
    for (float& e : m) {
        e = 0.0f;
    }
}

void Matrix4::setIdentity() {
    setZero();
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

void Matrix4::setRotation(int axis, float angle) {
    setIdentity();
    const float c = static_cast<float>(std::cos(angle));
    const float s = static_cast<float>(std::sin(angle));
    switch (axis) {
        case 0:
            m[5] = c;
            m[6] = s;
            m[9] = -s;
            m[10] = c;
            break;
        case 1:
            m[0] = c;
            m[2] = -s;
            m[8] = s;
            m[10] = c;
            break;
        case 2:
            m[0] = c;
            m[1] = s;
            m[4] = -s;
            m[5] = c;
            break;
        default:
            break;
    }
}

void Matrix4::setAxes(float ax, float ay, float az, float bx, float by, float bz, float cx,
                      float cy, float cz) {
    m[0] = ax;
    m[1] = ay;
    m[2] = az;
    m[4] = bx;
    m[5] = by;
    m[6] = bz;
    m[8] = cx;
    m[9] = cy;
    m[10] = cz;
    m[15] = 1.0f;
}

void Matrix4::setTranslation(float x, float y, float z) {
    setIdentity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
}

void Matrix4::setScale(float x, float y, float z) {
    setIdentity();
    m[0] = x;
    m[5] = y;
    m[10] = z;
}

float* Matrix4::multiply(const Matrix4& a, const Matrix4& b) {
    float* r = new float[16];
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += double(a.m[4 * k + i]) * double(b.m[4 * j + k]);
            }
            r[4 * j + i] = static_cast<float>(sum);
        }
    }
    return r;
}

void Matrix4::preMultiply(const Matrix4& M) {
    float* r = multiply(M, *this);
    for (int i = 0; i < 16; ++i) {
        m[i] = r[i];
    }
    delete[] r;
}

void Matrix4::postMultiply(const Matrix4& M) {
    float* r = multiply(*this, M);
    for (int i = 0; i < 16; ++i) {
        m[i] = r[i];
    }
    delete[] r;
}

void Matrix4::transpose() {
    for (int c = 0; c < 4; ++c) {
        for (int r = c + 1; r < 4; ++r) {
            std::swap(m[4 * c + r], m[4 * r + c]);
        }
    }
}

#include "math/Vector3.h"

#include <cmath>

Vector3 Vector3::operator+(const Vector3& b) const {
    return Vector3(static_cast<float>(double(x) + double(b.x)),
                   static_cast<float>(double(y) + double(b.y)),
                   static_cast<float>(double(z) + double(b.z)));
}

Vector3 Vector3::operator-(const Vector3& b) const {
    return Vector3(static_cast<float>(double(x) - double(b.x)),
                   static_cast<float>(double(y) - double(b.y)),
                   static_cast<float>(double(z) - double(b.z)));
}

Vector3 Vector3::operator*(float s) const {
    return Vector3(static_cast<float>(double(s) * double(x)),
                   static_cast<float>(double(s) * double(y)),
                   static_cast<float>(double(s) * double(z)));
}

Vector3 Vector3::operator/(float s) const {
    return Vector3(static_cast<float>(double(x) / double(s)),
                   static_cast<float>(double(y) / double(s)),
                   static_cast<float>(double(z) / double(s)));
}

float Vector3::dot(float bx, float by, float bz) const {
    return static_cast<float>(double(x) * bx + double(y) * by + double(z) * bz);
}

float length(Vector3 v) {
    return static_cast<float>(std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z));
}

Vector3 normalize(Vector3 v) {
    const double len = length(v);
    return Vector3(static_cast<float>(v.x / len), static_cast<float>(v.y / len),
                   static_cast<float>(v.z / len));
}

Vector3 cross(Vector3 a, Vector3 b) {
    return Vector3(static_cast<float>(double(a.y) * b.z - double(a.z) * b.y),
                   static_cast<float>(double(a.z) * b.x - double(a.x) * b.z),
                   static_cast<float>(double(a.x) * b.y - double(a.y) * b.x));
}

float distance(Vector3 a, Vector3 b) {
    return length(a - b);
}

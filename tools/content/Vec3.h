#pragma once

#include <cmath>

// The content tool's vector: doubles, so shapes are built without rounding
// and only the file writer rounds to the game's floats.
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    Vec3() = default;
    Vec3(double x, double y, double z) : x(x), y(y), z(z) {}

    Vec3 operator+(const Vec3& b) const { return {x + b.x, y + b.y, z + b.z}; }
    Vec3 operator-(const Vec3& b) const { return {x - b.x, y - b.y, z - b.z}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
    Vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
    Vec3 operator/(double s) const { return {x / s, y / s, z / s}; }
    Vec3& operator+=(const Vec3& b) {
        x += b.x;
        y += b.y;
        z += b.z;
        return *this;
    }
};

inline Vec3 operator*(double s, const Vec3& v) {
    return v * s;
}
inline double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Vec3& v) {
    return std::sqrt(dot(v, v));
}
// A zero vector stays zero instead of becoming NaN.
inline Vec3 normalized(const Vec3& v) {
    const double l = length(v);
    return l > 0.0 ? v / l : Vec3();
}
inline Vec3 lerp(const Vec3& a, const Vec3& b, double t) {
    return a + (b - a) * t;
}

// Any unit vector perpendicular to the unit vector v.
inline Vec3 perpendicular(const Vec3& v) {
    const Vec3 helper = std::fabs(v.y) < 0.9 ? Vec3(0, 1, 0) : Vec3(1, 0, 0);
    return normalized(cross(helper, v));
}

// Rotation of p about the unit axis through the origin by angle radians.
inline Vec3 rotated(const Vec3& p, const Vec3& axis, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return p * c + cross(axis, p) * s + axis * (dot(axis, p) * (1.0 - c));
}

constexpr double kPi = 3.14159265358979323846;

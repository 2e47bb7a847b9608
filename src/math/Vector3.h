#pragma once

// A point or direction in the game's world: three floats, y up.
// Every operation works in double precision and rounds once when it stores,
// so results do not depend on how the compiler keeps intermediates.
class Vector3 {
public:
    float x;
    float y;
    float z;

    // Leaves the components unset, like a plain struct: callers always assign first.
    Vector3() = default;
    Vector3(float x, float y, float z) : x(x), y(y), z(z) {}

    Vector3 operator+(const Vector3& b) const;
    Vector3 operator-(const Vector3& b) const;
    Vector3 operator*(float s) const;
    Vector3 operator/(float s) const;

    // Dot product with the vector (bx, by, bz).
    float dot(float bx, float by, float bz) const;
    float dot(const Vector3& b) const { return dot(b.x, b.y, b.z); }
};

// Returns the Euclidean length.
float length(Vector3 v);
// Divides by the length; a zero vector gives NaN components, callers that can
// see one must check first.
Vector3 normalize(Vector3 v);
Vector3 cross(Vector3 a, Vector3 b);
float distance(Vector3 a, Vector3 b);

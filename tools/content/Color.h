#pragma once

#include <algorithm>

// A linear RGB colour in [0, 1] per channel (values outside are clamped when written).
struct Color {
    double r = 0.0, g = 0.0, b = 0.0;

    Color() = default;
    Color(double r, double g, double b) : r(r), g(g), b(b) {}

    Color operator+(const Color& o) const { return {r + o.r, g + o.g, b + o.b}; }
    Color operator-(const Color& o) const { return {r - o.r, g - o.g, b - o.b}; }
    Color operator*(double s) const { return {r * s, g * s, b * s}; }
    Color operator*(const Color& o) const { return {r * o.r, g * o.g, b * o.b}; }
};

inline Color mix(const Color& a, const Color& b, double t) {
    return a + (b - a) * t;
}
// Colour from 0-255 channels, as picked in a paint program.
inline Color rgb255(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}
inline double clamp01(double x) {
    return std::min(1.0, std::max(0.0, x));
}
// 0 below edge0, 1 above edge1, smooth in between.
inline double smoothstep(double edge0, double edge1, double x) {
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

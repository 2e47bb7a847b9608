#include "content/Noise.h"

#include <cmath>

namespace {

int wrap(int i, int period) {
    const int m = i % period;
    return m < 0 ? m + period : m;
}

double fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

}  // namespace

double Noise::cell(int x, int y) const {
    uint32_t h =
        seed ^ (static_cast<uint32_t>(x) * 0x8DA6B343u) ^ (static_cast<uint32_t>(y) * 0xD8163841u);
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / double(0x1000000);
}

double Noise::value(double x, double y, int period) const {
    const double fx = std::floor(x), fy = std::floor(y);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const double tx = fade(x - fx), ty = fade(y - fy);
    const double a = cell(wrap(x0, period), wrap(y0, period));
    const double b = cell(wrap(x0 + 1, period), wrap(y0, period));
    const double c = cell(wrap(x0, period), wrap(y0 + 1, period));
    const double d = cell(wrap(x0 + 1, period), wrap(y0 + 1, period));
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double Noise::fractal(double x, double y, int period, int octaves) const {
    double sum = 0.0, weight = 0.5, total = 0.0;
    for (int o = 0; o < octaves; ++o) {
        sum += value(x, y, period) * weight;
        total += weight;
        x *= 2.0;
        y *= 2.0;
        period *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

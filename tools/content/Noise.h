#pragma once

#include <cstdint>

// Value noise that tiles: lattice values come from a hash of the cell modulo
// `period`, so a texture painted over one period repeats without a seam.
class Noise {
public:
    explicit Noise(uint32_t seed) : seed(seed) {}

    // In [0, 1]; x and y in lattice cells.
    double value(double x, double y, int period) const;
    // Sum of `octaves` layers, each twice as fine and half as strong; in [0, 1].
    double fractal(double x, double y, int period, int octaves) const;
    // Lattice hash in [0, 1) for one cell.
    double cell(int x, int y) const;

private:
    uint32_t seed;
};

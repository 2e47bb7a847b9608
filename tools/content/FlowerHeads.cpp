#include "content/FlowerHeads.h"

#include <cmath>

namespace {

double lobePosition(double s, int petals) {
    const double x = s * petals;
    return x - std::floor(x) - 0.5;  // -0.5 at the gap before a petal, 0 at its tip
}

// Both grids run round in `columns` (lobe centres half a petal in) and from
// the rim (t = 0) in to a single point (t = 1).
double angleAt(double s, int petals) {
    return 2.0 * kPi * s - kPi / petals;
}

}  // namespace

void addCup(MeshBuilder& mesh, const Cup& cup, int segmentsPerPetal, const UvRect& uv) {
    const Vec3 a = perpendicular(cup.axis);
    const Vec3 b = cross(cup.axis, a);
    const int rows = static_cast<int>(cup.profile.size()) - 1;
    Patch p;
    p.columns = cup.petals * segmentsPerPetal;
    p.rows = rows;
    p.wrapS = true;
    p.poleEnd = true;
    p.point = [&](double s, double t) {
        const int k = rows - static_cast<int>(std::lround(t * rows));
        const double angle = angleAt(s, cup.petals);
        const auto [factor, rise] = cup.shape(angle, double(k) / rows);
        const double r = cup.profile[k].first * factor;
        return cup.base + (a * std::cos(angle) + b * std::sin(angle)) * r +
               cup.axis * (cup.profile[k].second + rise);
    };
    p.front = [&](const Vec3& q) {
        const Vec3 d = q - cup.base;
        return d - cup.axis * dot(d, cup.axis);
    };
    p.uvFor = [&](int quadColumn, int, int column, int row) {
        const int first = quadColumn / segmentsPerPetal * segmentsPerPetal;
        const double across = double(column - first) / segmentsPerPetal;
        const double up = 1.0 - double(row) / rows;
        return std::make_pair(uv.u0 + (uv.u1 - uv.u0) * across, uv.v0 + (uv.v1 - uv.v0) * up);
    };
    addPatch(mesh, p, uv);
}

void addWheel(MeshBuilder& mesh, const Wheel& w, int segmentsPerPetal, int rings) {
    const UvRect& petalUv = w.petalPicture;
    const UvRect& discUv = w.discPicture;
    const Vec3 e1 = perpendicular(w.facing);
    const Vec3 e2 = cross(w.facing, e1);
    const int rows = 2 * rings;  // the petals, then the disc
    const double lift = std::tan(w.lift);
    Patch p;
    p.columns = w.petals * segmentsPerPetal;
    p.rows = rows;
    p.wrapS = true;
    p.poleEnd = true;
    p.point = [&](double s, double t) {
        const int r = static_cast<int>(std::lround(t * rows));
        const double angle = angleAt(s, w.petals);
        double radius, height;
        if (r <= rings) {
            const double along = 1.0 - double(r) / rings;  // 0 at the disc, 1 at the edge
            const double reach = w.petalLength * w.outline(lobePosition(s, w.petals)) * along;
            radius = w.discRadius + reach;
            height = reach * lift - w.droop * w.petalLength * along * along;
        } else {
            const double rho = 1.0 - double(r - rings) / rings;
            radius = w.discRadius * rho;
            height = w.dome * (1.0 - rho * rho);
        }
        return w.centre + (e1 * std::cos(angle) + e2 * std::sin(angle)) * radius +
               w.facing * height;
    };
    p.front = [&](const Vec3&) { return w.facing; };
    p.uvFor = [&](int quadColumn, int quadRow, int column, int row) {
        if (quadRow < rings) {
            const int first = quadColumn / segmentsPerPetal * segmentsPerPetal;
            const double across = 0.5 * (column - first) / segmentsPerPetal;  // the front half
            const double along = 1.0 - double(row) / rings;
            return std::make_pair(petalUv.u0 + (petalUv.u1 - petalUv.u0) * across,
                                  petalUv.v0 + (petalUv.v1 - petalUv.v0) * along);
        }
        const double rho = 1.0 - double(row - rings) / rings;
        const double v = 1.0 - rho * (1.0 - w.discFaceRim);
        return std::make_pair(discUv.u0 + (discUv.u1 - discUv.u0) * column / p.columns,
                              discUv.v0 + (discUv.v1 - discUv.v0) * v);
    };
    addPatch(mesh, p, petalUv);
}

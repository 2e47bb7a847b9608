#include "content/FlowerParts.h"

#include <cmath>

FlowerDetail flowerDetail(int lod) {
    if (lod == 0) {
        return {8, 9, 8, true};
    }
    return {4, 4, 4, false};
}

std::vector<Vec3> smoothPath(const std::vector<Vec3>& c, int count) {
    std::vector<Vec3> out;
    const int spans = static_cast<int>(c.size()) - 1;
    for (int i = 0; i < count; ++i) {
        const double g = double(i) / (count - 1) * spans;
        const int k = std::min(static_cast<int>(g), spans - 1);
        const double t = g - k;
        const Vec3 p0 = c[k == 0 ? 0 : k - 1], p1 = c[k], p2 = c[k + 1];
        const Vec3 p3 = c[k + 2 > spans ? spans : k + 2];
        const double t2 = t * t, t3 = t2 * t;
        out.push_back((p1 * 2.0 + (p2 - p0) * t + (p0 * 2.0 - p1 * 5.0 + p2 * 4.0 - p3) * t2 +
                       (p1 * 3.0 - p0 - p2 * 3.0 + p3) * t3) *
                      0.5);
    }
    return out;
}

void addStem(MeshBuilder& mesh, const std::vector<Vec3>& path, double r0, double r1,
             const FlowerDetail& d, const UvRect& uv) {
    const std::vector<Vec3> points = smoothPath(path, d.along);
    std::vector<double> radii;
    for (int i = 0; i < d.along; ++i) {
        radii.push_back(r0 + (r1 - r0) * i / (d.along - 1));
    }
    addSweep(mesh, tubeStations(points, radii), d.around, uv);
}

void addBlade(MeshBuilder& mesh, const Blade& b, const FlowerDetail& d, const UvRect& uv) {
    const int count = std::max(3, d.along);
    const std::vector<Vec3> points = smoothPath(b.path, count);
    std::vector<SweepStation> stations;
    Vec3 face = b.face;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / (count - 1);
        const Vec3 tangent =
            normalized(points[std::min(i + 1, count - 1)] - points[std::max(i - 1, 0)]);
        face = normalized(face - tangent * dot(face, tangent));  // follow the blade's bend
        SweepStation s;
        s.centre = points[i];
        s.up = face;
        s.side = normalized(cross(face, tangent));
        const bool end = i == 0 || i == count - 1;
        const double profile = std::sin(kPi * std::pow(t, b.shape));
        s.width = end ? 0.0 : b.width * profile;
        s.height = end ? 0.0 : b.thickness;
        s.cup = end ? 0.0 : b.cup * profile;
        stations.push_back(s);
    }
    addSweep(mesh, stations, b.thickness > 0.0 ? d.flat : 4, uv);
}

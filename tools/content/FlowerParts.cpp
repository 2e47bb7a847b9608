#include "content/FlowerParts.h"

#include <cmath>

FlowerDetail flowerDetail(int lod) {
    if (lod == 0) {
        return {6, 6, 6, 4, true};
    }
    return {4, 4, 4, 2, false};
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
    radii.reserve(static_cast<size_t>(d.along));
    for (int i = 0; i < d.along; ++i) {
        radii.push_back(r0 + (r1 - r0) * i / (d.along - 1));
    }
    addSweep(mesh, tubeStations(points, radii), d.around, uv);
}

void addBlade(MeshBuilder& mesh, const Blade& b, const FlowerDetail& d, const UvRect& uv) {
    const int count = std::max(3, d.stations);
    const std::vector<Vec3> points = smoothPath(b.path, count);
    // rows[i][k]: vertex k across station i; base and tip are single points.
    std::vector<std::vector<int>> rows(count);
    Vec3 face = b.face;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / (count - 1);
        const Vec3 tangent =
            normalized(points[std::min(i + 1, count - 1)] - points[std::max(i - 1, 0)]);
        face = normalized(face - tangent * dot(face, tangent));  // follow the blade's bend
        const Vec3 side = normalized(cross(face, tangent));
        if (i == 0 || i == count - 1) {
            rows[i].assign(d.across + 1, mesh.addVertex(points[i]));
            continue;
        }
        const double profile = std::sin(kPi * std::pow(t, b.shape));
        for (int k = 0; k <= d.across; ++k) {
            const double s = 2.0 * k / d.across - 1.0;  // -1 .. 1 across
            rows[i].push_back(mesh.addVertex(points[i] + side * (b.width * profile * s) +
                                             face * (b.cup * profile * s * s)));
        }
    }
    auto corner = [&](int i, int k) {
        return MeshCorner{rows[i][k], uv.u0 + (uv.u1 - uv.u0) * 0.5 * k / d.across,
                          uv.v0 + (uv.v1 - uv.v0) * double(i) / (count - 1)};
    };
    const int first = mesh.triangleCount();
    for (int i = 0; i + 1 < count; ++i) {
        for (int k = 0; k < d.across; ++k) {
            const MeshCorner a = corner(i, k), b1 = corner(i, k + 1);
            const MeshCorner c = corner(i + 1, k + 1), e = corner(i + 1, k);
            if (i == 0) {
                mesh.addTriangle(a, c, e);  // the base point fans out
            } else if (i + 2 == count) {
                mesh.addTriangle(a, b1, e);  // into the tip point
            } else {
                mesh.addTriangle(a, b1, c);
                mesh.addTriangle(a, c, e);
            }
        }
    }
    // Wind the sheet so its front is the side `face` points to.
    Vec3 facing;
    for (int i = first; i < mesh.triangleCount(); ++i) {
        facing += mesh.faceNormal(i);
    }
    if (dot(facing, b.face) < 0.0) {
        mesh.flip(first, mesh.triangleCount());
    }
}

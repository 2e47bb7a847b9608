#include "content/Shapes.h"

#include <cmath>

namespace {

double mix(double a, double b, double t) {
    return a + (b - a) * t;
}

}  // namespace

int addRingSurface(MeshBuilder& mesh, const RingSurface& s, const UvRect& uv) {
    const int first = mesh.triangleCount();
    const int n = s.segments;
    // index[k][j]: vertex of ring k, point j; pole rings repeat their one vertex.
    std::vector<std::vector<int>> index(s.rings, std::vector<int>(n));
    for (int k = 0; k < s.rings; ++k) {
        const bool pole = (k == 0 && s.poleStart) || (k == s.rings - 1 && s.poleEnd);
        for (int j = 0; j < n; ++j) {
            index[k][j] = pole && j > 0 ? index[k][0] : mesh.addVertex(s.point(k, j));
        }
    }
    auto corner = [&](int k, int j) {
        const double u = mix(uv.u0, uv.u1, double(j) / n);
        const double v = mix(uv.v0, uv.v1, double(k) / (s.rings - 1));
        return MeshCorner{index[k][j % n], u, v};
    };
    for (int k = 0; k + 1 < s.rings; ++k) {
        const bool poleBelow = k == 0 && s.poleStart;
        const bool poleAbove = k + 2 == s.rings && s.poleEnd;
        for (int j = 0; j < n; ++j) {
            const MeshCorner a = corner(k, j), b = corner(k, j + 1);
            const MeshCorner c = corner(k + 1, j + 1), d = corner(k + 1, j);
            if (poleBelow) {
                MeshCorner pole = a;
                pole.u = mix(uv.u0, uv.u1, (j + 0.5) / n);
                mesh.addTriangle(pole, c, d);
            } else if (poleAbove) {
                MeshCorner pole = d;
                pole.u = mix(uv.u0, uv.u1, (j + 0.5) / n);
                mesh.addTriangle(a, b, pole);
            } else {
                mesh.addTriangle(a, b, c);
                mesh.addTriangle(a, c, d);
            }
        }
    }
    // Flat caps on open ends: a fan to the ring's centroid.
    auto cap = [&](int k, double v, bool top) {
        Vec3 centre;
        for (int j = 0; j < n; ++j) {
            centre += mesh.vertices[index[k][j]];
        }
        const int c = mesh.addVertex(centre / n);
        const double um = 0.5 * (uv.u0 + uv.u1);
        for (int j = 0; j < n; ++j) {
            // Wound against the neighbouring ring quads so the shared edges pair up.
            if (top) {
                mesh.addTriangle(MeshCorner{c, um, v}, corner(k, j), corner(k, j + 1));
            } else {
                mesh.addTriangle(MeshCorner{c, um, v}, corner(k, j + 1), corner(k, j));
            }
        }
    };
    if (!s.poleStart) {
        cap(0, uv.v0, false);
    }
    if (!s.poleEnd) {
        cap(s.rings - 1, uv.v1, true);
    }
    mesh.faceOutward(first, mesh.triangleCount());
    return first;
}

int addSweep(MeshBuilder& mesh, const std::vector<SweepStation>& stations, int segments,
             const UvRect& uv, double phase) {
    const size_t last = stations.size() - 1;
    auto pointed = [](const SweepStation& st) { return st.width == 0.0 && st.height == 0.0; };
    RingSurface s;
    s.rings = static_cast<int>(stations.size());
    s.segments = segments;
    s.poleStart = pointed(stations[0]);
    s.poleEnd = pointed(stations[last]);
    s.point = [&](int k, int j) {
        const SweepStation& st = stations[k];
        const double a = phase + 2.0 * kPi * j / segments;
        double c = std::cos(a), sn = std::sin(a);
        if (segments == 4 && phase != 0.0) {
            // Square section: corners at the full width and height.
            c *= std::sqrt(2.0);
            sn *= std::sqrt(2.0);
        }
        return st.centre + st.side * (st.width * c) + st.up * (st.height * sn + st.cup * c * c);
    };
    return addRingSurface(mesh, s, uv);
}

std::vector<SweepStation> tubeStations(const std::vector<Vec3>& path,
                                       const std::vector<double>& radii) {
    std::vector<SweepStation> out(path.size());
    const size_t n = path.size();
    auto tangent = [&](size_t i) {
        const Vec3 d = path[i == n - 1 ? i : i + 1] - path[i == 0 ? 0 : i - 1];
        return normalized(d);
    };
    Vec3 up = perpendicular(tangent(0));
    for (size_t i = 0; i < n; ++i) {
        const Vec3 t = tangent(i);
        up = normalized(up - t * dot(up, t));  // carry the frame along without twist
        out[i].centre = path[i];
        out[i].up = up;
        out[i].side = normalized(cross(up, t));
        out[i].width = out[i].height = radii[i];
    }
    return out;
}

int addEllipsoid(MeshBuilder& mesh, const Vec3& centre, const Vec3& a, const Vec3& b, const Vec3& c,
                 const Vec3& radii, int rings, int segments, const UvRect& uv) {
    RingSurface s;
    s.rings = rings;
    s.segments = segments;
    s.poleStart = s.poleEnd = true;
    s.point = [&](int k, int j) {
        const double polar = kPi * k / (rings - 1);
        const double around = 2.0 * kPi * j / segments;
        const double ring = std::sin(polar);
        return centre + a * (radii.x * ring * std::cos(around)) +
               b * (radii.y * ring * std::sin(around)) + c * (-radii.z * std::cos(polar));
    };
    return addRingSurface(mesh, s, uv);
}

int addLathe(MeshBuilder& mesh, const Vec3& base,
             const std::vector<std::pair<double, double>>& profile, int segments,
             const UvRect& uv) {
    return addAxisLathe(mesh, base, {0, 1, 0}, profile, segments, uv);
}

int addAxisLathe(MeshBuilder& mesh, const Vec3& base, const Vec3& axis,
                 const std::vector<std::pair<double, double>>& profile, int segments,
                 const UvRect& uv,
                 const std::function<double(double angle, double height)>& radiusScale) {
    // For the vertical axis keep x and z as the ring's axes, so lathes about y
    // start their seam on +x.
    const Vec3 a = std::fabs(axis.y) > 0.999 ? Vec3(1, 0, 0) : perpendicular(axis);
    const Vec3 b = cross(axis, a);
    RingSurface s;
    s.rings = static_cast<int>(profile.size());
    s.segments = segments;
    s.poleStart = profile.front().first == 0.0;
    s.poleEnd = profile.back().first == 0.0;
    s.point = [&](int k, int j) {
        const double angle = 2.0 * kPi * j / segments;
        double r = profile[k].first;
        if (radiusScale) {
            r *= radiusScale(angle, profile[k].second);
        }
        return base + a * (r * std::cos(angle)) + b * (r * std::sin(angle)) +
               axis * profile[k].second;
    };
    return addRingSurface(mesh, s, uv);
}

int addPatch(MeshBuilder& mesh, const Patch& p, const UvRect& uv) {
    const int first = mesh.triangleCount();
    const int columns = p.wrapS ? p.columns : p.columns + 1;
    std::vector<std::vector<int>> index(p.rows + 1, std::vector<int>(columns));
    for (int r = 0; r <= p.rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const bool pole = p.poleEnd && r == p.rows;
            index[r][c] = pole && c > 0
                              ? index[r][0]
                              : mesh.addVertex(p.point(double(c) / p.columns, double(r) / p.rows));
        }
    }
    for (int r = 0; r < p.rows; ++r) {
        for (int c = 0; c < p.columns; ++c) {
            auto corner = [&](int cr, int cc) {
                if (p.uvFor) {
                    const auto [u, v] = p.uvFor(c, r, cc, cr);
                    return MeshCorner{index[cr][cc % columns], u, v};
                }
                return MeshCorner{index[cr][cc % columns],
                                  mix(uv.u0, uv.u1, double(cc) / p.columns),
                                  mix(uv.v0, uv.v1, double(cr) / p.rows)};
            };
            const MeshCorner a = corner(r, c), b = corner(r, c + 1);
            const MeshCorner cc = corner(r + 1, c + 1), d = corner(r + 1, c);
            const Vec3 pa = mesh.vertices[a.vertex], pb = mesh.vertices[b.vertex];
            const Vec3 pc = mesh.vertices[cc.vertex], pd = mesh.vertices[d.vertex];
            const Vec3 normal = cross(pb - pa, pc - pa) + cross(pc - pa, pd - pa);
            const Vec3 want = p.front((pa + pb + pc + pd) * 0.25);
            const bool keep = dot(normal, want) >= 0.0;
            if (p.poleEnd && r + 1 == p.rows) {
                MeshCorner top = d;
                top.u = 0.5 * (a.u + b.u);
                if (keep) {
                    mesh.addTriangle(a, b, top);
                } else {
                    mesh.addTriangle(a, top, b);
                }
            } else if (keep) {
                mesh.addTriangle(a, b, cc);
                mesh.addTriangle(a, cc, d);
            } else {
                mesh.addTriangle(a, cc, b);
                mesh.addTriangle(a, d, cc);
            }
        }
    }
    return first;
}

#include "content/MeshBuilder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

int MeshBuilder::addMaterial(const std::string& name, const std::string& texture) {
    for (size_t i = 0; i < materials.size(); ++i) {
        if (materials[i].name == name) {
            return static_cast<int>(i);
        }
    }
    materials.push_back({name, texture});
    return static_cast<int>(materials.size()) - 1;
}

void MeshBuilder::useGroup(const std::string& name, int material) {
    for (size_t i = 0; i < groups.size(); ++i) {
        if (groups[i].name == name) {
            currentGroup = static_cast<int>(i);
            return;
        }
    }
    groups.push_back({name, material});
    currentGroup = static_cast<int>(groups.size()) - 1;
}

int MeshBuilder::addVertex(const Vec3& p) {
    vertices.push_back(p);
    return static_cast<int>(vertices.size()) - 1;
}

void MeshBuilder::addTriangle(MeshCorner a, MeshCorner b, MeshCorner c) {
    if (currentGroup < 0) {
        useGroup("default", -1);
    }
    Triangle t{};
    t.corners[0] = a;
    t.corners[1] = b;
    t.corners[2] = c;
    t.group = currentGroup;
    triangles.push_back(t);
}

Vec3 MeshBuilder::faceNormal(int triangle) const {
    const Triangle& t = triangles[triangle];
    const Vec3& p0 = vertices[t.corners[0].vertex];
    const Vec3& p1 = vertices[t.corners[1].vertex];
    const Vec3& p2 = vertices[t.corners[2].vertex];
    return normalized(cross(p1 - p0, p2 - p0));
}

double MeshBuilder::signedVolume(int first, int end) const {
    double volume = 0.0;
    for (int i = first; i < end; ++i) {
        const Triangle& t = triangles[i];
        volume += dot(vertices[t.corners[0].vertex],
                      cross(vertices[t.corners[1].vertex], vertices[t.corners[2].vertex]));
    }
    return volume / 6.0;
}

void MeshBuilder::flip(int first, int end) {
    for (int i = first; i < end; ++i) {
        std::swap(triangles[i].corners[1], triangles[i].corners[2]);
        std::swap(triangles[i].normals[1], triangles[i].normals[2]);
    }
}

void MeshBuilder::faceOutward(int first, int end) {
    if (signedVolume(first, end) < 0.0) {
        flip(first, end);
    }
}

int MeshBuilder::openEdgeCount() const {
    // Directed edge (a, b) -> how often it occurs; a closed, consistently
    // wound mesh has each (a, b) matched by one (b, a).
    std::map<std::pair<int, int>, int> edges;
    for (const Triangle& t : triangles) {
        for (int e = 0; e < 3; ++e) {
            ++edges[{t.corners[e].vertex, t.corners[(e + 1) % 3].vertex}];
        }
    }
    int open = 0;
    for (const auto& [edge, count] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        const int opposite = back == edges.end() ? 0 : back->second;
        if (opposite != count) {
            open += std::abs(count - opposite);
        }
    }
    return open;
}

void MeshBuilder::computeNormals(double creaseDegrees) {
    const double creaseCos = std::cos(creaseDegrees * kPi / 180.0);
    std::vector<std::vector<int>> around(vertices.size());
    std::vector<Vec3> faces(triangles.size());
    std::vector<Vec3> weighted(triangles.size());  // normal times area
    for (size_t i = 0; i < triangles.size(); ++i) {
        const Triangle& t = triangles[i];
        const Vec3 c = cross(vertices[t.corners[1].vertex] - vertices[t.corners[0].vertex],
                             vertices[t.corners[2].vertex] - vertices[t.corners[0].vertex]);
        faces[i] = normalized(c);
        weighted[i] = c * 0.5;
        for (const MeshCorner& corner : t.corners) {
            around[corner.vertex].push_back(static_cast<int>(i));
        }
    }
    for (size_t i = 0; i < triangles.size(); ++i) {
        Triangle& t = triangles[i];
        for (int c = 0; c < 3; ++c) {
            Vec3 sum;
            for (int other : around[t.corners[c].vertex]) {
                if (dot(faces[other], faces[i]) >= creaseCos) {
                    sum += weighted[other];
                }
            }
            const Vec3 n = normalized(sum);
            t.normals[c] = length(n) > 0.0 ? n : faces[i];
        }
    }
}

void MeshBuilder::boundingBox(Vec3& min, Vec3& max) const {
    min = max = vertices.empty() ? Vec3() : vertices[0];
    for (const Vec3& v : vertices) {
        min = {std::min(min.x, v.x), std::min(min.y, v.y), std::min(min.z, v.z)};
        max = {std::max(max.x, v.x), std::max(max.y, v.y), std::max(max.z, v.z)};
    }
}

void MeshBuilder::reachFromOrigin() {
    Vec3 min, max;
    boundingBox(min, max);
    const Vec3 centre = (min + max) * 0.5;
    double reach = 0.0;
    for (const Vec3& v : vertices) {
        reach = std::max(reach, length(v));
    }
    addVertex(centre + Vec3(0.0, reach, 0.0));
    addVertex(centre - Vec3(0.0, reach, 0.0));
}

bool MeshBuilder::toWriter(Ms3dWriter& out) const {
    constexpr size_t kMaxCount = 65535;
    if (vertices.size() > kMaxCount || triangles.size() > kMaxCount || groups.size() > kMaxCount ||
        materials.size() > 127) {
        return false;
    }
    out = Ms3dWriter();
    for (const Vec3& v : vertices) {
        out.vertices.push_back({float(v.x), float(v.y), float(v.z)});
    }
    out.groups.resize(groups.size());
    for (size_t g = 0; g < groups.size(); ++g) {
        out.groups[g].name = groups[g].name;
        out.groups[g].materialIndex = static_cast<int8_t>(groups[g].material);
    }
    for (size_t i = 0; i < triangles.size(); ++i) {
        const Triangle& t = triangles[i];
        Ms3dWriter::Triangle w{};
        for (int c = 0; c < 3; ++c) {
            w.vertexIndices[c] = static_cast<uint16_t>(t.corners[c].vertex);
            w.normals[c][0] = float(t.normals[c].x);
            w.normals[c][1] = float(t.normals[c].y);
            w.normals[c][2] = float(t.normals[c].z);
            w.s[c] = float(t.corners[c].u);
            // The game stores 1 - t and DevIL hands over the picture's top row
            // first, which GL takes as t = 0: so the file holds 1 - v.
            w.t[c] = float(1.0 - t.corners[c].v);
        }
        w.groupIndex = static_cast<uint8_t>(t.group);
        out.triangles.push_back(w);
        out.groups[t.group].triangleIndices.push_back(static_cast<uint16_t>(i));
    }
    for (const Material& m : materials) {
        Ms3dWriter::Material w;
        w.name = m.name;
        w.texture = m.texture;
        out.materials.push_back(w);
    }
    return true;
}

#pragma once

// Small MilkShape files for the asset tests, made with the game's own writer,
// and a scratch directory to put them in.
#include <stdlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "assets/Ms3dWriter.h"

namespace samples {

inline Ms3dWriter::Triangle triangle(uint16_t a, uint16_t b, uint16_t c) {
    Ms3dWriter::Triangle t{};
    t.vertexIndices[0] = a;
    t.vertexIndices[1] = b;
    t.vertexIndices[2] = c;
    for (int k = 0; k < 3; ++k) {
        t.normals[k][2] = 1.0f;
    }
    return t;
}

// A unit square in the z = 0 plane, (-1,-1) to (1,1), as two counter-clockwise
// triangles sharing the diagonal 0-2, s and t running 0..1 with the corners.
// One group using material 0, which names texture (may be empty).
inline Ms3dWriter square(const std::string& texture = "") {
    Ms3dWriter w;
    w.vertices = {
        {-1.0f, -1.0f, 0.0f}, {1.0f, -1.0f, 0.0f}, {1.0f, 1.0f, 0.0f}, {-1.0f, 1.0f, 0.0f}};
    const float s[4] = {0.0f, 1.0f, 1.0f, 0.0f};
    const float t[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    for (const auto& corners : {std::vector<uint16_t>{0, 1, 2}, std::vector<uint16_t>{0, 2, 3}}) {
        Ms3dWriter::Triangle tri = triangle(corners[0], corners[1], corners[2]);
        for (int k = 0; k < 3; ++k) {
            tri.s[k] = s[corners[k]];
            tri.t[k] = t[corners[k]];
        }
        w.triangles.push_back(tri);
    }
    Ms3dWriter::Group g;
    g.name = "square";
    g.triangleIndices = {0, 1};
    g.materialIndex = 0;
    w.groups.push_back(g);
    Ms3dWriter::Material m;
    m.name = "paint";
    m.ambient[0] = 0.5f;
    m.diffuse[1] = 0.25f;
    m.specular[2] = 0.125f;
    m.texture = texture;
    w.materials.push_back(m);
    return w;
}

// A fresh directory under /tmp, one per call.
inline std::string scratchDir() {
    char pattern[] = "/tmp/zumbra_assets_XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir != nullptr ? std::string(dir) : std::string("/tmp");
}

inline bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const size_t n = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    return std::fclose(f) == 0 && n == bytes.size();
}

// A binary PPM (P6) image, rows top to bottom, three bytes per pixel.
inline bool writePpm(const std::string& path, int width, int height,
                     const std::vector<uint8_t>& rgb) {
    const std::string header =
        "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    std::vector<uint8_t> bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), rgb.begin(), rgb.end());
    return writeBytes(path, bytes);
}

}  // namespace samples

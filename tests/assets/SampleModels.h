#pragma once

// Small MilkShape files and images for the asset tests.
#include <fstream>
#include <string>
#include <vector>

#include "assets/Ms3dWriter.h"

namespace samples {

// The square (-1,-1)..(1,1) at z = 0: triangles 0-1-2 (lower right) and 0-2-3
// (upper left), counter-clockwise, s and t from 0 to 1 across it. One group
// with material 0, whose ambient is (0.5, 0, 0) and whose texture is given.
// Every corner's normal is +z.
inline Ms3dWriter square(const std::string& texture = "") {
    Ms3dWriter w;
    w.vertices = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    const float s[4] = {0, 1, 1, 0}, t[4] = {0, 0, 1, 1};
    for (const auto& c : {std::vector<uint16_t>{0, 1, 2}, std::vector<uint16_t>{0, 2, 3}}) {
        Ms3dWriter::Triangle tri{};
        for (int k = 0; k < 3; ++k) {
            tri.vertexIndices[k] = c[k];
            tri.normals[k][2] = 1.0f;
            tri.s[k] = s[c[k]];
            tri.t[k] = t[c[k]];
        }
        w.triangles.push_back(tri);
    }
    w.groups.push_back({"square", {0, 1}, 0});
    Ms3dWriter::Material m;
    m.ambient[0] = 0.5f;
    m.ambient[1] = m.ambient[2] = 0.0f;
    m.texture = texture;
    w.materials.push_back(m);
    return w;
}

inline bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out.flush());
}

// A binary PPM, rows top to bottom.
inline bool writePpm(const std::string& path, int width, int height,
                     const std::vector<uint8_t>& rgb) {
    const std::string h = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    std::vector<uint8_t> bytes(h.begin(), h.end());
    bytes.insert(bytes.end(), rgb.begin(), rgb.end());
    return writeBytes(path, bytes);
}

}  // namespace samples

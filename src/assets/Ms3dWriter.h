#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes MilkShape 3D binary files (static geometry only, no joints). The
// content tool makes the game's models with it; tests, benchmarks and the
// fuzzer's seed corpus make their files with it too.
//
// Values are written as given: t is the file's t (the loader flips it), and
// indices are not checked, so tests can write broken files on purpose.
class Ms3dWriter {
public:
    struct Vertex {
        float x, y, z;
    };
    struct Triangle {
        uint16_t vertexIndices[3];
        float normals[3][3];  // one per corner
        float s[3];
        float t[3];
        uint8_t smoothingGroup = 1;
        uint8_t groupIndex = 0;
    };
    struct Group {
        std::string name;  // at most 31 characters are kept
        std::vector<uint16_t> triangleIndices;
        int8_t materialIndex = -1;
    };
    struct Material {
        std::string name;
        float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
        float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
        float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        float emissive[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        float shininess = 0.0f;
        float transparency = 1.0f;
        std::string texture;  // at most 127 characters are kept
    };

    int32_t version = 4;
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Group> groups;
    std::vector<Material> materials;

    // The whole file. Counts are written as 16 bits, so callers keep every
    // list below 65,536 entries.
    std::vector<uint8_t> toBytes() const;
    // false when the file cannot be written completely.
    bool writeFile(const std::string& path) const;
};

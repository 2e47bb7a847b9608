#include "assets/Ms3dWriter.h"

#include <cstdio>
#include <cstring>

namespace {

class ByteSink {
public:
    explicit ByteSink(std::vector<uint8_t>& out) : out(out) {}

    void u8(uint8_t v) { out.push_back(v); }
    void u16(uint16_t v) {
        out.push_back(static_cast<uint8_t>(v & 0xFF));
        out.push_back(static_cast<uint8_t>(v >> 8));
    }
    void i32(int32_t v) {
        const auto u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<uint8_t>((u >> (8 * i)) & 0xFF));
        }
    }
    void f32(float v) {
        uint32_t u;
        std::memcpy(&u, &v, sizeof u);
        i32(static_cast<int32_t>(u));
    }
    // A fixed-size, NUL-padded text field; the text is cut to size - 1.
    void text(const std::string& s, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            out.push_back(i + 1 < size && i < s.size() ? static_cast<uint8_t>(s[i]) : 0);
        }
    }

private:
    std::vector<uint8_t>& out;
};

}  // namespace

std::vector<uint8_t> Ms3dWriter::toBytes() const {
    std::vector<uint8_t> bytes;
    ByteSink sink(bytes);
    bytes.reserve(14 + 15 * vertices.size() + 70 * triangles.size() + 361 * materials.size());
    for (const char c : std::string("MS3D000000")) {
        sink.u8(static_cast<uint8_t>(c));
    }
    sink.i32(version);

    sink.u16(static_cast<uint16_t>(vertices.size()));
    for (const Vertex& v : vertices) {
        sink.u8(0);
        sink.f32(v.x);
        sink.f32(v.y);
        sink.f32(v.z);
        sink.u8(0xFF);  // bone: none
        sink.u8(0);
    }

    sink.u16(static_cast<uint16_t>(triangles.size()));
    for (const Triangle& t : triangles) {
        sink.u16(0);
        for (uint16_t i : t.vertexIndices) {
            sink.u16(i);
        }
        for (const auto& n : t.normals) {
            for (float c : n) {
                sink.f32(c);
            }
        }
        for (float s : t.s) {
            sink.f32(s);
        }
        for (float tc : t.t) {
            sink.f32(tc);
        }
        sink.u8(t.smoothingGroup);
        sink.u8(t.groupIndex);
    }

    sink.u16(static_cast<uint16_t>(groups.size()));
    for (const Group& g : groups) {
        sink.u8(0);
        sink.text(g.name, 32);
        sink.u16(static_cast<uint16_t>(g.triangleIndices.size()));
        for (uint16_t i : g.triangleIndices) {
            sink.u16(i);
        }
        sink.u8(static_cast<uint8_t>(g.materialIndex));
    }

    sink.u16(static_cast<uint16_t>(materials.size()));
    for (const Material& m : materials) {
        sink.text(m.name, 32);
        for (const float* colour : {m.ambient, m.diffuse, m.specular, m.emissive}) {
            for (int i = 0; i < 4; ++i) {
                sink.f32(colour[i]);
            }
        }
        sink.f32(m.shininess);
        sink.f32(m.transparency);
        sink.u8(0);
        sink.text(m.texture, 128);
        sink.text("", 128);
    }
    return bytes;
}

bool Ms3dWriter::writeFile(const std::string& path) const {
    const std::vector<uint8_t> bytes = toBytes();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    return written && closed;
}

#include "assets/Ms3dParser.h"

#include <cstring>

#include "assets/ByteReader.h"
#include "assets/Model.h"

namespace {

constexpr char kId[] = "MS3D000000";
constexpr size_t kIdLength = 10;
constexpr size_t kVertexRecord = 15;
constexpr size_t kTriangleRecord = 70;
constexpr size_t kGroupRecordFixed = 36;  // plus two bytes per triangle index
constexpr size_t kMaterialRecord = 361;
constexpr size_t kNameField = 32;
constexpr size_t kTextureField = 128;

// Parses into a model of its own, so a refusal never leaves half a file in the
// caller's model.
class Parse {
public:
    Parse(const uint8_t* data, size_t size, Model& out) : in(data, size), out(out) {}

    bool run() {
        return header() && vertices() && triangles() && groups() && materials() && groupMaterials();
    }

    std::string reason;

private:
    ByteReader in;
    Model& out;

    bool fail(const std::string& why) {
        reason = why;
        return false;
    }

    bool cut(const char* section) {
        return fail("file ends inside the " + std::string(section) + " (byte " +
                    std::to_string(in.offset()) + " of " + std::to_string(in.total()) + ")");
    }

    // Reads a 16-bit count and checks that count records of recordSize bytes fit.
    bool count(const char* section, size_t recordSize, int& n) {
        uint16_t c;
        if (!in.u16(c)) {
            return cut(section);
        }
        if (!in.has(c * recordSize)) {
            return fail("the " + std::string(section) + " claims " + std::to_string(c) +
                        " records, but only " + std::to_string(in.total() - in.offset()) +
                        " bytes are left");
        }
        n = c;
        return true;
    }

    bool header() {
        char id[kIdLength];
        if (!in.bytes(id, kIdLength) || std::memcmp(id, kId, kIdLength) != 0) {
            return fail("not an MS3D file (the first 10 bytes are not \"MS3D000000\")");
        }
        int32_t version;
        if (!in.i32(version)) {
            return cut("header");
        }
        if (version != 3 && version != 4) {
            return fail("version " + std::to_string(version) + ", expected 3 or 4");
        }
        return true;
    }

    bool vertices() {
        int n;
        if (!count("vertex section", kVertexRecord, n)) {
            return false;
        }
        out.vertices = new Vertex[n];
        out.numVertices = n;
        for (int i = 0; i < n; ++i) {
            // flags, position, bone, reference count; fits, as count checked
            in.skip(1);
            in.f32s(out.vertices[i].position, 3);
            in.skip(2);
        }
        return true;
    }

    bool triangles() {
        int n;
        if (!count("triangle section", kTriangleRecord, n)) {
            return false;
        }
        out.triangles = new Triangle[n];  // every field is written below
        out.numTriangles = n;
        for (int i = 0; i < n; ++i) {
            Triangle& t = out.triangles[i];
            in.skip(2);
            for (int c = 0; c < 3; ++c) {
                uint16_t v = 0;
                in.u16(v);
                if (v >= out.numVertices) {
                    return fail("triangle " + std::to_string(i) + " corner " + std::to_string(c) +
                                " names vertex " + std::to_string(v) + ", but there are " +
                                std::to_string(out.numVertices) + " vertices");
                }
                t.vertexIndices[c] = v;
                t.neighbours[c] = -1;
            }
            in.f32s(&t.vertexNormals[0][0], 9);
            in.f32s(t.s, 3);
            in.f32s(t.t, 3);
            for (float& tc : t.t) {
                tc = 1.0f - tc;
            }
            in.skip(2);  // smoothing group, group index
            t.faceNormal = Vector3(0.0f, 0.0f, 0.0f);
            t.facing = false;
        }
        return true;
    }

    bool groups() {
        int n;
        if (!count("group section", kGroupRecordFixed, n)) {
            return false;
        }
        out.groups = new Mesh[n]();
        out.numGroups = n;
        for (int g = 0; g < n; ++g) {
            Mesh& mesh = out.groups[g];
            uint16_t indices;
            if (!in.skip(1 + kNameField) || !in.u16(indices)) {
                return cut("group section");
            }
            if (!in.has(2 * size_t(indices) + 1)) {
                return cut("group section");
            }
            mesh.triangleIndices = new int[indices];
            mesh.numTriangles = indices;
            for (int k = 0; k < indices; ++k) {
                uint16_t ti = 0;
                in.u16(ti);
                if (ti >= out.numTriangles) {
                    return fail("group " + std::to_string(g) + " names triangle " +
                                std::to_string(ti) + ", but there are " +
                                std::to_string(out.numTriangles) + " triangles");
                }
                mesh.triangleIndices[k] = ti;
            }
            int8_t material = 0;
            in.i8(material);
            // Signed on purpose: -1 is the group without a material.
            mesh.materialIndex = material;  // NOLINT(bugprone-signed-char-misuse)
        }
        return true;
    }

    bool materials() {
        int n;
        if (!count("material section", kMaterialRecord, n)) {
            return false;
        }
        out.materials = new Material[n]();
        out.numMaterials = n;
        for (int m = 0; m < n; ++m) {
            Material& mat = out.materials[m];
            in.skip(kNameField);
            in.f32s(mat.ambient, 4);
            in.f32s(mat.diffuse, 4);
            in.f32s(mat.specular, 4);
            in.skip(16 + 4 + 4 + 1);  // emissive, shininess, transparency, mode
            char field[kTextureField];
            in.bytes(field, kTextureField);
            // A field that fills all 128 bytes without a NUL keeps all 128.
            const size_t length = strnlen(field, kTextureField);
            mat.textureName = new char[length + 1];
            std::memcpy(mat.textureName, field, length);
            mat.textureName[length] = '\0';
            mat.textureId = 0;
            in.skip(kTextureField);  // alpha map
        }
        return true;
    }

    // Materials follow the groups in the file, so group materials are checked last.
    bool groupMaterials() {
        for (int g = 0; g < out.numGroups; ++g) {
            const int m = out.groups[g].materialIndex;
            if (m != -1 && (m < 0 || m >= out.numMaterials)) {
                return fail("group " + std::to_string(g) + " names material " + std::to_string(m) +
                            ", but there are " + std::to_string(out.numMaterials) + " materials");
            }
        }
        return true;
    }
};

void moveArrays(Model& from, Model& to) {
    to.numVertices = from.numVertices;
    to.vertices = from.vertices;
    to.numTriangles = from.numTriangles;
    to.triangles = from.triangles;
    to.numGroups = from.numGroups;
    to.groups = from.groups;
    to.numMaterials = from.numMaterials;
    to.materials = from.materials;
    from.numVertices = from.numTriangles = from.numGroups = from.numMaterials = 0;
    from.vertices = nullptr;
    from.triangles = nullptr;
    from.groups = nullptr;
    from.materials = nullptr;
}

}  // namespace

bool Ms3dParser::parse(const uint8_t* data, size_t size, Model& model, std::string& reason) {
    release(model);
    Model staged;
    Parse parse(data, size, staged);
    if (!parse.run()) {
        release(staged);
        reason = parse.reason;
        return false;
    }
    moveArrays(staged, model);
    return true;
}

void Ms3dParser::release(Model& model) {
    for (int g = 0; g < model.numGroups && model.groups != nullptr; ++g) {
        delete[] model.groups[g].triangleIndices;
    }
    for (int m = 0; m < model.numMaterials && model.materials != nullptr; ++m) {
        delete[] model.materials[m].textureName;
    }
    delete[] model.groups;
    delete[] model.materials;
    delete[] model.triangles;
    delete[] model.vertices;
    model.numGroups = model.numMaterials = model.numTriangles = model.numVertices = 0;
    model.groups = nullptr;
    model.materials = nullptr;
    model.triangles = nullptr;
    model.vertices = nullptr;
}

#include "assets/Ms3dParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "assets/Model.h"
#include "assets/ModelFactory.h"
#include "assets/SampleModels.h"

namespace {

struct Parsed {
    Model model;
    bool ok = false;
    std::string reason;

    explicit Parsed(const std::vector<uint8_t>& bytes) {
        ok = Ms3dParser::parse(bytes.data(), bytes.size(), model, reason);
    }
    ~Parsed() { Ms3dParser::release(model); }
};

void expectEmpty(const Model& m) {
    EXPECT_EQ(m.numVertices, 0);
    EXPECT_EQ(m.numTriangles, 0);
    EXPECT_EQ(m.numGroups, 0);
    EXPECT_EQ(m.numMaterials, 0);
    EXPECT_EQ(m.vertices, nullptr);
    EXPECT_EQ(m.triangles, nullptr);
    EXPECT_EQ(m.groups, nullptr);
    EXPECT_EQ(m.materials, nullptr);
}

// Keeps loadFile away from any factory another test may have left behind:
// these tests have no GL context to make textures in.
class Ms3dLoadFile : public ::testing::Test {
protected:
    void SetUp() override {
        saved = theModelFactory;
        theModelFactory = nullptr;
        dir = samples::scratchDir();
    }
    void TearDown() override { theModelFactory = saved; }

    // Loads bytes from a file through Model::loadFile; returns stderr.
    std::string load(Model& m, const std::vector<uint8_t>& bytes, bool& ok) {
        path = dir + "/model.ms3d";
        EXPECT_TRUE(samples::writeBytes(path, bytes));
        m.fileName = path.c_str();
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        ok = m.loadFile();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        return err;
    }

    ModelFactory* saved = nullptr;
    std::string dir;
    std::string path;
};

}  // namespace

TEST(Ms3dParser, KeepsTheStaticGeometryOfAWellFormedFile) {
    Ms3dWriter w = samples::square("data/floor.png");
    w.triangles[1].s[2] = 0.375f;
    w.triangles[1].t[1] = 0.25f;  // the file's t; memory holds 1 - t
    w.triangles[0].normals[1][0] = 0.5f;
    w.vertices[3].y = 7.5f;
    Ms3dWriter::Group bare;
    bare.triangleIndices = {1};
    bare.materialIndex = -1;
    w.groups.push_back(bare);
    w.materials.push_back(Ms3dWriter::Material{});  // no texture
    std::vector<uint8_t> bytes = w.toBytes();
    // Joints and keyframes after the materials are not read.
    for (int i = 0; i < 300; ++i) {
        bytes.push_back(uint8_t(i * 7));
    }

    Parsed p(bytes);
    ASSERT_TRUE(p.ok) << p.reason;
    const Model& m = p.model;
    ASSERT_EQ(m.numVertices, 4);
    EXPECT_EQ(m.vertices[3].position[1], 7.5f);
    EXPECT_EQ(m.vertices[1].position[0], 1.0f);
    ASSERT_EQ(m.numTriangles, 2);
    EXPECT_EQ(m.triangles[1].vertexIndices[0], 0);
    EXPECT_EQ(m.triangles[1].vertexIndices[1], 2);
    EXPECT_EQ(m.triangles[1].vertexIndices[2], 3);
    EXPECT_EQ(m.triangles[1].s[2], 0.375f);
    EXPECT_EQ(m.triangles[1].t[1], 0.75f);
    EXPECT_EQ(m.triangles[0].t[0], 1.0f);
    EXPECT_EQ(m.triangles[0].vertexNormals[1][0], 0.5f);
    EXPECT_EQ(m.triangles[0].vertexNormals[1][2], 1.0f);
    for (int i = 0; i < 2; ++i) {
        for (int e = 0; e < 3; ++e) {
            EXPECT_EQ(m.triangles[i].neighbours[e], -1);
        }
        EXPECT_FALSE(m.triangles[i].facing);
    }
    ASSERT_EQ(m.numGroups, 2);
    EXPECT_EQ(m.groups[0].materialIndex, 0);
    ASSERT_EQ(m.groups[0].numTriangles, 2);
    EXPECT_EQ(m.groups[0].triangleIndices[1], 1);
    EXPECT_EQ(m.groups[1].materialIndex, -1);
    ASSERT_EQ(m.numMaterials, 2);
    EXPECT_EQ(m.materials[0].ambient[0], 0.5f);
    EXPECT_EQ(m.materials[0].diffuse[1], 0.25f);
    EXPECT_EQ(m.materials[0].specular[2], 0.125f);
    EXPECT_STREQ(m.materials[0].textureName, "data/floor.png");
    EXPECT_STREQ(m.materials[1].textureName, "");
    EXPECT_EQ(m.materials[0].textureId, 0u);  // the parser makes no textures
}

TEST(Ms3dParser, ReadsVersionThreeAsFourAndRefusesOthers) {
    Ms3dWriter w = samples::square();
    w.version = 3;
    Parsed v3(w.toBytes());
    w.version = 4;
    Parsed v4(w.toBytes());
    ASSERT_TRUE(v3.ok && v4.ok);
    EXPECT_EQ(v3.model.numTriangles, v4.model.numTriangles);
    EXPECT_EQ(std::memcmp(v3.model.triangles, v4.model.triangles, 2 * sizeof(Triangle)), 0);
    EXPECT_EQ(std::memcmp(v3.model.vertices, v4.model.vertices, 4 * sizeof(Vertex)), 0);

    for (int version : {2, 5, -4, 1 << 24}) {
        w.version = version;
        Parsed bad(w.toBytes());
        EXPECT_FALSE(bad.ok);
        EXPECT_EQ(bad.reason, "version " + std::to_string(version) + ", expected 3 or 4");
        expectEmpty(bad.model);
    }

    std::vector<uint8_t> bytes = samples::square().toBytes();
    bytes[9] = '1';  // "MS3D000001"
    Parsed wrongId(bytes);
    EXPECT_FALSE(wrongId.ok);
    EXPECT_NE(wrongId.reason.find("not an MS3D file"), std::string::npos);
}

TEST(Ms3dParser, RefusesEveryKindOfIndexOutsideItsArray) {
    struct Case {
        const char* what;
        void (*breakIt)(Ms3dWriter&);
        const char* reason;
    };
    const Case cases[] = {
        {"corner", [](Ms3dWriter& w) { w.triangles[1].vertexIndices[2] = 4; },
         "triangle 1 corner 2 names vertex 4, but there are 4 vertices"},
        {"corner far out", [](Ms3dWriter& w) { w.triangles[0].vertexIndices[0] = 65535; },
         "triangle 0 corner 0 names vertex 65535, but there are 4 vertices"},
        {"group triangle", [](Ms3dWriter& w) { w.groups[0].triangleIndices.push_back(2); },
         "group 0 names triangle 2, but there are 2 triangles"},
        {"material", [](Ms3dWriter& w) { w.groups[0].materialIndex = 1; },
         "group 0 names material 1, but there are 1 materials"},
        {"negative material", [](Ms3dWriter& w) { w.groups[0].materialIndex = -2; },
         "group 0 names material -2, but there are 1 materials"},
        {"material, none defined",
         [](Ms3dWriter& w) {
             w.materials.clear();
             w.groups[0].materialIndex = 0;
         },
         "group 0 names material 0, but there are 0 materials"},
    };
    for (const Case& c : cases) {
        Ms3dWriter w = samples::square("data/a.png");
        c.breakIt(w);
        Parsed p(w.toBytes());
        EXPECT_FALSE(p.ok) << c.what;
        EXPECT_EQ(p.reason, c.reason) << c.what;
        expectEmpty(p.model);
    }
}

TEST(Ms3dParser, KeepsAFullTextureFieldAndReplacesWhatTheModelHeld) {
    Ms3dWriter w = samples::square();
    std::vector<uint8_t> bytes = w.toBytes();
    // The texture field of the last material: 128 bytes without a terminator.
    const size_t field = bytes.size() - 256;
    std::memset(&bytes[field], 'x', 128);
    Parsed p(bytes);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(std::string(p.model.materials[0].textureName), std::string(128, 'x'));

    // A second parse into the same model, refused, leaves it empty.
    std::string reason;
    bytes[10] = 9;
    EXPECT_FALSE(Ms3dParser::parse(bytes.data(), bytes.size(), p.model, reason));
    expectEmpty(p.model);
}

TEST_F(Ms3dLoadFile, RefusesAFileCutAtAnyByteWithOneLineNamingIt) {
    const std::vector<uint8_t> whole = samples::square("tex.png").toBytes();
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        Model m;
        bool ok = true;
        const std::string err =
            load(m, std::vector<uint8_t>(whole.begin(), whole.begin() + cut), ok);
        EXPECT_FALSE(ok) << "cut at " << cut;
        expectEmpty(m);
        // One line, starting with the file name.
        EXPECT_EQ(err.rfind(path + ": ", 0), 0u) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
    Model m;
    bool ok = false;
    EXPECT_EQ(load(m, whole, ok), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(m.numTriangles, 2);
    EXPECT_EQ(m.materials[0].textureId, 0u);  // no factory, no texture
    Ms3dParser::release(m);
}

TEST_F(Ms3dLoadFile, ReportsAMissingFileAndAWrongVersion) {
    Model missing;
    const std::string name = dir + "/nothing.ms3d";
    missing.fileName = name.c_str();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(missing.loadFile());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), name + ": cannot be opened\n");
    expectEmpty(missing);

    Ms3dWriter w = samples::square();
    w.version = 5;
    Model m;
    bool ok = true;
    const std::string err = load(m, w.toBytes(), ok);
    EXPECT_EQ(err, path + ": version 5, expected 3 or 4\n");
    EXPECT_FALSE(ok);
}

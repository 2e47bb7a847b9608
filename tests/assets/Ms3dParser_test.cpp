#include "assets/Ms3dParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

#include "assets/Model.h"
#include "assets/ModelFactory.h"
#include "assets/SampleModels.h"
#include "support/ScratchDirectory.h"

namespace {

struct Parsed {
    Model model;
    std::string reason;
    bool ok;
    explicit Parsed(const std::vector<uint8_t>& b)
        : ok(Ms3dParser::parse(b.data(), b.size(), model, reason)) {}
    ~Parsed() { Ms3dParser::release(model); }
};

bool empty(const Model& m) {
    return m.numVertices == 0 && m.numTriangles == 0 && m.numGroups == 0 && m.numMaterials == 0 &&
           !m.vertices && !m.triangles && !m.groups && !m.materials;
}

}  // namespace

TEST(Ms3dParser, KeepsTheStaticGeometryOfVersionsThreeAndFour) {
    Ms3dWriter w = samples::square("data/floor.png");
    w.triangles[1].s[2] = 0.375f;
    w.triangles[1].t[1] = 0.25f;
    w.triangles[0].normals[1][0] = 0.5f;
    w.vertices[3].y = 7.5f;
    w.groups.push_back({"bare", {1}, -1});
    w.materials.push_back(Ms3dWriter::Material{});  // no texture
    std::vector<uint8_t> bytes = w.toBytes();
    const size_t lastTexture = bytes.size() - 256;
    bytes.insert(bytes.end(), 300, 0x5A);  // joints and keyframes are not read
    for (const int version : {4, 3}) {     // version 3 reads exactly like 4
        SCOPED_TRACE(version);
        bytes[10] = uint8_t(version);
        Parsed p(bytes);
        ASSERT_TRUE(p.ok) << p.reason;
        const Model& m = p.model;
        ASSERT_EQ((std::vector<int>{m.numVertices, m.numTriangles, m.numGroups, m.numMaterials}),
                  (std::vector<int>{4, 2, 2, 2}));
        EXPECT_EQ(m.vertices[3].position[1], 7.5f);
        const Triangle& t = m.triangles[1];
        EXPECT_EQ(std::vector<int>(t.vertexIndices, t.vertexIndices + 3),
                  (std::vector<int>{0, 2, 3}));
        EXPECT_EQ(t.s[2], 0.375f);
        EXPECT_EQ(t.t[1], 0.75f);  // stored as 1 - t
        EXPECT_EQ(m.triangles[0].t[0], 1.0f);
        EXPECT_EQ(m.triangles[0].vertexNormals[1][0], 0.5f);
        EXPECT_EQ(t.neighbours[0], -1);
        EXPECT_FALSE(t.facing);
        EXPECT_EQ(m.groups[0].triangleIndices[1], 1);
        EXPECT_EQ(m.groups[1].materialIndex, -1);
        EXPECT_EQ(m.materials[0].ambient[0], 0.5f);
        EXPECT_STREQ(m.materials[0].textureName, "data/floor.png");
        EXPECT_STREQ(m.materials[1].textureName, "");
        EXPECT_EQ(m.materials[0].textureId, 0u);  // the parser makes no textures
    }
    // A texture field with no terminator keeps all 128 bytes.
    std::memset(&bytes[lastTexture], 'x', 128);
    Parsed full(bytes);
    ASSERT_TRUE(full.ok);
    EXPECT_EQ(std::string(full.model.materials[1].textureName), std::string(128, 'x'));
}

TEST(Ms3dParser, RefusesBadHeadersAndEveryIndexOutsideItsArray) {
    const std::pair<std::function<void(Ms3dWriter&)>, std::string> cases[] = {
        {[](Ms3dWriter& w) { w.version = 2; }, "version 2, expected 3 or 4"},
        {[](Ms3dWriter& w) { w.version = 5; }, "version 5, expected 3 or 4"},
        {[](Ms3dWriter& w) { w.triangles[1].vertexIndices[2] = 4; },
         "triangle 1 corner 2 names vertex 4, but there are 4 vertices"},
        {[](Ms3dWriter& w) { w.groups[0].triangleIndices.push_back(2); },
         "group 0 names triangle 2, but there are 2 triangles"},
        {[](Ms3dWriter& w) { w.groups[0].materialIndex = 1; },
         "group 0 names material 1, but there are 1 materials"},
        {[](Ms3dWriter& w) { w.groups[0].materialIndex = -2; },
         "group 0 names material -2, but there are 1 materials"},
    };
    for (const auto& [breakIt, reason] : cases) {
        Ms3dWriter w = samples::square();
        breakIt(w);
        Parsed p(w.toBytes());
        EXPECT_FALSE(p.ok);
        EXPECT_EQ(p.reason, reason);
        EXPECT_TRUE(empty(p.model)) << reason;
    }
    std::vector<uint8_t> bytes = samples::square().toBytes();
    bytes[9] = '1';
    Parsed wrongId(bytes);
    EXPECT_FALSE(wrongId.ok);
    EXPECT_EQ(wrongId.reason, "not an MS3D file (the first 10 bytes are not \"MS3D000000\")");
}

TEST(Ms3dLoadFile, RefusesMissingAndCutFilesWithOneLineNamingThem) {
    // No GL here: keep loadFile away from any factory another test left.
    ModelFactory* saved = std::exchange(theModelFactory, nullptr);
    const ScratchDirectory dir;
    const std::string path = dir.file("model.ms3d");
    const std::vector<uint8_t> whole = samples::square("tex.png").toBytes();
    for (size_t cut = 0; cut <= whole.size(); ++cut) {
        ASSERT_TRUE(samples::writeBytes(path, {whole.begin(), whole.begin() + cut}));
        Model m;
        m.fileName = path.c_str();
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const bool ok = m.loadFile();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        if (cut == whole.size()) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(err, "");
            EXPECT_EQ(m.materials[0].textureId, 0u);  // no factory, no texture
            Ms3dParser::release(m);
            break;
        }
        EXPECT_FALSE(ok) << "cut at " << cut;
        EXPECT_TRUE(empty(m));
        EXPECT_EQ(err.rfind(path + ": ", 0), 0u) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
    Model missing;
    missing.fileName = "/nonexistent/bee.ms3d";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(missing.loadFile());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "/nonexistent/bee.ms3d: cannot be opened (No such file or directory)\n");
    theModelFactory = saved;
}

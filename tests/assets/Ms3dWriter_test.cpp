#include "assets/Ms3dWriter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

uint16_t u16At(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

float f32At(const std::vector<uint8_t>& b, size_t at) {
    const uint32_t u = b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

}  // namespace

TEST(Ms3dWriter, WritesThePackedLittleEndianLayout) {
    Ms3dWriter w;
    w.version = 3;
    w.vertices = {{1.0f, 2.0f, 3.0f}, {4.0f, 5.0f, 6.0f}, {7.0f, 8.0f, 9.5f}};
    Ms3dWriter::Triangle t{};
    t.vertexIndices[0] = 0;
    t.vertexIndices[1] = 2;
    t.vertexIndices[2] = 1;
    t.t[0] = 0.25f;
    w.triangles.push_back(t);
    Ms3dWriter::Group g;
    g.name = std::string(40, 'g');  // longer than the field: cut, still terminated
    g.triangleIndices = {0};
    g.materialIndex = -1;
    w.groups.push_back(g);
    Ms3dWriter::Material m;
    m.texture = "data/bee.png";
    w.materials.push_back(m);

    const std::vector<uint8_t> b = w.toBytes();
    const size_t vertices = 14, triangles = vertices + 2 + 3 * size_t{15},
                 groups = triangles + 2 + 70, materials = groups + 2 + 36 + 2;
    ASSERT_EQ(b.size(), materials + 2 + 361);
    EXPECT_EQ(std::memcmp(b.data(), "MS3D000000", 10), 0);
    EXPECT_EQ(b[10], 3);
    EXPECT_EQ(u16At(b, vertices), 3);
    EXPECT_EQ(f32At(b, vertices + 2 + 2 * size_t{15} + 1 + 8), 9.5f);
    EXPECT_EQ(u16At(b, triangles), 1);
    EXPECT_EQ(u16At(b, triangles + 2 + 2 + 2), 2);   // second corner index
    EXPECT_EQ(f32At(b, triangles + 2 + 56), 0.25f);  // first t, as given
    EXPECT_EQ(u16At(b, groups), 1);
    EXPECT_EQ(b[groups + 2 + 1 + 31], 0);  // name terminated
    EXPECT_EQ(u16At(b, groups + 2 + 33), 1);
    EXPECT_EQ(b[groups + 2 + 37], 0xFF);  // material -1
    EXPECT_EQ(u16At(b, materials), 1);
    EXPECT_EQ(std::memcmp(&b[materials + 2 + 105], "data/bee.png", 13), 0);
}

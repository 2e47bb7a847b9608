#include "assets/Ms3dWriter.h"

#include <gtest/gtest.h>

#include <cstring>

#include "assets/SampleModels.h"

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
    Ms3dWriter w = samples::square("data/bee.png");
    w.version = 3;
    w.vertices[2].z = 9.5f;
    w.triangles[0].t[0] = 0.25f;
    w.groups[0].name = std::string(40, 'g');  // longer than the field: cut, still terminated
    w.groups[0].materialIndex = -1;

    const std::vector<uint8_t> b = w.toBytes();
    const size_t vertices = 14, triangles = vertices + 2 + 4 * size_t{15},
                 groups = triangles + 2 + 2 * size_t{70}, materials = groups + 2 + 36 + 2 * 2;
    ASSERT_EQ(b.size(), materials + 2 + 361);
    EXPECT_EQ(std::memcmp(b.data(), "MS3D000000", 10), 0);
    EXPECT_EQ(b[10], 3);
    EXPECT_EQ(u16At(b, vertices), 4);
    EXPECT_EQ(f32At(b, vertices + 2 + 2 * size_t{15} + 1 + 8), 9.5f);
    EXPECT_EQ(u16At(b, triangles), 2);
    EXPECT_EQ(u16At(b, triangles + 2 + 70 + 2 + 2), 2);  // second corner of the second triangle
    EXPECT_EQ(u16At(b, triangles + 2 + 70 + 2 + 4), 3);
    EXPECT_EQ(f32At(b, triangles + 2 + 56), 0.25f);  // first t, as given
    EXPECT_EQ(u16At(b, groups), 1);
    EXPECT_EQ(b[groups + 2 + 1 + 31], 0);  // name terminated
    EXPECT_EQ(u16At(b, groups + 2 + 33), 2);
    EXPECT_EQ(u16At(b, groups + 2 + 37), 1);  // its second triangle
    EXPECT_EQ(b[groups + 2 + 39], 0xFF);      // material -1
    EXPECT_EQ(u16At(b, materials), 1);
    EXPECT_EQ(std::memcmp(&b[materials + 2 + 105], "data/bee.png", 13), 0);
}

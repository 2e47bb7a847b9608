#include "assets/ByteReader.h"

#include <gtest/gtest.h>

TEST(ByteReader, ReadsLittleEndianAndNeverPastTheEnd) {
    const uint8_t bytes[] = {0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xC0, 0x3F, 0x80};
    ByteReader in(bytes, sizeof bytes);
    uint16_t u = 0;
    int32_t i = 0;
    float f = 0;
    int8_t s = 0;
    ASSERT_TRUE(in.u16(u));
    EXPECT_EQ(u, 0x1234);
    ASSERT_TRUE(in.i32(i));
    EXPECT_EQ(i, -2);
    ASSERT_TRUE(in.f32(f));
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(in.offset(), 10u);

    // One byte left: wider reads fail and leave both the output and the cursor.
    u = 7;
    EXPECT_FALSE(in.u16(u));
    EXPECT_EQ(u, 7);
    EXPECT_FALSE(in.skip(2));
    float several[2] = {9.0f, 9.0f};
    EXPECT_FALSE(in.f32s(several, 1));
    EXPECT_EQ(several[0], 9.0f);
    EXPECT_EQ(in.offset(), 10u);
    ASSERT_TRUE(in.i8(s));
    EXPECT_EQ(s, -128);
    EXPECT_FALSE(in.i8(s));
    EXPECT_TRUE(in.skip(0));
    EXPECT_FALSE(in.has(1));
    EXPECT_FALSE(in.skip(SIZE_MAX));
}

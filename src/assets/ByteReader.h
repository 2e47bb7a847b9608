#pragma once

#include <cstddef>
#include <cstdint>

// A cursor over a byte buffer that reads little-endian values and refuses to
// step past the end: a read that does not fit returns false, leaves its
// output untouched and does not move the cursor.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data(data), size(size), position(0) {}

    bool u8(uint8_t& out);
    bool i8(int8_t& out);
    bool u16(uint16_t& out);
    bool i32(int32_t& out);
    bool f32(float& out);
    bool f32s(float* out, size_t count);
    // Copies count raw bytes.
    bool bytes(void* out, size_t count);
    bool skip(size_t count);

    // True when at least count more bytes follow the cursor.
    bool has(size_t count) const { return count <= size - position; }
    size_t offset() const { return position; }
    size_t total() const { return size; }

private:
    const uint8_t* data;
    size_t size;
    size_t position;
};

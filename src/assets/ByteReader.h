#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// A cursor over a byte buffer that reads little-endian values and refuses to
// step past the end: a read that does not fit returns false, leaves its
// output untouched and does not move the cursor. The small reads are inline:
// the model loader makes hundreds of thousands of them per file.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data(data), size(size), position(0) {}

    bool u8(uint8_t& out) {
        if (!has(1)) {
            return false;
        }
        out = data[position++];
        return true;
    }
    bool i8(int8_t& out);
    bool u16(uint16_t& out) {
        if (!has(2)) {
            return false;
        }
        out = static_cast<uint16_t>(data[position] | (data[position + 1] << 8));
        position += 2;
        return true;
    }
    bool i32(int32_t& out) {
        if (!has(4)) {
            return false;
        }
        out = static_cast<int32_t>(bits32(data + position));
        position += 4;
        return true;
    }
    bool f32(float& out) { return f32s(&out, 1); }
    bool f32s(float* out, size_t count) {
        if (count > (size - position) / 4) {
            return false;
        }
        for (size_t i = 0; i < count; ++i) {
            const uint32_t bits = bits32(data + position + 4 * i);
            std::memcpy(&out[i], &bits, sizeof bits);
        }
        position += 4 * count;
        return true;
    }
    // Copies count raw bytes.
    bool bytes(void* out, size_t count);
    bool skip(size_t count) {
        if (!has(count)) {
            return false;
        }
        position += count;
        return true;
    }

    // True when at least count more bytes follow the cursor.
    bool has(size_t count) const { return count <= size - position; }
    size_t offset() const { return position; }
    size_t total() const { return size; }

private:
    // Compilers turn this into one load on little-endian machines.
    static uint32_t bits32(const uint8_t* p) {
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
               (uint32_t(p[3]) << 24);
    }

    const uint8_t* data;
    size_t size;
    size_t position;
};

#include "assets/ByteReader.h"

#include <cstring>

bool ByteReader::u8(uint8_t& out) {
    if (!has(1)) {
        return false;
    }
    out = data[position++];
    return true;
}

bool ByteReader::i8(int8_t& out) {
    uint8_t u;
    if (!u8(u)) {
        return false;
    }
    out = static_cast<int8_t>(u);
    return true;
}

bool ByteReader::u16(uint16_t& out) {
    if (!has(2)) {
        return false;
    }
    out = static_cast<uint16_t>(data[position] | (data[position + 1] << 8));
    position += 2;
    return true;
}

bool ByteReader::i32(int32_t& out) {
    if (!has(4)) {
        return false;
    }
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i) {
        u = (u << 8) | data[position + i];
    }
    position += 4;
    out = static_cast<int32_t>(u);
    return true;
}

bool ByteReader::f32(float& out) {
    int32_t bits;
    if (!i32(bits)) {
        return false;
    }
    std::memcpy(&out, &bits, sizeof out);
    return true;
}

bool ByteReader::f32s(float* out, size_t count) {
    if (count > (size - position) / 4) {
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        f32(out[i]);
    }
    return true;
}

bool ByteReader::bytes(void* out, size_t count) {
    if (!has(count)) {
        return false;
    }
    if (count > 0) {
        std::memcpy(out, data + position, count);
    }
    position += count;
    return true;
}

bool ByteReader::skip(size_t count) {
    if (!has(count)) {
        return false;
    }
    position += count;
    return true;
}

#include "assets/ByteReader.h"

bool ByteReader::i8(int8_t& out) {
    uint8_t u;
    if (!u8(u)) {
        return false;
    }
    out = static_cast<int8_t>(u);
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

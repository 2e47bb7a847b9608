#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Model;

// Turns the bytes of a MilkShape 3D file (versions 3 and 4) into a Model's
// vertex, triangle, group and material arrays. Pure: touches neither GL nor
// the model cache, so texture ids stay 0 and the display list is left alone.
//
// Nothing in the file is trusted. Every record must lie inside the buffer,
// every corner must name an existing vertex, every group triangle an existing
// triangle, and every group material must be -1 or an existing material.
// Joints, keyframes and anything else after the materials are ignored.
class Ms3dParser {
public:
    // Replaces the model's arrays with the file's. On refusal returns false,
    // leaves the model with zero counts and null arrays and says why in reason.
    static bool parse(const uint8_t* data, size_t size, Model& model, std::string& reason);
    // Frees the arrays parse allocated and zeroes the counts.
    static void release(Model& model);
};

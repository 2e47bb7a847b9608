#pragma once

#include "assets/FlowerKind.h"
#include "content/MeshBuilder.h"
#include "content/Shapes.h"

// Where the sunflower's and the cosmos' seed discs change from their back
// (v below) to their face (v above) in the disc picture.
constexpr double kDiscFaceStart = 0.6;

namespace flowerAtlas {
constexpr UvRect kLeaf{0.0, 0.0, 0.5, 1.0};
constexpr UvRect kStem{0.5, 0.0, 1.0, 1.0};
constexpr UvRect kTulipPetal{0.0, 0.0, 1.0, 1.0};
constexpr UvRect kBell{0.0, 0.0, 0.75, 1.0};
constexpr UvRect kStamen{0.75, 0.0, 1.0, 1.0};
constexpr UvRect kRayPetal{0.0, 0.0, 0.5, 1.0};
constexpr UvRect kDisc{0.5, 0.0, 1.0, 1.0};
constexpr UvRect kDiscBack{0.5, 0.0, 1.0, kDiscFaceStart - 0.1};  // green bracts
}  // namespace flowerAtlas

// The four flowers, standing on the origin, each with its blossom around the
// kind's collision sphere. Three groups per model: "stem" (closed stems) and
// "leaves" (sheets), both in "data/leaf.tga", and "blossom" (the kind's own
// picture).
MeshBuilder buildFlower(const FlowerKind& kind, int lod);

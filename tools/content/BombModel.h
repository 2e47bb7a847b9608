#pragma once

#include "content/MeshBuilder.h"
#include "content/Shapes.h"

// A round bomb of radius 4 with a brass collar and a lit fuse, drawn at scale
// 0.1 in the colour (0.5, 0.5, 0). One picture, "data/bomb.tga":
namespace bombAtlas {
constexpr UvRect kBody{0.0, 0.0, 1.0, 0.5};
constexpr UvRect kCollar{0.0, 0.5, 0.5, 0.75};
constexpr UvRect kFuse{0.5, 0.5, 1.0, 0.75};
constexpr UvRect kSpark{0.0, 0.75, 0.5, 1.0};
}  // namespace bombAtlas

constexpr double kBombRadius = 4.0;

MeshBuilder buildBomb();
// What a bomb's shadow is cast from: the ball alone, with the drawn ball's
// vertices, untextured and never drawn.
MeshBuilder buildBombHull();

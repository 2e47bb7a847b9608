#pragma once

#include "content/MeshBuilder.h"
#include "content/Shapes.h"

// The player's bee, about nine units long, nose toward +z, back toward +y.
// Drawn at scale 0.1 in the colour (1, 1, 0), which multiplies the texture:
// only the red and green of the pictures show.
//
// One picture, "data/bee.tga", holds every part; these are its regions.
namespace beeAtlas {
constexpr UvRect kAbdomen{0.0, 0.0, 1.0, 0.5};
constexpr UvRect kThorax{0.0, 0.5, 0.5, 0.75};
constexpr UvRect kHead{0.5, 0.5, 1.0, 0.75};
constexpr UvRect kEye{0.0, 0.75, 0.5, 1.0};
constexpr UvRect kDark{0.5, 0.75, 1.0, 1.0};
}  // namespace beeAtlas

// The wings are drawn inside the bee's frame, moved by this offset at scale 1
// and tilted about their own x axis while flying, so they are modelled
// around their hinge on the bee's back.
namespace beeWings {
constexpr double kOffsetY = 0.65;
constexpr double kOffsetZ = 1.3;
}  // namespace beeWings

MeshBuilder buildBee();
// What the bee's shadow is cast from: its outline seen from above in fewer
// closed parts; untextured and never drawn.
MeshBuilder buildBeeHull();
MeshBuilder buildBeeWings();

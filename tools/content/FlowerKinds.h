#pragma once

#include <string>

// What the game fixes per flower kind: its points, where its blossom is (the
// collision sphere, in model units) and how the level loader changes the
// scale of a placement record before use.
struct FlowerKind {
    char letter;
    double points;
    double sphereX, sphereY, sphereZ;
    double sphereRadius;
    double loadScale;  // the loader multiplies the file's scale by this

    std::string placementFile() const { return std::string("flower") + letter + ".txt"; }
    std::string modelFile(int lod) const {
        return std::string("flower") + letter + "_LOD" + std::to_string(lod) + ".ms3d";
    }
    std::string textureFile() const { return std::string("flower") + letter + ".png"; }
};

// Red tulip, blue bellflower, tall sunflower, pink cosmos.
constexpr FlowerKind kFlowerKinds[4] = {
    {'A', 100.0, 0.0, 8.237, 0.0, 1.333, 1.0},
    {'B', 300.0, 0.0, 9.2, 0.059, 0.859, 1.0},
    {'C', 50.0, 0.0, 15.364, 0.0, 1.421, 0.5},
    {'D', 120.0, 0.0, 9.2, 0.059, 0.859, 1.5},
};

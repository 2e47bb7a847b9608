#pragma once

#include <string>
#include <vector>

#include "content/Image.h"

// Every picture the models name, painted from code. Texture coordinates in
// the models are laid out for these pictures (see the atlas regions in the
// model headers).
struct NamedImage {
    std::string file;  // name inside data/
    Image image;
};

std::vector<NamedImage> paintTextures();

// The families, each in its own file.
std::vector<NamedImage> paintCreatureTextures();  // bee, wings, bomb
std::vector<NamedImage> paintHallTextures();      // floor, stone, iron, glass, lantern
std::vector<NamedImage> paintFlowerTextures();    // leaves and the four blossoms

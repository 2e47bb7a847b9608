#pragma once

#include <string>

#include "assets/FlowerKind.h"

// The names inside data/ of a flower kind's files: the ones the game's table
// names (it opens them as "data/..."), and the blossom's own picture.
namespace flowerFiles {
std::string placement(const FlowerKind& kind);       // flowerA.txt
std::string model(const FlowerKind& kind, int lod);  // flowerA_LOD0.ms3d
std::string blossomPicture(const FlowerKind& kind);  // flowerA.tga
}  // namespace flowerFiles

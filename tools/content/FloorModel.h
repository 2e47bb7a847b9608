#pragma once

#include <string>

#include "content/MeshBuilder.h"

// The ground: eight tiles in world coordinates at y = 0 that together cover
// x and z in [-80, 80], wider than the hall. The game names them by row i
// and column j: tile (i, j) covers x in [-80 + 40 i, -40 + 40 i] and z in
// [-80 + 80 j, 80 j]. Texture coordinates run 0..1 across each tile; the
// game repeats the picture ten times.
namespace floorTiles {
constexpr int kRows = 4;     // i
constexpr int kColumns = 2;  // j
constexpr double kMin = -80.0;
constexpr double kTileX = 40.0;
constexpr double kTileZ = 80.0;
std::string fileName(int i, int j, int lod);  // "floorI_J_LODn.ms3d"
}  // namespace floorTiles

// lod 0: a grid of 8 x 16 quads (the fog and light are per vertex); lod 1: two triangles.
MeshBuilder buildFloorTile(int i, int j, int lod);

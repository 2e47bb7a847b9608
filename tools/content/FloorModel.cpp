#include "content/FloorModel.h"

#include "content/Shapes.h"

std::string floorTiles::fileName(int i, int j, int lod) {
    return "floor" + std::to_string(i) + "_" + std::to_string(j) + "_LOD" + std::to_string(lod) +
           ".ms3d";
}

MeshBuilder buildFloorTile(int i, int j, int lod) {
    MeshBuilder mesh;
    mesh.useGroup("floor", mesh.addMaterial("floor", "data/floor.tga"));
    const double x0 = floorTiles::kMin + floorTiles::kTileX * i;
    const double z0 = floorTiles::kMin + floorTiles::kTileZ * j;
    Patch tile;
    tile.columns = lod == 0 ? 8 : 1;
    tile.rows = lod == 0 ? 16 : 1;
    tile.point = [&](double s, double t) {
        return Vec3(x0 + floorTiles::kTileX * s, 0.0, z0 + floorTiles::kTileZ * t);
    };
    tile.front = [](const Vec3&) { return Vec3(0, 1, 0); };
    addPatch(mesh, tile, {0.0, 0.0, 1.0, 1.0});
    mesh.computeNormals(10.0);
    return mesh;
}

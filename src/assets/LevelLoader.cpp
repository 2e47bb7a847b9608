#include "assets/LevelLoader.h"

#include <cstring>
#include <string>
#include <vector>

#include "assets/FlowerKind.h"
#include "assets/PlacementReader.h"
#include "scene/Floor.h"
#include "scene/Flower.h"
#include "scene/Node.h"

namespace {

constexpr int kFloorRows = 4;
constexpr int kFloorColumns = 2;
// The floor textures repeat ten times across a tile.
constexpr float kFloorTextureScale = 10.0f;

// The tiles keep their model names for the whole run.
const char* heapCopy(const std::string& s) {
    char* copy = new char[s.size() + 1];
    std::memcpy(copy, s.c_str(), s.size() + 1);
    return copy;
}

}  // namespace

void LevelLoader::loadFlowers(std::list<Flower*>& flowers, Node& root) {
    for (const FlowerKind& kind : kFlowerKinds) {
        const std::vector<PlacementReader::Record> records =
            PlacementReader::readFile(kind.placementFile, kind.layout);
        for (const PlacementReader::Record& r : records) {
            const float* v = r.values;
            Flower* flower =
                new Flower(v[0], v[1], v[2], v[3], v[4], v[5], v[6] * kind.scaleFactor, kind.points,
                           kind.sphereX, kind.sphereY, kind.sphereZ, kind.sphereRadius);
            flower->setModelFile(kind.lod0Model);
            flower->setLodModelFile(kind.lod1Model);
            flower->loadModel();
            flower->loadLodModel();
            flower->setCastsShadow(true);
            flowers.push_back(flower);
            root.addChild(flower);
        }
    }
}

void LevelLoader::loadFloor(std::list<Floor*>& floorTiles, Node& root) {
    for (int i = 0; i < kFloorRows; ++i) {
        for (int j = 0; j < kFloorColumns; ++j) {
            const std::string stem = "data/floor" + std::to_string(i) + "_" + std::to_string(j);
            Floor* tile = new Floor(0.0f, 0.0f, 0.0f, 1.0f);
            tile->setModelFile(heapCopy(stem + "_LOD0.ms3d"));
            tile->setLodModelFile(heapCopy(stem + "_LOD1.ms3d"));
            tile->setTextureScale(kFloorTextureScale);
            tile->loadModel();
            tile->loadLodModel();
            floorTiles.push_back(tile);
            root.addChild(tile);
        }
    }
}

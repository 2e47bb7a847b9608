#include "assets/LevelLoader.h"

#include <cstring>
#include <string>
#include <vector>

#include "assets/PlacementReader.h"
#include "scene/Floor.h"
#include "scene/Flower.h"
#include "scene/Node.h"

namespace {

// What a record of each placement file turns into. The blossom spheres are
// in model units; kinds C and D are modelled at another size than they are
// placed, hence the scale factor.
struct FlowerKind {
    const char* placementFile;
    PlacementReader::Layout layout;
    const char* lod0Model;
    const char* lod1Model;
    float scaleFactor;
    float points;
    float sphereX, sphereY, sphereZ, sphereRadius;
};

const FlowerKind kFlowerKinds[] = {
    {"data/flowerA.txt", PlacementReader::Layout::TerminatorBeforeRecord, "data/flowerA_LOD0.ms3d",
     "data/flowerA_LOD1.ms3d", 1.0f, 100.0f, 0.0f, 8.237f, 0.0f, 1.333f},
    {"data/flowerB.txt", PlacementReader::Layout::TerminatorAsSeparator, "data/flowerB_LOD0.ms3d",
     "data/flowerB_LOD1.ms3d", 1.0f, 300.0f, 0.0f, 9.2f, 0.059f, 0.859f},
    {"data/flowerC.txt", PlacementReader::Layout::TerminatorAsSeparator, "data/flowerC_LOD0.ms3d",
     "data/flowerC_LOD1.ms3d", 0.5f, 50.0f, 0.0f, 15.364f, 0.0f, 1.421f},
    {"data/flowerD.txt", PlacementReader::Layout::TerminatorAsSeparator, "data/flowerD_LOD0.ms3d",
     "data/flowerD_LOD1.ms3d", 1.5f, 120.0f, 0.0f, 9.2f, 0.059f, 0.859f},
};

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

#include "content/ModelCatalog.h"

#include <algorithm>
#include <cmath>

#include "content/BeeModel.h"
#include "content/BombModel.h"
#include "content/DomeModel.h"
#include "content/FloorModel.h"
#include "content/FlowerFiles.h"
#include "content/FlowerModels.h"

std::vector<NamedModel> buildModels() {
    std::vector<NamedModel> models;
    models.push_back({"bee.ms3d", buildBee(), true, false});
    models.push_back({"bee_hull.ms3d", buildBeeHull(), true, false});
    models.push_back({"bee_wings.ms3d", buildBeeWings(), true, false});
    models.push_back({"bomb.ms3d", buildBomb(), true, false});
    models.push_back({"bomb_hull.ms3d", buildBombHull(), true, false});
    models.push_back({"dome.ms3d", buildDome(), false, true});
    models.push_back({"dome_top.ms3d", buildDomeTop(), false, true});
    models.push_back({"dome_fronts.ms3d", buildDomeFronts(), true, true});
    models.push_back({"dome_fenster.ms3d", buildDomeWindows(), false, true});
    for (int i = 0; i < floorTiles::kRows; ++i) {
        for (int j = 0; j < floorTiles::kColumns; ++j) {
            for (int lod = 0; lod < 2; ++lod) {
                models.push_back(
                    {floorTiles::fileName(i, j, lod), buildFloorTile(i, j, lod), false, true});
            }
        }
    }
    for (const FlowerKind& kind : kFlowerKinds) {
        for (int lod = 0; lod < 2; ++lod) {
            // Petals and leaves are sheets: a flower is not closed, its stems are.
            models.push_back({flowerFiles::model(kind, lod), buildFlower(kind, lod), false, false});
        }
    }
    // The shells and tiles lie in world coordinates: keep them from being culled wrongly.
    for (NamedModel& m : models) {
        if (m.worldSpace) {
            m.mesh.reachFromOrigin();
        }
    }
    return models;
}

double flowerFootprint(const MeshBuilder& flower) {
    double x = 0.0, z = 0.0;
    for (const Vec3& v : flower.vertices) {
        x = std::max(x, std::fabs(v.x));
        z = std::max(z, std::fabs(v.z));
    }
    return std::hypot(x, z);
}

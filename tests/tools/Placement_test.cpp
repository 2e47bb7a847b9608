// The flower placement files: their exact layouts and where the flowers end up.
#include "content/Placement.h"

#include <gtest/gtest.h>

#include <cmath>

#include "assets/PlacementReader.h"
#include "content/ContentWriter.h"
#include "content/DomeModel.h"
#include "content/FlowerModels.h"
#include "content/ModelCatalog.h"

namespace {

// The records as the game's reader takes them from the text.
std::vector<PlacementReader::Record> read(const std::string& text, const FlowerKind& kind) {
    return PlacementReader::readText(text.data(), text.size(), kind.layout, "placement");
}

}  // namespace

TEST(Placement, EachKindHasItsOwnTerminatorLayout) {
    const std::vector<FlowerSpot> two = {{1.5, -2.25, 1.0}, {-30.0, 40.0, 1.2}};
    const std::string a = placementText(kFlowerKinds[0], two);
    EXPECT_EQ(a,
              "1.50\n0.0\n-2.25\n0.0\n0.0\n0.0\n1.0000\n\n"
              "-30.00\n0.0\n40.00\n0.0\n0.0\n0.0\n1.2000\n\n$$$\nend\n");
    const std::string b = placementText(kFlowerKinds[1], two);
    EXPECT_EQ(b,
              "1.50\n0.0\n-2.25\n0.0\n0.0\n0.0\n1.0000\n\n"
              "-30.00\n0.0\n40.00\n0.0\n0.0\n0.0\n1.2000\n$$$\nend\n");
    // C's scale is halved and D's multiplied by 1.5 on loading: the files undo that.
    EXPECT_NE(placementText(kFlowerKinds[2], two).find("\n2.0000\n"), std::string::npos);
    EXPECT_NE(placementText(kFlowerKinds[3], two).find("\n0.6667\n"), std::string::npos);
    // The level's own files are read back below; an empty list is no flowers either way.
    EXPECT_EQ(read(placementText(kFlowerKinds[0], {}), kFlowerKinds[0]).size(), 0u);
    EXPECT_EQ(placementText(kFlowerKinds[1], {}), "");
}

TEST(Placement, TheLevelsFlowersStandApartInsideTheHall) {
    std::vector<double> footprints;
    for (const FlowerKind& kind : kFlowerKinds) {
        footprints.push_back(flowerFootprint(buildFlower(kind, 0)));
        EXPECT_GT(footprints.back(), 1.5);
        EXPECT_LT(footprints.back(), 6.0);
    }
    struct World {
        double x, z, reach;
    };
    std::vector<World> all;
    const std::vector<ContentFile> files = placementFiles();
    ASSERT_EQ(files.size(), 4u);
    for (size_t k = 0; k < 4; ++k) {
        const FlowerKind& kind = kFlowerKinds[k];
        EXPECT_EQ("data/" + files[k].name, kind.placementFile);
        const auto records = read(std::string(files[k].bytes.begin(), files[k].bytes.end()), kind);
        ASSERT_EQ(records.size(), size_t(placement::kPerKind)) << kind.letter;
        for (const PlacementReader::Record& r : records) {
            EXPECT_TRUE(r.values[1] == 0 && r.values[3] == 0 && r.values[4] == 0 &&
                        r.values[5] == 0)
                << "upright on the floor";
            const double scale = r.values[6] * kind.scaleFactor;  // as the game draws it
            EXPECT_GE(scale, 0.84);
            EXPECT_LE(scale, 1.21);
            const double x = r.values[0], z = r.values[2], reach = footprints[k] * scale;
            EXPECT_LT(std::hypot(x, z) + reach, dome::innerRadius() - 4.0) << "inside the hall";
            EXPECT_GT(std::hypot(x - placement::kStartX, z - placement::kStartZ), reach + 7.0)
                << "not under the bee's start";
            all.push_back({x, z, reach});
        }
    }
    for (size_t i = 0; i < all.size(); ++i) {
        for (size_t j = i + 1; j < all.size(); ++j) {
            const double d = std::hypot(all[i].x - all[j].x, all[i].z - all[j].z);
            ASSERT_GT(d, all[i].reach + all[j].reach + 2.5) << i << " and " << j << " crowd";
        }
    }
}

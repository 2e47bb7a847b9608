// The pictures as the game can use them: power-of-two sides for the texture
// loader, and no seam where a repeated picture joins its own edge.
#include "content/Textures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

// Mean colour step from the last column round to the first, against the mean
// step between neighbouring columns inside; rows instead when alongRows.
// Only the first `lines` rows (or columns) count.
void expectNoSeam(const Image& image, bool alongRows, int lines, const char* what) {
    const int n = alongRows ? image.height() : image.width();
    auto at = [&](int i, int line) { return alongRows ? image.at(line, i) : image.at(i, line); };
    auto step = [&](int i, int j, int line) {
        const Color a = at(i, line), b = at(j, line);
        return std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b);
    };
    double wrap = 0.0, inside = 0.0;
    for (int line = 0; line < lines; ++line) {
        wrap += step(n - 1, 0, line);
        for (int i = 0; i + 1 < n; ++i) {
            inside += step(i, i + 1, line);
        }
    }
    EXPECT_LT(wrap / lines, 2.0 * inside / (double(lines) * (n - 1)) + 0.01) << what;
}

}  // namespace

TEST(Textures, PowerOfTwoSidesAndRepeatedPicturesHaveNoSeams) {
    std::map<std::string, Image> images;
    for (NamedImage& n : paintTextures()) {
        const int w = n.image.width(), h = n.image.height();
        EXPECT_TRUE(w >= 64 && (w & (w - 1)) == 0 && h >= 64 && (h & (h - 1)) == 0) << n.file;
        images.emplace(n.file, n.image);
    }
    ASSERT_EQ(images.size(), 13u);
    // The floor repeats ten times each way across a tile, the iron along every
    // beam; the stone runs round the hall.
    const Image& floor = images.at("floor.tga");
    expectNoSeam(floor, false, floor.height(), "floor across");
    expectNoSeam(floor, true, floor.width(), "floor along");
    const Image& iron = images.at("dome_frame.tga");
    expectNoSeam(iron, false, iron.height(), "iron across");
    const Image& stone = images.at("dome_wall.tga");
    expectNoSeam(stone, false, stone.height(), "stone round the hall");
    // The bee's stripes wrap round its abdomen: the top half of its picture.
    const Image& bee = images.at("bee.tga");
    expectNoSeam(bee, false, bee.height() / 2, "bee abdomen");
}

// The pictures that the game repeats must join their own edges without a seam.
#include "content/Textures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

double difference(const Color& a, const Color& b) {
    return std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b);
}

// Mean colour step from the last column (x1 - 1) back round to the first
// (x0), against the mean step between neighbouring columns inside.
void columnsWrap(const Image& image, int x0, int x1, int y0, int y1, const char* what) {
    double wrap = 0.0, inside = 0.0;
    for (int y = y0; y < y1; ++y) {
        wrap += difference(image.at(x1 - 1, y), image.at(x0, y));
        for (int x = x0; x + 1 < x1; ++x) {
            inside += difference(image.at(x, y), image.at(x + 1, y));
        }
    }
    wrap /= (y1 - y0);
    inside /= double(y1 - y0) * (x1 - x0 - 1);
    EXPECT_LT(wrap, 2.0 * inside + 0.01) << what;
}

void rowsWrap(const Image& image, const char* what) {
    double wrap = 0.0, inside = 0.0;
    const int w = image.width(), h = image.height();
    for (int x = 0; x < w; ++x) {
        wrap += difference(image.at(x, h - 1), image.at(x, 0));
        for (int y = 0; y + 1 < h; ++y) {
            inside += difference(image.at(x, y), image.at(x, y + 1));
        }
    }
    EXPECT_LT(wrap / w, 2.0 * inside / (double(w) * (h - 1)) + 0.01) << what;
}

}  // namespace

TEST(Textures, RepeatedPicturesHaveNoSeams) {
    std::map<std::string, Image> images;
    for (NamedImage& n : paintTextures()) {
        images.emplace(n.file, n.image);
    }
    ASSERT_EQ(images.size(), 13u);
    // The floor repeats ten times each way across a tile, the iron along every
    // beam; the stone runs round the hall.
    const Image& floor = images.at("floor.png");
    columnsWrap(floor, 0, floor.width(), 0, floor.height(), "floor across");
    rowsWrap(floor, "floor along");
    const Image& iron = images.at("dome_frame.png");
    columnsWrap(iron, 0, iron.width(), 0, iron.height(), "iron across");
    const Image& stone = images.at("dome_wall.png");
    columnsWrap(stone, 0, stone.width(), 0, stone.height(), "stone round the hall");
    // The bee's stripes wrap round its abdomen: the top half of its picture.
    const Image& bee = images.at("bee.png");
    columnsWrap(bee, 0, bee.width(), 0, bee.height() / 2, "bee abdomen");
}

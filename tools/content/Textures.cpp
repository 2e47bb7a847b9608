#include "content/Textures.h"

std::vector<NamedImage> paintTextures() {
    std::vector<NamedImage> all;
    for (auto* family : {paintCreatureTextures, paintHallTextures, paintFlowerTextures}) {
        for (NamedImage& image : family()) {
            all.push_back(std::move(image));
        }
    }
    return all;
}

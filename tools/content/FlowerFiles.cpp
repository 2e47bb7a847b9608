#include "content/FlowerFiles.h"

#include <cstring>

namespace {

// The game opens every file as "data/<name>".
std::string insideData(const char* gamePath) {
    constexpr const char* kPrefix = "data/";
    const size_t n = std::strlen(kPrefix);
    return std::strncmp(gamePath, kPrefix, n) == 0 ? std::string(gamePath + n) : gamePath;
}

}  // namespace

std::string flowerFiles::placement(const FlowerKind& kind) {
    return insideData(kind.placementFile);
}

std::string flowerFiles::model(const FlowerKind& kind, int lod) {
    return insideData(lod == 0 ? kind.lod0Model : kind.lod1Model);
}

std::string flowerFiles::blossomPicture(const FlowerKind& kind) {
    return std::string("flower") + kind.letter + ".tga";
}

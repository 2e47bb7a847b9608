#pragma once

#include "assets/PlacementReader.h"

// What a record of each placement file turns into. The content tool draws
// the flowers from the same table, so the blossom it models and the sphere
// a bomb is tested against cannot drift apart.
struct FlowerKind {
    const char* placementFile;
    const char* lod0Model;
    const char* lod1Model;
    PlacementReader::Layout layout;
    // Kinds C and D are modelled at another size than they are placed: the
    // record's scale is multiplied by this.
    float scaleFactor;
    float points;
    // The blossom, in model units relative to the flower's origin.
    float sphereX, sphereY, sphereZ, sphereRadius;
    char letter;  // A to D, as in the file names
};

// Red tulip, blue bellflower, tall sunflower, pink cosmos; loaded in this order.
inline constexpr FlowerKind kFlowerKinds[] = {
    {"data/flowerA.txt", "data/flowerA_LOD0.ms3d", "data/flowerA_LOD1.ms3d",
     PlacementReader::Layout::TerminatorBeforeRecord, 1.0f, 100.0f, 0.0f, 8.237f, 0.0f, 1.333f,
     'A'},
    {"data/flowerB.txt", "data/flowerB_LOD0.ms3d", "data/flowerB_LOD1.ms3d",
     PlacementReader::Layout::TerminatorAsSeparator, 1.0f, 300.0f, 0.0f, 9.2f, 0.059f, 0.859f, 'B'},
    {"data/flowerC.txt", "data/flowerC_LOD0.ms3d", "data/flowerC_LOD1.ms3d",
     PlacementReader::Layout::TerminatorAsSeparator, 0.5f, 50.0f, 0.0f, 15.364f, 0.0f, 1.421f, 'C'},
    {"data/flowerD.txt", "data/flowerD_LOD0.ms3d", "data/flowerD_LOD1.ms3d",
     PlacementReader::Layout::TerminatorAsSeparator, 1.5f, 120.0f, 0.0f, 9.2f, 0.059f, 0.859f, 'D'},
};

#pragma once

#include <list>

class Flower;
class Floor;
class Node;

// Builds the level's flowers and floor tiles from the files under data/ in
// the working directory. Every object made here joins the caller's list and
// becomes a child of root; the objects live for the whole run.
class LevelLoader {
public:
    // One Flower per record of data/flowerA.txt .. data/flowerD.txt, kinds
    // in that order, each kind in file order. A missing or broken placement
    // file only loses that kind's remaining flowers.
    static void loadFlowers(std::list<Flower*>& flowers, Node& root);
    // Always the same eight tiles, rows 0-3 by columns 0-1, named
    // data/floor<row>_<column>_LOD0.ms3d and _LOD1.ms3d.
    static void loadFloor(std::list<Floor*>& floorTiles, Node& root);
};

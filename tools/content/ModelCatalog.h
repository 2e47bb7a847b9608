#pragma once

#include <string>
#include <vector>

#include "content/MeshBuilder.h"

// Every model file of the game, by its name inside data/.
struct NamedModel {
    std::string file;
    MeshBuilder mesh;
    bool closed;      // a solid: every edge has a neighbour
    bool worldSpace;  // drawn at the origin: the hall's shells and the floor tiles
};

std::vector<NamedModel> buildModels();

// How far a flower kind's LOD0 model reaches sideways from its stem (model
// units): the half-diagonal of its box in x and z.
double flowerFootprint(const MeshBuilder& flower);

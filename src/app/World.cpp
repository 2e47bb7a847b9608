#include "app/World.h"

World::World()
    : aspect(0.0), farPlane(1500.0), nearPlane(1.0), fieldOfView(70.0), width(1024), height(768) {}

void World::update(int /*frameRate*/) {}

void World::render() {}

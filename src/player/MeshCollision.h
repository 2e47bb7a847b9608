#pragma once

#include "math/Vector3.h"

class SceneObject;

// The bee's sweep test against a fixed mesh (the dome shells and floor
// tiles, which are modelled in world coordinates).
//
// A ray leaves the mover's world sphere centre along its movement direction;
// a triangle of the obstacle's LOD0 model is hit when the ray meets its plane
// strictly inside the triangle, farther than 0.01 and nearer than the sphere
// reaches along the ray (|radius / (d . n)|). Triangles the movement runs
// almost parallel to (|d . n| <= 0.01) never stop it. The triangles are used
// as stored: the obstacle's position, orientation and scale are ignored.
//
// True on the first triangle hit, in model order, with its face normal in
// normal; false leaves normal untouched. A mover that did not move, a
// degenerate triangle and an obstacle without a model never hit.
bool hitsMesh(const SceneObject& obstacle, SceneObject& mover, Vector3& normal);

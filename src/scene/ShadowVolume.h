#pragma once

#include "math/Vector3.h"

class SceneObject;

// Stencil shadow volumes for scene objects, built in the object's own frame.
//
// Assumes the model's triangles are wound counter-clockwise seen from
// outside, with each triangle's neighbours across its three edges known
// (-1 for an open edge) and the facing flags set for the light by
// Model::computeFacing.
//
// A silhouette edge is an edge of a lit triangle whose neighbour is unlit or
// missing; open edges always count, so open meshes still give closed side
// walls. Each edge (a, b) becomes one quad P(b), P(a), E(a), E(b), with E
// the vertex pushed away from the light by ten times its distance, so the
// quad faces outwards for the stencil count. The volume has no caps: the
// frame uses the depth-pass count.
//
// The two-sided variant serves thin geometry seen from both sides (the
// flowers): unlit triangles contribute their edges towards lit or missing
// neighbours too, reversed, so a flat double-sided leaf casts each outline
// edge twice, once per direction. Only the backs of sheets do so: an unlit
// region that lit triangles close all round is the far side of a closed
// part (a stem), whose lit side already casts its whole shadow.
//
// Works on the object's public arrays: silhouetteIndices grows when the edges
// outnumber it, so no edge is ever dropped.
class ShadowVolume {
public:
    enum Sides { kOneSided, kTwoSided };

    // Rᵀ (light − position), R the object's orientation: the light in the
    // object's frame, not divided by the scale.
    static Vector3 lightInLocalFrame(const SceneObject& object, float x, float y, float z);
    // The height the volumes stop at, just below the lowest floor tile's
    // top; until the World sets it, volumes keep their full length.
    static void setFloorHeight(float y);
    static void clearFloorHeight();
    // The floor cut in the object's model frame (floorNormalLocal,
    // floorOffsetLocal), carried through object.placedIn when it has one.
    static void placeFloorCut(SceneObject& object);
    // Fills silhouetteIndices and the extruded positions of their vertices
    // from the shadow caster's facing flags and object.lightPositionLocal.
    static void collectSilhouette(SceneObject& object, Sides sides);
    // Writes one quad per collected edge into shadowQuads, grown if needed.
    static void writeQuads(SceneObject& object);
    // Draws shadowQuads with one glDrawArrays in the current modelview.
    // Leaves the client vertex-array state as it found it.
    static void drawQuads(const SceneObject& object);
};

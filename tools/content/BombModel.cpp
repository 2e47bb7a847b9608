#include "content/BombModel.h"

#include <cmath>

namespace {

// A bomb is some 40 pixels across where the player sees it fall and about
// 150 just after it leaves the bee: sixteen segments keep the ball round
// there, and more only cost every falling bomb its share of the frame.
constexpr int kBodyRings = 10;
constexpr int kBodySegments = 16;

void addBody(MeshBuilder& mesh) {
    addEllipsoid(mesh, {0, 0, 0}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0},
                 {kBombRadius, kBombRadius, kBombRadius}, kBodyRings, kBodySegments,
                 bombAtlas::kBody);
}

}  // namespace

MeshBuilder buildBomb() {
    MeshBuilder mesh;
    mesh.useGroup("bomb", mesh.addMaterial("bomb", "data/bomb.tga"));
    addBody(mesh);
    // The collar: a short ringed neck with a rim, sunk into the top of the ball.
    addLathe(
        mesh, {0, 0, 0},
        {{0.0, 3.2}, {1.45, 3.2}, {1.45, 4.35}, {1.7, 4.45}, {1.7, 4.8}, {1.2, 4.9}, {0.0, 4.9}},
        12, bombAtlas::kCollar);
    // The fuse curls up out of the collar; its tip glows.
    const std::vector<Vec3> fuse = {
        {0.0, 4.6, 0.0}, {0.2, 5.7, 0.2}, {0.85, 6.25, 0.4}, {1.7, 6.1, 0.15}};
    addSweep(mesh, tubeStations(fuse, {0.3, 0.27, 0.25, 0.24}), 6, bombAtlas::kFuse);
    const Vec3 tip = fuse.back();
    addEllipsoid(mesh, tip + Vec3(0.05, -0.05, 0.0), {1, 0, 0}, {0, 0, 1}, {0, 1, 0},
                 {0.5, 0.5, 0.5}, 4, 6, bombAtlas::kSpark);
    // Spark rays: small pointed spikes around the glowing tip.
    const Vec3 rays[] = {{1, 0.3, 0}, {0.2, 1, 0.3}, {0.4, 0.2, 1}, {0.5, 0.5, -1}, {1, -0.6, 0.4}};
    for (const Vec3& r : rays) {
        const Vec3 d = normalized(r);
        addSweep(mesh, tubeStations({tip, tip + d * 1.2}, {0.16, 0.0}), 3, bombAtlas::kSpark);
    }
    mesh.computeNormals(45.0);
    return mesh;
}

// Collar, fuse and spark sit over the ball: seen from the light they lie
// inside its outline (only far out in the hall does the spark's speck of
// shadow, a pixel or two, fall beside the ball's). As one closed part the
// ball casts a column two faces deep; the bomb's six parts made it deeper
// by two faces for every part, all the way down to the floor.
MeshBuilder buildBombHull() {
    MeshBuilder mesh;
    mesh.useGroup("hull", mesh.addMaterial("hull", ""));
    addBody(mesh);
    mesh.computeNormals(45.0);
    return mesh;
}

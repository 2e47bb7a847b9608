#include "content/BombModel.h"

#include <cmath>

MeshBuilder buildBomb() {
    MeshBuilder mesh;
    mesh.useGroup("bomb", mesh.addMaterial("bomb", "data/bomb.png"));
    addEllipsoid(mesh, {0, 0, 0}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0},
                 {kBombRadius, kBombRadius, kBombRadius}, 16, 24, bombAtlas::kBody);
    // The collar: a short ringed neck with a rim, sunk into the top of the ball.
    addLathe(
        mesh, {0, 0, 0},
        {{0.0, 3.2}, {1.45, 3.2}, {1.45, 4.35}, {1.7, 4.45}, {1.7, 4.8}, {1.2, 4.9}, {0.0, 4.9}},
        20, bombAtlas::kCollar);
    // The fuse curls up out of the collar; its tip glows.
    const std::vector<Vec3> fuse = {{0.0, 4.6, 0.0},   {0.05, 5.3, 0.1}, {0.35, 5.9, 0.3},
                                    {0.85, 6.25, 0.4}, {1.35, 6.3, 0.3}, {1.7, 6.1, 0.15}};
    addSweep(mesh, tubeStations(fuse, {0.3, 0.28, 0.26, 0.25, 0.24, 0.24}), 8, bombAtlas::kFuse);
    const Vec3 tip = fuse.back();
    addEllipsoid(mesh, tip + Vec3(0.05, -0.05, 0.0), {1, 0, 0}, {0, 0, 1}, {0, 1, 0},
                 {0.5, 0.5, 0.5}, 6, 8, bombAtlas::kSpark);
    // Spark rays: small pointed spikes around the glowing tip.
    const Vec3 rays[] = {{1, 0.3, 0}, {0.2, 1, 0.3}, {0.4, 0.2, 1}, {0.5, 0.5, -1}, {1, -0.6, 0.4}};
    for (const Vec3& r : rays) {
        const Vec3 d = normalized(r);
        addSweep(mesh, tubeStations({tip, tip + d * 0.6, tip + d * 1.2}, {0.18, 0.1, 0.0}), 4,
                 bombAtlas::kSpark);
    }
    mesh.computeNormals(45.0);
    return mesh;
}

// Shadow-volume rebuilds: moving objects (the bee, its wings, every bomb in
// the air) rebuild theirs in every frame's shadow pass, so castShadow has to
// stay a small part of a frame. Measured on closed meshes built in memory,
// from bomb size up to far beyond anything the game loads, to show how the
// cost grows with the triangle count.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "assets/Model.h"
#include "player/Bee.h"
#include "scene/SceneObject.h"

namespace {

// The light of every shadow volume in the game.
constexpr float kLightX = -20.0f, kLightY = 100.0f, kLightZ = 0.0f;

// A closed sphere of the given radius: `rings` bands of latitude between two
// pole vertices, `segments` around; 2 * segments * (rings - 1) triangles,
// counter-clockwise from outside. Owns its arrays.
class Sphere {
public:
    Model model;

    Sphere(float radius, int rings, int segments) {
        const double pi = std::acos(-1.0);
        model.numVertices = 2 + segments * (rings - 1);
        model.vertices = new Vertex[model.numVertices];
        setVertex(0, 0, radius, 0);
        for (int r = 1; r < rings; ++r) {
            const double theta = pi * r / rings;
            for (int s = 0; s < segments; ++s) {
                const double phi = 2 * pi * s / segments;
                setVertex(ring(r, s, segments), float(radius * std::sin(theta) * std::cos(phi)),
                          float(radius * std::cos(theta)),
                          float(radius * std::sin(theta) * std::sin(phi)));
            }
        }
        const int south = model.numVertices - 1;
        setVertex(south, 0, -radius, 0);

        model.numTriangles = 2 * segments * (rings - 1);
        model.triangles = new Triangle[model.numTriangles]();
        int t = 0;
        for (int s = 0; s < segments; ++s) {
            const int next = (s + 1) % segments;
            setTriangle(t++, 0, ring(1, next, segments), ring(1, s, segments));
            for (int r = 1; r + 1 < rings; ++r) {
                const int a = ring(r, s, segments), b = ring(r, next, segments);
                const int c = ring(r + 1, s, segments), d = ring(r + 1, next, segments);
                setTriangle(t++, a, b, d);
                setTriangle(t++, a, d, c);
            }
            setTriangle(t++, south, ring(rings - 1, s, segments), ring(rings - 1, next, segments));
        }

        model.numGroups = 1;
        model.groups = new Mesh[1];
        model.groups[0].materialIndex = -1;
        model.groups[0].numTriangles = model.numTriangles;
        model.groups[0].triangleIndices = new int[model.numTriangles];
        for (int i = 0; i < model.numTriangles; ++i) {
            model.groups[0].triangleIndices[i] = i;
        }
        model.computeFaceNormals();
        model.findNeighbours();
    }
    ~Sphere() {
        delete[] model.vertices;
        delete[] model.triangles;
        delete[] model.groups[0].triangleIndices;
        delete[] model.groups;
    }
    Sphere(const Sphere&) = delete;
    Sphere& operator=(const Sphere&) = delete;

private:
    static int ring(int r, int s, int segments) { return 1 + (r - 1) * segments + s; }
    void setVertex(int i, float x, float y, float z) {
        model.vertices[i].position[0] = x;
        model.vertices[i].position[1] = y;
        model.vertices[i].position[2] = z;
    }
    void setTriangle(int i, int a, int b, int c) {
        Triangle& t = model.triangles[i];
        t.vertexIndices[0] = a;
        t.vertexIndices[1] = b;
        t.vertexIndices[2] = c;
        t.neighbours[0] = t.neighbours[1] = t.neighbours[2] = -1;
    }
};

// Rebuilds the object's volume once per iteration, as the shadow pass does
// for a moving object. Any scene object with its LOD0 model set will do.
void castShadowEveryFrame(benchmark::State& state, SceneObject& object) {
    object.setShadowEveryFrame(true);
    for (auto _ : state) {
        object.castShadow(kLightX, kLightY, kLightZ);
        benchmark::DoNotOptimize(object.shadowQuads);
    }
    state.counters["triangles"] = object.lod0Model->numTriangles;
    state.counters["edges"] = object.silhouetteIndexCount / 2.0;
}

// Argument: rings; segments are twice the rings, so the triangle count is
// 4 * rings * (rings - 1): 16 -> 960, 50 -> 9,800, 128 -> 65,024.
void BM_CastShadowSphere(benchmark::State& state) {
    const int rings = static_cast<int>(state.range(0));
    // A bomb: radius 4 in model units, drawn at scale 0.1, dropped from the bee.
    Sphere sphere(4.0f, rings, 2 * rings);
    SceneObject bomb(-20.0f, 20.0f, 5.0f, 0.1f);
    bomb.lod0Model = &sphere.model;
    bomb.update(60);  // the orientation matrix, as before any shadow pass
    castShadowEveryFrame(state, bomb);
}
BENCHMARK(BM_CastShadowSphere)->Arg(16)->Arg(50)->Arg(128)->Unit(benchmark::kMicrosecond);

// The bee rebuilds its own volume and, inside the same call, its wings'
// (in the bee's frame) on every shadow pass. Stand-in meshes of the game's
// sizes: a body of 960 triangles and a flattened pair of wings of 224.
void BM_CastShadowBee(benchmark::State& state) {
    Sphere body(1.0f, 16, 32);
    Sphere wingMesh(1.0f, 8, 16);
    for (int i = 0; i < wingMesh.model.numVertices; ++i) {
        float* p = wingMesh.model.vertices[i].position;
        p[0] *= 2.0f;  // span
        p[1] *= 0.05f;
    }
    wingMesh.model.computeFaceNormals();

    Bee bee(-20.0f, 20.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.1f);
    bee.lod0Model = &body.model;
    bee.setShadowEveryFrame(true);
    bee.wings = new SceneObject(0.0f, 0.65f, 1.3f, 0.0f, 0.0f, 0.0f, 1.0f);
    bee.wings->lod0Model = &wingMesh.model;
    bee.wings->setShadowEveryFrame(true);
    for (auto _ : state) {
        bee.castShadow(kLightX, kLightY, kLightZ);
        benchmark::DoNotOptimize(bee.shadowQuads);
        benchmark::DoNotOptimize(bee.wings->shadowQuads);
    }
    state.counters["triangles"] = body.model.numTriangles + wingMesh.model.numTriangles;
    state.counters["edges"] = (bee.silhouetteIndexCount + bee.wings->silhouetteIndexCount) / 2.0;
}
BENCHMARK(BM_CastShadowBee)->Unit(benchmark::kMicrosecond);

// The same with the game's own bee and wings, read from data/ in the working
// directory (run from the build directory after the content is made).
void BM_CastShadowBeeFromData(benchmark::State& state) {
    Model body;
    body.fileName = "data/bee.ms3d";
    Model wingMesh;
    wingMesh.fileName = "data/bee_wings.ms3d";
    if (!body.loadFile() || !wingMesh.loadFile()) {
        state.SkipWithError("no data/bee.ms3d and data/bee_wings.ms3d here");
        return;
    }
    for (Model* m : {&body, &wingMesh}) {
        m->computeFaceNormals();
        m->findNeighbours();
    }
    Bee bee(-20.0f, 20.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.1f);
    bee.lod0Model = &body;
    bee.setShadowEveryFrame(true);
    bee.wings = new SceneObject(0.0f, 0.65f, 1.3f, 0.0f, 0.0f, 0.0f, 1.0f);
    bee.wings->lod0Model = &wingMesh;
    bee.wings->setShadowEveryFrame(true);
    for (auto _ : state) {
        bee.castShadow(kLightX, kLightY, kLightZ);
        benchmark::DoNotOptimize(bee.shadowQuads);
        benchmark::DoNotOptimize(bee.wings->shadowQuads);
    }
    state.counters["triangles"] = body.numTriangles + wingMesh.numTriangles;
    state.counters["edges"] = (bee.silhouetteIndexCount + bee.wings->silhouetteIndexCount) / 2.0;
}
BENCHMARK(BM_CastShadowBeeFromData)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

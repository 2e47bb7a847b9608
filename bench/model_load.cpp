// Model loading: the game's MS3D path (one file read, parse, face normals,
// edge neighbours; no GL) against assimp's import of the same files, and the
// linear neighbour search against the quadratic reference it replaces.
//
// The files are closed tori written with Ms3dWriter, every edge shared by two
// triangles, from 1,000 to about 65,000 triangles.
#include <assimp/scene.h>
#include <benchmark/benchmark.h>
#include <assimp/Importer.hpp>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "../tests/assets/QuadraticNeighbours.h"
#include "assets/Model.h"
#include "assets/Ms3dParser.h"
#include "assets/Ms3dWriter.h"

namespace {

struct GridSize {
    int around;
    int tube;
};

// Triangles = 2 * around * tube; vertices (around * tube) stay below 32,768.
GridSize gridFor(int triangles) {
    switch (triangles) {
        case 1000:
            return {25, 20};
        case 2000:
            return {50, 20};
        case 5000:
            return {50, 50};
        case 10000:
            return {100, 50};
        case 20000:
            return {100, 100};
        case 32768:
            return {128, 128};
        case 50000:
            return {250, 100};
        default:
            return {256, 127};  // 65,024: the most a 16-bit count allows on this grid
    }
}

Ms3dWriter torus(GridSize g) {
    const double pi = 3.14159265358979323846;
    Ms3dWriter w;
    for (int j = 0; j < g.tube; ++j) {
        for (int i = 0; i < g.around; ++i) {
            const double u = 2 * pi * i / g.around, v = 2 * pi * j / g.tube;
            const double ring = 10.0 + 3.0 * std::cos(v);
            w.vertices.push_back(
                {float(ring * std::cos(u)), float(3.0 * std::sin(v)), float(ring * std::sin(u))});
        }
    }
    Ms3dWriter::Group group;
    group.name = "torus";
    group.materialIndex = 0;
    auto at = [&](int i, int j) { return uint16_t((j % g.tube) * g.around + i % g.around); };
    for (int j = 0; j < g.tube; ++j) {
        for (int i = 0; i < g.around; ++i) {
            const uint16_t quad[2][3] = {{at(i, j), at(i, j + 1), at(i + 1, j + 1)},
                                         {at(i, j), at(i + 1, j + 1), at(i + 1, j)}};
            for (const auto& corners : quad) {
                Ms3dWriter::Triangle t{};
                for (int c = 0; c < 3; ++c) {
                    const Ms3dWriter::Vertex& p = w.vertices[corners[c]];
                    t.vertexIndices[c] = corners[c];
                    t.normals[c][0] = p.x / 13.0f;
                    t.normals[c][1] = p.y / 3.0f;
                    t.normals[c][2] = p.z / 13.0f;
                    t.s[c] = float(i) / g.around;
                    t.t[c] = float(j) / g.tube;
                }
                group.triangleIndices.push_back(uint16_t(w.triangles.size()));
                w.triangles.push_back(t);
            }
        }
    }
    w.groups.push_back(group);
    Ms3dWriter::Material m;
    m.name = "skin";
    w.materials.push_back(m);
    return w;
}

// The file for a size, written once per run. Real files carry an animation
// header after the materials, which assimp insists on; the game skips it.
const std::string& modelFile(int triangles) {
    static std::map<int, std::string> files;
    auto found = files.find(triangles);
    if (found != files.end()) {
        return found->second;
    }
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "zumbra_bench_model_load";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / ("torus_" + std::to_string(triangles) + ".ms3d")).string();
    std::vector<uint8_t> bytes = torus(gridFor(triangles)).toBytes();
    bytes.insert(bytes.end(), 14, 0);  // fps, current time, frame count, no joints
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return files[triangles] = path;
}

void gameLoad(benchmark::State& state) {
    const std::string& path = modelFile(int(state.range(0)));
    Model model;
    model.fileName = path.c_str();
    for (auto _ : state) {
        if (!model.loadFile()) {
            state.SkipWithError("the game refused the file");
            break;
        }
        model.computeFaceNormals();
        model.findNeighbours();
        benchmark::DoNotOptimize(model.triangles);
        benchmark::ClobberMemory();
    }
    state.counters["triangles"] = model.numTriangles;
    Ms3dParser::release(model);
}

void assimpImport(benchmark::State& state) {
    const std::string& path = modelFile(int(state.range(0)));
    Assimp::Importer importer;
    unsigned faces = 0;
    for (auto _ : state) {
        const aiScene* scene = importer.ReadFile(path, 0);
        if (scene == nullptr || scene->mNumMeshes == 0) {
            state.SkipWithError(importer.GetErrorString());
            break;
        }
        faces = scene->mMeshes[0]->mNumFaces;
        benchmark::DoNotOptimize(scene);
        importer.FreeScene();
    }
    state.counters["triangles"] = faces;
}

// The triangles of a loaded file, neighbours reset, for the searches alone.
std::vector<Triangle> trianglesOf(int triangles) {
    Model model;
    model.fileName = modelFile(triangles).c_str();
    model.loadFile();
    std::vector<Triangle> out(model.triangles, model.triangles + model.numTriangles);
    Ms3dParser::release(model);
    return out;
}

void resetNeighbours(std::vector<Triangle>& tris) {
    for (Triangle& t : tris) {
        t.neighbours[0] = t.neighbours[1] = t.neighbours[2] = -1;
    }
}

void neighboursLinear(benchmark::State& state) {
    std::vector<Triangle> tris = trianglesOf(int(state.range(0)));
    Model model;
    model.triangles = tris.data();
    model.numTriangles = int(tris.size());
    for (auto _ : state) {
        model.findNeighbours();  // resets and searches
        benchmark::ClobberMemory();
    }
    state.counters["triangles"] = model.numTriangles;
}

void neighboursQuadratic(benchmark::State& state) {
    std::vector<Triangle> tris = trianglesOf(int(state.range(0)));
    for (auto _ : state) {
        resetNeighbours(tris);
        quadraticNeighbours(tris.data(), int(tris.size()));
        benchmark::ClobberMemory();
    }
    state.counters["triangles"] = double(tris.size());
}

}  // namespace

// Sizes enough to draw load time against triangle count.
void loadSizes(benchmark::internal::Benchmark* b) {
    for (int triangles : {1000, 2000, 5000, 10000, 20000, 32768, 50000, 65000}) {
        b->Arg(triangles);
    }
}

// assimp refuses group triangle indices from 32,768 up ("invalid triangle
// index"), so 32,768 triangles is the largest file both can read.
void assimpSizes(benchmark::internal::Benchmark* b) {
    for (int triangles : {1000, 2000, 5000, 10000, 20000, 32768}) {
        b->Arg(triangles);
    }
}

BENCHMARK(gameLoad)->Apply(loadSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(assimpImport)->Apply(assimpSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(neighboursLinear)->Apply(loadSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(neighboursQuadratic)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
// About ten seconds a call at this size: three single calls show the difference.
BENCHMARK(neighboursQuadratic)
    ->Arg(65000)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

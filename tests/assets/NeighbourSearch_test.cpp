#include "assets/NeighbourSearch.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "assets/Model.h"
#include "assets/QuadraticNeighbours.h"

namespace {

std::vector<Triangle> mesh(const std::vector<std::array<int, 3>>& corners) {
    std::vector<Triangle> tris(corners.size());
    for (size_t i = 0; i < corners.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            tris[i].vertexIndices[c] = corners[i][c];
            tris[i].neighbours[c] = -1;
        }
    }
    return tris;
}

std::vector<std::array<int, 3>> neighboursOf(std::vector<Triangle> tris) {
    NeighbourSearch::run(tris.data(), int(tris.size()));
    std::vector<std::array<int, 3>> out;
    for (const Triangle& t : tris) {
        out.push_back({t.neighbours[0], t.neighbours[1], t.neighbours[2]});
    }
    return out;
}

std::vector<std::array<int, 3>> oracleOf(std::vector<Triangle> tris) {
    quadraticNeighbours(tris.data(), int(tris.size()));
    std::vector<std::array<int, 3>> out;
    for (const Triangle& t : tris) {
        out.push_back({t.neighbours[0], t.neighbours[1], t.neighbours[2]});
    }
    return out;
}

using N = std::vector<std::array<int, 3>>;

}  // namespace

TEST(NeighbourSearch, PairsSharedEdgesAndFollowsTheFirstMatchRule) {
    // Edge (5, 9) in opposite directions; every other edge is open.
    EXPECT_EQ(neighboursOf(mesh({{5, 9, 1}, {9, 5, 2}})), (N{{1, -1, -1}, {0, -1, -1}}));

    // Three triangles on the edge (0, 1): 0 and 1 pair first, then 2 takes 0
    // and overwrites 0's entry; 1 keeps 0.
    EXPECT_EQ(neighboursOf(mesh({{0, 1, 2}, {1, 0, 3}, {0, 1, 4}})),
              (N{{2, -1, -1}, {0, -1, -1}, {0, -1, -1}}));

    // A triangle never pairs with itself, even across its own repeated edge;
    // the other triangle's first matching edge wins.
    EXPECT_EQ(neighboursOf(mesh({{5, 7, 5}, {7, 5, 8}})), (N{{1, 1, -1}, {0, -1, -1}}));

    // Positions do not matter; only indices: a fully degenerate pair.
    EXPECT_EQ(neighboursOf(mesh({{3, 3, 3}, {3, 3, 3}})), (N{{1, 1, 1}, {0, 0, 0}}));

    EXPECT_EQ(neighboursOf(mesh({})), N{});
}

TEST(NeighbourSearch, MatchesTheQuadraticSearchOnRandomMeshes) {
    std::mt19937 rng(20240611);
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        const int triangles = 1 + int(rng() % 60);
        // Few vertices: many shared, repeated and non-manifold edges, and
        // repeated corners within a triangle.
        const int vertices = 1 + int(rng() % (round % 4 == 0 ? 4 : 3 * triangles));
        std::vector<std::array<int, 3>> corners;
        for (int i = 0; i < triangles; ++i) {
            corners.push_back(
                {int(rng() % vertices), int(rng() % vertices), int(rng() % vertices)});
        }
        // Some rounds copy a few triangles, reversed or as they are.
        if (round % 3 == 0) {
            for (int c = 0; c < triangles / 4; ++c) {
                auto t = corners[rng() % corners.size()];
                if (rng() % 2) {
                    std::swap(t[0], t[2]);
                }
                corners.push_back(t);
            }
        }
        const std::vector<Triangle> tris = mesh(corners);
        ASSERT_EQ(neighboursOf(tris), oracleOf(tris)) << "round " << round;
        ++compared;
    }
    EXPECT_EQ(compared, 400);
}

TEST(NeighbourSearch, MatchesTheQuadraticSearchOnAClosedGrid) {
    // A torus-like grid: every edge shared by exactly two triangles.
    const int w = 23, h = 17;
    std::vector<std::array<int, 3>> corners;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int a = y * w + x, b = y * w + (x + 1) % w, c = ((y + 1) % h) * w + x,
                      d = ((y + 1) % h) * w + (x + 1) % w;
            corners.push_back({a, b, d});
            corners.push_back({a, d, c});
        }
    }
    const std::vector<Triangle> tris = mesh(corners);
    const N found = neighboursOf(tris);
    ASSERT_EQ(found, oracleOf(tris));
    for (const auto& entry : found) {
        for (int n : entry) {
            EXPECT_GE(n, 0);
        }
    }
}

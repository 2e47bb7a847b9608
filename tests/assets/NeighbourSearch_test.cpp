#include "assets/NeighbourSearch.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "assets/Model.h"
#include "assets/QuadraticNeighbours.h"

namespace {

using Corners = std::vector<std::array<int, 3>>;

// Neighbours of the triangles with these corners, by the linear search or,
// with reference set, by the quadratic one.
Corners neighbours(const Corners& corners, bool reference = false) {
    std::vector<Triangle> tris(corners.size());
    for (size_t i = 0; i < corners.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            tris[i].vertexIndices[c] = corners[i][c];
            tris[i].neighbours[c] = -1;
        }
    }
    if (reference) {
        quadraticNeighbours(tris.data(), int(tris.size()));
    } else {
        NeighbourSearch::run(tris.data(), int(tris.size()));
    }
    Corners out;
    for (const Triangle& t : tris) {
        out.push_back({t.neighbours[0], t.neighbours[1], t.neighbours[2]});
    }
    return out;
}

}  // namespace

TEST(NeighbourSearch, PairsSharedEdgesByTheFirstMatchRule) {
    // Edge (5, 9) in opposite directions; the other edges stay open.
    EXPECT_EQ(neighbours({{5, 9, 1}, {9, 5, 2}}), (Corners{{1, -1, -1}, {0, -1, -1}}));
    // Three triangles on edge (0, 1): 0 and 1 pair, then 2 takes 0 and
    // overwrites 0's entry.
    EXPECT_EQ(neighbours({{0, 1, 2}, {1, 0, 3}, {0, 1, 4}}),
              (Corners{{2, -1, -1}, {0, -1, -1}, {0, -1, -1}}));
    // Never with itself, even across its own repeated edge; in the partner,
    // the first matching edge wins.
    EXPECT_EQ(neighbours({{5, 7, 5}, {7, 5, 8}}), (Corners{{1, 1, -1}, {0, -1, -1}}));
    EXPECT_EQ(neighbours({{3, 3, 3}, {3, 3, 3}}), (Corners{{1, 1, 1}, {0, 0, 0}}));
}

TEST(NeighbourSearch, MatchesTheQuadraticSearch) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 400; ++round) {
        // Few vertices: shared, open, non-manifold and degenerate edges,
        // repeated corners; some triangles copied, some reversed.
        const int n = 1 + int(rng() % 60);
        const int vertices = 1 + int(rng() % (round % 4 == 0 ? 4 : 3 * n));
        Corners corners;
        for (int i = 0; i < n; ++i) {
            corners.push_back(
                {int(rng() % vertices), int(rng() % vertices), int(rng() % vertices)});
        }
        for (int c = 0; round % 3 == 0 && c < n / 4; ++c) {
            auto t = corners[rng() % corners.size()];
            if (rng() % 2) {
                std::swap(t[0], t[2]);
            }
            corners.push_back(t);
        }
        ASSERT_EQ(neighbours(corners), neighbours(corners, true)) << "round " << round;
    }
    // A closed grid on a torus: every edge shared by exactly two triangles.
    const int w = 23, h = 17;
    Corners torus;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int a = y * w + x, b = y * w + (x + 1) % w, c = (y + 1) % h * w + x,
                      d = (y + 1) % h * w + (x + 1) % w;
            torus.push_back({a, b, d});
            torus.push_back({a, d, c});
        }
    }
    EXPECT_EQ(neighbours(torus), neighbours(torus, true));
}

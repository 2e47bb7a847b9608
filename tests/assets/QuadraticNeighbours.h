#pragma once

// The literal quadratic edge-neighbour search the shadow code was first written
// against, kept as the reference the fast search must reproduce exactly. Used
// by the tests, the fuzzer and the benchmark; never by the game.
#include "assets/Model.h"

inline void quadraticNeighbours(Triangle* tris, int n) {
    for (int i = 0; i < n; ++i) {
        for (int e = 0; e < 3; ++e) {
            if (tris[i].neighbours[e] != -1) {
                continue;
            }
            const int a = tris[i].vertexIndices[e];
            const int b = tris[i].vertexIndices[(e + 1) % 3];
            bool found = false;
            for (int j = 0; j < n && !found; ++j) {
                if (j == i) {
                    continue;
                }
                for (int k = 0; k < 3 && !found; ++k) {
                    const int c = tris[j].vertexIndices[k];
                    const int d = tris[j].vertexIndices[(k + 1) % 3];
                    if ((a == c && b == d) || (a == d && b == c)) {
                        tris[i].neighbours[e] = j;
                        tris[j].neighbours[k] = i;
                        found = true;
                    }
                }
            }
        }
    }
}

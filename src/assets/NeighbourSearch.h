#pragma once

struct Triangle;

// Finds, for every triangle edge, the triangle across it, by vertex index
// only (never by position).
//
// The result is that of the plain search the shadow code was first written
// against: triangles i in order, edges e = 0..2 whose entry is still -1; the
// partner is the first triangle j != i in index order, and within it the first
// edge k, with the same two vertex indices in either direction; entry e of i
// becomes j and entry k of j becomes i, overwriting what j held. Edges shared
// by three or more triangles, repeated vertices and degenerate edges all follow
// that rule. That search is quadratic; this one replays its decisions in
// expected linear time. The first partner of an edge never depends on earlier
// decisions, so it is enough to know, per unordered vertex pair, its first
// occurrence and the first occurrence on a different triangle.
class NeighbourSearch {
public:
    static void run(Triangle* triangles, int count);
};

#include "assets/NeighbourSearch.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "assets/Model.h"

namespace {

uint64_t edgeKey(int a, int b) {
    const int lo = a < b ? a : b;
    const int hi = a < b ? b : a;
    return (uint64_t(uint32_t(lo)) << 32) | uint32_t(hi);
}

// Open-addressing table from an unordered vertex pair to the first two
// occurrences that lie on different triangles. Occurrence o is edge o % 3 of
// triangle o / 3.
class EdgeTable {
public:
    explicit EdgeTable(size_t occurrences) {
        // At most three quarters full even when no edge is shared; a closed
        // mesh, where every edge comes twice, fills well under half.
        size_t capacity = 16;
        bits = 4;
        while (capacity < occurrences + occurrences / 3) {
            capacity *= 2;
            ++bits;
        }
        slots.assign(capacity, Slot{0, -1, -1});
    }

    // Returns the slot of key, registering occurrence o in it.
    size_t add(uint64_t key, int o) {
        const size_t mask = slots.size() - 1;
        size_t at = size_t((key * 0x9E3779B97F4A7C15ull) >> (64 - bits));
        for (;; at = (at + 1) & mask) {
            Slot& s = slots[at];
            if (s.first < 0) {
                s = Slot{key, o, -1};
                return at;
            }
            if (s.key == key) {
                if (s.firstOther < 0 && s.first / 3 != o / 3) {
                    s.firstOther = o;
                }
                return at;
            }
        }
    }

    // The occurrence the search would pick for an edge of triangle i.
    int partner(size_t slot, int i) const {
        const Slot& s = slots[slot];
        return s.first / 3 != i ? s.first : s.firstOther;
    }

private:
    struct Slot {
        uint64_t key;
        int first;
        int firstOther;
    };
    std::vector<Slot> slots;
    int bits;
};

}  // namespace

void NeighbourSearch::run(Triangle* triangles, int count) {
    if (triangles == nullptr || count <= 0) {
        return;
    }
    const size_t occurrences = size_t(count) * 3;
    EdgeTable table(occurrences);
    std::vector<uint32_t> slotOf(occurrences);
    for (int i = 0; i < count; ++i) {
        const int* v = triangles[i].vertexIndices;
        for (int e = 0; e < 3; ++e) {
            const int o = 3 * i + e;
            slotOf[o] = uint32_t(table.add(edgeKey(v[e], v[(e + 1) % 3]), o));
        }
    }
    for (int i = 0; i < count; ++i) {
        for (int e = 0; e < 3; ++e) {
            if (triangles[i].neighbours[e] != -1) {
                continue;
            }
            const int o = table.partner(slotOf[3 * i + e], i);
            if (o < 0) {
                continue;
            }
            triangles[i].neighbours[e] = o / 3;
            triangles[o / 3].neighbours[o % 3] = i;
        }
    }
}

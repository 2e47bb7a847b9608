#include "content/FlowerModels.h"

#include <cmath>

#include "content/FlowerFiles.h"
#include "content/FlowerParts.h"

namespace {

Vec3 radial(double angle) {
    return {std::cos(angle), 0.0, std::sin(angle)};
}
Vec3 sphereCentre(const FlowerKind& k) {
    return {k.sphereX, k.sphereY, k.sphereZ};
}

double degrees(double d) {
    return d * kPi / 180.0;
}

// Two unit vectors spanning the plane perpendicular to the unit vector n.
void planeAxes(const Vec3& n, Vec3& e1, Vec3& e2) {
    e1 = normalized(cross(n, Vec3(0, 0, 1)));
    if (length(e1) == 0.0) {
        e1 = Vec3(1, 0, 0);
    }
    e2 = cross(n, e1);
}

// Every flower has three groups: closed stems and sheet leaves, both in the
// leaf picture, and the blossom in the kind's own picture.
void stemGroup(MeshBuilder& m) {
    m.useGroup("stem", m.addMaterial("leaf", "data/leaf.png"));
}
void leafGroup(MeshBuilder& m) {
    m.useGroup("leaves", m.addMaterial("leaf", "data/leaf.png"));
}
void blossomGroup(MeshBuilder& m, const FlowerKind& k) {
    m.useGroup("blossom", m.addMaterial("petal", "data/" + flowerFiles::blossomPicture(k)));
}

// A leaf from the stem at `base`, heading out along the horizontal unit
// `out`, rising `rise` and reaching `reach` before its tip droops by `droop`.
void addLeaf(MeshBuilder& mesh, const Vec3& base, const Vec3& out, double reach, double rise,
             double droop, double width, double shape, const FlowerDetail& d) {
    Blade leaf;
    leaf.path = {base, base + out * (0.3 * reach) + Vec3(0, 0.55 * rise, 0),
                 base + out * (0.7 * reach) + Vec3(0, rise, 0),
                 base + out * reach + Vec3(0, rise - droop, 0)};
    leaf.face = normalized(Vec3(0, 1, 0) - out * 0.6);
    leaf.width = width;
    leaf.shape = shape;
    leaf.cup = 0.25 * width;
    leafGroup(mesh);
    addBlade(mesh, leaf, d, flowerAtlas::kLeaf);
}

// Red tulip: six cupped petals round the sphere, two long leaves at the foot.
void buildTulip(MeshBuilder& mesh, const FlowerKind& kind, const FlowerDetail& d) {
    stemGroup(mesh);
    addStem(mesh, {{0, 0, 0}, {0.12, 2.5, 0.05}, {0.05, 5.0, -0.05}, {0, 7.3, 0}}, 0.2, 0.16, d,
            flowerAtlas::kStem);
    addLeaf(mesh, {0.05, 0.2, 0.0}, radial(degrees(20)), 3.0, 4.6, 0.9, 0.62, 0.55, d);
    addLeaf(mesh, {-0.05, 0.3, 0.0}, radial(degrees(200)), 2.7, 5.2, 1.2, 0.55, 0.55, d);
    if (d.extras) {
        addLeaf(mesh, {0.0, 1.2, 0.05}, radial(degrees(110)), 1.9, 3.8, 0.6, 0.42, 0.6, d);
    }
    blossomGroup(mesh, kind);
    const double y = kind.sphereY;
    // Petal curve as (distance from the axis, height), base to tip: it bulges
    // around the sphere and closes in above it.
    const std::pair<double, double> curve[] = {{0.3, y - 1.35},  {1.0, y - 0.9},   {1.4, y - 0.2},
                                               {1.45, y + 0.55}, {1.15, y + 1.25}, {0.8, y + 1.65}};
    for (int k = 0; k < 6; ++k) {
        const bool inner = k % 2 == 1;
        const Vec3 r = radial(degrees(60.0 * k + 15.0));
        const double in = inner ? 0.9 : 1.0;
        Blade petal;
        for (const auto& [distance, height] : curve) {
            petal.path.push_back(r * (distance * in) + Vec3(0, height - (inner ? 0.05 : 0.0), 0));
        }
        petal.face = r;
        petal.width = inner ? 0.74 : 0.82;
        petal.shape = 1.4;
        petal.cup = -0.22;
        addBlade(mesh, petal, d, flowerAtlas::kTulipPetal);
    }
}

// The bell's section as (radius, height above its base), from the outer
// foot over the rim to the inside: a closed shell. Far away, a coarser one.
const std::vector<std::pair<double, double>> kBellProfile = {
    {0.0, 0.0},  {0.28, 0.08}, {0.5, 0.32},  {0.62, 0.72}, {0.72, 1.12}, {0.85, 1.45}, {1.05, 1.72},
    {1.0, 1.78}, {0.8, 1.5},   {0.66, 1.16}, {0.55, 0.76}, {0.42, 0.4},  {0.2, 0.2},   {0.0, 0.16}};
const std::vector<std::pair<double, double>> kBellProfileFar = {
    {0.0, 0.0}, {0.5, 0.32}, {0.72, 1.12}, {1.05, 1.72}, {0.8, 1.5}, {0.42, 0.4}, {0.0, 0.16}};

// Five pointed lobes that grow toward the rim.
double bellLobes(double angle, double height) {
    const double rim = std::pow(std::max(0.0, height / 1.78), 3.0);
    return 1.0 + 0.16 * rim * std::cos(5.0 * angle);
}

// Blue bellflower: an upturned bell on a slender stem with narrow leaves.
void buildBellflower(MeshBuilder& mesh, const FlowerKind& kind, const FlowerDetail& d) {
    const Vec3 centre = sphereCentre(kind);
    const Vec3 bellBase = centre - Vec3(0, 0.85, 0);
    stemGroup(mesh);
    addStem(mesh, {{0, 0, 0}, {0.2, 3.0, 0.0}, {-0.1, 6.0, 0.05}, bellBase + Vec3(0, 0.1, 0)}, 0.13,
            0.1, d, flowerAtlas::kStem);
    const double leafAngles[] = {0, 140, 280, 60, 200};
    const double leafHeights[] = {1.2, 2.8, 4.4, 5.8, 7.0};
    const int leaves = d.extras ? 5 : 3;
    for (int i = 0; i < leaves; ++i) {
        const double size = 1.0 - 0.12 * i;
        addLeaf(mesh, {0.0, leafHeights[i], 0.0}, radial(degrees(leafAngles[i])), 2.3 * size,
                1.2 * size, 0.5 * size, 0.26 * size, 0.7, d);
    }
    // Sepals: small green points under the bell.
    for (int k = 0; k < 5; ++k) {
        const Vec3 r = radial(degrees(72.0 * k + 36.0));
        Blade sepal;
        sepal.path = {bellBase + r * 0.2 + Vec3(0, 0.12, 0), bellBase + r * 0.55 + Vec3(0, 0.05, 0),
                      bellBase + r * 0.85 - Vec3(0, 0.1, 0)};
        sepal.face = normalized(Vec3(0, 1, 0) + r * 0.3);
        sepal.width = 0.12;
        leafGroup(mesh);
        addBlade(mesh, sepal, d, flowerAtlas::kLeaf);
    }
    if (d.extras) {
        // A nodding bud on a side shoot.
        const Vec3 joint(0.02, 6.6, 0.03);
        const Vec3 tip(0.95, 7.25, -0.35);
        stemGroup(mesh);
        addStem(mesh, {joint, joint + Vec3(0.45, 0.55, -0.15), tip}, 0.06, 0.05, d,
                flowerAtlas::kStem);
        blossomGroup(mesh, kind);
        addAxisLathe(mesh, tip + Vec3(0.05, 0.05, 0), normalized(Vec3(0.35, -1.0, -0.1)),
                     {{0.0, -0.05}, {0.22, 0.1}, {0.3, 0.35}, {0.26, 0.6}, {0.0, 0.68}},
                     d.around + 2, {0.0, 0.55, 0.75, 0.95});
    }
    blossomGroup(mesh, kind);
    addAxisLathe(mesh, bellBase, {0, 1, 0}, d.extras ? kBellProfile : kBellProfileFar,
                 d.extras ? 20 : 10, flowerAtlas::kBell, bellLobes);
    // The pistil, pale, standing out of the bell.
    addStem(mesh,
            {bellBase + Vec3(0, 0.2, 0), centre + Vec3(0, 0.2, 0.0), centre + Vec3(0, 0.75, 0)},
            0.07, 0.05, d, flowerAtlas::kStamen);
    addEllipsoid(mesh, centre + Vec3(0, 0.8, 0), {1, 0, 0}, {0, 0, -1}, {0, 1, 0},
                 {0.13, 0.13, 0.1}, 5, d.around, flowerAtlas::kStamen);
}

// A flower head of ray petals round a domed seed disc: the disc faces `facing`.
struct RayHead {
    Vec3 facing;
    std::vector<std::pair<double, double>> disc;  // (radius, height along facing), back to front
    int petals;
    int layers;
    double petalBase;  // distance of the petal roots from the centre
    double petalLength;
    double petalWidth;
    double petalShape;
    double lift;  // how far the petals tilt toward the facing, radians
};

void addRayHead(MeshBuilder& mesh, const Vec3& centre, const RayHead& h, const FlowerDetail& d) {
    addAxisLathe(mesh, centre, h.facing, h.disc, d.extras ? 16 : 8, flowerAtlas::kDisc);
    Vec3 e1, e2;
    planeAxes(h.facing, e1, e2);
    for (int layer = 0; layer < h.layers; ++layer) {
        const double back = -0.06 * layer;
        const double size = 1.0 - 0.1 * layer;
        for (int k = 0; k < h.petals; ++k) {
            const double a = 2.0 * kPi * (k + 0.5 * layer) / h.petals;
            const Vec3 out = e1 * std::cos(a) + e2 * std::sin(a);
            const Vec3 dir = normalized(out * std::cos(h.lift) + h.facing * std::sin(h.lift));
            const Vec3 root = centre + out * h.petalBase + h.facing * back;
            const double len = h.petalLength * size;
            Blade petal;
            // Slight droop of the tip back away from the face.
            petal.path = {root, root + dir * (0.5 * len),
                          root + dir * len - h.facing * (0.12 * len)};
            petal.face = h.facing;
            petal.width = h.petalWidth * size;
            petal.shape = h.petalShape;
            petal.cup = 0.12 * h.petalWidth;
            addBlade(mesh, petal, d, flowerAtlas::kRayPetal);
        }
    }
}

// Tall sunflower: a heavy head, big leaves up the stem.
void buildSunflower(MeshBuilder& mesh, const FlowerKind& kind, const FlowerDetail& d) {
    const Vec3 centre = sphereCentre(kind);
    // The head nods toward -z, where the player looks from at the start.
    const Vec3 facing = normalized(Vec3(0, 1, -0.5));
    stemGroup(mesh);
    addStem(mesh,
            {{0, 0, 0}, {0.15, 5, 0.0}, {-0.05, 10, 0.2}, {0, 13.8, 0.45}, centre - facing * 0.4},
            0.34, 0.24, d, flowerAtlas::kStem);
    const double leafAngles[] = {10, 190, 100, 280};
    const double leafHeights[] = {3.2, 6.2, 9.2, 11.8};
    const int leaves = d.extras ? 4 : 2;
    for (int i = 0; i < leaves; ++i) {
        const Vec3 out = radial(degrees(leafAngles[i]));
        const Vec3 root(0.0, leafHeights[i], 0.0);
        const Vec3 stalkEnd = root + out * 0.9 + Vec3(0, 0.5, 0);
        stemGroup(mesh);
        addStem(mesh, {root, root + out * 0.45 + Vec3(0, 0.35, 0), stalkEnd}, 0.1, 0.08, d,
                flowerAtlas::kStem);
        const double size = 1.0 - 0.08 * i;
        addLeaf(mesh, stalkEnd, out, 3.2 * size, 0.7, 1.3, 1.35 * size, 0.45, d);
    }
    blossomGroup(mesh, kind);
    RayHead head;
    head.facing = facing;
    head.disc = {{0.0, -0.62}, {0.4, -0.6},  {0.9, -0.5},  {1.3, -0.35}, {1.45, -0.15},
                 {1.4, 0.02},  {1.05, 0.13}, {0.55, 0.19}, {0.0, 0.22}};
    head.petals = d.extras ? 11 : 12;
    head.layers = d.extras ? 2 : 1;
    head.petalBase = 1.15;
    head.petalLength = 2.2;
    head.petalWidth = 0.34;
    head.petalShape = 0.8;
    head.lift = degrees(8);
    addRayHead(mesh, centre, head, d);
}

// Pink cosmos: eight broad petals round a small yellow disc, feathery leaves.
void buildCosmos(MeshBuilder& mesh, const FlowerKind& kind, const FlowerDetail& d) {
    const Vec3 centre = sphereCentre(kind);
    const Vec3 facing = normalized(Vec3(0, 1, 0.25));
    stemGroup(mesh);
    addStem(mesh,
            {{0, 0, 0}, {-0.15, 3, 0.0}, {0.1, 6, 0.05}, {0, 8.6, -0.05}, centre - facing * 0.2},
            0.12, 0.09, d, flowerAtlas::kStem);
    // Thread-like leaflets in pairs up the stem.
    const double heights[] = {2.4, 4.2, 5.9};
    const int pairs = d.extras ? 3 : 2;
    for (int i = 0; i < pairs; ++i) {
        for (int sideSign : {-1, 1}) {
            const Vec3 out = radial(degrees(90.0 * i + (sideSign > 0 ? 0.0 : 180.0) + 20.0));
            addLeaf(mesh, {0.0, heights[i], 0.0}, out, 1.7 - 0.2 * i, 0.9, 0.4, 0.09, 0.5, d);
        }
    }
    blossomGroup(mesh, kind);
    RayHead head;
    head.facing = facing;
    head.disc = {{0.0, -0.26}, {0.3, -0.2}, {0.42, -0.06}, {0.4, 0.07}, {0.25, 0.19}, {0.0, 0.24}};
    head.petals = 8;
    head.layers = 1;
    head.petalBase = 0.28;
    head.petalLength = 1.9;
    head.petalWidth = 0.44;
    head.petalShape = 1.1;
    head.lift = degrees(14);
    addRayHead(mesh, centre, head, d);
}

}  // namespace

MeshBuilder buildFlower(const FlowerKind& kind, int lod) {
    MeshBuilder mesh;
    const FlowerDetail d = flowerDetail(lod);
    switch (kind.letter) {
        case 'A':
            buildTulip(mesh, kind, d);
            break;
        case 'B':
            buildBellflower(mesh, kind, d);
            break;
        case 'C':
            buildSunflower(mesh, kind, d);
            break;
        default:
            buildCosmos(mesh, kind, d);
            break;
    }
    mesh.computeNormals(50.0);
    return mesh;
}

#include "content/FlowerModels.h"

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "content/FlowerFiles.h"
#include "content/FlowerHeads.h"
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

// Every flower has three groups: closed stems and sheet leaves, both in the
// leaf picture, and the blossom in the kind's own picture.
void stemGroup(MeshBuilder& m) {
    m.useGroup("stem", m.addMaterial("leaf", "data/leaf.tga"));
}
void leafGroup(MeshBuilder& m) {
    m.useGroup("leaves", m.addMaterial("leaf", "data/leaf.tga"));
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

// The tulip's goblet as (radius, height above its foot), foot to rim; far
// away, a coarser one.
const std::vector<std::pair<double, double>> kTulipProfile = {
    {0.0, 0.0}, {0.5, 0.2}, {0.9, 0.6}, {1.17, 1.25}, {1.3, 1.95}, {1.35, 2.6}};
const std::vector<std::pair<double, double>> kTulipProfileFar = {
    {0.0, 0.0}, {0.9, 0.6}, {1.3, 1.95}, {1.35, 2.6}};

// Red tulip: an open goblet of six rounded petals, two long leaves at the foot.
void buildTulip(MeshBuilder& mesh, const FlowerKind& kind, const FlowerDetail& d) {
    const Vec3 foot = sphereCentre(kind) - Vec3(0, 1.35, 0);
    stemGroup(mesh);
    addStem(mesh, {{0, 0, 0}, {0.12, 2.5, 0.05}, {0.05, 5.0, -0.05}, foot + Vec3(0, 0.1, 0)}, 0.2,
            0.16, d, flowerAtlas::kStem);
    // Barely drooping: a leaf that arches over turns part of itself away from
    // the light, and the fold casts shadow walls of its own.
    addLeaf(mesh, {0.05, 0.2, 0.0}, radial(degrees(20)), 3.0, 4.6, 0.3, 0.62, 0.55, d);
    addLeaf(mesh, {-0.05, 0.3, 0.0}, radial(degrees(200)), 2.7, 5.2, 0.4, 0.55, 0.55, d);
    blossomGroup(mesh, kind);
    Cup cup;
    cup.base = foot;
    cup.axis = {0, 1, 0};
    cup.profile = d.extras ? kTulipProfile : kTulipProfileFar;
    cup.petals = 6;
    // Each petal bulges a little and rises to a rounded tip above the gaps.
    cup.shape = [](double angle, double t) {
        double lobe = angle * 6.0 / (2.0 * kPi);
        lobe -= std::round(lobe);  // -0.5 .. 0.5, 0 at the petal's middle
        const double tip = std::sqrt(std::max(0.0, 1.0 - 4.0 * lobe * lobe));
        return std::make_pair(1.0 + 0.06 * t * (2.0 * tip - 1.0), t * t * t * (0.45 * tip - 0.12));
    };
    addCup(mesh, cup, d.extras ? 6 : 2, flowerAtlas::kTulipPetal);
}

// The bell's outside as (radius, height above its base), foot to rim. Far
// away, a coarser one.
const std::vector<std::pair<double, double>> kBellProfile = {
    {0.0, 0.0}, {0.28, 0.08}, {0.5, 0.32}, {0.62, 0.72}, {0.72, 1.12}, {0.85, 1.45}, {1.05, 1.72}};
const std::vector<std::pair<double, double>> kBellProfileFar = {
    {0.0, 0.0}, {0.5, 0.32}, {0.72, 1.12}, {1.05, 1.72}};

// Blue bellflower: an upturned bell with five pointed lobes on a slender
// stem with narrow leaves.
void buildBellflower(MeshBuilder& mesh, const FlowerKind& kind, const FlowerDetail& d) {
    const Vec3 centre = sphereCentre(kind);
    const Vec3 bellBase = centre - Vec3(0, 0.85, 0);
    stemGroup(mesh);
    addStem(mesh, {{0, 0, 0}, {0.2, 3.0, 0.0}, {-0.1, 6.0, 0.05}, bellBase + Vec3(0, 0.1, 0)}, 0.13,
            0.1, d, flowerAtlas::kStem);
    const double leafAngles[] = {0, 140, 280};
    const double leafHeights[] = {1.2, 2.8, 4.4};
    const int leaves = d.extras ? 3 : 2;
    for (int i = 0; i < leaves; ++i) {
        const double size = 1.0 - 0.12 * i;
        addLeaf(mesh, {0.0, leafHeights[i], 0.0}, radial(degrees(leafAngles[i])), 2.3 * size,
                1.2 * size, 0.5 * size, 0.26 * size, 0.7, d);
    }
    blossomGroup(mesh, kind);
    Cup bell;
    bell.base = bellBase;
    bell.axis = {0, 1, 0};
    bell.profile = d.extras ? kBellProfile : kBellProfileFar;
    bell.shape = [](double angle, double t) {
        const double rim = t * t * t;
        return std::make_pair(1.0 + 0.16 * rim * std::cos(5.0 * angle),
                              0.1 * rim * std::cos(5.0 * angle));
    };
    addCup(mesh, bell, d.extras ? 20 : 10, flowerAtlas::kBell);
    // The pistil, pale, standing out of the bell.
    addStem(mesh,
            {bellBase + Vec3(0, 0.2, 0), centre + Vec3(0, 0.2, 0.0), centre + Vec3(0, 0.75, 0)},
            0.07, 0.05, d, flowerAtlas::kStamen);
    addEllipsoid(mesh, centre + Vec3(0, 0.8, 0), {1, 0, 0}, {0, 0, -1}, {0, 1, 0},
                 {0.13, 0.13, 0.1}, 5, d.around, flowerAtlas::kStamen);
}

// Petal edges of a head, from a table of (distance from the tip in lobe
// positions, reach): straight between the entries, the same on both sides.
std::function<double(double)> petalEdge(std::vector<std::pair<double, double>> table) {
    return [table = std::move(table)](double lobe) {
        const double x = std::fabs(lobe);
        for (size_t i = 1; i < table.size(); ++i) {
            if (x <= table[i].first) {
                const double f = (x - table[i - 1].first) / (table[i].first - table[i - 1].first);
                return table[i - 1].second + (table[i].second - table[i - 1].second) * f;
            }
        }
        return table.back().second;
    };
}

// Tall sunflower: a heavy head of pointed petals round a broad seed disc,
// big leaves up the stem.
void buildSunflower(MeshBuilder& mesh, const FlowerKind& kind, const FlowerDetail& d) {
    const Vec3 centre = sphereCentre(kind);
    // The head nods toward -z, where the player looks from at the start.
    const Vec3 facing = normalized(Vec3(0, 1, -0.5));
    stemGroup(mesh);
    addStem(mesh,
            {{0, 0, 0}, {0.15, 5, 0.0}, {-0.05, 10, 0.2}, {0, 13.8, 0.45}, centre - facing * 0.1},
            0.34, 0.24, d, flowerAtlas::kStem);
    const double leafAngles[] = {10, 190, 100};
    const double leafHeights[] = {2.8, 6.0, 9.2};
    const int leaves = d.extras ? 3 : 2;
    for (int i = 0; i < leaves; ++i) {
        const double size = 1.0 - 0.1 * i;
        addLeaf(mesh, {0.0, leafHeights[i], 0.0}, radial(degrees(leafAngles[i])), 3.5 * size, 1.0,
                1.3, 1.2 * size, 0.9, d);
    }
    blossomGroup(mesh, kind);
    Wheel head;
    head.centre = centre;
    head.facing = facing;
    head.petals = d.extras ? 16 : 12;
    head.discRadius = 1.25;
    head.dome = 0.2;
    head.petalLength = 1.7;
    head.outline = petalEdge({{0.0, 1.0}, {0.25, 0.84}, {0.5, 0.62}});
    head.lift = degrees(8);
    head.droop = 0.08;
    head.petalPicture = flowerAtlas::kRayPetal;
    head.discPicture = flowerAtlas::kDisc;
    head.discFaceRim = kDiscFaceStart;
    addWheel(mesh, head, d.extras ? 4 : 2, d.extras ? 2 : 1);
    // Green bracts cup the back of the disc.
    Cup back;
    back.base = centre - facing * 0.45;
    back.axis = facing;
    back.profile = {{0.0, 0.0}, {0.6, 0.16}, {1.0, 0.34}, {1.15, 0.43}};
    back.shape = [](double, double) { return std::make_pair(1.0, 0.0); };
    addCup(mesh, back, d.extras ? 16 : 8, flowerAtlas::kDiscBack);
}

// Pink cosmos: eight broad petals with toothed tips round a small yellow
// disc, feathery leaves.
void buildCosmos(MeshBuilder& mesh, const FlowerKind& kind, const FlowerDetail& d) {
    const Vec3 centre = sphereCentre(kind);
    const Vec3 facing = normalized(Vec3(0, 1, 0.25));
    stemGroup(mesh);
    addStem(mesh,
            {{0, 0, 0}, {-0.15, 3, 0.0}, {0.1, 6, 0.05}, {0, 8.6, -0.05}, centre - facing * 0.1},
            0.12, 0.09, d, flowerAtlas::kStem);
    // Thread-like leaflets in pairs up the stem.
    const double heights[] = {2.4, 4.2};
    const int pairs = d.extras ? 2 : 1;
    for (int i = 0; i < pairs; ++i) {
        for (int sideSign : {-1, 1}) {
            const Vec3 out = radial(degrees(90.0 * i + (sideSign > 0 ? 0.0 : 180.0) + 20.0));
            addLeaf(mesh, {0.0, heights[i], 0.0}, out, 1.7 - 0.2 * i, 0.9, 0.4, 0.09, 0.5, d);
        }
    }
    blossomGroup(mesh, kind);
    Wheel head;
    head.centre = centre;
    head.facing = facing;
    head.petals = 8;
    head.discRadius = 0.4;
    head.dome = 0.15;
    head.petalLength = 1.8;
    head.outline = d.extras
                       ? petalEdge({{0.0, 1.0}, {1.0 / 6.0, 0.92}, {1.0 / 3.0, 0.98}, {0.5, 0.55}})
                       : petalEdge({{0.0, 1.0}, {0.5, 0.55}});
    head.lift = degrees(14);
    head.droop = 0.05;
    head.petalPicture = flowerAtlas::kRayPetal;
    head.discPicture = flowerAtlas::kDisc;
    head.discFaceRim = kDiscFaceStart;
    addWheel(mesh, head, d.extras ? 6 : 2, d.extras ? 2 : 1);
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

#include "content/BeeModel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kCrease = 50.0;

// Body segments, nose at +z: head, thorax, then the striped abdomen behind.
const Vec3 kHeadCentre{0.0, 0.35, 3.25};
const Vec3 kThoraxCentre{0.0, 0.3, beeWings::kOffsetZ};

void addAbdomen(MeshBuilder& mesh) {
    // A teardrop along -z that droops a little toward the tail.
    std::vector<SweepStation> stations;
    constexpr int kStations = 18;
    for (int i = 0; i < kStations; ++i) {
        const double t = double(i) / (kStations - 1);  // 0 at the waist, 1 at the tail
        SweepStation s;
        const double z = 0.4 - 5.0 * t;
        s.centre = Vec3(0.0, 0.1 - 0.9 * t * t, z);
        s.side = Vec3(1, 0, 0);
        s.up = Vec3(0, 1, 0);
        // Fat in the middle, narrow at the waist, tapering to the tail.
        const double profile = std::pow(std::sin(kPi * std::pow(t, 0.8)), 0.75);
        const double r = (i == 0 || i == kStations - 1) ? 0.0 : 1.75 * profile;
        s.width = r * 1.05;
        s.height = r * 0.95;
        stations.push_back(s);
    }
    addSweep(mesh, stations, 20, beeAtlas::kAbdomen, kPi / 2);
}

void addStinger(MeshBuilder& mesh) {
    std::vector<SweepStation> stations = tubeStations(
        {{0.0, -0.65, -4.2}, {0.0, -0.8, -4.65}, {0.0, -0.9, -5.05}}, {0.28, 0.14, 0.0});
    addSweep(mesh, stations, 8, beeAtlas::kDark);
}

void addHeadAndEyes(MeshBuilder& mesh) {
    addEllipsoid(mesh, kHeadCentre, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1.1, 1.05, 0.95}, 12, 16,
                 beeAtlas::kHead);
    // Compound eyes: big ovals on the sides of the head.
    for (int sideSign : {-1, 1}) {
        const Vec3 centre = kHeadCentre + Vec3(0.72 * sideSign, 0.12, 0.18);
        const Vec3 out = normalized(Vec3(sideSign, 0.15, 0.35));
        const Vec3 along = Vec3(0, 1, 0);
        addEllipsoid(mesh, centre, normalized(cross(along, out)), along, out, {0.5, 0.78, 0.42}, 10,
                     12, beeAtlas::kEye);
    }
}

// Antennae: up and forward from the brow, bent at the elbow, with a club.
void addAntennae(MeshBuilder& mesh) {
    for (int sideSign : {-1, 1}) {
        const double sx = sideSign;
        const std::vector<Vec3> path = {
            kHeadCentre + Vec3(0.3 * sx, 0.75, 0.55),  kHeadCentre + Vec3(0.45 * sx, 1.45, 0.75),
            kHeadCentre + Vec3(0.6 * sx, 2.05, 0.95),  kHeadCentre + Vec3(0.8 * sx, 2.35, 1.3),
            kHeadCentre + Vec3(0.95 * sx, 2.45, 1.75), kHeadCentre + Vec3(1.0 * sx, 2.45, 1.9)};
        addSweep(mesh, tubeStations(path, {0.1, 0.09, 0.09, 0.09, 0.13, 0.0}), 6, beeAtlas::kDark);
    }
}

void addThorax(MeshBuilder& mesh) {
    addEllipsoid(mesh, kThoraxCentre, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1.3, 1.25, 1.35}, 12, 18,
                 beeAtlas::kThorax);
}

void addLegs(MeshBuilder& mesh) {
    // Three pairs from under the thorax: hip, knee, foot; the hind pair longest.
    struct Leg {
        Vec3 hip, knee, ankle, foot;
    };
    const Leg legs[] = {
        {{0.5, -0.5, 2.0}, {1.5, -1.0, 2.5}, {1.7, -1.9, 2.9}, {1.8, -2.4, 3.3}},
        {{0.6, -0.6, 1.3}, {1.9, -1.0, 1.1}, {2.2, -2.0, 0.8}, {2.3, -2.6, 0.5}},
        {{0.5, -0.55, 0.6}, {2.0, -1.1, -0.6}, {2.3, -2.1, -1.5}, {2.4, -2.7, -2.2}},
    };
    for (const Leg& leg : legs) {
        for (int sideSign : {-1, 1}) {
            auto m = [&](const Vec3& p) { return Vec3(p.x * sideSign, p.y, p.z); };
            const std::vector<Vec3> path = {m(leg.hip), m(lerp(leg.hip, leg.knee, 0.5)),
                                            m(leg.knee), m(leg.ankle), m(leg.foot)};
            addSweep(mesh, tubeStations(path, {0.2, 0.18, 0.16, 0.13, 0.0}), 6, beeAtlas::kDark);
        }
    }
}

// One wing in wing coordinates: from the hinge at `root` out along `dir` in
// the plane whose normal is `normal`, `length` long and `width` wide at most.
void addWing(MeshBuilder& mesh, const Vec3& root, const Vec3& dir, const Vec3& normal,
             double length, double width) {
    std::vector<SweepStation> stations;
    constexpr int kStations = 12;
    Vec3 side = normalized(cross(normal, dir));
    if (side.z > 0.0) {
        side = -side;  // toward the tail on both sides
    }
    for (int i = 0; i < kStations; ++i) {
        const double t = double(i) / (kStations - 1);
        SweepStation s;
        s.centre = root + dir * (length * t);
        s.up = normal;
        s.side = side;
        // Narrow at the hinge, broad past the middle, rounded tip.
        const double shape = std::sin(kPi * std::pow(t, 0.65));
        const bool end = i == 0 || i == kStations - 1;
        s.width = end ? 0.0 : width * (0.18 + 0.82 * shape) * std::sqrt(1.0 - t * t * t);
        s.height = end ? 0.0 : 0.05;
        // The trailing edge sweeps back a little more than the leading one.
        s.centre = s.centre + side * (0.25 * width * shape);
        stations.push_back(s);
    }
    addSweep(mesh, stations, 10, {0.0, 0.0, 1.0, 1.0});
}

}  // namespace

MeshBuilder buildBee() {
    MeshBuilder mesh;
    mesh.useGroup("bee", mesh.addMaterial("bee", "data/bee.tga"));
    addAbdomen(mesh);
    addStinger(mesh);
    addThorax(mesh);
    addHeadAndEyes(mesh);
    addAntennae(mesh);
    addLegs(mesh);
    mesh.computeNormals(kCrease);
    return mesh;
}

// The bee's shadow: the head, eyes, thorax and abdomen as one closed body
// swept along the bee, as wide and as high at every station as the parts
// are there, so seen from above it has their outline, waist and all; the
// stinger, antennae and legs as they are drawn. Each closed part casts a
// column of its own down to the floor, and seen from the chase camera the
// head's, eyes', thorax's and abdomen's stood one behind the other, eight
// faces deep, in the middle of the screen; the swept body's is two.
MeshBuilder buildBeeHull() {
    MeshBuilder body;
    addAbdomen(body);
    addThorax(body);
    addHeadAndEyes(body);
    // Points along every edge as well as the corners, so that no slab falls
    // between two rings of a part.
    std::vector<Vec3> points;
    for (const MeshBuilder::Triangle& t : body.triangles) {
        for (int c = 0; c < 3; ++c) {
            const Vec3& a = body.vertices[t.corners[c].vertex];
            const Vec3& b = body.vertices[t.corners[(c + 1) % 3].vertex];
            for (int k = 0; k < 8; ++k) {
                points.push_back(lerp(a, b, k / 8.0));
            }
        }
    }
    double back = 1e9, front = -1e9;
    for (const Vec3& p : points) {
        back = std::min(back, p.z);
        front = std::max(front, p.z);
    }
    // The envelope of the parts in slabs along z; the ends close in points.
    // A slab spans a little of the body's length, so its envelope stands a
    // little proud of the body, and the body's lit back would lie inside
    // the hull's volume, in its shadow: the hull is drawn in by a few
    // percent, which only its unlit underside can tell.
    constexpr int kStations = 48;
    constexpr double kDrawnIn = 0.96;
    const double step = (front - back) / (kStations - 1);
    std::vector<SweepStation> stations(kStations);
    for (int i = 0; i < kStations; ++i) {
        const double z = back + step * i;
        double wide = 0.0, low = 1e9, high = -1e9;
        for (const Vec3& p : points) {
            if (std::fabs(p.z - z) <= step / 2.0) {
                wide = std::max(wide, std::fabs(p.x));
                low = std::min(low, p.y);
                high = std::max(high, p.y);
            }
        }
        SweepStation& s = stations[static_cast<size_t>(i)];
        const bool end = i == 0 || i == kStations - 1 || high < low;
        s.centre = Vec3(0.0, (low + high) / 2.0, z);
        s.side = Vec3(1, 0, 0);
        s.up = Vec3(0, 1, 0);
        s.width = end ? 0.0 : wide * kDrawnIn;
        s.height = end ? 0.0 : (high - low) / 2.0 * kDrawnIn;
    }
    // The points that close the ends lie level with the stations next to
    // them: the tail droops.
    stations.front().centre.y = stations[1].centre.y;
    stations.back().centre.y = stations[kStations - 2].centre.y;
    MeshBuilder mesh;
    mesh.useGroup("hull", mesh.addMaterial("hull", ""));
    addSweep(mesh, stations, 16, beeAtlas::kDark);
    addStinger(mesh);
    addAntennae(mesh);
    addLegs(mesh);
    mesh.computeNormals(kCrease);
    return mesh;
}

MeshBuilder buildBeeWings() {
    MeshBuilder mesh;
    mesh.useGroup("wings", mesh.addMaterial("wings", "data/bee_wings.tga"));
    // The hinge sits on the thorax's back; the wing origin is (0, 0.65, 1.3)
    // in the bee, so the thorax top (y about 1.55) is 0.9 up from here.
    for (int sideSign : {-1, 1}) {
        const double sx = sideSign;
        const Vec3 normal = normalized(Vec3(-0.28 * sx, 1.0, 0.0));  // raised to a shallow V
        const Vec3 fore = normalized(Vec3(0.62 * sx, 0.17, -0.78));
        const Vec3 hind = normalized(Vec3(0.55 * sx, 0.15, -0.84));
        addWing(mesh, {0.35 * sx, 0.85, 0.35}, normalized(fore - normal * dot(fore, normal)),
                normal, 5.0, 0.95);
        addWing(mesh, {0.3 * sx, 0.8, -0.35}, normalized(hind - normal * dot(hind, normal)), normal,
                3.4, 0.7);
    }
    mesh.computeNormals(kCrease);
    return mesh;
}

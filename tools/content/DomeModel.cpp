#include "content/DomeModel.h"

#include <cmath>

#include "content/Shapes.h"

namespace {

// The hall's section is one curve, walked by a parameter p: p in [0, 30] is
// the wall (p is the height), beyond it the roof, an elliptic quarter with
// angle (p - 30) / kRoofRise, up to the lantern ring at kProfileEnd.
struct Section {
    double radius;
    double height;
};

double roofAngleEnd() {
    return std::acos(dome::kLanternRadius / dome::kRadius);
}
const double kProfileEnd = dome::kWallTop + dome::kRoofRise * roofAngleEnd();

Section section(double p) {
    if (p <= dome::kWallTop) {
        return {dome::kRadius, p};
    }
    const double a = (p - dome::kWallTop) / dome::kRoofRise;
    return {dome::kRadius * std::cos(a), dome::kWallTop + dome::kRoofRise * std::sin(a)};
}

// The unit normal of the section pointing into the hall, as (radius, height).
Section inward(double p) {
    const double h = 1e-4;
    const Section a = section(std::max(0.0, p - h)), b = section(p + h);
    const double dr = b.radius - a.radius, dy = b.height - a.height;
    const double l = std::sqrt(dr * dr + dy * dy);
    return {-dy / l, dr / l};
}

double sideAngle(int side) {
    return 2.0 * kPi * side / dome::kSides;
}

Vec3 atAngle(const Section& s, double angle) {
    return {s.radius * std::cos(angle), s.height, s.radius * std::sin(angle)};
}

// Point of the hall's surface at facet column s (0..1 around) and profile p.
// Between two corners the wall is flat, as glass panes are.
Vec3 surfacePoint(double s, double p) {
    const double column = s * dome::kSides;
    const int side = static_cast<int>(std::floor(column + 1e-9));
    const double f = column - side;
    const Section sec = section(p);
    return lerp(atAngle(sec, sideAngle(side)), atAngle(sec, sideAngle(side + 1)), f);
}

Vec3 towardAxis(const Vec3& p) {
    return Vec3(-p.x, 0.0, -p.z);
}
// The roof's inside looks down and in; the lantern's centre line is above any of it.
Vec3 towardLanternAxis(const Vec3& p) {
    return Vec3(0.0, dome::kWallTop, 0.0) - p;
}

// A band of the hall's surface from profile p0 to p1, one facet per side,
// split into `rows`. Each facet shows `repeat` copies of the picture across.
void addBand(MeshBuilder& mesh, double p0, double p1, int rows, double repeat) {
    Patch band;
    band.columns = dome::kSides;
    band.rows = rows;
    band.wrapS = true;
    band.point = [&](double s, double t) { return surfacePoint(s, p0 + (p1 - p0) * t); };
    band.front = towardLanternAxis;
    band.uvFor = [&](int column, int, int cornerColumn, int cornerRow) {
        return std::make_pair(repeat * (cornerColumn - column), 1.0 - double(cornerRow) / rows);
    };
    addPatch(mesh, band, {});
}

// Profile stations of the glazing: plinth top, the rows of wall panes, the
// eave beam, the roof pane rows, the middle ring beam, the lantern ring.
constexpr double kPlinthTop = 5.0;
constexpr double kEaveBottom = 28.0;
constexpr double kEaveTop = 31.5;
constexpr double kRingBottom = 50.0;
constexpr double kRingTop = 52.0;
const double kLanternRingBottom = kProfileEnd - 1.5;

}  // namespace

double dome::innerRadius() {
    return kRadius * std::cos(kPi / kSides);
}

MeshBuilder buildDome() {
    MeshBuilder mesh;
    mesh.useGroup("plinth", mesh.addMaterial("stone", "data/dome_wall.tga"));
    addBand(mesh, 0.0, kPlinthTop, 1, 2.0);
    mesh.useGroup("beams", mesh.addMaterial("iron", "data/dome_frame.tga"));
    addBand(mesh, kEaveBottom, kEaveTop, 3, 4.0);
    addBand(mesh, kRingBottom, kRingTop, 1, 4.0);
    addBand(mesh, kLanternRingBottom, kProfileEnd, 1, 2.0);
    mesh.computeNormals(30.0);
    return mesh;
}

MeshBuilder buildDomeWindows() {
    MeshBuilder mesh;
    mesh.useGroup("glass", mesh.addMaterial("glass", "data/glass.tga"));
    // Each pane row is its own band so every pane gets the whole picture.
    auto panes = [&](double p0, double p1, int count, int rowsPerPane) {
        for (int i = 0; i < count; ++i) {
            addBand(mesh, p0 + (p1 - p0) * i / count, p0 + (p1 - p0) * (i + 1) / count, rowsPerPane,
                    1.0);
        }
    };
    panes(kPlinthTop, kEaveBottom, 3, 1);
    panes(kEaveTop, kRingBottom, 3, 2);
    panes(kRingTop, kLanternRingBottom, 3, 2);
    mesh.computeNormals(30.0);
    return mesh;
}

MeshBuilder buildDomeTop() {
    MeshBuilder mesh;
    mesh.useGroup("lantern", mesh.addMaterial("copper", "data/dome_top.tga"));
    const double ringY = section(kProfileEnd).height;
    const double drumTop = ringY + 3.0;
    // The drum: straight walls on the lantern ring.
    Patch drum;
    drum.columns = dome::kSides;
    drum.rows = 1;
    drum.wrapS = true;
    drum.point = [&](double s, double t) {
        const Vec3 p = surfacePoint(s, kProfileEnd);
        return Vec3(p.x, ringY + (drumTop - ringY) * t, p.z);
    };
    drum.front = towardAxis;
    drum.uvFor = [](int column, int, int cornerColumn, int cornerRow) {
        return std::make_pair(double(cornerColumn - column), 0.5 - 0.5 * cornerRow);
    };
    addPatch(mesh, drum, {});
    // The cap: an elliptic vault from the drum to the apex.
    constexpr int kCapRows = 5;
    Patch cap;
    cap.columns = dome::kSides;
    cap.rows = kCapRows;
    cap.wrapS = true;
    cap.poleEnd = true;
    cap.point = [&](double s, double t) {
        const Vec3 p = surfacePoint(s, kProfileEnd);
        const double a = t * kPi / 2.0;
        return Vec3(p.x * std::cos(a), drumTop + (dome::kApex - drumTop) * std::sin(a),
                    p.z * std::cos(a));
    };
    cap.front = [](const Vec3& p) { return Vec3(-p.x, -1.0, -p.z); };
    cap.uvFor = [](int column, int, int cornerColumn, int cornerRow) {
        return std::make_pair(double(cornerColumn - column),
                              1.0 - 0.5 * double(cornerRow) / kCapRows);
    };
    addPatch(mesh, cap, {});
    mesh.computeNormals(30.0);
    return mesh;
}

MeshBuilder buildDomeFronts() {
    MeshBuilder mesh;
    mesh.useGroup("ribs", mesh.addMaterial("iron", "data/dome_frame.tga"));
    constexpr double kRibInset = 0.45;
    // Ribs: one beam per corner from the plinth up to the lantern ring.
    std::vector<double> stations = {kPlinthTop, kEaveBottom, dome::kWallTop};
    for (int i = 1; i <= 14; ++i) {
        stations.push_back(dome::kWallTop + (kLanternRingBottom - dome::kWallTop) * i / 14.0);
    }
    for (int side = 0; side < dome::kSides; ++side) {
        const double angle = sideAngle(side);
        const Vec3 around(-std::sin(angle), 0.0, std::cos(angle));
        std::vector<SweepStation> rib;
        for (double p : stations) {
            const Section s = section(p), in = inward(p);
            SweepStation st;
            st.up = Vec3(in.radius * std::cos(angle), in.height, in.radius * std::sin(angle));
            st.centre = atAngle(s, angle) + st.up * kRibInset;
            st.side = around;
            st.width = 0.5;
            st.height = 0.4;
            rib.push_back(st);
        }
        addSweep(mesh, rib, 4, {0.0, 0.0, 0.25, 8.0}, kPi / 4);
    }
    // Glazing bars: straight beams along the panes, between two ribs.
    const double bars[] = {kPlinthTop + (kEaveBottom - kPlinthTop) / 3.0,
                           kPlinthTop + 2.0 * (kEaveBottom - kPlinthTop) / 3.0,
                           kEaveTop + (kRingBottom - kEaveTop) / 3.0,
                           kEaveTop + 2.0 * (kRingBottom - kEaveTop) / 3.0,
                           kRingTop + (kLanternRingBottom - kRingTop) / 3.0,
                           kRingTop + 2.0 * (kLanternRingBottom - kRingTop) / 3.0};
    for (double p : bars) {
        const Section s = section(p), in = inward(p);
        for (int side = 0; side < dome::kSides; ++side) {
            const double a0 = sideAngle(side), a1 = sideAngle(side + 1);
            const Vec3 p0 = atAngle(s, a0), p1 = atAngle(s, a1);
            const double mid = 0.5 * (a0 + a1);
            const Vec3 up(in.radius * std::cos(mid), in.height, in.radius * std::sin(mid));
            const Vec3 along = normalized(p1 - p0);
            SweepStation st;
            st.up = normalized(up - along * dot(up, along));
            st.side = normalized(cross(along, st.up));
            st.width = 0.3;
            st.height = 0.25;
            SweepStation a = st, b = st;
            a.centre = p0 + st.up * 0.35;
            b.centre = p1 + st.up * 0.35;
            addSweep(mesh, {a, b}, 4, {0.25, 0.0, 0.5, 1.0}, kPi / 4);
        }
    }
    mesh.computeNormals(40.0);
    return mesh;
}
